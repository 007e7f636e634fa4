// Assigning schedules on the real widgets and database: the rule of each "&Asignar", fixed and
// rotating users, the look-up, deleting an assignment, the week preview across New Year, the
// refused closing with half a rotation, and the search button.

#include "AssignmentRules.h"
#include "ConsoleTesting.h"
#include "FrmASig.h"
#include "FrmSrc.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmASig.h"
#include "ui_FrmSrc.h"

#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_assignment");
const QString kRotating = QStringLiteral("Horario Rotativo por Semana");
const QString kFixed = QStringLiteral("Horario Fijo");

} // namespace

class TestAssignment : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmASig> form;
    int matutino = 0;
    int vespertino = 0;

    void lookUp(const QString& number)
    {
        QLineEdit* box = form->ui()->TbUsr;
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, number);
        QTest::keyClick(box, Qt::Key_Return); // leaves the box
    }
    void pick(const QString& name)
    {
        QComboBox* list = form->ui()->CmbHor;
        list->setCurrentIndex(list->findText(name));
        QVERIFY(list->currentIndex() >= 0);
    }
    // "horario:orden" of the user's rows, in orden order.
    QStringList rows(int user)
    {
        QStringList found;
        QSqlQuery q = db.query(
            "select horario,orden from Kxhorario_personal where usuario=? order by orden", {user});
        while (q.next())
            found << QString("%1:%2").arg(q.value(0).toInt()).arg(q.value(1).toInt());
        return found;
    }
    QString row(int horario, int orden) { return QString("%1:%2").arg(horario).arg(orden); }
    bool userLocked()
    {
        return !form->ui()->TbUsr->isEnabled() && !form->ui()->BtnFind->isEnabled();
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
        // Databases carried over from earlier installations hold NULL in this flag.
        db.exec("ALTER TABLE KxUsuario MODIFY Horario_rotativo SMALLINT NULL DEFAULT 0");
    }
    void init()
    {
        clearTables(db);
        matutino = int(db.insertRow("KxHorario", {{"Nombre_horario", "MATUTINO"}}));
        vespertino = int(db.insertRow("KxHorario", {{"Nombre_horario", "VESPERTINO AÑO"}}));
        addUser(db, {{"Usuario", 1}, {"Nombre", "ADMINISTRADOR"}});
        addUser(db, {{"Usuario", 20}, {"Nombre", "ANA LÓPEZ"}, {"Horario_rotativo", 0}});
        addUser(db, {{"Usuario", 21}, {"Nombre", "BRUNO PEÑA"}, {"Horario_rotativo", 1}});
        addUser(db, {{"Usuario", 22}, {"Nombre", "CARMEN NULA"}, {"Horario_rotativo", QVariant()}});
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
        form = std::make_unique<FrmASig>(*context);
        QVERIFY(activate(form.get()));
    }
    void cleanup()
    {
        form.reset();
        context.reset();
    }

    void nextStep_data()
    {
        QTest::addColumn<bool>("rotating");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<int>("orden");
        QTest::addColumn<int>("countAfter");
        QTest::addColumn<bool>("locked");
        QTest::newRow("fixed, first") << false << 0 << true << 0 << 1 << false;
        QTest::newRow("fixed, again: replaced") << false << 1 << true << 0 << 1 << false;
        QTest::newRow("rotating, odd weeks") << true << 0 << true << 1 << 1 << true;
        QTest::newRow("rotating, even weeks") << true << 1 << false << 2 << 2 << false;
        QTest::newRow("rotating, third press starts over") << true << 2 << true << 1 << 1 << true;
    }
    void nextStep()
    {
        QFETCH(bool, rotating);
        QFETCH(int, count);
        const AssignmentRules::Step step = AssignmentRules::nextStep(rotating, count);
        QTEST(step.clearFirst, "clearFirst");
        QTEST(step.orden, "orden");
        QTEST(step.assignCount, "countAfter");
        QTEST(step.userLocked, "locked");
    }

    void lookUp_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("secondShown");
        QTest::addColumn<bool>("canAssign");
        QTest::newRow("fixed") << "20"
                               << "ANA LÓPEZ" << kFixed << false << true;
        QTest::newRow("rotating") << "21"
                                  << "BRUNO PEÑA" << kRotating << true << true;
        QTest::newRow("NULL kind is fixed") << "22"
                                            << "CARMEN NULA" << kFixed << false << true;
        QTest::newRow("unknown") << "99"
                                 << "Usuario NO registrado."
                                 << "" << true << false;
        QTest::newRow("not a number, quietly") << "2X"
                                               << ""
                                               << "" << true << false;
    }
    void lookUp()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(bool, secondShown);
        QFETCH(bool, canAssign);
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", matutino}, {"orden", 1}});
        RecordingMessages boxes;
        lookUp("21"); // someone shown before, whose schedules must not remain
        lookUp(typed);
        Ui::FrmASig* ui = form->ui();
        QCOMPARE(ui->LblDUsr->text(), name);
        QCOMPARE(ui->LblTipo->text(), kind);
        QCOMPARE(!ui->TxtHorario2->isHidden(), secondShown);
        QCOMPARE(!ui->LblHorario2->isHidden(), secondShown);
        QCOMPARE(ui->BtnAdd->isEnabled(), canAssign);
        QCOMPARE(ui->BtnBorrar->isEnabled(), canAssign);
        QCOMPARE(ui->TxtHorario1->text(), typed == "21" ? QStringLiteral("MATUTINO") : QString());
        if (kind == kRotating) {
            QCOMPARE(ui->LblHorario1->text(), QStringLiteral("Semana Inicial"));
            QCOMPARE(ui->LblHorario2->text(), QStringLiteral("Semana Complementaria"));
        } else if (kind == kFixed) {
            QCOMPARE(ui->LblHorario1->text(), QStringLiteral("Horario Fijo"));
        }
        QVERIFY(boxes.boxes.isEmpty());
    }

    void fixedUserIsReplacedAtEveryPress_data()
    {
        QTest::addColumn<int>("user");
        // Each has rows 1 and 2 left from a rotation before.
        QTest::newRow("switched from rotating to fixed") << 20;
        QTest::newRow("NULL kind") << 22;
    }
    void fixedUserIsReplacedAtEveryPress()
    {
        QFETCH(int, user);
        db.insertRow("Kxhorario_personal",
                     {{"usuario", user}, {"horario", matutino}, {"orden", 1}});
        db.insertRow("Kxhorario_personal",
                     {{"usuario", user}, {"horario", vespertino}, {"orden", 2}});
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", matutino}, {"orden", 1}});
        lookUp(QString::number(user));
        pick("VESPERTINO AÑO");
        RecordingMessages boxes;
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(user), QStringList{row(vespertino, 0)});
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Los datos han sido registrados correctamente."));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Datos guardados"));
        QCOMPARE(form->ui()->TxtHorario1->text(), QStringLiteral("VESPERTINO AÑO"));
        QVERIFY(!userLocked());
        pick("MATUTINO");
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(user), QStringList{row(matutino, 0)});
        QCOMPARE(form->ui()->TxtHorario1->text(), QStringLiteral("MATUTINO"));
        QCOMPARE(rows(21), QStringList{row(matutino, 1)}); // nobody else's rows change
        QVERIFY(form->close());
    }

    void rotatingUserInTwoPresses()
    {
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", matutino}, {"orden", 0}});
        lookUp("21");
        pick("MATUTINO");
        RecordingMessages boxes;
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(21), QStringList{row(matutino, 1)});
        QVERIFY(userLocked());
        QCOMPARE(form->AssignCount, 1);
        QCOMPARE(form->ui()->TxtHorario1->text(), QStringLiteral("MATUTINO"));
        QCOMPARE(form->ui()->TxtHorario2->text(), QString());
        // Half a rotation: the screen stays open.
        QVERIFY(!form->close());
        QCOMPARE(boxes.boxes.last().kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes.last().text,
                 QStringLiteral("No se puede salir sin Completar el Horario del Usuario"));
        QCOMPARE(boxes.boxes.last().title, QStringLiteral("Horario Incompleto"));
        pick("VESPERTINO AÑO");
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(21), (QStringList{row(matutino, 1), row(vespertino, 2)}));
        QVERIFY(!userLocked());
        QCOMPARE(form->ui()->TxtHorario2->text(), QStringLiteral("VESPERTINO AÑO"));
        // A third press starts the pair over instead of writing orden 3.
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(21), QStringList{row(vespertino, 1)});
        QVERIFY(userLocked());
        QCOMPARE(form->ui()->TxtHorario2->text(), QString());
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(21), (QStringList{row(vespertino, 1), row(vespertino, 2)}));
        QCOMPARE(count(db, "select count(*) from Kxhorario_personal where activo=1 and "
                           "fecha_inicio is not null"),
                 2);
        QVERIFY(form->close());
    }

    void noScheduleSelected()
    {
        lookUp("21");
        RecordingMessages boxes;
        form->ui()->BtnAdd->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("No se ha seleccionado un horario para registrar."));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Sin Horario"));
        QCOMPARE(QApplication::focusWidget(), form->ui()->CmbHor);
        QVERIFY(rows(21).isEmpty());
        QVERIFY(!userLocked()); // nothing is half written
        pick("MATUTINO");
        form->ui()->BtnAdd->click();
        QCOMPARE(rows(21), QStringList{row(matutino, 1)});
    }

    void deleting_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void deleting()
    {
        QFETCH(bool, yes);
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", matutino}, {"orden", 1}});
        db.insertRow("Kxhorario_personal", {{"usuario", 20}, {"horario", matutino}, {"orden", 0}});
        lookUp("21");
        pick("VESPERTINO AÑO");
        RecordingMessages boxes;
        form->ui()->BtnAdd->click(); // half a rotation
        boxes.boxes.clear();
        boxes.answers << yes;
        form->ui()->BtnBorrar->click();
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(
            boxes.boxes[0].text,
            QStringLiteral("Se dispone a Borrar el Horario Actual del Usuario, ¿Está seguro?"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("¿Borrar Horario?"));
        QCOMPARE(rows(20), QStringList{row(matutino, 0)});
        if (!yes) {
            QCOMPARE(rows(21), QStringList{row(vespertino, 1)});
            QVERIFY(userLocked());
            return;
        }
        QVERIFY(rows(21).isEmpty());
        QCOMPARE(boxes.boxes[1].text, QStringLiteral("Horario Eliminado Correctamente"));
        QCOMPARE(boxes.boxes[1].title, QStringLiteral("Borrar Horario"));
        QCOMPARE(form->ui()->TxtHorario1->text(), QString());
        QCOMPARE(form->AssignCount, 0);
        QVERIFY(form->close());
    }

    void weekPreview_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("shown");
        QTest::newRow("2009-12-31, week 53 odd") << QDate(2009, 12, 31) << "MATUTINO";
        QTest::newRow("2010-01-01, week 0 even") << QDate(2010, 1, 1) << "VESPERTINO AÑO";
        QTest::newRow("2010-01-04, week 1 odd") << QDate(2010, 1, 4) << "MATUTINO";
        QTest::newRow("2008-12-31, week 53 odd") << QDate(2008, 12, 31) << "MATUTINO";
        QTest::newRow("2009-01-01, week 1 odd") << QDate(2009, 1, 1) << "MATUTINO";
        QTest::newRow("2010-01-11, week 2 even") << QDate(2010, 1, 11) << "VESPERTINO AÑO";
    }
    void weekPreview()
    {
        QFETCH(QDate, date);
        QFETCH(QString, shown);
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", matutino}, {"orden", 1}});
        db.insertRow("Kxhorario_personal",
                     {{"usuario", 21}, {"horario", vespertino}, {"orden", 2}});
        lookUp("21");
        QCOMPARE(form->ui()->TxtHorario2->text(), QStringLiteral("VESPERTINO AÑO"));
        QCalendarWidget* calendar = form->ui()->CtrlMes;
        calendar->setSelectedDate(date);
        emit calendar->clicked(date);
        QCOMPARE(form->ui()->TxtHorario->text(), shown);
    }

    void weekPreviewDoesNothing_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("withUser1");
        QTest::newRow("fixed user") << "20" << true;
        QTest::newRow("no user 1 to read the week with") << "21" << false;
    }
    void weekPreviewDoesNothing()
    {
        QFETCH(QString, user);
        QFETCH(bool, withUser1);
        if (!withUser1)
            db.exec("delete from KxUsuario where Usuario=1");
        db.insertRow("Kxhorario_personal",
                     {{"usuario", user.toInt()}, {"horario", matutino}, {"orden", 1}});
        lookUp(user);
        form->ui()->TxtHorario->setText("ANTES");
        emit form->ui()->CtrlMes->clicked(QDate(2010, 1, 4));
        QCOMPARE(form->ui()->TxtHorario->text(), QStringLiteral("ANTES"));
    }

    void searchButtonLooksTheUserUp()
    {
        form->ui()->BtnFind->click();
        QPointer<FrmSrc> search = form->searchDialog();
        QVERIFY(search);
        QCOMPARE(QApplication::activeModalWidget(), search.data());
        QTest::keyClicks(search->ui()->TbFnd, "BRUN");
        QCOMPARE(search->ui()->GrdFnd->rowCount(), 1);
        search->ui()->BtnSel->click();
        QTRY_VERIFY(search.isNull());
        QCOMPARE(form->ui()->TbUsr->text(), QStringLiteral("21"));
        QCOMPARE(form->ui()->LblDUsr->text(), QStringLiteral("BRUNO PEÑA"));
        QCOMPARE(form->ui()->LblTipo->text(), kRotating);
    }
};

QTEST_MAIN(TestAssignment)
#include "tst_assignment.moc"
