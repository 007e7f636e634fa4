// The selected user's day on the real screen and database: scheduled and registered times,
// the status icons and their tolerance, permissions, days without break, the recent punches,
// and the name search window.

#include "FrmUsuarios.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"
#include "ui_FrmUsuarios.h"

#include <QPointer>
#include <QtTest>

using namespace testing;

namespace {

const QDate kMonday(2026, 12, 7);

QDateTime monday(const QString& time)
{
    return QDateTime(kMonday, QTime::fromString(time, "HH:mm:ss"));
}

// Which of a punch's three icons are shown: "plain", "R", "J" or "none".
QString iconOf(QLabel* plain, QLabel* late, QLabel* justified)
{
    QStringList on;
    if (shown(plain))
        on << "plain";
    if (shown(late))
        on << "R";
    if (shown(justified))
        on << "J";
    return on.isEmpty() ? QStringLiteral("none") : on.join('+');
}

} // namespace

class TestDayPanel : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_day_panel")};

    void punchAt(const QString& user, const QString& time)
    {
        fixture.setTime(monday(time));
        fixture.typeUser(user);
        fixture.typePassword("C");
    }

private slots:
    void initTestCase() { QVERIFY2(fixture.ready(), qPrintable(fixture.error())); }

    void init()
    {
        fixture.clear();
        fixture.addOfficeWorker("C");
    }

    void entryIcon_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("permission"); // permisos.tipo covering today, 0 = none
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("note");
        QTest::newRow("09:10 within tolerance") << "09:10:59" << 0 << "plain"
                                                << "";
        QTest::newRow("09:11 out of tolerance") << "09:11:00" << 0 << "R"
                                                << "";
        QTest::newRow("09:11 with late-arrival permission") << "09:11:00" << 1 << "J"
                                                            << "*Con Permiso para Llegar Tarde*";
        QTest::newRow("early leave does not justify lateness")
            << "09:11:00" << 2 << "R"
            << "*Con Permiso para Salir Temprano*";
        QTest::newRow("on time with late-arrival permission") << "08:50:00" << 1 << "J"
                                                              << "*Con Permiso para Llegar Tarde*";
    }
    void entryIcon()
    {
        QFETCH(QString, time);
        QFETCH(int, permission);
        QFETCH(QString, icon);
        QFETCH(QString, note);
        if (permission)
            fixture.addPermission(20, kMonday.addDays(-2), kMonday, permission);
        FrmClock* form = fixture.start();
        QVERIFY(form);
        Ui::FrmClock* ui = form->ui();
        punchAt("20", time);
        QCOMPARE(fixture.message(), QStringLiteral("Entrada Registrada Correctamente!!"));
        QCOMPARE(iconOf(ui->StE, ui->StER, ui->StEJ), icon);
        QCOMPARE(ui->LblPermisos->text(), note);
        QCOMPARE(ui->LblEntradaR->text(), "Real: " + time);
        // Nothing else is registered yet: no other icon.
        QCOMPARE(iconOf(ui->StS, ui->StSR, ui->StSJ), QStringLiteral("none"));
        QCOMPARE(iconOf(ui->StSc, ui->StScR, ui->StScJ), QStringLiteral("none"));
        QCOMPARE(iconOf(ui->StRc, ui->StRcR, ui->StRcJ), QStringLiteral("none"));
        QCOMPARE(ui->LblSalidaR->text(), QStringLiteral("Real: "));
    }

    void dayIconsFromTheEventRow_data()
    {
        QTest::addColumn<QString>("salidaBreak");
        QTest::addColumn<QString>("regresoBreak");
        QTest::addColumn<QString>("salida");
        QTest::addColumn<int>("permission");
        QTest::addColumn<QString>("icons"); // break out, break return, exit
        QTest::newRow("all within tolerance") << "13:55:00"
                                              << "15:10:00"
                                              << "17:50:00" << 0 << "plain plain plain";
        QTest::newRow("all out of tolerance") << "13:49:00"
                                              << "15:11:00"
                                              << "17:49:00" << 0 << "R R R";
        QTest::newRow("early leave justifies the early ones") << "13:49:00"
                                                              << "15:11:00"
                                                              << "17:49:00" << 2 << "J R J";
        QTest::newRow("late arrival justifies the late return") << "13:49:00"
                                                                << "15:11:00"
                                                                << "17:49:00" << 1 << "R J R";
    }
    void dayIconsFromTheEventRow()
    {
        QFETCH(QString, salidaBreak);
        QFETCH(QString, regresoBreak);
        QFETCH(QString, salida);
        QFETCH(int, permission);
        QFETCH(QString, icons);
        if (permission)
            fixture.addPermission(20, kMonday, kMonday.addDays(3), permission);
        fixture.db().insertRow("KxEvento", {{"usuario", 20},
                                            {"fecha", kMonday},
                                            {"entrada", monday("09:00:00")},
                                            {"salida_break", monday(salidaBreak)},
                                            {"regreso_break", monday(regresoBreak)},
                                            {"salida", monday(salida)},
                                            {"tipo", 1},
                                            {"cerrado", 0}});
        FrmClock* form = fixture.start();
        QVERIFY(form);
        fixture.setTime(monday("18:30:00"));
        fixture.typeUser("20");
        Ui::FrmClock* ui = form->ui();
        QCOMPARE(QStringList({iconOf(ui->StSc, ui->StScR, ui->StScJ),
                              iconOf(ui->StRc, ui->StRcR, ui->StRcJ),
                              iconOf(ui->StS, ui->StSR, ui->StSJ)})
                     .join(' '),
                 icons);
        QCOMPARE(ui->LblCSalidaR->text(), "Real: " + salidaBreak);
        QCOMPARE(ui->LblCRegresoR->text(), "Real: " + regresoBreak);
        QCOMPARE(ui->LblCSalida->text(), QStringLiteral("Programada: 14:00:00"));
        QCOMPARE(ui->LblCRegreso->text(), QStringLiteral("Programada: 15:00:00"));
        QCOMPARE(ui->LblSalida->text(), QStringLiteral("Programada: 18:00:00"));
    }

    void dayWithoutBreakHidesTheBreakColumns()
    {
        fixture.addSchedule(6, "ALMACEN", {"07:00:00", "15:00:00", "", "", 10, 15});
        fixture.addUser(21, "SIN COMIDA", "C");
        fixture.assign(21, 6);
        FrmClock* form = fixture.start();
        QVERIFY(form);
        Ui::FrmClock* ui = form->ui();
        fixture.setTime(monday("07:00:00"));
        fixture.typeUser("21");
        for (QLabel* label : {ui->LblCSalida, ui->LblCRegreso, ui->LblCSalidaR, ui->LblCRegresoR})
            QVERIFY2(!shown(label), qPrintable(label->objectName()));
        QCOMPARE(ui->LblEntrada->text(), QStringLiteral("Programada: 07:00:00"));
        // The next user with a break shows them again.
        fixture.typeUser("20");
        for (QLabel* label : {ui->LblCSalida, ui->LblCRegreso, ui->LblCSalidaR, ui->LblCRegresoR})
            QVERIFY2(shown(label), qPrintable(label->objectName()));
        QCOMPARE(ui->LblCSalida->text(), QStringLiteral("Programada: 14:00:00"));
    }

    // A slot that keeps a return time without a time to leave has no meal break: neither
    // column nor any break icon shows, even with a return registered.
    void returnTimeAloneIsNoBreak()
    {
        fixture.addSchedule(7, "SOLO REGRESO", {"07:00:00", "15:00:00", "", "12:00:00", 10, 15});
        fixture.addUser(22, "SIN SALIDA A COMER", "C");
        fixture.assign(22, 7);
        fixture.db().insertRow("KxEvento", {{"usuario", 22},
                                            {"fecha", kMonday},
                                            {"entrada", monday("07:00:00")},
                                            {"regreso_break", monday("12:30:00")},
                                            {"tipo", 1},
                                            {"cerrado", 0}});
        FrmClock* form = fixture.start();
        QVERIFY(form);
        Ui::FrmClock* ui = form->ui();
        fixture.setTime(monday("13:00:00"));
        fixture.typeUser("22");
        QCOMPARE(iconOf(ui->StE, ui->StER, ui->StEJ), QStringLiteral("plain"));
        QCOMPARE(iconOf(ui->StRc, ui->StRcR, ui->StRcJ), QStringLiteral("none"));
        QCOMPARE(iconOf(ui->StSc, ui->StScR, ui->StScJ), QStringLiteral("none"));
        for (QLabel* label : {ui->LblCSalida, ui->LblCRegreso, ui->LblCSalidaR, ui->LblCRegresoR,
                              ui->LblTitStSc, ui->LblTitStRc})
            QVERIFY2(!shown(label), qPrintable(label->objectName()));
    }

    void onlyTheFirstPermissionIsShown()
    {
        fixture.addPermission(20, kMonday.addDays(-10), kMonday.addDays(10), 5);
        fixture.addPermission(20, kMonday, kMonday, 2);
        fixture.addPermission(20, kMonday.addDays(1), kMonday.addDays(2), 7); // not today
        FrmClock* form = fixture.start();
        QVERIFY(form);
        fixture.setTime(monday("08:00:00"));
        fixture.typeUser("20");
        QCOMPARE(form->ui()->LblPermisos->text(),
                 QStringLiteral("*En Periodo Vacacional Vigente*"));
        QVERIFY(!form->selection().PermEarlyLeave);
        QVERIFY(!form->selection().PermLateArrival);
    }

    void recentPunchesStartOverOnTheFourth()
    {
        for (int user = 21; user <= 23; ++user) {
            fixture.addUser(user, "EMPLEADO " + QString::number(user), "C");
            fixture.assign(user, 4);
        }
        FrmClock* form = fixture.start();
        QVERIFY(form);
        QTableWidget* grid = form->ui()->iGrid2;
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Usuario"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Hora"));
        punchAt("20", "08:50:00");
        fixture.resetScreen();
        punchAt("21", "08:51:00");
        fixture.resetScreen();
        // A refused punch is not a recent punch.
        punchAt("20", "08:52:00");
        fixture.resetScreen();
        punchAt("22", "08:53:00");
        fixture.resetScreen();
        QCOMPARE(grid->rowCount(), 3);
        // Three whole rows on screen, each name on one line.
        QVERIFY(!grid->wordWrap());
        for (int row = 0; row < 3; ++row)
            QVERIFY2(grid->viewport()->rect().contains(grid->visualItemRect(grid->item(row, 0))),
                     qPrintable(QString::number(row)));
        QCOMPARE(grid->item(2, 0)->text(), QStringLiteral("EMPLEADO 22"));
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("08:53 AM"));
        punchAt("23", "08:54:00");
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("EMPLEADO 23"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("08:54 AM"));
    }

    void nameSearchLimit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("rows");
        QTest::newRow("5 letters: at most 12") << "garci" << 12;
        QTest::newRow("6 letters: every match") << "garcia" << 20;
        QTest::newRow("no match") << "zzz" << 0;
    }
    void nameSearchLimit()
    {
        QFETCH(QString, typed);
        QFETCH(int, rows);
        for (int i = 0; i < 20; ++i)
            fixture.addUser(100 + i, QStringLiteral("GARCIA %1").arg(i, 2, 10, QLatin1Char('0')));
        FrmClock* form = fixture.start();
        QVERIFY(form);
        QPointer<FrmUsuarios> search = form->OpenUserSearch();
        QCOMPARE(search->windowTitle(), QStringLiteral("Usuarios Registrados"));
        QCOMPARE(search->tmInicio().interval(), 1000);
        QVERIFY(search->tmInicio().isSingleShot());
        QTest::keyClicks(search->ui()->TxtNombre, typed);
        QCOMPARE(search->ui()->TxtNombre->text(), typed.toUpper());
        QCOMPARE(search->ui()->iGrid1->rowCount(), rows);
        search->close();
    }

    void choosingANameSelectsTheUser()
    {
        fixture.addUser(31, "BEATRIZ GOMEZ");
        fixture.assign(31, 4);
        FrmClock* form = fixture.start();
        QVERIFY(form);
        fixture.setTime(monday("08:00:00"));
        QTest::mouseDClick(form->ui()->ImgUsers, Qt::LeftButton);
        QPointer<FrmUsuarios> search = form->findChild<FrmUsuarios*>();
        QVERIFY(search);
        QVERIFY(search->isVisible());
        search->FindRow("BEATRIZ");
        QTableWidget* grid = search->ui()->iGrid1;
        QCOMPARE(grid->rowCount(), 1);
        const QRect row = grid->visualItemRect(grid->item(0, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
        QTRY_VERIFY(search.isNull()); // closed and gone
        QCOMPARE(form->ui()->LblNombre->text(), QStringLiteral("BEATRIZ GOMEZ"));
        QCOMPARE(fixture.message(), QStringLiteral("Esperando Huella Digital..."));
        QVERIFY(form->selection().MayPunch);
    }
};

QTEST_MAIN(TestDayPanel)
#include "tst_day_panel.moc"
