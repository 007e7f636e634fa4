// Filling the report's working table: the rows of a run, worked and planned times written with
// their sign, the weekday slot and the rotation across New Year, the lock that keeps a second
// run out, and the fast generation against the statement-by-statement reference on generated
// companies.

#include "AttendanceReport.h"
#include "CompanyGenerator.h"
#include "RecordingMessages.h"
#include "ReferenceReport.h"
#include "ReportLock.h"
#include "TestDatabase.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;
using Attendance::ReportOutcome;

namespace {

const QString kDatabase = QStringLiteral("t_report_generation");

} // namespace

class TestReportGeneration : public QObject
{
    Q_OBJECT
    Db db;
    QStringList failures; // statements that failed

    int addUser(const QString& name, int rotating = 0)
    {
        return int(db.insertRow("KxUsuario", {{"Nombre", name}, {"Horario_rotativo", rotating}}));
    }
    // Monday to Saturday 08:00-18:00 with a meal break 14:00-15:00, Sunday 09:00-13:00;
    // tolerance 10 minutes.
    int addSchedule(const QString& entrada = "08:00:00")
    {
        SqlValues values{{"Nombre_horario", "OFICINA"}, {"tolerancia_retardo", 10}};
        for (int n = 1; n <= 6; ++n)
            values << qMakePair(QString("ENTRADA%1").arg(n), QVariant(entrada))
                   << qMakePair(QString("SALIDA%1").arg(n), QVariant("18:00:00"))
                   << qMakePair(QString("SALIDA_BREAK%1").arg(n), QVariant("14:00:00"))
                   << qMakePair(QString("REGRESO_BREAK%1").arg(n), QVariant("15:00:00"));
        values << qMakePair(QString("ENTRADA7"), QVariant("09:00:00"))
               << qMakePair(QString("SALIDA7"), QVariant("13:00:00"));
        return int(db.insertRow("KxHorario", values));
    }
    int addRestSchedule()
    {
        return int(db.insertRow("KxHorario", {{"Nombre_horario", "DESCANSO"}}));
    }
    void assign(int user, int schedule, int order = 0)
    {
        db.insertRow("Kxhorario_personal",
                     {{"usuario", user}, {"horario", schedule}, {"orden", order}});
    }
    void addEvent(int user, const QString& day, const QVariant& entrada, const QVariant& salida,
                  const QVariant& salidaBreak = {}, const QVariant& regresoBreak = {})
    {
        auto mark = [](const QVariant& v) {
            return v.isValid() ? v : QVariant(QMetaType::fromType<QByteArray>());
        };
        db.insertRow("KxEvento", {{"usuario", user},
                                  {"fecha", day},
                                  {"entrada", mark(entrada)},
                                  {"salida", mark(salida)},
                                  {"salida_break", mark(salidaBreak)},
                                  {"regreso_break", mark(regresoBreak)},
                                  {"tipo", 1}});
    }
    ReportOutcome run(const QList<int>& users, const QDate& from, const QDate& to)
    {
        return Attendance::GenerateAttendance(db, {from, to, users});
    }
    QString cell(int user, const QString& day, const QString& column)
    {
        const QVariant v = db.scalar(
            QString("SELECT CAST(%1 AS CHAR) FROM rep_asistencia_general WHERE usuario=? AND "
                    "Fecha=?")
                .arg(column),
            {user, day});
        return v.isNull() ? QStringLiteral("NULL") : v.toString();
    }
    int rows() { return db.scalar("SELECT COUNT(*) FROM rep_asistencia_general").toInt(); }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
    }
    void init()
    {
        clearTables(db);
        failures.clear();
        Db::setFatalHandler([this](const QString& text) { failures << text; });
    }
    void cleanup()
    {
        Db::setFatalHandler({});
        QCOMPARE(failures.mid(0, 2).join(" / "), QString());
    }

    void rowsOfARun_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<int>("rows");
        QTest::newRow("one day, one row per employee")
            << QDate(2026, 11, 2) << QDate(2026, 11, 2) << 3;
        QTest::newRow("a month") << QDate(2026, 11, 1) << QDate(2026, 11, 30) << 90;
        QTest::newRow("end before start") << QDate(2026, 11, 2) << QDate(2026, 11, 1) << 0;
    }
    void rowsOfARun()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const int a = addUser("ÁNGEL"), b = addUser("BEATRIZ"), c = addUser("CÉSAR");
        // What a previous run left is gone, whoever it was for.
        db.exec("INSERT INTO rep_asistencia_general SET usuario=?,Fecha=?", {999, "2020-01-01"});
        // A repeated employee counts once.
        const ReportOutcome outcome = run({a, b, c, b}, from, to);
        QCOMPARE(outcome.status, ReportOutcome::Status::Written);
        QTEST(outcome.rows, "rows");
        QTEST(rows(), "rows");
        QCOMPARE(
            db.scalar("SELECT COUNT(DISTINCT usuario,Fecha) FROM rep_asistencia_general").toInt(),
            rows());
    }

    void aDayWrittenInFull()
    {
        const int u = addUser("DOLORES MUÑOZ");
        assign(u, addSchedule());
        addEvent(u, "2026-11-02", "2026-11-02 08:20:00", "2026-11-02 17:45:10",
                 "2026-11-02 14:00:00", "2026-11-02 14:50:00");
        QCOMPARE(run({u}, QDate(2026, 11, 2), QDate(2026, 11, 2)).rows, 1);
        const QString d = "2026-11-02";
        QCOMPARE(cell(u, d, "Entrada"), QStringLiteral("2026-11-02 08:20:00"));
        QCOMPARE(cell(u, d, "salida_break"), QStringLiteral("2026-11-02 14:00:00"));
        QCOMPARE(cell(u, d, "regreso_break"), QStringLiteral("2026-11-02 14:50:00"));
        QCOMPARE(cell(u, d, "Salida"), QStringLiteral("2026-11-02 17:45:10"));
        QCOMPARE(cell(u, d, "Horas_laboradas"), QStringLiteral("08:35:10"));
        QCOMPARE(cell(u, d, "horas_laborables"), QStringLiteral("09:00:00"));
        QCOMPARE(cell(u, d, "Diferencia"), QStringLiteral("-00:24:50"));
        QCOMPARE(cell(u, d, "Reporte_Diferencia"), QStringLiteral("-00:24:50"));
        QCOMPARE(cell(u, d, "reporte_laborables"), QStringLiteral("09:00:00"));
        QCOMPARE(cell(u, d, "reporte_laboradas"), QStringLiteral("08:35:10"));
        QCOMPARE(cell(u, d, "Tipo"), QStringLiteral("Asistido"));
        QCOMPARE(cell(u, d, "Retardo"), QStringLiteral("1"));
        QCOMPARE(cell(u, d, "Retardo_Tiempo"), QStringLiteral("20"));
        QCOMPARE(cell(u, d, "Salida_prematura"), QStringLiteral("1"));
        QCOMPARE(cell(u, d, "Salida_prematura_Tiempo"), QStringLiteral("-15"));
        QCOMPARE(cell(u, d, "dia_laborable"), QStringLiteral("1"));
    }

    void aNegativeWorkedTimeKeepsItsSign()
    {
        const int u = addUser("EXIT BEFORE ARRIVAL");
        assign(u, addSchedule());
        addEvent(u, "2026-11-03", "2026-11-03 09:00:00", "2026-11-03 08:00:00");
        run({u}, QDate(2026, 11, 3), QDate(2026, 11, 3));
        QCOMPARE(cell(u, "2026-11-03", "Horas_laboradas"), QStringLiteral("-01:00:00"));
        QCOMPARE(cell(u, "2026-11-03", "Diferencia"), QStringLiteral("-10:00:00"));
    }

    void theWeekdaySlot()
    {
        const int u = addUser("FERNANDA");
        assign(u, addSchedule());
        // 09:05 is on time on Sunday (09:00) and late on Monday (08:00).
        addEvent(u, "2026-11-01", "2026-11-01 09:05:00", "2026-11-01 13:00:00");
        addEvent(u, "2026-11-02", "2026-11-02 09:05:00", "2026-11-02 18:00:00");
        run({u}, QDate(2026, 11, 1), QDate(2026, 11, 2));
        QCOMPARE(cell(u, "2026-11-01", "Retardo"), QStringLiteral("0"));
        QCOMPARE(cell(u, "2026-11-01", "horas_laborables"), QStringLiteral("04:00:00"));
        QCOMPARE(cell(u, "2026-11-02", "Retardo_Tiempo"), QStringLiteral("65"));
    }

    void rotationAcrossNewYear()
    {
        const int u = addUser("GERARDO", 1);
        const int fixedUser = addUser("HILDA");
        assign(u, addSchedule(), 1);     // odd weeks
        assign(u, addRestSchedule(), 2); // even weeks
        assign(fixedUser, addSchedule(), 0);
        run({u, fixedUser}, QDate(2026, 12, 28), QDate(2027, 1, 4));
        // Week 53 of 2026 is odd, 1 to 3 January 2027 are week 0, 4 January week 1.
        QCOMPARE(cell(u, "2026-12-31", "Tipo"), QStringLiteral("Falta"));
        QCOMPARE(cell(u, "2027-01-01", "Tipo"), QStringLiteral("Descanso"));
        QCOMPARE(cell(u, "2027-01-03", "Tipo"), QStringLiteral("Descanso"));
        QCOMPARE(cell(u, "2027-01-04", "Tipo"), QStringLiteral("Falta"));
        QCOMPARE(cell(fixedUser, "2027-01-01", "Tipo"), QStringLiteral("Falta"));
    }

    void aSecondRunIsRefusedWhileOneHoldsTheTable()
    {
        const int u = addUser("IRMA");
        run({u}, QDate(2026, 11, 1), QDate(2026, 11, 3));
        Db other;
        QVERIFY(other.open(connectionString(kDatabase)));
        {
            ReportLock running(other);
            QVERIFY(running.held());
            const ReportOutcome refused = run({u}, QDate(2026, 11, 1), QDate(2026, 11, 1));
            QCOMPARE(refused.status, ReportOutcome::Status::Busy);
            QCOMPARE(rows(), 3); // untouched
        }
        QCOMPARE(run({u}, QDate(2026, 11, 1), QDate(2026, 11, 1)).status,
                 ReportOutcome::Status::Written);
        // The lock is released after a run: the other station can take it.
        ReportLock after(other);
        QVERIFY(after.held());
    }

    void aFailedRunLeavesTheTableAsItWas()
    {
        const int u = addUser("JULIO");
        run({u}, QDate(2026, 11, 1), QDate(2026, 11, 5));
        // Without one of its columns the insert fails after the table was emptied.
        db.exec("ALTER TABLE rep_asistencia_general DROP COLUMN reporte_laboradas");
        const ReportOutcome failed = run({u}, QDate(2026, 11, 1), QDate(2026, 11, 2));
        db.exec("ALTER TABLE rep_asistencia_general ADD COLUMN reporte_laboradas TIME NULL");
        QCOMPARE(failed.status, ReportOutcome::Status::Failed);
        QVERIFY(!failures.isEmpty());
        failures.clear();
        QCOMPARE(rows(), 5);
    }

    void sameTableAsTheReference_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("employees");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("across New Year") << 11u << 120 << QDate(2026, 12, 24) << QDate(2027, 1, 8);
        QTest::newRow("a leap February") << 23u << 150 << QDate(2028, 2, 20) << QDate(2028, 3, 3);
        QTest::newRow("week 53 into week 1")
            << 37u << 200 << QDate(2020, 12, 27) << QDate(2021, 1, 5);
    }
    void sameTableAsTheReference()
    {
        QFETCH(quint32, seed);
        QFETCH(int, employees);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        const Company company = GenerateCompany(db, {seed, employees, from, to});
        QElapsedTimer timer;
        timer.start();
        reference::RunReport(db, company.users, from, to);
        const qint64 referenceMs = timer.restart();
        const QStringList expected = reference::WorkingTable(db);
        const ReportOutcome outcome = run(company.users, from, to);
        const qint64 fastMs = timer.elapsed();
        const QStringList actual = reference::WorkingTable(db);
        qInfo("%d rows: reference %lld ms, generation %lld ms", outcome.rows, referenceMs, fastMs);
        QCOMPARE(outcome.rows, int(expected.size() - 1));
        QCOMPARE(reference::FirstDifference(expected, actual), QString());
        // The company exercised every rule: each label and flag occurs.
        const QString all = expected.join(QLatin1Char('\n'));
        for (const char* label :
             {"|Descanso", "|Falta", "|Asistido-Incompleto", "|Asistido",
              "|Permiso para Llegar Tarde", "|Permiso para Salir Temprano",
              "|Permiso para No Asistir SGC", "|Permiso para No Asistir CGS", "|Periodo Vacacional",
              "|Sanción", "|Incapacidad", "|Día Inhábil"})
            QVERIFY2(all.contains(QString(label) + "\n") || all.endsWith(QString(label)), label);
        QVERIFY(all.contains(QStringLiteral("|-0"))); // a negative time or minutes
    }
};

QTEST_GUILESS_MAIN(TestReportGeneration)
#include "tst_report_generation.moc"
