// The attendance rules as tables: weekday slots, rotation order, minute differences, what a
// standard or multiple-check punch means, and the day panel's icons and permission notes.

#include "CheckEngine.h"
#include "DayPanelRules.h"
#include "MessageLine.h"
#include "UserNumber.h"

#include <QtTest>

using namespace CheckEngine;
using DayPanelRules::Lateness;
using DayPanelRules::PunchIcon;

Q_DECLARE_METATYPE(CheckEngine::Punch)
Q_DECLARE_METATYPE(DayPanelRules::PunchIcon)
Q_DECLARE_METATYPE(DayPanelRules::Lateness)

namespace {

OptionalTime at(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    return QTime::fromString(text, text.size() == 5 ? "HH:mm" : "HH:mm:ss");
}

// "entrada salida sbreak rbreak" with "-" for NULL, e.g. "09:00 18:00 14:00 15:00".
ScheduleDay slot(const QString& times, int checaAntes)
{
    const QStringList parts = times.split(' ');
    const auto part = [&](int i) { return parts[i] == "-" ? OptionalTime() : at(parts[i]); };
    ScheduleDay day;
    day.entrada = part(0);
    day.salida = part(1);
    day.salidaBreak = part(2);
    day.regresoBreak = part(3);
    day.checaAntes = checaAntes;
    day.horario = 4;
    return day;
}

} // namespace

class TestCheckEngine : public QObject
{
    Q_OBJECT

private slots:
    void scheduleSlot_data()
    {
        QTest::addColumn<int>("dayOfWeek");
        QTest::addColumn<int>("slot");
        QTest::newRow("Sunday") << 1 << 7;
        QTest::newRow("Monday") << 2 << 1;
        QTest::newRow("Wednesday") << 4 << 3;
        QTest::newRow("Saturday") << 7 << 6;
    }
    void scheduleSlot()
    {
        QFETCH(int, dayOfWeek);
        QFETCH(int, slot);
        QCOMPARE(ScheduleSlot(dayOfWeek), slot);
    }

    void rotationOrder_data()
    {
        QTest::addColumn<bool>("rotating");
        QTest::addColumn<int>("week");
        QTest::addColumn<int>("order");
        QTest::newRow("fixed, odd week") << false << 5 << 0;
        QTest::newRow("fixed, even week") << false << 6 << 0;
        QTest::newRow("week 0 is even") << true << 0 << 2;
        QTest::newRow("week 1") << true << 1 << 1;
        QTest::newRow("week 2") << true << 2 << 2;
        QTest::newRow("week 53") << true << 53 << 1;
    }
    void rotationOrder()
    {
        QFETCH(bool, rotating);
        QFETCH(int, week);
        QFETCH(int, order);
        QCOMPARE(RotationOrder(rotating, week), order);
    }

    void minutes_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("minutes");
        QTest::newRow("seconds ignored, 15") << "17:45:59"
                                             << "18:00:00" << 15;
        QTest::newRow("seconds ignored, 14") << "17:46:00"
                                             << "18:00:00" << 14;
        QTest::newRow("one second apart, next minute") << "09:00:59"
                                                       << "09:01:00" << 1;
        QTest::newRow("same minute") << "09:00:00"
                                     << "09:00:59" << 0;
        QTest::newRow("negative") << "15:00:00"
                                  << "14:00:00" << -60;
        QTest::newRow("never across midnight") << "23:59:00"
                                               << "00:01:00" << -1438;
    }
    void minutes()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, minutes);
        QCOMPARE(Minutes(*at(a), *at(b)), minutes);
    }

    void registerCheck_data()
    {
        QTest::addColumn<QString>("schedule"); // empty: no assignment
        QTest::addColumn<int>("checaAntes");
        QTest::addColumn<bool>("permEarlyLeave");
        QTest::addColumn<int>("tipo");         // -1: no event row today
        QTest::addColumn<QString>("breakOut"); // the row's SALIDA_BREAK, empty = NULL
        QTest::addColumn<QString>("breakBack");
        QTest::addColumn<QString>("now");
        QTest::addColumn<Punch>("punch");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("eventType");

        const QString day = "09:00 18:00 14:00 15:00";
        const QString noBreak = "09:00 18:00 - -";
        const QString outOfRange = "Atención su Chequeo está Fuera de Rango!!!";
        const QString only15 = "Atención, solo puede checar:15 Minutos Antes de su salida";
        const QString only999 = "Atención, solo puede checar:999 Minutos Antes de su salida";

        QTest::newRow("no assignment")
            << "" << 15 << false << -1 << ""
            << ""
            << "09:00:00" << Punch::Refused
            << "El Usuario No tiene Asignado Horario para este día!!!" << 0;
        QTest::newRow("late entry at 11:00 is still the entry, with break")
            << day << 15 << false << -1 << ""
            << ""
            << "11:00:00" << Punch::Entry << "Entrada Registrada Correctamente!!" << 1;
        QTest::newRow("entry without break")
            << noBreak << 15 << false << -1 << ""
            << ""
            << "08:40:00" << Punch::Entry << "Entrada Registrada Correctamente!!" << 0;
        QTest::newRow("exit 17:45:59 is 15 minutes early")
            << noBreak << 15 << false << 0 << ""
            << ""
            << "17:45:59" << Punch::Refused << only15 << 0;
        QTest::newRow("exit 17:46:00 is 14 minutes early")
            << noBreak << 15 << false << 0 << ""
            << ""
            << "17:46:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("exit after the scheduled time")
            << noBreak << 15 << false << 0 << ""
            << ""
            << "19:30:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("break out 13:46")
            << day << 15 << false << 1 << ""
            << ""
            << "13:46:00" << Punch::BreakOut << "Salida a Comer Registrada Correctamente!!" << 0;
        QTest::newRow("break out 13:45 is too early")
            << day << 15 << false << 1 << ""
            << ""
            << "13:45:00" << Punch::Refused << outOfRange << 0;
        QTest::newRow("break out 14:59 is still in the window")
            << day << 15 << false << 1 << ""
            << ""
            << "14:59:59" << Punch::BreakOut << "Salida a Comer Registrada Correctamente!!" << 0;
        QTest::newRow("15:00 without break out falls to the exit rule")
            << day << 15 << false << 1 << ""
            << ""
            << "15:00:00" << Punch::Refused << outOfRange << 0;
        QTest::newRow("17:50 without break out is the exit")
            << day << 15 << false << 1 << ""
            << ""
            << "17:50:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("12:00 is refused") << day << 15 << false << 1 << ""
                                          << ""
                                          << "12:00:00" << Punch::Refused << outOfRange << 0;
        QTest::newRow("return after 4 minutes") << day << 15 << false << 1 << "14:00:30"
                                                << ""
                                                << "14:04:59" << Punch::Refused << outOfRange << 0;
        QTest::newRow("return after 5 minutes")
            << day << 15 << false << 1 << "14:00:30"
            << ""
            << "14:05:00" << Punch::BreakReturn << "Regreso de Comida Registrado Correctamente!!"
            << 0;
        QTest::newRow("after the break, 17:45:59") << day << 15 << false << 1 << "14:00"
                                                   << "15:00"
                                                   << "17:45:59" << Punch::Refused << only15 << 0;
        QTest::newRow("after the break, 17:46:00")
            << day << 15 << false << 1 << "14:00"
            << "15:00"
            << "17:46:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("early leave: 12:00 is the break out")
            << day << 15 << true << 1 << ""
            << ""
            << "12:00:00" << Punch::BreakOut << "Salida a Comer Registrada Correctamente!!" << 0;
        QTest::newRow("early leave: 15:00 without break out is the exit")
            << day << 15 << true << 1 << ""
            << ""
            << "15:00:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("early leave: exit at 10:00 after the break")
            << day << 15 << true << 1 << "09:30"
            << "09:40"
            << "10:00:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("early leave: 999 minutes before 18:00 is refused")
            << "00:00 23:59 - -" << 15 << true << 0 << ""
            << ""
            << "07:20:00" << Punch::Refused << only999 << 0;
        QTest::newRow("an unknown tipo is judged like a day without break")
            << day << 15 << false << 2 << ""
            << ""
            << "17:46:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("manual row with break on a day without break: exit")
            << noBreak << 15 << false << 1 << ""
            << ""
            << "17:46:00" << Punch::Exit << "Salida Registrada Correctamente!!" << 0;
        QTest::newRow("manual row with break on a day without break: too early")
            << noBreak << 15 << false << 1 << ""
            << ""
            << "12:00:00" << Punch::Refused << only15 << 0;
        QTest::newRow("slot without exit time") << "09:00 - - -" << 15 << false << 0 << ""
                                                << ""
                                                << "18:00:00" << Punch::Refused << outOfRange << 0;
        QTest::newRow("break start without break end")
            << "09:00 18:00 14:00 -" << 15 << false << 1 << ""
            << ""
            << "14:00:00" << Punch::Refused << outOfRange << 0;
    }
    void registerCheck()
    {
        QFETCH(QString, schedule);
        QFETCH(int, checaAntes);
        QFETCH(bool, permEarlyLeave);
        QFETCH(int, tipo);
        QFETCH(QString, breakOut);
        QFETCH(QString, breakBack);
        QFETCH(QString, now);
        QFETCH(Punch, punch);
        QFETCH(QString, text);
        QFETCH(int, eventType);

        std::optional<ScheduleDay> today;
        if (!schedule.isEmpty())
            today = slot(schedule, checaAntes);
        std::optional<DayEvent> event;
        if (tipo >= 0) {
            event = DayEvent{77, tipo, at("08:58:00"), at(breakOut), at(breakBack), {}};
        }
        const Decision decision = DecideCheck(today, event, permEarlyLeave, *at(now));
        QCOMPARE(decision.punch, punch);
        QCOMPARE(decision.text, text);
        if (punch == Punch::Entry)
            QCOMPARE(decision.eventType, eventType);
        else if (punch != Punch::Refused)
            QCOMPARE(decision.evento, 77);
    }

    void registerMultipleCheck_data()
    {
        QTest::addColumn<bool>("hasSchedule");
        QTest::addColumn<bool>("hasRow");
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("salida");
        QTest::addColumn<QString>("now");
        QTest::addColumn<Punch>("punch");
        QTest::addColumn<QString>("text");
        QTest::newRow("no assignment") << false << false << ""
                                       << ""
                                       << "09:00:00" << Punch::Refused
                                       << "El Usuario No tiene Asignado Horario para este día!!!";
        QTest::newRow("first pair")
            << true << false << ""
            << ""
            << "09:00:00" << Punch::Entry << "Evento Entrada Registrado Correctamente!!";
        QTest::newRow("after a closed pair")
            << true << true << "09:00:00"
            << "12:00:00"
            << "13:00:00" << Punch::Entry << "Evento Entrada Registrado Correctamente!!";
        QTest::newRow("same minute as the entry")
            << true << true << "09:00:10"
            << ""
            << "09:00:59" << Punch::Refused << "Atención ya existe una entrada Previa!!";
        QTest::newRow("next minute closes the pair")
            << true << true << "09:00:59"
            << ""
            << "09:01:00" << Punch::Exit << "Evento de Salida Registrado Correctamente!!";
        QTest::newRow("open row without entry time")
            << true << true << ""
            << ""
            << "10:00:00" << Punch::Refused << "Atención su Chequeo está Fuera de Rango!!!";
    }
    void registerMultipleCheck()
    {
        QFETCH(bool, hasSchedule);
        QFETCH(bool, hasRow);
        QFETCH(QString, entrada);
        QFETCH(QString, salida);
        QFETCH(QString, now);
        QFETCH(Punch, punch);
        QFETCH(QString, text);
        std::optional<DayEvent> newest;
        if (hasRow)
            newest = DayEvent{12, 2, at(entrada), {}, {}, at(salida)};
        const Decision decision = DecideMultipleCheck(hasSchedule, newest, *at(now));
        QCOMPARE(decision.punch, punch);
        QCOMPARE(decision.text, text);
        if (punch == Punch::Entry)
            QCOMPARE(decision.eventType, 2);
        if (punch == Punch::Exit)
            QCOMPARE(decision.evento, 12);
    }

    void punchIcon_data()
    {
        QTest::addColumn<QString>("scheduled");
        QTest::addColumn<QString>("registered");
        QTest::addColumn<Lateness>("lateness");
        QTest::addColumn<bool>("justified");
        QTest::addColumn<PunchIcon>("icon");
        QTest::newRow("entry 09:10, tolerance 10")
            << "09:00:00"
            << "09:10:59" << Lateness::After << false << PunchIcon::OnTime;
        QTest::newRow("entry 09:11")
            << "09:00:00"
            << "09:11:00" << Lateness::After << false << PunchIcon::OutOfTolerance;
        QTest::newRow("entry 09:11 with late-arrival permission")
            << "09:00:00"
            << "09:11:00" << Lateness::After << true << PunchIcon::Justified;
        QTest::newRow("early entry") << "09:00:00"
                                     << "08:30:00" << Lateness::After << false << PunchIcon::OnTime;
        QTest::newRow("exit 17:49 is 11 minutes early")
            << "18:00:00"
            << "17:49:00" << Lateness::Before << false << PunchIcon::OutOfTolerance;
        QTest::newRow("exit 17:50") << "18:00:00"
                                    << "17:50:00" << Lateness::Before << false << PunchIcon::OnTime;
        QTest::newRow("nothing registered") << "18:00:00"
                                            << "" << Lateness::Before << true << PunchIcon::None;
        QTest::newRow("no scheduled time")
            << ""
            << "14:00:00" << Lateness::Before << false << PunchIcon::None;
    }
    void punchIcon()
    {
        QFETCH(QString, scheduled);
        QFETCH(QString, registered);
        QFETCH(Lateness, lateness);
        QFETCH(bool, justified);
        QFETCH(PunchIcon, icon);
        QCOMPARE(DayPanelRules::punchIcon(at(scheduled), at(registered), lateness, 10, justified),
                 icon);
    }

    void permissionNote_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("note");
        QTest::newRow("1") << 1 << "*Con Permiso para Llegar Tarde*";
        QTest::newRow("2") << 2 << "*Con Permiso para Salir Temprano*";
        QTest::newRow("3") << 3 << "*Con Permiso para No Asistir*";
        QTest::newRow("4") << 4 << "*Con Permiso para No Asistir*";
        QTest::newRow("5") << 5 << "*En Periodo Vacacional Vigente*";
        QTest::newRow("6") << 6 << "*Con Sanción Administrativa*";
        QTest::newRow("7") << 7 << "*Con Incapacidad Vigente*";
        QTest::newRow("0") << 0 << "";
        QTest::newRow("8") << 8 << "";
    }
    void permissionNote()
    {
        QFETCH(int, tipo);
        QFETCH(QString, note);
        QCOMPARE(DayPanelRules::permissionNote(tipo), note);
    }

    void userNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("number"); // -1: not a user number
        QTest::newRow("12") << "12" << 12;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("one above") << "32768" << -1;
        QTest::newRow("five digits") << "99999" << -1;
        QTest::newRow("leading zeros") << "0000000012" << 12;
        QTest::newRow("blanks around a paste") << " 12 " << 12;
        QTest::newRow("letters pasted") << "12a" << -1;
        QTest::newRow("sign") << "-5" << -1;
        QTest::newRow("quote") << "1' OR '1'='1" << -1;
        QTest::newRow("full-width digits") << QString::fromUtf8("１２") << -1;
        QTest::newRow("blank") << " " << -1;
    }
    void userNumber()
    {
        QFETCH(QString, typed);
        QFETCH(int, number);
        const std::optional<qint16> parsed = parseUserNumber(typed);
        QCOMPARE(parsed.has_value(), number >= 0);
        if (parsed)
            QCOMPARE(int(*parsed), number);
    }

    void messageColours_data()
    {
        QTest::addColumn<unsigned>("value");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("success") << MessageLine::kSuccessValue << QColor(0x80, 0xFF, 0x80);
        QTest::newRow("refusal") << MessageLine::kRefusalValue << QColor(0xFF, 0x80, 0x80);
    }
    void messageColours()
    {
        QFETCH(unsigned, value);
        QFETCH(QColor, colour);
        QCOMPARE(MessageLine::fromColourValue(value), colour);
    }
};

QTEST_APPLESS_MAIN(TestCheckEngine)
#include "tst_check_engine.moc"
