// The report's day rules: how events fill a day's row, how a day is classified, how durations
// are written, and the week numbers and schedule orders of the calendar (the week numbers
// checked day by day against the server's own week(date,1)).

#include "DayEvaluation.h"
#include "RecordingMessages.h"
#include "ReportCalendar.h"
#include "TestDatabase.h"

#include <QSqlQuery>
#include <QtTest>

using namespace Attendance;

namespace {

OptionalMark mark(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return Mark::parse(text.toLatin1());
}

QString text(const OptionalMark& m)
{
    return m ? QString::fromLatin1(m->text) : QString();
}

std::optional<QTime> at(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return QTime::fromString(text, QStringLiteral("HH:mm:ss"));
}

// "08:00:00-18:00:00/14:00:00-15:00:00 t10", "rest" or "" (no schedule).
std::optional<ScheduleDay> slot(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    ScheduleDay day;
    if (text == QLatin1String("rest"))
        return day;
    const QStringList parts = text.split(QLatin1Char(' '));
    const QStringList hours = parts[0].split(QLatin1Char('/'));
    day.entrada = at(hours[0].section(QLatin1Char('-'), 0, 0));
    day.salida = at(hours[0].section(QLatin1Char('-'), 1, 1));
    if (hours.size() > 1) {
        day.salidaBreak = at(hours[1].section(QLatin1Char('-'), 0, 0));
        day.regresoBreak = at(hours[1].section(QLatin1Char('-'), 1, 1));
    }
    day.toleranciaRetardo = parts.value(1).mid(1).toInt();
    return day;
}

// Flags as five digits: dia_laborable, Falta, Incompleto, Retardo, Salida_prematura.
QString flags(const DayResult& r)
{
    return QStringLiteral("%1%2%3%4%5")
        .arg(int(r.diaLaborable))
        .arg(int(r.falta))
        .arg(int(r.incompleto))
        .arg(int(r.retardo))
        .arg(int(r.salidaPrematura));
}

} // namespace

class TestReportRules : public QObject
{
    Q_OBJECT

private slots:
    void classifyingADay_data()
    {
        QTest::addColumn<QString>("schedule");
        QTest::addColumn<QString>("arrival");
        QTest::addColumn<QString>("exit");
        QTest::addColumn<int>("permission"); // 0 = none
        QTest::addColumn<bool>("holiday");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("planned");
        QTest::addColumn<int>("late");  // Retardo_Tiempo when Retardo
        QTest::addColumn<int>("early"); // Salida_prematura_Tiempo when Salida_prematura

        const QString day = "08:00:00-18:00:00/14:00:00-15:00:00 t10";
        const QString in = "2026-11-02 08:00:00", out = "2026-11-02 18:00:00";
        QTest::newRow("10 minutes 59 seconds late is within a tolerance of 10")
            << day << "2026-11-02 08:10:59" << out << 0 << false << "Asistido"
            << "10000"
            << "09:00:00" << 0 << 0;
        QTest::newRow("11 minutes late is late")
            << day << "2026-11-02 08:11:00" << out << 0 << false << "Asistido"
            << "10010"
            << "09:00:00" << 11 << 0;
        QTest::newRow("exit one minute early")
            << day << in << "2026-11-02 17:59:59" << 0 << false << "Asistido"
            << "10001"
            << "09:00:00" << 0 << -1;
        QTest::newRow("exit 30 seconds after the hour is on time")
            << day << in << "2026-11-02 18:00:30" << 0 << false << "Asistido"
            << "10000"
            << "09:00:00" << 0 << 0;
        QTest::newRow("no arrival") << day << ""
                                    << "" << 0 << false << "Falta"
                                    << "11000"
                                    << "09:00:00" << 0 << 0;
        QTest::newRow("an exit without arrival is an absence")
            << day << "" << out << 0 << false << "Falta"
            << "11000"
            << "09:00:00" << 0 << 0;
        QTest::newRow("arrival without exit")
            << day << in << "" << 0 << false << "Asistido-Incompleto"
            << "10100"
            << "09:00:00" << 0 << 0;
        QTest::newRow("no meal break") << "07:30:00-16:00:00 t0"
                                       << "2026-11-02 07:31:00"
                                       << "2026-11-02 16:00:00" << 0 << false << "Asistido"
                                       << "10010"
                                       << "08:30:00" << 1 << 0;
        QTest::newRow("rest day") << "rest" << in << out << 0 << false << "Descanso"
                                  << "00000"
                                  << "00:00:00" << 0 << 0;
        QTest::newRow("no schedule") << "" << in << out << 0 << false << ""
                                     << "00000"
                                     << "00:00:00" << 0 << 0;
        QTest::newRow("vacation without marks") << day << ""
                                                << "" << 5 << false << "Periodo Vacacional"
                                                << "10000"
                                                << "00:00:00" << 0 << 0;
        QTest::newRow("late-arrival permission clears lateness")
            << day << "2026-11-02 08:30:00" << out << 1 << false << "Permiso para Llegar Tarde"
            << "10000"
            << "09:00:00" << 0 << 0;
        QTest::newRow("early-leave permission clears the early exit")
            << day << in << "2026-11-02 12:00:00" << 2 << false << "Permiso para Salir Temprano"
            << "10000"
            << "09:00:00" << 0 << 0;
        QTest::newRow("absence without pay") << day << ""
                                             << "" << 3 << false << "Permiso para No Asistir SGC"
                                             << "10000"
                                             << "00:00:00" << 0 << 0;
        QTest::newRow("absence with pay") << day << ""
                                          << "" << 4 << false << "Permiso para No Asistir CGS"
                                          << "10000"
                                          << "00:00:00" << 0 << 0;
        QTest::newRow("a sanction keeps the absence") << day << ""
                                                      << "" << 6 << false << "Sanción"
                                                      << "11000"
                                                      << "09:00:00" << 0 << 0;
        QTest::newRow("sick leave") << day << ""
                                    << "" << 7 << false << "Incapacidad"
                                    << "10000"
                                    << "00:00:00" << 0 << 0;
        QTest::newRow("an unknown permission code changes nothing") << day << ""
                                                                    << "" << 8 << false << "Falta"
                                                                    << "11000"
                                                                    << "09:00:00" << 0 << 0;
        QTest::newRow("a permission on a day without schedule")
            << ""
            << ""
            << "" << 5 << false << "Periodo Vacacional"
            << "00000"
            << "00:00:00" << 0 << 0;
        QTest::newRow("a non-working day replaces the permission, keeps lateness")
            << day << "2026-11-02 08:30:00"
            << "2026-11-02 17:00:00" << 6 << true << "Día Inhábil"
            << "00011"
            << "00:00:00" << 30 << -60;
        QTest::newRow("a non-working day clears the absence") << day << ""
                                                              << "" << 0 << true << "Día Inhábil"
                                                              << "00000"
                                                              << "00:00:00" << 0 << 0;
        QTest::newRow("a slot ending after midnight plans a negative time")
            << "22:00:00-06:00:00 t5"
            << "2026-11-02 22:00:00"
            << "2026-11-03 06:00:00" << 0 << false << "Asistido"
            << "10000"
            << "-16:00:00" << 0 << 0;
    }
    void classifyingADay()
    {
        QFETCH(QString, schedule);
        QFETCH(QString, arrival);
        QFETCH(QString, exit);
        QFETCH(int, permission);
        QFETCH(bool, holiday);
        DayMarks marks;
        marks.entrada = mark(arrival);
        marks.salida = mark(exit);
        const DayResult r =
            EvaluateDay(slot(schedule), marks,
                        permission ? std::optional<int>(permission) : std::nullopt, holiday);
        QTEST(r.tipo, "tipo");
        QTEST(flags(r), "flags");
        QTEST(QString::fromLatin1(DurationText(r.plannedSeconds)), "planned");
        if (r.retardo)
            QTEST(r.retardoTiempo, "late");
        if (r.salidaPrematura)
            QTEST(r.salidaPrematuraTiempo, "early");
    }

    void copyingEvents_data()
    {
        // Each event: arrival, meal out, meal back, exit as "hh:mm:ss" or "-" when missing,
        // all on 2026-11-02; events of the day separated by ";".
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("row"); // the row's four marks and worked time
        QTest::newRow("all four") << "08:00:00 14:00:00 15:00:00 18:30:15"
                                  << "08:00:00 14:00:00 15:00:00 18:30:15 09:30:15";
        QTest::newRow("arrival only") << "08:00:00 - - -"
                                      << "08:00:00 - - - -";
        QTest::newRow("arrival and meal out") << "08:00:00 14:00:00 - -"
                                              << "08:00:00 14:00:00 - - -";
        QTest::newRow("arrival, meal out and back") << "08:00:00 14:00:00 15:00:00 -"
                                                    << "08:00:00 14:00:00 15:00:00 - -";
        QTest::newRow("arrival and exit") << "08:00:00 - - 17:00:00"
                                          << "08:00:00 - - 17:00:00 09:00:00";
        QTest::newRow("exit before arrival gives a negative worked time")
            << "09:00:00 - - 08:00:00"
            << "09:00:00 - - 08:00:00 -01:00:00";
        QTest::newRow("meal back missing: nothing copied") << "08:00:00 14:00:00 - 18:00:00"
                                                           << "- - - - -";
        QTest::newRow("meal out missing: nothing copied") << "08:00:00 - 15:00:00 18:00:00"
                                                          << "- - - - -";
        QTest::newRow("no arrival: nothing copied") << "- 14:00:00 15:00:00 18:00:00"
                                                    << "- - - - -";
        QTest::newRow("a later event overwrites only what it writes")
            << "08:00:00 14:00:00 15:00:00 18:00:00;19:00:00 - - -"
            << "19:00:00 14:00:00 15:00:00 18:00:00 09:00:00";
        QTest::newRow("a later complete pair replaces the marks and the worked time")
            << "08:00:00 - - 12:00:00;13:00:00 - - 15:30:00"
            << "13:00:00 - - 15:30:00 02:30:00";
    }
    void copyingEvents()
    {
        QFETCH(QString, events);
        DayMarks day;
        for (const QString& event : events.split(QLatin1Char(';'))) {
            const QStringList t = event.split(QLatin1Char(' '));
            auto m = [&](int i) {
                return t[i] == QLatin1String("-") ? std::nullopt
                                                  : mark(QStringLiteral("2026-11-02 ") + t[i]);
            };
            ApplyEvent(day, EventMarks{m(0), m(1), m(2), m(3)});
        }
        auto shown = [](const OptionalMark& m) {
            return m ? text(m).mid(11) : QStringLiteral("-");
        };
        const QString row =
            QStringList{shown(day.entrada), shown(day.salidaBreak), shown(day.regresoBreak),
                        shown(day.salida),
                        day.workedSeconds ? QString::fromLatin1(DurationText(*day.workedSeconds))
                                          : QStringLiteral("-")}
                .join(QLatin1Char(' '));
        QTEST(row, "row");
    }

    void anUncopiedEventLeavesAnAbsence()
    {
        DayMarks day;
        ApplyEvent(day, {mark("2026-11-02 08:00:00"), mark("2026-11-02 14:00:00"), std::nullopt,
                         mark("2026-11-02 18:00:00")});
        const DayResult r =
            EvaluateDay(slot("08:00:00-18:00:00/14:00:00-15:00:00 t10"), day, std::nullopt, false);
        QCOMPARE(r.tipo, QStringLiteral("Falta"));
        QVERIFY(r.falta);
    }

    void markAcrossMidnight()
    {
        // Worked time counts whole moments, not times of day.
        DayMarks day;
        ApplyEvent(day, {mark("2026-11-02 22:00:00"), std::nullopt, std::nullopt,
                         mark("2026-11-03 06:15:00")});
        QCOMPARE(DurationText(*day.workedSeconds), QByteArray("08:15:00"));
    }

    void parsingMarks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("a mark") << "2026-11-02 08:00:00" << true;
        QTest::newRow("leap day") << "2028-02-29 23:59:59" << true;
        QTest::newRow("no such day") << "2026-02-29 08:00:00" << false;
        QTest::newRow("hour 24") << "2026-11-02 24:00:00" << false;
        QTest::newRow("date only") << "2026-11-02" << false;
        QTest::newRow("letters") << "2026-11-0x 08:00:00" << false;
    }
    void parsingMarks()
    {
        QFETCH(QString, text);
        QTEST(Mark::parse(text.toLatin1()).has_value(), "valid");
    }

    void durations_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "00:00:00";
        QTest::newRow("one of each") << qint64(3661) << "01:01:01";
        QTest::newRow("negative hour") << qint64(-3600) << "-01:00:00";
        QTest::newRow("negative seconds") << qint64(-59) << "-00:00:59";
        QTest::newRow("a day and more") << qint64(100 * 3600 + 59) << "100:00:59";
        QTest::newRow("beyond the column") << qint64(900 * 3600) << "838:59:59";
        QTest::newRow("beyond the column, negative") << qint64(-900 * 3600) << "-838:59:59";
    }
    void durations()
    {
        QFETCH(qint64, seconds);
        QTEST(QString::fromLatin1(DurationText(seconds)), "text");
    }

    void scheduleOrder_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<bool>("rotating");
        QTest::addColumn<int>("order");
        QTest::newRow("fixed") << QDate(2026, 12, 28) << false << 0;
        QTest::newRow("week 53 is odd") << QDate(2026, 12, 28) << true << 1;
        QTest::newRow("week 0 is even") << QDate(2027, 1, 1) << true << 2;
        QTest::newRow("week 1 is odd") << QDate(2027, 1, 4) << true << 1;
        QTest::newRow("week 52 is even") << QDate(2027, 12, 31) << true << 2;
    }
    void scheduleOrder()
    {
        QFETCH(QDate, day);
        QFETCH(bool, rotating);
        QTEST(ReportCalendar::RotationOrder(rotating, day), "order");
    }

    void weekNumbersMatchTheServer()
    {
        Db db;
        QString error;
        QVERIFY2(testing::createDatabase(db, QStringLiteral("t_report_rules"), &error),
                 qPrintable(error));
        testing::FatalRecorder fatal;
        const QDate first(1999, 1, 1);
        const QDate last(2041, 12, 31);
        // One row per day from the server's sequence table, seq_0_to_15705 = every day.
        QCOMPARE(first.daysTo(last), qint64(15705));
        QSqlQuery q = db.query(QStringLiteral("SELECT seq,week(? + INTERVAL seq DAY,1) "
                                              "FROM seq_0_to_15705 ORDER BY seq"),
                               {first});
        int days = 0;
        while (q.next()) {
            const QDate day = first.addDays(q.value(0).toInt());
            const int server = q.value(1).toInt();
            if (ReportCalendar::WeekNumber(day) != server)
                QFAIL(qPrintable(QStringLiteral("%1: week %2, the server says %3")
                                     .arg(day.toString(Qt::ISODate))
                                     .arg(ReportCalendar::WeekNumber(day))
                                     .arg(server)));
            ++days;
        }
        QCOMPARE(fatal.failures, QStringList());
        QCOMPARE(days, 15706);
    }

    void sundayIsSlotSeven()
    {
        QCOMPARE(ReportCalendar::ScheduleSlot(QDate(2026, 11, 1)), 7); // a Sunday
        QCOMPARE(ReportCalendar::ScheduleSlot(QDate(2026, 11, 2)), 1); // a Monday
    }
};

QTEST_GUILESS_MAIN(TestReportRules)
#include "tst_report_rules.moc"
