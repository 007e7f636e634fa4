// From the console to the terminal without restarting either: a schedule defined and assigned
// on the console's screens is what the running terminal applies at the next punch, and so are
// a change of its times, a weekly rotation and its deletion.

#include "ConsoleTesting.h"
#include "FrmASig.h"
#include "FrmHor.h"
#include "TerminalFixture.h"
#include "ui_FrmASig.h"
#include "ui_FrmClock.h"
#include "ui_FrmHor.h"

#include <QCheckBox>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_schedule_punch");
// A Monday in week 50 of week(date,1), and the Monday after it.
const QDate kEvenMonday(2026, 12, 7);
const QDate kOddMonday(2026, 12, 14);
const QString kNoSchedule = QStringLiteral("El Usuario No tiene Asignado Horario para este día!!!");

QDateTime at(const QDate& day, const QString& time)
{
    return QDateTime(day, QTime::fromString(time, "HH:mm:ss"));
}

} // namespace

class TestSchedulePunch : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{kDatabase};
    std::unique_ptr<ConsoleContext> console;
    // What the day panel showed at the last punch, before the screen reset.
    QString shownSchedule;
    QString shownEntrada;

    // Registers "name" on the schedules screen: Monday only, meal break optional.
    void defineMonday(const QString& name, const QString& entrada, const QString& salida)
    {
        FrmHor hor(*console);
        hor.ui()->CmbHor->setEditText(name);
        hor.Chkdia(1)->setChecked(true);
        hor.TxtEntrada(1)->setText(entrada);
        hor.TxtSalida(1)->setText(salida);
        hor.ui()->BtnReg->click();
    }
    void assign(int user, const QStringList& names)
    {
        FrmASig asig(*console);
        asig.ui()->TbUsr->setText(QString::number(user));
        asig.FindUsr();
        for (const QString& name : names) {
            asig.ui()->CmbHor->setCurrentIndex(asig.ui()->CmbHor->findText(name));
            asig.ui()->BtnAdd->click();
        }
        QVERIFY(asig.close());
    }
    // Types the user and the password at `moment`; returns the message line.
    QString punch(int user, const QDateTime& moment)
    {
        fixture.setTime(moment);
        fixture.typeUser(QString::number(user));
        if (fixture.form()->ui()->TxtClave->isVisible())
            fixture.typePassword("CLAVE");
        const QString text = fixture.message();
        shownSchedule = fixture.form()->ui()->LblHorario->text();
        shownEntrada = fixture.form()->ui()->LblEntrada->text();
        fixture.resetScreen();
        return text;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(fixture.ready(), qPrintable(fixture.error()));
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init()
    {
        fixture.clear();
        fixture.addUser(1, "ADMINISTRADOR");
        fixture.addUser(20, "ANA LOPEZ", "CLAVE");
        fixture.addUser(21, "BRUNO PEÑA", "CLAVE", false, true);
        fixture.boxes.boxes.clear();
        console = std::make_unique<ConsoleContext>();
        console->db.open(connectionString(kDatabase));
        QVERIFY(fixture.start());
    }
    void cleanup() { console.reset(); }

    void definedAssignedChangedAndDeleted()
    {
        QCOMPARE(punch(20, at(kEvenMonday, "08:50:00")), kNoSchedule);

        defineMonday("TURNO MAÑANA", "09:00:00", "18:00:00");
        assign(20, {"TURNO MAÑANA"});
        const int horario = fixture.db().scalar("select max(Horario) from KxHorario").toInt();
        QCOMPARE(punch(20, at(kEvenMonday, "08:55:00")),
                 QStringLiteral("Entrada Registrada Correctamente!!"));
        QCOMPARE(shownSchedule, QStringLiteral("TURNO MAÑANA"));
        QCOMPARE(fixture.db().scalar("select horario from KxEvento where usuario=20").toInt(),
                 horario);
        // 18:00 less 15 minutes: too early to leave at 16:50.
        QCOMPARE(punch(20, at(kEvenMonday, "16:50:00")),
                 QStringLiteral("Atención, solo puede checar:15 Minutos Antes de su salida"));

        // The exit moved to 17:00 on the console: the same punch is now an exit.
        {
            FrmHor hor(*console);
            QComboBox* list = hor.ui()->CmbHor;
            list->setCurrentIndex(list->findText("TURNO MAÑANA"));
            emit list->activated(list->currentIndex());
            QCOMPARE(hor.ui()->BtnReg->text(), QStringLiteral("&Modificar"));
            hor.TxtSalida(1)->setText("17:00:00");
            hor.ui()->BtnReg->click();
        }
        QCOMPARE(punch(20, at(kEvenMonday, "16:50:00")),
                 QStringLiteral("Salida Registrada Correctamente!!"));
        QCOMPARE(fixture.eventCount(20), 1);

        // Deleted on the console: the user is left without schedule at the terminal.
        {
            FrmHor hor(*console);
            QComboBox* list = hor.ui()->CmbHor;
            list->setCurrentIndex(list->findText("TURNO MAÑANA"));
            emit list->activated(list->currentIndex());
            fixture.boxes.answers << true;
            hor.ui()->BtnDel->click();
        }
        QCOMPARE(punch(20, at(kOddMonday, "08:55:00")), kNoSchedule);
        QCOMPARE(fixture.eventCount(20), 1);
    }

    void rotationFollowsTheWeek()
    {
        QCOMPARE(fixture.db().scalar("select week(?,1)", {kEvenMonday}).toInt() % 2, 0);
        QCOMPARE(fixture.db().scalar("select week(?,1)", {kOddMonday}).toInt() % 2, 1);
        defineMonday("SEMANA IMPAR", "07:00:00", "15:00:00");
        defineMonday("SEMANA PAR", "10:00:00", "19:00:00");
        assign(21, {"SEMANA IMPAR", "SEMANA PAR"});
        QCOMPARE(punch(21, at(kEvenMonday, "09:55:00")),
                 QStringLiteral("Entrada Registrada Correctamente!!"));
        QCOMPARE(shownSchedule, QStringLiteral("SEMANA PAR"));
        QCOMPARE(shownEntrada, QStringLiteral("Programada: 10:00:00"));
        QCOMPARE(punch(21, at(kOddMonday, "06:55:00")),
                 QStringLiteral("Entrada Registrada Correctamente!!"));
        QCOMPARE(shownSchedule, QStringLiteral("SEMANA IMPAR"));
        QCOMPARE(shownEntrada, QStringLiteral("Programada: 07:00:00"));
    }
};

QTEST_MAIN(TestSchedulePunch)
#include "tst_schedule_punch.moc"
