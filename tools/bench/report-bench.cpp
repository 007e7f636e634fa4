// report-bench [EMPLOYEES] [DAYS]: the attendance report's working table filled for a generated
// company (500 employees x 31 days unless told) in a database of its own on the private server
// (scripts/db start), once by the statement-by-statement reference and five times by the fast
// generation; both must leave the same table. The last line gives both times and their ratio
// (the generation's median run).

#include "AttendanceReport.h"
#include "CompanyGenerator.h"
#include "ReferenceReport.h"
#include "TestDatabase.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int employees = args.size() > 1 ? args[1].toInt() : 500;
    const int days = args.size() > 2 ? args[2].toInt() : 31;
    const QDate from(2026, 12, 15);
    const QDate to = from.addDays(days - 1);

    Db db;
    QString error;
    if (!testing::createDatabase(db, QStringLiteral("b_report_bench"), &error)) {
        std::fprintf(stderr, "report-bench: %s\n", qPrintable(error));
        return 1;
    }
    const testing::Company company = testing::GenerateCompany(db, {2026u, employees, from, to});
    std::printf("company: %lld employees (one of them deleted), %d days from %s\n",
                qlonglong(company.users.size()), days, qPrintable(from.toString(Qt::ISODate)));

    QElapsedTimer timer;
    timer.start();
    reference::RunReport(db, company.users, from, to);
    const qint64 referenceMs = timer.elapsed();
    const QStringList expected = reference::WorkingTable(db);
    std::printf("reference: %lld ms for %lld rows\n", referenceMs, qlonglong(expected.size() - 1));

    QList<qint64> runs;
    for (int run = 0; run < 5; ++run) {
        timer.restart();
        const Attendance::ReportOutcome outcome =
            Attendance::GenerateAttendance(db, {from, to, company.users});
        runs << timer.elapsed();
        if (outcome.status != Attendance::ReportOutcome::Status::Written) {
            std::fprintf(stderr, "report-bench: the generation did not write\n");
            return 1;
        }
        std::printf("generation run %d: %lld ms, %d rows\n", run + 1, runs.last(), outcome.rows);
    }
    const QString difference = reference::FirstDifference(expected, reference::WorkingTable(db));
    if (!difference.isEmpty()) {
        std::fprintf(stderr, "report-bench: tables differ: %s\n", qPrintable(difference));
        return 1;
    }
    std::sort(runs.begin(), runs.end());
    const qint64 fastMs = runs[runs.size() / 2];
    std::printf("same table; %d employees x %d days: reference %lld ms, generation %lld ms "
                "(median of 5), ratio %.1f\n",
                employees, days, referenceMs, fastMs,
                double(referenceMs) / qMax<qint64>(fastMs, 1));
    return 0;
}
