// The checks of a schedule before it is saved: valid times of day, the order of the checks, the
// first problem only, and the name as it is saved.

#include "ScheduleValidation.h"

#include <QtTest>

using namespace ScheduleValidation;

Q_DECLARE_METATYPE(ScheduleValidation::Control)

namespace {

const QString kInvalid = QStringLiteral("La hora proporcionada no es válida.");
const QString kOrder =
    QStringLiteral("No es posible registrar una hora final anterior a la de inicio.");

// "day:works-start-end" or "day:meal-start-end" entries separated by blanks, e.g.
// "1:w-08:00:00-17:00:00 3:m-14:00:00-15:00:00".
ScheduleValues editor(const QString& days, bool registering = true,
                      const QString& name = QStringLiteral("OFICINA"))
{
    ScheduleValues values;
    values.registering = registering;
    values.name = name;
    values.retardo = QStringLiteral("15");
    values.checa = QStringLiteral("15");
    for (DayValues& day : values.days)
        day = DayValues{false, "__:__:__", "__:__:__", false, "__:__:__", "__:__:__"};
    for (const QString& entry : days.split(' ', Qt::SkipEmptyParts)) {
        const int n = entry.section(':', 0, 0).toInt();
        const QStringList parts = entry.section(':', 1).split('-');
        DayValues& day = values.days[n - 1];
        if (parts[0] == "w") {
            day.works = true;
            day.entrada = parts[1];
            day.salida = parts[2];
        } else {
            day.meal = true;
            day.comidaSalida = parts[1];
            day.comidaRegreso = parts[2];
        }
    }
    return values;
}

} // namespace

class TestScheduleValidation : public QObject
{
    Q_OBJECT

private slots:
    void validTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("midnight") << "00:00:00" << true;
        QTest::newRow("last second of the day") << "23:59:59" << true;
        QTest::newRow("hour 24") << "24:00:00" << false;
        QTest::newRow("minute 60") << "12:60:00" << false;
        QTest::newRow("second 60") << "12:00:60" << false;
        QTest::newRow("partly typed") << "08:3_:__" << false;
        QTest::newRow("empty field") << "__:__:__" << false;
        QTest::newRow("without seconds") << "08:30" << false;
        QTest::newRow("letters") << "0a:30:00" << false;
    }
    void validTime()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(isValidTime(text), valid);
    }

    void firstProblem_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<bool>("registering");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("retardo");
        QTest::addColumn<QString>("checa");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<Control>("control");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");

        const QString ok = "15";
        QTest::newRow("no day ticked")
            << "" << true << "OFICINA" << ok << ok << true << Control::Name << 0 << ""
            << "";
        QTest::newRow("whole day 00:00:00 to 23:59:59")
            << "7:w-00:00:00-23:59:59" << true << "X" << ok << ok << true << Control::Name << 0
            << ""
            << "";
        QTest::newRow("registering without name")
            << "1:w-24:00:00-17:00:00" << true << "" << ok << ok << false << Control::Name << 0
            << "No es posible registrar un horario sin Nombre"
            << "Horario sin Nombre";
        QTest::newRow("modifying keeps an empty name")
            << "" << false << "" << ok << ok << true << Control::Name << 0 << ""
            << "";
        QTest::newRow("start 24:00:00")
            << "2:w-24:00:00-17:00:00" << true << "X" << ok << ok << false << Control::Entrada << 2
            << kInvalid << "Hora de Inicio!";
        QTest::newRow("end 12:60:00") << "2:w-08:00:00-12:60:00" << true << "X" << ok << ok << false
                                      << Control::Salida << 2 << kInvalid << "Hora de Inicio!";
        QTest::newRow("end partly typed")
            << "2:w-08:00:00-17:3_:__" << true << "X" << ok << ok << false << Control::Salida << 2
            << kInvalid << "Hora de Inicio!";
        QTest::newRow("equal start and end")
            << "4:w-08:00:00-08:00:00" << true << "X" << ok << ok << false << Control::Entrada << 4
            << kOrder << "Error en horario";
        QTest::newRow("night shift") << "4:w-22:00:00-06:00:00" << true << "X" << ok << ok << false
                                     << Control::Entrada << 4 << kOrder << "Error en horario";
        QTest::newRow("days 1 and 3 wrong: day 1 only")
            << "3:w-25:00:00-17:00:00 1:w-09:00:00-08:00:00" << true << "X" << ok << ok << false
            << Control::Entrada << 1 << kOrder << "Error en horario";
        QTest::newRow("working hours before any meal")
            << "1:m-15:00:00-14:00:00 6:w-09:00:00-__:__:__" << true << "X" << ok << ok << false
            << Control::Salida << 6 << kInvalid << "Hora de Inicio!";
        QTest::newRow("meal start invalid")
            << "1:w-09:00:00-18:00:00 1:m-1_:__:__-15:00:00" << true << "X" << ok << ok << false
            << Control::ComidaSalida << 1 << kInvalid << "Hora de Inicio!";
        QTest::newRow("meal return invalid")
            << "5:m-14:00:00-15:61:00" << true << "X" << ok << ok << false << Control::ComidaRegreso
            << 5 << kInvalid << "Hora de Inicio!";
        QTest::newRow("meal return before leaving")
            << "5:m-14:00:00-13:59:59" << true << "X" << ok << ok << false << Control::ComidaRegreso
            << 5 << kOrder << "Error en horario";
        QTest::newRow("meal on a day off is checked and passes")
            << "6:m-14:00:00-15:00:00" << true << "X" << ok << ok << true << Control::Name << 0
            << ""
            << "";
        QTest::newRow("meal outside working hours is not checked")
            << "1:w-09:00:00-13:00:00 1:m-14:00:00-15:00:00" << true << "X" << ok << ok << true
            << Control::Name << 0 << ""
            << "";
        QTest::newRow("no lateness minutes")
            << "1:w-09:00:00-18:00:00" << true << "X"
            << ""
            << "" << false << Control::Retardo << 0 << "Proporcione los minutos para retardos."
            << "Retardos!";
        QTest::newRow("no early-exit minutes") << "" << true << "X"
                                               << "0"
                                               << "" << false << Control::Checa << 0
                                               << "Proporcione los minutos para salidas tempranas."
                                               << "Salidas Antes!";
    }
    void firstProblem()
    {
        QFETCH(QString, days);
        QFETCH(bool, registering);
        QFETCH(QString, name);
        QFETCH(QString, retardo);
        QFETCH(QString, checa);
        QFETCH(bool, passes);
        ScheduleValues values = editor(days, registering, name);
        values.retardo = retardo;
        values.checa = checa;
        const std::optional<Problem> problem = ScheduleValidation::firstProblem(values);
        QCOMPARE(!problem.has_value(), passes);
        if (passes)
            return;
        QFETCH(Control, control);
        QFETCH(int, day);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QCOMPARE(problem->control, control);
        QCOMPARE(problem->day, day);
        QCOMPARE(problem->text, text);
        QCOMPARE(problem->title, title);
    }

    void normalizedName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("blanks around") << "  TURNO AÑO NUEVO  "
                                       << "TURNO AÑO NUEVO";
        QTest::newRow("85 characters") << QString(85, 'A') << QString(80, 'A');
        QTest::newRow("long with blanks before")
            << "   " + QString(79, 'B') + "CDEFG" << QString(79, 'B') + "C";
        QTest::newRow("blank at the cut") << QString(79, 'D') + "  XYZ" << QString(79, 'D');
        QTest::newRow("only blanks") << "    "
                                     << "";
    }
    void normalizedName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(ScheduleValidation::normalizedName(typed), saved);
    }
};

QTEST_APPLESS_MAIN(TestScheduleValidation)
#include "tst_schedule_validation.moc"
