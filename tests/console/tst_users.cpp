// The users screen on the real widgets and the private database: loading, the two modes,
// validation, saving new and existing users, deleting, and the search button.

#include "ConsoleTesting.h"
#include "FrmSrc.h"
#include "FrmUsr.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmSrc.h"
#include "ui_FrmUsr.h"

#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_users");
const QDate kToday(2024, 5, 20);

struct Stored
{
    QString nombre;
    int departamento = 0;
    QString correo;
    QString password;
    QDate ingreso;
    int administrador = 0;
    int multiple = 0;
    int checa = 0;
    int rotativo = 0;
    int activo = 0;
    QDate baja;
};

Stored stored(Db& db, int user)
{
    QSqlQuery q = db.query("select Nombre,departamento,Correo,Password,Fecha_Ingreso,"
                           "administrador,Chequeo_Multiple,Puede_checar_clave,Horario_rotativo,"
                           "activo,Fecha_Baja from KxUsuario where Usuario=?",
                           {user});
    Stored row;
    if (!q.next())
        return row;
    row.nombre = q.value(0).toString();
    row.departamento = q.value(1).toInt();
    row.correo = q.value(2).toString();
    row.password = q.value(3).toString();
    row.ingreso = q.value(4).toDate();
    row.administrador = q.value(5).toInt();
    row.multiple = q.value(6).toInt();
    row.checa = q.value(7).toInt();
    row.rotativo = q.value(8).toInt();
    row.activo = q.value(9).toInt();
    row.baja = q.value(10).toDate();
    return row;
}

// Types the number and leaves the box with Enter, as a person does.
void typeNumber(FrmUsr& form, const QString& number)
{
    QLineEdit* box = form.ui()->TbUsr;
    box->setFocus();
    box->clear();
    QTest::keyClicks(box, number);
    QTest::keyClick(box, Qt::Key_Return);
}

// `start` padded with `pad` to `characters` characters (as the database counts them), ending in
// a character of four UTF-8 bytes.
QString fullLength(const QString& start, QChar pad, int characters)
{
    const QString last = QStringLiteral("😀");
    QString text = start;
    while (text.toUcs4().size() < characters - 1)
        text += pad;
    return text + last;
}

// The server's own bytes of every column of the user's row.
QStringList rowBytes(Db& db, int user)
{
    QSqlQuery q = db.query(
        "select HEX(Usuario),HEX(Nombre),HEX(departamento),HEX(Correo),HEX(Password),"
        "HEX(Fecha_Ingreso),HEX(administrador),HEX(Chequeo_Multiple),HEX(Puede_checar_clave),"
        "HEX(Horario_rotativo),HEX(activo),HEX(Fecha_Baja) from KxUsuario where Usuario=?",
        {user});
    QStringList bytes;
    if (!q.next())
        return bytes;
    for (int column = 0; column < 12; ++column)
        bytes << (q.isNull(column) ? QStringLiteral("NULL") : q.value(column).toString());
    return bytes;
}

void fillNewUser(Ui::FrmUsr* ui)
{
    ui->TbNomb->setText("PEDRO PÁRAMO");
    ui->CmbDep->setCurrentIndex(ui->CmbDep->findText("VENTAS"));
    ui->TxtContra->setText(" clave9 ");
    ui->TxtVeri->setText("clave9");
    ui->TxtCorreo->setText(" pedro@comala.example ");
    ui->DTPIngreso->setDate(QDate(2023, 2, 1));
}

} // namespace

class TestUsers : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmUsr> form;
    int ventas = 0;
    int almacen = 0;

    int users() { return count(db, "select count(*) from KxUsuario"); }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
    }
    void init()
    {
        clearTables(db);
        ventas = int(db.insertRow("Kxdepart", {{"Nombre_departamento", "VENTAS"}}));
        almacen = int(db.insertRow("Kxdepart", {{"Nombre_departamento", "ALMACÉN"}}));
        addUser(db, {{"Usuario", 7},
                     {"Nombre", "JUAN PRECIADO"},
                     {"departamento", almacen},
                     {"Correo", "JUAN@COMALA.EXAMPLE"},
                     {"Password", "ABUNDIO"},
                     {"Fecha_Ingreso", QDate(2019, 3, 4)},
                     {"administrador", 1},
                     {"Chequeo_Multiple", 1},
                     {"Puede_checar_clave", 1},
                     {"Horario_rotativo", 1},
                     {"activo", 1},
                     {"Fecha_Baja", QDate(2024, 1, 15)}});
        addUser(db, {{"Usuario", 8},
                     {"Nombre", "SUSANA SAN JUAN"},
                     {"departamento", ventas},
                     {"Correo", "SUSANA@COMALA.EXAMPLE"},
                     {"Password", "MEDIALUNA"},
                     {"Fecha_Ingreso", QDate(2020, 7, 1)}});
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
        const QDateTime now(kToday, QTime(10, 0));
        context->clock.setLocalSource([now] { return now; });
        form = std::make_unique<FrmUsr>(*context);
        QVERIFY(activate(form.get()));
    }
    void cleanup()
    {
        form.reset();
        context.reset();
    }

    void loadFillsEveryField_data()
    {
        QTest::addColumn<int>("user");
        QTest::newRow("inactive administrator with every flag") << 7;
        QTest::newRow("active employee without flags") << 8;
    }
    void loadFillsEveryField()
    {
        QFETCH(int, user);
        const Stored row = stored(db, user);
        typeNumber(*form, QString::number(user));
        Ui::FrmUsr* ui = form->ui();
        QCOMPARE(ui->BtnReg->text(), QStringLiteral("&Modificar"));
        QVERIFY(ui->BtnDel->isEnabled());
        QCOMPARE(ui->TbUsr->text(), QString::number(user));
        QCOMPARE(ui->TbNomb->text(), row.nombre);
        QCOMPARE(ui->CmbDep->currentText(), user == 7 ? QString("ALMACÉN") : QString("VENTAS"));
        QCOMPARE(form->SelectedDepartment, row.departamento);
        QCOMPARE(ui->TxtCorreo->text(), row.correo);
        QCOMPARE(ui->TxtContra->text(), row.password);
        QCOMPARE(ui->TxtVeri->text(), row.password);
        QCOMPARE(ui->DTPIngreso->date(), row.ingreso);
        QCOMPARE(ui->ChkAdmin->isChecked(), row.administrador == 1);
        QCOMPARE(ui->ChkMultiple->isChecked(), row.multiple == 1);
        QCOMPARE(ui->ChkCheca->isChecked(), row.checa == 1);
        QCOMPARE(ui->ChkRotativo->isChecked(), row.rotativo == 1);
        QCOMPARE(ui->ChkStat->isChecked(), row.activo == 1);
        QCOMPARE(ui->DTPBaja->isEnabled(), row.activo == 1);
        if (row.activo == 1)
            QCOMPARE(ui->DTPBaja->date(), row.baja);
        // Enter took the focus on to the name.
        QCOMPARE(QApplication::focusWidget(), ui->TbNomb);
    }

    void unknownNumberClearsTheScreen()
    {
        typeNumber(*form, "7");
        typeNumber(*form, "99");
        Ui::FrmUsr* ui = form->ui();
        QCOMPARE(ui->TbUsr->text(), QStringLiteral("99"));
        QCOMPARE(ui->BtnReg->text(), QStringLiteral("&Registrar"));
        QVERIFY(!ui->BtnDel->isEnabled());
        QVERIFY(ui->TbNomb->text().isEmpty());
        QVERIFY(ui->TxtCorreo->text().isEmpty());
        QVERIFY(ui->TxtContra->text().isEmpty());
        QVERIFY(ui->TxtVeri->text().isEmpty());
        QVERIFY(ui->CmbDep->currentText().isEmpty());
        QVERIFY(!ui->ChkAdmin->isChecked());
        QVERIFY(!ui->ChkMultiple->isChecked());
        QVERIFY(!ui->ChkCheca->isChecked());
        QVERIFY(!ui->ChkRotativo->isChecked());
        QVERIFY(!ui->ChkStat->isChecked());
        QVERIFY(!ui->DTPBaja->isEnabled());
        QCOMPARE(ui->DTPIngreso->date(), kToday);
    }

    void numberThatIsNoNumberIsRefusedQuietly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "7a";
        QTest::newRow("a quote") << "7'";
        QTest::newRow("blanks only") << "  ";
    }
    void numberThatIsNoNumberIsRefusedQuietly()
    {
        QFETCH(QString, typed);
        FatalRecorder fatal;
        RecordingMessages boxes;
        typeNumber(*form, "8");
        typeNumber(*form, typed);
        QVERIFY(fatal.failures.isEmpty());
        QVERIFY(boxes.boxes.isEmpty());
        // The screen still shows user 8.
        QCOMPARE(form->ui()->TbNomb->text(), QStringLiteral("SUSANA SAN JUAN"));
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Modificar"));
        // "Eliminar" asks nothing and deletes nothing for such a number.
        form->ui()->BtnDel->click();
        QVERIFY(fatal.failures.isEmpty());
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(users(), 2);
    }

    void savingANewUserTakesTheDatabaseNumber()
    {
        RecordingMessages boxes;
        typeNumber(*form, "77");
        fillNewUser(form->ui());
        form->ui()->ChkCheca->setChecked(true);
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(count(db, "select count(*) from KxUsuario where Usuario=77"), 0);
        const int number = db.scalar("select max(Usuario) from KxUsuario").toInt();
        QCOMPARE(number, 9);
        // The box says the number he was given instead of the one typed.
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Los Datos Fueron Registrados Correctamente.\n"
                                                     "Número de usuario asignado: 9"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Registro exitoso."));
        const Stored row = stored(db, number);
        QCOMPARE(row.nombre, QStringLiteral("PEDRO PÁRAMO"));
        QCOMPARE(row.departamento, ventas);
        QCOMPARE(row.password, QStringLiteral("CLAVE9"));
        QCOMPARE(row.correo, QStringLiteral("PEDRO@COMALA.EXAMPLE"));
        QCOMPARE(row.ingreso, QDate(2023, 2, 1));
        QCOMPARE(row.checa, 1);
        QCOMPARE(row.administrador, 0);
        QCOMPARE(row.activo, 0);
        QVERIFY(row.baja.isNull());
        // Back to an empty new-user screen.
        QVERIFY(form->ui()->TbUsr->text().isEmpty());
        QVERIFY(form->ui()->TbNomb->text().isEmpty());
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Registrar"));
    }

    void validation_data()
    {
        QTest::addColumn<QString>("number"); // empty: a new user with no number
        QTest::addColumn<bool>("modify");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QString>("department"); // typed into the box
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QStringList>("titles"); // the error boxes in order; none = saved
        QTest::addColumn<QString>("focus");
        // End to end: the department looked up by its typed name, the boxes and the focus,
        // the mode taken from the screen, and what is saved. Every case of the rule itself is
        // in tst_user_validation.
        const QString pw = "CLAVE";
        QTest::newRow("valid new user") << "" << false << "ANA"
                                        << "A@B"
                                        << "VENTAS" << pw << pw << QStringList() << "";
        QTest::newRow("no department")
            << "" << false << "ANA"
            << "A@B"
            << "" << pw << pw << QStringList{"Sin Departamento"} << "CmbDep";
        QTest::newRow("unknown department")
            << "" << false << "ANA"
            << "A@B"
            << "COMPRAS" << pw << pw << QStringList{"Sin Departamento"} << "CmbDep";
        QTest::newRow("department typed in other case")
            << "" << false << "ANA"
            << "A@B"
            << "ventas" << pw << pw << QStringList() << "";
        QTest::newRow("blank name")
            << "" << false << "   "
            << "A@B"
            << "VENTAS" << pw << pw << QStringList{"Nombre incorrecto"} << "TbNomb";
        QTest::newRow("empty name, then password mismatch")
            << "" << false << ""
            << "A@B"
            << "VENTAS"
            << "A"
            << "B" << QStringList{"Nombre incorrecto", "Verifique la contraseña"} << "TxtVeri";
        QTest::newRow("changing without a number")
            << "" << true << "ANA"
            << "A@B"
            << "VENTAS" << pw << pw << QStringList{"Usuario incorrecto"} << "TbUsr";
        QTest::newRow("changing user 8") << "8" << true << "ANA"
                                         << "A@B"
                                         << "VENTAS" << pw << pw << QStringList() << "";
    }
    void validation()
    {
        QFETCH(QString, number);
        QFETCH(bool, modify);
        QFETCH(QString, name);
        QFETCH(QString, mail);
        QFETCH(QString, department);
        QFETCH(QString, password);
        QFETCH(QString, check);
        QFETCH(QStringList, titles);
        QFETCH(QString, focus);
        if (modify)
            typeNumber(*form, "8");
        Ui::FrmUsr* ui = form->ui();
        ui->TbUsr->setText(number);
        ui->TbNomb->setText(name);
        ui->TxtCorreo->setText(mail);
        ui->CmbDep->setCurrentIndex(-1);
        ui->CmbDep->setEditText(department);
        ui->TxtContra->setText(password);
        ui->TxtVeri->setText(check);
        const int before = users();
        RecordingMessages boxes;
        ui->BtnReg->click();
        QStringList shown;
        for (const Box& box : boxes.boxes)
            if (box.kind == "error")
                shown << box.title;
        QCOMPARE(shown, titles);
        const QStringList texts = {
            "El número de usuario no es válido",
            "Es necesario introducir un nombre válido antes de registrar un usuario.",
            "Es necesario introducir un correo Electronico válido antes de registrar un usuario.",
            "Es necesario seleccionar un departamento.",
            "La Confirmación de la contraseña no coincide"};
        for (const Box& box : boxes.boxes)
            QVERIFY2(box.kind != "error" || texts.contains(box.text), qPrintable(box.text));
        if (titles.isEmpty()) {
            QCOMPARE(users(), modify ? before : before + 1);
            const int saved = modify ? 8 : db.scalar("select max(Usuario) from KxUsuario").toInt();
            QCOMPARE(stored(db, saved).nombre, name);
            QCOMPARE(stored(db, saved).departamento, ventas);
            QCOMPARE(stored(db, saved).correo, mail.toUpper());
        } else {
            QCOMPARE(users(), before);
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
            QCOMPARE(stored(db, 8).nombre, QStringLiteral("SUSANA SAN JUAN"));
        }
    }

    void changingAUserKeepsHisNumber()
    {
        RecordingMessages boxes;
        typeNumber(*form, "8");
        Ui::FrmUsr* ui = form->ui();
        ui->TbNomb->setText("SUSANA SAN JUAN DE PÁRAMO");
        ui->CmbDep->setCurrentIndex(ui->CmbDep->findText("ALMACÉN"));
        ui->TxtContra->setText("luna");
        ui->TxtVeri->setText("luna");
        ui->ChkRotativo->setChecked(true);
        ui->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Los Datos Fueron Modificados Correctamente."));
        QCOMPARE(users(), 2);
        const Stored row = stored(db, 8);
        QCOMPARE(row.nombre, QStringLiteral("SUSANA SAN JUAN DE PÁRAMO"));
        QCOMPARE(row.departamento, almacen);
        QCOMPARE(row.password, QStringLiteral("LUNA"));
        QCOMPARE(row.rotativo, 1);
        QCOMPARE(row.ingreso, QDate(2020, 7, 1));
        QVERIFY(ui->TbUsr->text().isEmpty());
    }

    void savingUnchangedKeepsTheRowByteForByte_data()
    {
        QTest::addColumn<int>("flags"); // every flag, and activo: he has left
        QTest::addColumn<QDate>("baja");
        QTest::newRow("has left, every flag") << 1 << QDate(2024, 1, 15);
        QTest::newRow("current, no flags, an earlier leaving date kept") << 0 << QDate(2022, 6, 30);
    }
    void savingUnchangedKeepsTheRowByteForByte()
    {
        QFETCH(int, flags);
        QFETCH(QDate, baja);
        // Each text at its column's full length, ending in a character of two UTF-16 units.
        // The password and the e-mail address are stored in upper case, so only upper case
        // comes back unchanged from them.
        const QString name = fullLength("áéíóúüñ ÁÉÍÓÚÜÑ ¿¡ € O'BRIEN ", u'x', 60);
        const QString mail =
            fullLength("ABCDEFGHIJKLMNÑOPQRSTUVWXYZ ÁÉÍÓÚÜ ¿¡ € O'BRIEN@", u'Ú', 120);
        const QString password = fullLength("ÁÉÍÓÚÜÑ ¿¡ € '", u'Ñ', 45);
        const int department =
            int(db.insertRow("Kxdepart", {{"Nombre_departamento", "ÚLTIMO ÑANDÚ € 😀"}}));
        addUser(db, {{"Usuario", 14},
                     {"Nombre", name},
                     {"departamento", department},
                     {"Correo", mail},
                     {"Password", password},
                     {"Fecha_Ingreso", QDate(2018, 11, 5)},
                     {"administrador", flags},
                     {"Chequeo_Multiple", flags},
                     {"Puede_checar_clave", flags},
                     {"Horario_rotativo", flags},
                     {"activo", flags},
                     {"Fecha_Baja", baja}});
        QCOMPARE(count(db, "select count(*) from KxUsuario where Usuario=14 and "
                           "char_length(Nombre)=60 and char_length(Correo)=120 and "
                           "char_length(Password)=45"),
                 1);
        const QStringList before = rowBytes(db, 14);

        // A new form, so that its department list holds the new department.
        form = std::make_unique<FrmUsr>(*context);
        QVERIFY(activate(form.get()));
        typeNumber(*form, "14");
        Ui::FrmUsr* ui = form->ui();
        QCOMPARE(ui->TbNomb->text(), name);
        QCOMPARE(ui->TxtCorreo->text(), mail);
        QCOMPARE(ui->TxtContra->text(), password);
        QCOMPARE(ui->CmbDep->currentText(), QStringLiteral("ÚLTIMO ÑANDÚ € 😀"));
        RecordingMessages boxes;
        ui->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Los Datos Fueron Modificados Correctamente."));
        QCOMPARE(rowBytes(db, 14), before);
    }

    void aFullLengthNameTakesNoMoreTyping()
    {
        // The limit counts characters as the column does: a name of 59 holding a character of
        // two UTF-16 units takes one more letter, but not two.
        QLineEdit* box = form->ui()->TbNomb;
        box->setFocus();
        box->setText(fullLength("", u'A', 59));
        box->end(false);
        QTest::keyClicks(box, "bc");
        QCOMPARE(box->text().toUcs4().size(), 60);
        QVERIFY(box->text().endsWith(QStringLiteral("😀B")));
    }

    void leavingDate_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<bool>("inactive");
        QTest::addColumn<int>("activo");
        QTest::addColumn<QDate>("baja");
        QTest::newRow("reactivating keeps the stored leaving date")
            << 7 << false << 0 << QDate(2024, 1, 15);
        QTest::newRow("still inactive with a new date") << 7 << true << 1 << QDate(2024, 2, 29);
        QTest::newRow("deactivating stores the date") << 8 << true << 1 << QDate(2024, 2, 29);
        QTest::newRow("staying active leaves no date") << 8 << false << 0 << QDate();
    }
    void leavingDate()
    {
        QFETCH(int, user);
        QFETCH(bool, inactive);
        QFETCH(int, activo);
        QFETCH(QDate, baja);
        RecordingMessages boxes;
        typeNumber(*form, QString::number(user));
        if (form->ui()->ChkStat->isChecked() != inactive)
            form->ui()->ChkStat->click();
        QCOMPARE(form->ui()->DTPBaja->isEnabled(), inactive);
        if (inactive)
            form->ui()->DTPBaja->setDate(QDate(2024, 2, 29));
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(stored(db, user).activo, activo);
        QCOMPARE(stored(db, user).baja, baja);
    }

    void changingAUserWhoNoLongerExistsWritesNothing()
    {
        RecordingMessages boxes;
        typeNumber(*form, "8");
        db.exec("delete from KxUsuario where Usuario=8");
        form->ui()->TbNomb->setText("OTRA");
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(users(), 1);
        QCOMPARE(count(db, "select count(*) from KxUsuario where Nombre='OTRA'"), 0);
        // The screen keeps what was typed and offers to register it as a new user.
        QCOMPARE(form->ui()->TbNomb->text(), QStringLiteral("OTRA"));
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Registrar"));
        QVERIFY(!form->ui()->BtnDel->isEnabled());
    }

    void deleting_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void deleting()
    {
        QFETCH(bool, answer);
        for (int user : {7, 8}) {
            db.insertRow("KxEvento", {{"usuario", user}, {"fecha", QDate(2024, 5, 2)}});
            db.insertRow("KxEvento", {{"usuario", user}, {"fecha", QDate(2024, 5, 3)}});
            db.insertRow("KxFingerP", {{"Usuario", user}, {"NumFing", 1}});
            db.insertRow("Kxhorario_personal", {{"usuario", user}, {"horario", 1}});
            db.insertRow("permisos", {{"usuario", user},
                                      {"Fecha_inicio", QDate(2024, 5, 1)},
                                      {"Fecha_fin", QDate(2024, 5, 1)}});
            db.insertRow("KxMensajes_personales", {{"Usuario", user}, {"asunto", "HOLA"}});
        }
        RecordingMessages boxes;
        boxes.answers << answer;
        typeNumber(*form, "7");
        form->ui()->BtnDel->click();
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("¿Borrar Usuario?"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Cuando se eliminan usuarios, se borrarán todas sus huellas, "
                                "registros y horarios asignados. ¿Está seguro de eliminar el "
                                "registro actual?"));
        const int left = answer ? 0 : 1;
        QCOMPARE(count(db, "select count(*) from KxUsuario where Usuario=7"), left);
        QCOMPARE(count(db, "select count(*) from KxEvento where usuario=7"), 2 * left);
        QCOMPARE(count(db, "select count(*) from KxFingerP where Usuario=7"), left);
        QCOMPARE(count(db, "select count(*) from Kxhorario_personal where usuario=7"), left);
        // His permissions and messages stay; the other user keeps everything.
        QCOMPARE(count(db, "select count(*) from permisos where usuario=7"), 1);
        QCOMPARE(count(db, "select count(*) from KxMensajes_personales where Usuario=7"), 1);
        for (const char* table :
             {"KxUsuario", "KxFingerP", "Kxhorario_personal", "permisos", "KxMensajes_personales"})
            QCOMPARE(count(db, QString("select count(*) from %1 where usuario=8").arg(table)), 1);
        QCOMPARE(count(db, "select count(*) from KxEvento where usuario=8"), 2);
        if (answer) {
            QCOMPARE(boxes.boxes.size(), 2);
            QCOMPARE(boxes.boxes[1].text,
                     QStringLiteral("El Usuario y todos sus movimientos fueron eliminados."));
            QCOMPARE(boxes.boxes[1].title, QStringLiteral("Registro eliminado"));
            QVERIFY(form->ui()->TbUsr->text().isEmpty());
            QVERIFY(form->ui()->TbNomb->text().isEmpty());
            QVERIFY(!form->ui()->BtnDel->isEnabled());
        } else {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(form->ui()->TbNomb->text(), QStringLiteral("JUAN PRECIADO"));
        }
    }

    void aFailedDeleteLeavesTheWholeUser()
    {
        db.insertRow("KxEvento", {{"usuario", 7}, {"fecha", QDate(2024, 5, 2)}});
        db.insertRow("Kxhorario_personal", {{"usuario", 7}, {"horario", 1}});
        FatalRecorder fatal;
        RecordingMessages boxes;
        boxes.answers << true;
        typeNumber(*form, "7");
        // The third of the four statements fails.
        db.exec("RENAME TABLE KxFingerP TO KxFingerP_fuera");
        form->ui()->BtnDel->click();
        db.exec("RENAME TABLE KxFingerP_fuera TO KxFingerP");
        QCOMPARE(fatal.failures.size(), 1);
        QCOMPARE(count(db, "select count(*) from KxUsuario where Usuario=7"), 1);
        QCOMPARE(count(db, "select count(*) from KxEvento where usuario=7"), 1);
        QCOMPARE(count(db, "select count(*) from Kxhorario_personal where usuario=7"), 1);
        QCOMPARE(boxes.boxes.size(), 1); // the question only: no success reported
        // The connection is usable again afterwards.
        QCOMPARE(count(context->db, "select count(*) from KxUsuario"), 2);
    }

    void quoteInANameIsStoredAndFoundAgain()
    {
        RecordingMessages boxes;
        typeNumber(*form, "0");
        fillNewUser(form->ui());
        form->ui()->TbNomb->clear();
        QTest::keyClicks(form->ui()->TbNomb, "o'brien");
        QCOMPARE(form->ui()->TbNomb->text(), QStringLiteral("O'BRIEN"));
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(count(db, "select count(*) from KxUsuario where Nombre=?", {"O'BRIEN"}), 1);
        form->ui()->BtnFind->click();
        FrmSrc* search = form->searchDialog();
        QVERIFY(search);
        search->ui()->TbFnd->setText("O'BRIEN");
        QCOMPARE(search->ui()->GrdFnd->rowCount(), 1);
        QCOMPARE(search->ui()->GrdFnd->item(0, 1)->text(), QStringLiteral("O'BRIEN"));
        search->ui()->BtnSel->click();
        QCOMPARE(form->ui()->TbNomb->text(), QStringLiteral("O'BRIEN"));
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Modificar"));
    }

    void searchButton_data()
    {
        QTest::addColumn<QString>("typed"); // into the search box
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QString>("number"); // in the number box afterwards
        QTest::addColumn<QString>("name");
        QTest::newRow("a user chosen") << "preci" << true << "7"
                                       << "JUAN PRECIADO";
        QTest::newRow("a number longer than the box lets one type") << "zapata" << true << "12345"
                                                                    << "EMILIANO ZAPATA";
        QTest::newRow("Cerrar") << "preci" << false << "8"
                                << "SIN GUARDAR";
    }
    void searchButton()
    {
        QFETCH(QString, typed);
        QFETCH(bool, choose);
        QFETCH(QString, number);
        QFETCH(QString, name);
        addUser(db, {{"Usuario", 1234}, {"Nombre", "MIGUEL HIDALGO"}});
        addUser(db, {{"Usuario", 12345}, {"Nombre", "EMILIANO ZAPATA"}});
        typeNumber(*form, "8");
        form->ui()->TbNomb->setText("SIN GUARDAR");
        form->ui()->BtnFind->click();
        QPointer<FrmSrc> search = form->searchDialog();
        QVERIFY(search);
        QCOMPARE(QApplication::activeModalWidget(), search.data());
        QTest::keyClicks(search->ui()->TbFnd, typed);
        QCOMPARE(search->ui()->GrdFnd->rowCount(), 1);
        if (choose)
            search->ui()->BtnSel->click();
        else
            search->ui()->BtnClose->click();
        QTRY_VERIFY(search.isNull());
        QCOMPARE(form->ui()->TbUsr->text(), number);
        QCOMPARE(form->ui()->TbNomb->text(), name);
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Modificar"));
        // Typing is still held to four characters.
        QLineEdit* box = form->ui()->TbUsr;
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, "123456");
        QCOMPARE(box->text(), QStringLiteral("1234"));
    }

    void departmentThatNoLongerExistsIsAskedFor()
    {
        // User 9 belongs to a department deleted since; user 7 to ALMACÉN.
        addUser(db, {{"Usuario", 9},
                     {"Nombre", "ABUNDIO MARTÍNEZ"},
                     {"departamento", 999},
                     {"Correo", "A@B"},
                     {"Password", "ARRIERO"}});
        typeNumber(*form, "7");
        typeNumber(*form, "9");
        Ui::FrmUsr* ui = form->ui();
        QCOMPARE(ui->TbNomb->text(), QStringLiteral("ABUNDIO MARTÍNEZ"));
        // The box does not keep user 7's department, which saving would give to user 9.
        QVERIFY(ui->CmbDep->currentText().isEmpty());
        QCOMPARE(ui->CmbDep->currentIndex(), -1);
        RecordingMessages boxes;
        ui->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Sin Departamento"));
        QCOMPARE(stored(db, 9).departamento, 999);
    }
};

QTEST_MAIN(TestUsers)
#include "tst_users.moc"
