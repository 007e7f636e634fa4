// A permission entered in the console's permissions screen is honoured by the terminal at the
// employee's next punch: the day panel names it and a permission to leave early lets the exit
// through hours before the schedule's end.

#include "AbsencesTesting.h"
#include "FrmClock.h"
#include "FrmPermisos.h"
#include "FrmPermisos_creacion.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"
#include "ui_FrmPermisos.h"
#include "ui_FrmPermisos_creacion.h"

#include <QtTest>

using namespace testing;

namespace {

const QDate kMonday(2026, 12, 7);
const int kUser = 20;

// The office schedule without a meal break, every day.
const ScheduleTimes kNoBreak{"09:00:00", "18:00:00", "", "", 10, 15};

} // namespace

class TestPermissionAtTerminal : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_permission_at_terminal")};

    // Enters the permission through the console's screens, as an administrator does.
    void enterPermission(const QDate& day, int tipo)
    {
        ConsoleContext console;
        QVERIFY(console.db.open(connectionString(QStringLiteral("t_permission_at_terminal"))));
        console.AdminUser = 1;
        console.clock.setLocalSource([] { return QDateTime(kMonday, QTime(8, 0)); });
        FrmPermisos list(console);
        list.show();
        const int row = rowOf(list.ui()->iGrid1, QStringLiteral("ANA LOPEZ"));
        QVERIFY(row >= 0);
        list.iGrid1_DblClick(row);
        list.ui()->BtnNuevo->click();
        QPointer<FrmPermisos_creacion> editor = list.editor();
        QVERIFY(editor);
        pickPeriod(editor->ui()->Mes, day, day);
        typeText(editor->ui()->TxtMotivo, "trámite");
        typeText(editor->ui()->TxtAutoriza, "gerencia");
        const QList<QRadioButton*> kinds{editor->ui()->OpcTarde, editor->ui()->OpcTemprano};
        kinds[tipo - 1]->setChecked(true);
        editor->ui()->CmdGuardar->click();
        QTRY_VERIFY(editor.isNull());
    }

    QString punch(const QString& time)
    {
        fixture.setTime(QDateTime(kMonday, QTime::fromString(time, "HH:mm:ss")));
        fixture.typeUser(QString::number(kUser));
        fixture.typePassword(QStringLiteral("CLAVE20"));
        const QString text = fixture.message();
        fixture.resetScreen();
        return text;
    }

private slots:
    void initTestCase() { QVERIFY2(fixture.ready(), qPrintable(fixture.error())); }

    void init()
    {
        fixture.clear();
        fixture.addSchedule(4, "OFICINA", kNoBreak);
        fixture.addUser(kUser, "ANA LOPEZ", "CLAVE20");
        fixture.db().exec("update KxUsuario set activo=0 where Usuario=?", {kUser});
        fixture.assign(kUser, 4);
    }

    void honouredAtTheNextPunch_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("daysFromToday");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("noonPunch");
        const QString refused = "Atención, solo puede checar:15 Minutos Antes de su salida";
        QTest::newRow("leave early today") << 2 << 0 << "*Con Permiso para Salir Temprano*"
                                           << "Salida Registrada Correctamente!!";
        QTest::newRow("arrive late today")
            << 1 << 0 << "*Con Permiso para Llegar Tarde*" << refused;
        QTest::newRow("leave early tomorrow") << 2 << 1 << "" << refused;
    }
    void honouredAtTheNextPunch()
    {
        QFETCH(int, tipo);
        QFETCH(int, daysFromToday);
        QFETCH(QString, note);
        QFETCH(QString, noonPunch);
        enterPermission(kMonday.addDays(daysFromToday), tipo);
        QCOMPARE(
            fixture.db().scalar("select count(*) from permisos where usuario=?", {kUser}).toInt(),
            1);

        QVERIFY(fixture.start());
        QCOMPARE(punch("09:20:00"), QStringLiteral("Entrada Registrada Correctamente!!"));
        fixture.setTime(QDateTime(kMonday, QTime(12, 0)));
        fixture.typeUser(QString::number(kUser));
        QCOMPARE(fixture.form()->ui()->LblPermisos->text(), note);
        fixture.typePassword(QStringLiteral("CLAVE20"));
        QCOMPARE(fixture.message(), noonPunch);
    }
};

QTEST_MAIN(TestPermissionAtTerminal)
#include "tst_permission_at_terminal.moc"
