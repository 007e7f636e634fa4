// A day at the terminal by password, on the real screen and database: the four punches of a
// day with meal break, the refusals before identification, unknown and impossible user
// numbers, wrong passwords, multiple-check pairs, and punches whose statement fails.

#include "FrmClock.h"
#include "FrmUsuarios.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"
#include "ui_FrmUsuarios.h"

#include <QPointer>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QDate kMonday(2026, 12, 7);

QDateTime monday(const QString& time)
{
    return QDateTime(kMonday, QTime::fromString(time, "HH:mm:ss"));
}

} // namespace

class TestPunchPassword : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_punch_password")};

    FrmClock* startAt(const QString& time)
    {
        FrmClock* form = fixture.start();
        if (form)
            fixture.setTime(monday(time));
        return form;
    }

    // Types the user and the password at `time`, then lets the 4-second reset run.
    QString punch(int user, const QString& password, const QString& time)
    {
        fixture.setTime(monday(time));
        fixture.typeUser(QString::number(user));
        fixture.typePassword(password);
        const QString text = fixture.message();
        fixture.resetScreen();
        return text;
    }

    QVariantList eventRow(int user)
    {
        QSqlQuery q = fixture.db().query(
            "select tipo,horario,sucursal_entra,fecha,entrada,salida_break,regreso_break,"
            "salida,sucursal_sale,cerrado from KxEvento where usuario=?",
            {user});
        QVariantList row;
        if (q.next())
            for (int i = 0; i < 10; ++i)
                row << (q.value(i).isNull() ? QVariant() : q.value(i));
        return row;
    }

private slots:
    void initTestCase() { QVERIFY2(fixture.ready(), qPrintable(fixture.error())); }

    void init()
    {
        fixture.clear();
        fixture.addSchedule(4, "OFICINA", kOfficeTimes, {1, 2, 3, 4, 5});
        fixture.addUser(20, "ANA LOPEZ", "CLAVE20");
        fixture.assign(20, 4);
        fixture.boxes.boxes.clear();
    }

    void fullDayOfFourPunches()
    {
        FrmClock* form = startAt("08:55:00");
        QVERIFY(form);
        Ui::FrmClock* ui = form->ui();

        fixture.typeUser("20");
        QCOMPARE(ui->LblNombre->text(), QStringLiteral("ANA LOPEZ"));
        QCOMPARE(fixture.message(), QStringLiteral("Esperando Clave / Huella Digital..."));
        QVERIFY(!ui->TxtClave->isHidden());
        QVERIFY(!ui->LblClave->isHidden());
        QCOMPARE(ui->LblHorario->text(), QStringLiteral("OFICINA"));
        QCOMPARE(ui->LblEntrada->text(), QStringLiteral("Programada: 09:00:00"));
        QCOMPARE(ui->LblCSalida->text(), QStringLiteral("Programada: 14:00:00"));

        fixture.typePassword("clave20"); // typed in lower case, upper-cased by the box
        QCOMPARE(fixture.message(), QStringLiteral("Entrada Registrada Correctamente!!"));
        QVERIFY(fixture.messageIsSuccess());
        QVERIFY(ui->TxtClave->text().isEmpty());
        QVERIFY(form->TmrMsg().isActive());
        QVERIFY(form->ExitAllowed);
        QVERIFY(!form->CheckInProgress);
        QCOMPARE(ui->LblEntradaR->text(), QStringLiteral("Real: 08:55:00"));
        QVERIFY(shown(ui->StE));
        QCOMPARE(ui->iGrid2->rowCount(), 1);
        QCOMPARE(ui->iGrid2->item(0, 0)->text(), QStringLiteral("ANA LOPEZ"));
        QCOMPARE(eventRow(20), (QVariantList{1, 4, 3, kMonday, monday("08:55:00"), QVariant(),
                                             QVariant(), QVariant(), QVariant(), 0}));
        fixture.resetScreen();
        QCOMPARE(fixture.message(), QStringLiteral("Ingrese su Numero de Usuario"));

        QCOMPARE(punch(20, "CLAVE20", "13:50:00"),
                 QStringLiteral("Salida a Comer Registrada Correctamente!!"));
        QCOMPARE(punch(20, "CLAVE20", "13:54:59"),
                 QStringLiteral("Atención su Chequeo está Fuera de Rango!!!"));
        QCOMPARE(punch(20, "CLAVE20", "14:56:10"),
                 QStringLiteral("Regreso de Comida Registrado Correctamente!!"));
        QCOMPARE(punch(20, "CLAVE20", "17:45:59"),
                 QStringLiteral("Atención, solo puede checar:15 Minutos Antes de su salida"));

        fixture.setTime(monday("17:46:00"));
        fixture.typeUser("20");
        fixture.typePassword("CLAVE20");
        QCOMPARE(fixture.message(), QStringLiteral("Salida Registrada Correctamente!!"));
        QCOMPARE(eventRow(20),
                 (QVariantList{1, 4, 3, kMonday, monday("08:55:00"), monday("13:50:00"),
                               monday("14:56:10"), monday("17:46:00"), 3, 1}));
        QCOMPARE(fixture.eventCount(20), 1);
        QCOMPARE(ui->LblSalidaR->text(), QStringLiteral("Real: 17:46:00"));
        QVERIFY(shown(ui->StSR)); // 14 minutes early with tolerance 10
        // The fourth punch at this terminal starts the recent list over.
        QCOMPARE(ui->iGrid2->rowCount(), 1);
        QCOMPARE(form->dayPanel().RecentRow, 2);
        fixture.resetScreen();

        // The day is closed: refused before any identification, nothing to type a password in.
        fixture.setTime(monday("18:30:00"));
        fixture.typeUser("20");
        QCOMPARE(fixture.message(),
                 QStringLiteral("El usuario ya tiene completo su horario para este día"));
        QVERIFY(fixture.messageIsRefusal());
        QVERIFY(ui->TxtClave->isHidden());
        QVERIFY(ui->LblClave->isHidden());
        QVERIFY(!form->selection().MayPunch);
        QVERIFY(form->TmrMsg().isActive());
        QVERIFY(fixture.boxes.boxes.isEmpty());
    }

    void refusalsBeforeIdentification_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("text");
        QTest::newRow("no assignment") << "none"
                                       << "El Usuario No tiene Asignado Horario para este día!!!";
        QTest::newRow("no entry on Mondays")
            << "weekend"
            << "El Usuario No tiene Asignado Horario para este día!!!";
        QTest::newRow("multiple check without assignment")
            << "multiple"
            << "El usuario No tiene horario Asignado, Pida apoyo a Personal";
    }
    void refusalsBeforeIdentification()
    {
        QFETCH(QString, setup);
        QFETCH(QString, text);
        fixture.addUser(30, "SIN HORARIO", "X", setup == "multiple");
        if (setup == "weekend") {
            fixture.addSchedule(5, "FIN DE SEMANA", kOfficeTimes, {6, 7});
            fixture.assign(30, 5);
        }
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("30");
        QCOMPARE(fixture.message(), text);
        QVERIFY(fixture.messageIsRefusal());
        QVERIFY(form->ui()->TxtClave->isHidden());
        QVERIFY(!form->selection().MayPunch);
        QVERIFY(form->TmrMsg().isActive());
        QCOMPARE(form->ui()->LblHorario->text(), setup == "weekend"
                                                     ? QStringLiteral("FIN DE SEMANA")
                                                     : QStringLiteral("Sin Horario Asignado!!"));
    }

    void unknownUserAndTheFourSecondReset()
    {
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("999");
        QCOMPARE(fixture.message(), QStringLiteral("El Numero de Usuario NO Existe..."));
        QVERIFY(fixture.messageIsRefusal());
        QVERIFY(form->ui()->LblNombre->text().isEmpty());
        QVERIFY(form->TmrMsg().isActive());
        fixture.resetScreen();
        QCOMPARE(fixture.message(), QStringLiteral("Ingrese su Numero de Usuario"));
        QVERIFY(!fixture.messageIsRefusal());
        QVERIFY(form->ui()->TxtUsuario->text().isEmpty());
        QVERIFY(!form->TmrMsg().isActive());
    }

    // Someone who has left is refused like an unknown number, typed or looked up by name,
    // and records nothing.
    void deregisteredEmployeeIsRefused()
    {
        fixture.db().exec("update KxUsuario set activo=1, Fecha_Baja='2026-11-30' where Usuario=?",
                          {20});
        fixture.addUser(21, "ANA LÓPEZ ÚRSULA", "CLAVE21");
        fixture.assign(21, 4);
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("20");
        QCOMPARE(fixture.message(), QStringLiteral("El Numero de Usuario NO Existe..."));
        QVERIFY(!form->selection().MayPunch);
        form->ui()->TxtClave->show();
        fixture.typePassword("CLAVE20");
        QCOMPARE(fixture.eventCount(20), 0);
        fixture.resetScreen();

        QPointer<FrmUsuarios> search = form->OpenUserSearch();
        search->FindRow("ANA");
        QTableWidget* grid = search->ui()->iGrid1;
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("21"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("ANA LÓPEZ ÚRSULA"));
        search->close();
    }

    void pendingResetDoesNotEndTheNextIdentification_data()
    {
        QTest::addColumn<QString>("previous"); // the user whose message is still on screen
        QTest::newRow("unknown user") << "999";
        QTest::newRow("refused user") << "23";
        QTest::newRow("another user's punch") << "21";
    }
    void pendingResetDoesNotEndTheNextIdentification()
    {
        QFETCH(QString, previous);
        fixture.addUser(21, "LUIS PEREZ", "CLAVE21");
        fixture.assign(21, 4);
        fixture.addUser(23, "SIN HORARIO", "CLAVE23");
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser(previous);
        if (previous == "21")
            fixture.typePassword("CLAVE21");
        QVERIFY(form->TmrMsg().isActive());
        // The next employee types his number before the previous message's 4 seconds are up.
        fixture.typeUser("20");
        QCOMPARE(form->ui()->LblNombre->text(), QStringLiteral("ANA LOPEZ"));
        QVERIFY(form->selection().MayPunch);
        QVERIFY2(!form->TmrMsg().isActive(), "the previous reset would end this identification");
        fixture.typePassword("CLAVE20");
        QCOMPARE(fixture.message(), QStringLiteral("Entrada Registrada Correctamente!!"));
        QCOMPARE(fixture.eventCount(20), 1);
        QVERIFY(form->TmrMsg().isActive());
    }

    void unknownLocationEntersNobody_data()
    {
        QTest::addColumn<bool>("byName");
        QTest::newRow("number handed to the lookup") << false;
        QTest::newRow("name chosen in the search window") << true;
    }
    void unknownLocationEntersNobody()
    {
        QFETCH(bool, byName);
        fixture.clear(4, QStringLiteral("NORTE")); // the station says 3, which is no location
        fixture.addSchedule(4, "OFICINA", kOfficeTimes, {1, 2, 3, 4, 5});
        fixture.addUser(20, "ANA LOPEZ", "CLAVE20");
        fixture.assign(20, 4);
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        QVERIFY(!form->ui()->TxtUsuario->isEnabled());
        if (byName) {
            QTest::mouseDClick(form->ui()->ImgUsers, Qt::LeftButton);
            QVERIFY(!form->findChild<FrmUsuarios*>());
            // A search window opened all the same hands its choice to nobody.
            QPointer<FrmUsuarios> search = form->OpenUserSearch();
            search->FindRow("ANA");
            QTableWidget* grid = search->ui()->iGrid1;
            QCOMPARE(grid->rowCount(), 1);
            const QRect row = grid->visualItemRect(grid->item(0, 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row.center());
            QTRY_VERIFY(search.isNull());
        } else {
            form->lookUpUser("20");
        }
        QVERIFY(form->ui()->LblNombre->text().isEmpty());
        QVERIFY(!form->selection().MayPunch);
        form->ui()->TxtClave->show();
        fixture.typePassword("CLAVE20");
        QCOMPARE(fixture.eventCount(20), 0);
    }

    void impossibleUserNumbers_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("typed"); // false: pasted past the key filter
        QTest::newRow("40000 typed") << "40000" << true;
        QTest::newRow("32768 typed") << "32768" << true;
        QTest::newRow("pasted letters") << "2O" << false;
        QTest::newRow("pasted quote") << "20'" << false;
    }
    void impossibleUserNumbers()
    {
        QFETCH(QString, number);
        QFETCH(bool, typed);
        // A user whose number a 16-bit box cannot hold: 40000 would wrap to -25536.
        fixture.addUser(40000, "FUERA DE RANGO", "X");
        fixture.assign(40000, 4);
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        if (typed) {
            fixture.typeUser(number);
        } else {
            form->ui()->TxtUsuario->setText(number);
            QTest::keyClick(form->ui()->TxtUsuario, Qt::Key_Return);
        }
        QCOMPARE(form->ui()->TxtUsuario->text(), number);
        QCOMPARE(fixture.message(), QStringLiteral("El Numero de Usuario NO Existe..."));
        QVERIFY(form->ui()->LblNombre->text().isEmpty());
        QVERIFY(!form->selection().MayPunch);
        QVERIFY(form->TmrMsg().isActive());
    }

    void lettersCannotBeTyped()
    {
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("2a0");
        QCOMPARE(form->ui()->TxtUsuario->text(), QStringLiteral("20"));
        QCOMPARE(form->ui()->LblNombre->text(), QStringLiteral("ANA LOPEZ"));
    }

    void userWithoutPasswordNeverSeesTheBox()
    {
        fixture.addUser(22, "SOLO HUELLA");
        fixture.assign(22, 4);
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("22");
        QCOMPARE(fixture.message(), QStringLiteral("Esperando Huella Digital..."));
        QVERIFY(form->ui()->TxtClave->isHidden());
        QVERIFY(form->ui()->LblClave->isHidden());
        QVERIFY(form->selection().MayPunch);
    }

    void wrongPasswords_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("wrong") << "CLAVE20"
                               << "CLAVE21" << false;
        QTest::newRow("quote trick") << "CLAVE20"
                                     << "' OR '1'='1" << false;
        QTest::newRow("quote in the password") << "O'NEIL"
                                               << "o'neil" << true;
    }
    void wrongPasswords()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        fixture.db().exec("update KxUsuario set Password=? where Usuario=20", {stored});
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("20");
        fixture.typePassword(typed);
        QCOMPARE(fixture.eventCount(20), accepted ? 1 : 0);
        if (accepted) {
            QCOMPARE(fixture.message(), QStringLiteral("Entrada Registrada Correctamente!!"));
            QVERIFY(fixture.boxes.boxes.isEmpty());
            return;
        }
        QCOMPARE(fixture.boxes.boxes.size(), 1);
        QCOMPARE(fixture.boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(fixture.boxes.boxes[0].text, QStringLiteral("Verifique su Usuario/Contraseña!!!"));
        QCOMPARE(fixture.boxes.boxes[0].title, QStringLiteral("Usuario/Contraseña NO encontrado"));
        QVERIFY(form->ui()->TxtClave->text().isEmpty());
        QVERIFY(form->ui()->TxtClave->hasFocus());
        // The user stays selected and may try again.
        fixture.db().exec("update KxUsuario set Password=? where Usuario=20", {"OTRA"});
        fixture.typePassword("OTRA");
        QCOMPARE(fixture.message(), QStringLiteral("Entrada Registrada Correctamente!!"));
    }

    void multipleCheckPairs()
    {
        fixture.addUser(40, "MULTIPLE", "M40", true);
        fixture.assign(40, 4);
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        QCOMPARE(punch(40, "M40", "09:00:10"),
                 QStringLiteral("Evento Entrada Registrado Correctamente!!"));
        QCOMPARE(punch(40, "M40", "09:00:59"),
                 QStringLiteral("Atención ya existe una entrada Previa!!"));
        QCOMPARE(punch(40, "M40", "12:00:00"),
                 QStringLiteral("Evento de Salida Registrado Correctamente!!"));
        QCOMPARE(punch(40, "M40", "13:00:00"),
                 QStringLiteral("Evento Entrada Registrado Correctamente!!"));
        fixture.setTime(monday("19:00:00"));
        fixture.typeUser("40");
        QVERIFY(!form->ui()->iGrid1->isHidden());
        QCOMPARE(form->ui()->iGrid1->rowCount(), 2);
        fixture.typePassword("M40");
        QCOMPARE(fixture.message(), QStringLiteral("Evento de Salida Registrado Correctamente!!"));
        QCOMPARE(form->ui()->iGrid1->rowCount(), 2);
        QCOMPARE(form->ui()->iGrid1->item(1, 0)->text(), QStringLiteral("MATRIZ"));
        QCOMPARE(form->ui()->iGrid1->item(1, 1)->text(), QStringLiteral("13:00:00"));
        QCOMPARE(form->ui()->iGrid1->item(1, 2)->text(), QStringLiteral("19:00:00"));
        QCOMPARE(fixture.db()
                     .scalar("select count(*) from KxEvento where usuario=40 and tipo=2 and "
                             "cerrado=1 and sucursal_sale=3")
                     .toInt(),
                 2);
    }

    void manualRowWithBreakOnADayWithoutBreakCanBeClosed()
    {
        fixture.addSchedule(6, "SIN COMIDA", {"07:00:00", "15:00:00", "", "", 10, 15});
        fixture.addUser(50, "ALMACEN", "A50");
        fixture.assign(50, 6);
        // The console's manual events always write tipo 1.
        fixture.db().insertRow("KxEvento", {{"usuario", 50},
                                            {"fecha", kMonday},
                                            {"entrada", monday("07:00:00")},
                                            {"horario", 6},
                                            {"tipo", 1},
                                            {"cerrado", 0}});
        FrmClock* form = startAt("12:00:00");
        QVERIFY(form);
        QCOMPARE(punch(50, "A50", "12:00:00"),
                 QStringLiteral("Atención, solo puede checar:15 Minutos Antes de su salida"));
        QCOMPARE(punch(50, "A50", "14:50:00"), QStringLiteral("Salida Registrada Correctamente!!"));
        QCOMPARE(fixture.db().scalar("select cerrado from KxEvento where usuario=50").toInt(), 1);
    }

    void slotWithoutExitTimeRefusesAndWritesNothing()
    {
        fixture.addSchedule(7, "SIN SALIDA", {"07:00:00", "", "", "", 10, 15});
        fixture.addUser(51, "INCOMPLETO", "A51");
        fixture.assign(51, 7);
        FrmClock* form = startAt("07:00:00");
        QVERIFY(form);
        QCOMPARE(punch(51, "A51", "07:00:00"),
                 QStringLiteral("Entrada Registrada Correctamente!!"));
        QCOMPARE(punch(51, "A51", "16:00:00"),
                 QStringLiteral("Atención su Chequeo está Fuera de Rango!!!"));
        QVERIFY(fixture.db().scalar("select salida from KxEvento where usuario=51").isNull());
    }

    void failedWriteIsNeverShownAsSuccess()
    {
        FrmClock* form = startAt("09:00:00");
        QVERIFY(form);
        fixture.typeUser("20");
        FatalRecorder fatal;
        // The event table is out of reach when the punch is written.
        QVERIFY(fixture.db().exec("RENAME TABLE KxEvento TO KxEvento_fuera") >= 0);
        fixture.typePassword("CLAVE20");
        fixture.db().exec("RENAME TABLE KxEvento_fuera TO KxEvento");
        QVERIFY(!fatal.failures.isEmpty());
        QVERIFY(fixture.message() != QStringLiteral("Entrada Registrada Correctamente!!"));
        QVERIFY(!fixture.messageIsSuccess());
        QCOMPARE(form->ui()->iGrid2->rowCount(), 0);
        QVERIFY(form->ExitAllowed);
        QVERIFY(!form->CheckInProgress);
    }

    void rotatingUserTakesTheWeeksOrder_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("schedule");
        // week(date,1) of 2026-12-07 is 50 (even), of 2026-12-14 is 51 (odd); 2027-01-01 is
        // in week 0 (Friday, the first week has fewer than four days).
        QTest::newRow("even week") << QDate(2026, 12, 7) << "PAR";
        QTest::newRow("odd week") << QDate(2026, 12, 14) << "NON";
        QTest::newRow("week 0") << QDate(2027, 1, 1) << "PAR";
    }
    void rotatingUserTakesTheWeeksOrder()
    {
        QFETCH(QDate, day);
        QFETCH(QString, schedule);
        fixture.addSchedule(8, "NON", kOfficeTimes);
        fixture.addSchedule(9, "PAR", kOfficeTimes);
        fixture.addSchedule(10, "FIJO", kOfficeTimes);
        fixture.addUser(60, "ROTA", "R", false, true);
        fixture.assign(60, 10, 0);
        fixture.assign(60, 8, 1);
        fixture.assign(60, 9, 2);
        FrmClock* form = fixture.start();
        QVERIFY(form);
        fixture.setTime(QDateTime(day, QTime(9, 0)));
        fixture.typeUser("60");
        QCOMPARE(form->ui()->LblHorario->text(), schedule);
        fixture.typePassword("R");
        QCOMPARE(fixture.db().scalar("select horario from KxEvento where usuario=60").toInt(),
                 schedule == "NON" ? 8 : 9);
    }
};

QTEST_MAIN(TestPunchPassword)
#include "tst_punch_password.moc"
