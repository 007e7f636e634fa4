// Figures of the report viewer: the time from opening the viewer window to its first page on
// the screen, and a 500-employee month of the general attendance report written as PDF and
// CSV. Runs on the private database (scripts/db) in a database of its own.
//
//   report-view-bench [employees] [days]       (default 500 x 31)

#include "ConsoleContext.h"
#include "FrmView.h"
#include "RecordSource.h"
#include "ReportEngine.h"
#include "ReportExport.h"
#include "ReportFiles.h"
#include "ReportJob.h"
#include "ReportViewer.h"
#include "SampleAttendance.h"
#include "TestDatabase.h"

#include <cstdio>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

constexpr int kRounds = 3;

QString layout(const QString& name)
{
    return testing::sourceDir() + QStringLiteral("/report_engine/layouts/") + name;
}

// Milliseconds from constructing the window to its first page painted.
double openToFirstPage(ConsoleContext& context, const QString& title)
{
    QElapsedTimer timer;
    timer.start();
    double shownAt = -1;
    FrmView w(context, layout(QStringLiteral("AsistenciaGeneral.rpt")), QString(), title);
    QObject::connect(w.viewer(), &ReportViewer::pageShown, &w, [&] {
        if (shownAt < 0)
            shownAt = timer.nsecsElapsed() / 1e6;
    });
    w.show();
    while (shownAt < 0 && timer.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return shownAt;
}

// Where opening the general report spends its time: reading the rows, and the engine.
void stageFigures(ConsoleContext& context)
{
    QFile file(layout(QStringLiteral("AsistenciaGeneral.rpt")));
    file.open(QIODevice::ReadOnly);
    const std::string text = file.readAll().toStdString();
    report::Layout parsed = report::parseLayout(text);
    QElapsedTimer t;
    t.start();
    report::Table table;
    QString error;
    readRecords(context.db, QString::fromStdString(parsed.query), table, &error);
    const double read = t.nsecsElapsed() / 1e6;
    t.restart();
    report::Layout fresh = report::parseLayout(text);
    const report::Document doc = report::runReport(fresh, table, {});
    const double engine = t.nsecsElapsed() / 1e6;
    std::printf("  stages: rows read %8.1f ms (%zu rows), layout+selection+bands+pages %8.1f ms "
                "(%zu pages)\n",
                read, table.rows.size(), engine, doc.pages.size());
}

void viewerFigures(ConsoleContext& context, int employees, int days)
{
    stageFigures(context);
    for (int round = 1; round <= kRounds; ++round) {
        QElapsedTimer t;
        t.start();
        ReportRequest request;
        request.layoutPath = layout(QStringLiteral("AsistenciaGeneral.rpt"));
        const ReportOutcome outcome = buildReport(context.db, request);
        const double build = t.nsecsElapsed() / 1e6;
        const double shown = openToFirstPage(context, QStringLiteral("Asistencia General"));
        std::printf("viewer %3d x %2d  round %d: query+pages %8.1f ms (%zu pages), "
                    "window opened to first page shown %8.1f ms\n",
                    employees, days, round, build,
                    outcome.ok() ? outcome.document->pages.size() : size_t(0), shown);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int employees = argc > 1 ? std::atoi(argv[1]) : 500;
    const int days = argc > 2 ? std::atoi(argv[2]) : 31;
    const QString database = QStringLiteral("b_report_view");

    ConsoleContext context;
    QString error;
    if (!testing::createDatabase(context.db, database, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    // The demo's size first (12 employees, the default 15 days), then the large month.
    sample::addEmployees(context.db, 12);
    sample::insertDays(context.db, sample::company(12, QDate(2026, 11, 2), 15));
    viewerFigures(context, 12, 15);

    testing::clearTables(context.db);
    QElapsedTimer fill;
    fill.start();
    sample::addEmployees(context.db, employees);
    sample::insertDays(context.db, sample::company(employees, QDate(2026, 11, 1), days));
    std::printf("working table filled with %d x %d rows in %.1f s\n", employees, days,
                fill.elapsed() / 1000.0);
    viewerFigures(context, employees, days);

    QTemporaryDir dir;
    for (int round = 1; round <= kRounds; ++round) {
        const QString pdf = dir.filePath(QStringLiteral("general.pdf"));
        const QString csv = dir.filePath(QStringLiteral("general.csv"));
        QElapsedTimer t;
        t.start();
        const QString pdfError = exportReportPdf(context.db, layout("AsistenciaGeneral.rpt"), {},
                                                 QStringLiteral("Asistencia General"), pdf);
        const double pdfMs = t.nsecsElapsed() / 1e6;
        t.restart();
        const QString csvError = exportReportCsv(context.db, layout("AsistenciaGeneral.rpt"), {},
                                                 QStringLiteral("Asistencia General"), csv);
        const double csvMs = t.nsecsElapsed() / 1e6;
        if (!pdfError.isEmpty() || !csvError.isEmpty()) {
            std::fprintf(stderr, "%s %s\n", qPrintable(pdfError), qPrintable(csvError));
            return 1;
        }
        std::printf("export %d x %d round %d: PDF %8.1f ms (%d pages, %.1f MB), CSV %7.1f ms "
                    "(%.1f MB)\n",
                    employees, days, round, pdfMs, testing::pdfPageCount(pdf),
                    QFileInfo(pdf).size() / 1e6, csvMs, QFileInfo(csv).size() / 1e6);
    }
    return 0;
}
