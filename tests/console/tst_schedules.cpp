// The schedules screen on the real widgets and database: the fresh editor, the day boxes,
// registering and modifying, what is stored and read back, focus after a failed check, the
// one-transaction modify, and deleting a schedule with its assignments.

#include "ConsoleTesting.h"
#include "FrmHor.h"
#include "RecordingMessages.h"
#include "ScheduleStore.h"
#include "TestDatabase.h"
#include "ui_FrmHor.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_schedules");
const QString kEmpty = QStringLiteral("__:__:__");

// The 28 time columns of a schedule, slot by slot: entrada, salida, salida_break, regreso_break
// as "HH:MM:SS" or "-" for NULL, one slot per entry.
QStringList storedDays(Db& db, int horario)
{
    QStringList days;
    for (int n = 1; n <= 7; ++n) {
        QSqlQuery q = db.query(QString("select ENTRADA%1,SALIDA%1,SALIDA_BREAK%1,REGRESO_BREAK%1 "
                                       "from KxHorario where Horario=?")
                                   .arg(n),
                               {horario});
        if (!q.next())
            return {};
        QStringList parts;
        for (int i = 0; i < 4; ++i)
            parts << (q.value(i).isNull() ? QStringLiteral("-")
                                          : q.value(i).toTime().toString("HH:mm:ss"));
        days << parts.join(' ');
    }
    return days;
}

QStringList noDays()
{
    return QStringList(7, QStringLiteral("- - - -"));
}

int addSchedule(Db& db, const QString& name, const QStringList& days, int tolerancia = 10,
                int checa = 20)
{
    SqlValues values{
        {"Nombre_horario", name}, {"tolerancia_retardo", tolerancia}, {"checa_antes", checa}};
    const QStringList columns{"ENTRADA", "SALIDA", "SALIDA_BREAK", "REGRESO_BREAK"};
    for (int n = 1; n <= days.size(); ++n) {
        const QStringList parts = days[n - 1].split(' ');
        for (int i = 0; i < 4; ++i)
            if (parts[i] != "-")
                values << qMakePair(columns[i] + QString::number(n), QVariant(parts[i]));
    }
    return int(db.insertRow("KxHorario", values));
}

} // namespace

class TestSchedules : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmHor> form;

    void open()
    {
        form = std::make_unique<FrmHor>(*context);
        QVERIFY(activate(form.get()));
    }
    void pick(const QString& name)
    {
        QComboBox* list = form->ui()->CmbHor;
        const int index = list->findText(name);
        QVERIFY(index >= 0);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    void setDay(int n, const QString& entrada, const QString& salida)
    {
        form->Chkdia(n)->setChecked(true);
        form->TxtEntrada(n)->setText(entrada);
        form->TxtSalida(n)->setText(salida);
    }
    void setMeal(int n, const QString& leave, const QString& back)
    {
        form->Chkcom(n)->setChecked(true);
        form->TxtCSalida(n)->setText(leave);
        form->TxtCRegreso(n)->setText(back);
    }
    int lastSchedule() { return db.scalar("select max(Horario) from KxHorario").toInt(); }
    QString storedName(int horario)
    {
        return db.scalar("select Nombre_horario from KxHorario where Horario=?", {horario})
            .toString();
    }

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
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
    }
    void cleanup()
    {
        form.reset();
        context.reset();
    }

    void freshEditor()
    {
        addSchedule(db, "OFICINA", {"09:00:00 18:00:00 14:00:00 15:00:00"});
        addSchedule(db, "ALMACÉN", {});
        open();
        Ui::FrmHor* ui = form->ui();
        QCOMPARE(form->windowTitle(), QStringLiteral("Horarios"));
        QCOMPARE(ui->CmbHor->count(), 2);
        QCOMPARE(ui->CmbHor->currentText(), QString());
        QCOMPARE(ui->BtnReg->text(), QStringLiteral("&Registrar"));
        QVERIFY(!ui->BtnDel->isEnabled());
        QCOMPARE(ui->TxtRetardo->text(), QStringLiteral("15"));
        QCOMPARE(ui->TxtCheca->text(), QStringLiteral("15"));
        const QStringList names{"Lunes",   "Martes", "Miércoles", "Jueves",
                                "Viernes", "Sábado", "Domingo"};
        for (int n = 1; n <= 7; ++n) {
            QCOMPARE(form->Chkdia(n)->text(), names[n - 1]);
            QVERIFY(!form->Chkdia(n)->isChecked());
            QVERIFY(!form->Chkcom(n)->isChecked());
            for (QLineEdit* field : {form->TxtEntrada(n), form->TxtSalida(n), form->TxtCSalida(n),
                                     form->TxtCRegreso(n)}) {
                QVERIFY(!field->isEnabled());
                QCOMPARE(field->displayText(), kEmpty);
            }
        }
    }

    void dayBoxEnablesItsFourFields()
    {
        open();
        form->Chkcom(3)->setChecked(true);
        QVERIFY(!form->TxtCSalida(3)->isEnabled()); // the meal box alone does not
        form->Chkdia(3)->setChecked(true);
        for (QLineEdit* field :
             {form->TxtEntrada(3), form->TxtSalida(3), form->TxtCSalida(3), form->TxtCRegreso(3)})
            QVERIFY(field->isEnabled());
        QVERIFY(!form->TxtEntrada(2)->isEnabled());
        form->Chkdia(3)->setChecked(false);
        QVERIFY(!form->TxtCRegreso(3)->isEnabled());
        QVERIFY(form->Chkcom(3)->isChecked());
    }

    void registering_data()
    {
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<QString>("savedName");
        QTest::addColumn<bool>("workMonday");
        QTest::addColumn<bool>("mealSaturday"); // a meal break on a day off
        QTest::addColumn<QStringList>("days");
        QStringList office = noDays();
        office[0] = "08:30:00 17:00:00 - -";
        QStringList mealOnly = noDays();
        mealOnly[0] = "08:30:00 17:00:00 - -";
        mealOnly[5] = "- - 13:00:00 13:45:00";
        QTest::newRow("no day ticked: 28 NULL columns") << "SIN DÍAS"
                                                        << "SIN DÍAS" << false << false << noDays();
        QTest::newRow("a quote and a ñ, kept as typed") << "TURNO D'AÑO"
                                                        << "TURNO D'AÑO" << true << false << office;
        QTest::newRow("85 characters with blanks around")
            << "  " + QString(85, 'N') + " " << QString(80, 'N') << true << false << office;
        QTest::newRow("meal break on a day off is stored")
            << "SÁBADO COMIDA"
            << "SÁBADO COMIDA" << true << true << mealOnly;
    }
    void registering()
    {
        QFETCH(QString, typedName);
        QFETCH(QString, savedName);
        QFETCH(bool, workMonday);
        QFETCH(bool, mealSaturday);
        QFETCH(QStringList, days);
        open();
        form->ui()->CmbHor->setEditText(typedName);
        if (workMonday)
            setDay(1, "08:30:00", "17:00:00");
        if (mealSaturday) {
            form->Chkdia(6)->setChecked(true);
            setMeal(6, "13:00:00", "13:45:00");
            form->Chkdia(6)->setChecked(false);
        }
        form->ui()->TxtRetardo->setText("5");
        RecordingMessages boxes;
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Los Datos Fueron registrados Correctamente."));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Registro exitoso."));
        QCOMPARE(count(db, "select count(*) from KxHorario"), 1);
        const int horario = lastSchedule();
        QCOMPARE(storedName(horario), savedName);
        QCOMPARE(form->ui()->CmbHor->currentText(), savedName);
        QCOMPARE(storedDays(db, horario), days);
        QCOMPARE(db.scalar("select tolerancia_retardo from KxHorario").toInt(), 5);
        QCOMPARE(db.scalar("select checa_antes from KxHorario").toInt(), 15);
        // The editor keeps its content and mode; the list is loaded again only later.
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Registrar"));
        QCOMPARE(form->ui()->CmbHor->count(), 0);
    }

    void typedTimeInTheMaskedField()
    {
        open();
        form->ui()->CmbHor->setEditText("TECLEADO");
        form->Chkdia(2)->setChecked(true);
        for (auto [field, digits] :
             {std::pair{form->TxtEntrada(2), "0700"}, std::pair{form->TxtSalida(2), "153000"}}) {
            field->setFocus();
            field->setCursorPosition(0);
            QTest::keyClicks(field, digits);
        }
        QCOMPARE(form->TxtEntrada(2)->displayText(), QStringLiteral("07:00:__"));
        RecordingMessages boxes;
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("La hora proporcionada no es válida."));
        QCOMPARE(QApplication::focusWidget(), form->TxtEntrada(2));
        QCOMPARE(count(db, "select count(*) from KxHorario"), 0);
        QTest::keyClicks(form->TxtEntrada(2), "00");
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].kind, QStringLiteral("info"));
        QCOMPARE(storedDays(db, lastSchedule())[1], QStringLiteral("07:00:00 15:30:00 - -"));
    }

    void focusAfterAFailedCheck_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("text");
        QTest::newRow("no name") << "name"
                                 << "CmbHor"
                                 << "No es posible registrar un horario sin Nombre";
        QTest::newRow("exit before entry") << "order"
                                           << "TxtEntrada4"
                                           << "No es posible registrar una hora final anterior "
                                              "a la de inicio.";
        QTest::newRow("meal return before leaving") << "meal"
                                                    << "TxtCRegreso4"
                                                    << "No es posible registrar una hora final "
                                                       "anterior a la de inicio.";
        QTest::newRow("meal on a day off: the day's box") << "meal off"
                                                          << "Chkdia4"
                                                          << "La hora proporcionada no es válida.";
        QTest::newRow("no early-exit minutes") << "checa"
                                               << "TxtCheca"
                                               << "Proporcione los minutos para salidas tempranas.";
    }
    void focusAfterAFailedCheck()
    {
        QFETCH(QString, failing);
        QFETCH(QString, focus);
        QFETCH(QString, text);
        open();
        form->ui()->CmbHor->setEditText(failing == "name" ? "   " : "FOCO");
        setDay(4, "09:00:00", failing == "order" ? "08:00:00" : "18:00:00");
        if (failing == "meal")
            setMeal(4, "14:00:00", "13:00:00");
        if (failing == "meal off") {
            form->Chkcom(4)->setChecked(true);
            form->Chkdia(4)->setChecked(false); // its meal fields stay empty and disabled
        }
        if (failing == "checa")
            form->ui()->TxtCheca->clear();
        form->ui()->BtnReg->setFocus();
        RecordingMessages boxes;
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, text);
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(count(db, "select count(*) from KxHorario"), 0);
    }

    void typedNameIsUpperCaseAndNotCompleted()
    {
        addSchedule(db, "OFICINA", {});
        open();
        form->ui()->CmbHor->setFocus();
        QTest::keyClicks(form->ui()->CmbHor, "of");
        QCOMPARE(form->ui()->CmbHor->currentText(), QStringLiteral("OF"));
    }

    void minuteFieldsTakeDigitsOnly()
    {
        open();
        QLineEdit* minutes = form->ui()->TxtRetardo;
        minutes->clear();
        minutes->setFocus();
        QTest::keyClicks(minutes, "1a2-34");
        QCOMPARE(minutes->text(), QStringLiteral("123"));
        minutes->clear();
        minutes->insert("x9"); // as pasted
        QCOMPARE(minutes->text(), QString());
    }

    void loadingShowsTheStoredDays()
    {
        QStringList days = noDays();
        days[0] = "09:00:00 18:00:00 14:00:00 15:00:00";
        days[2] = "06:00:00 14:00:00 - -";
        days[6] = "- - 12:00:00 12:30:00";
        addSchedule(db, "OTRO", {"07:00:00 08:00:00 - -"});
        addSchedule(db, "MIXTO", days, 7, 25);
        open();
        setDay(2, "10:00:00", "11:00:00"); // left over from earlier editing
        pick("MIXTO");
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Modificar"));
        QVERIFY(form->ui()->BtnDel->isEnabled());
        QCOMPARE(form->ui()->TxtRetardo->text(), QStringLiteral("7"));
        QCOMPARE(form->ui()->TxtCheca->text(), QStringLiteral("25"));
        QStringList shown;
        for (int n = 1; n <= 7; ++n)
            shown << QString("%1%2 %3 %4 %5 %6")
                         .arg(form->Chkdia(n)->isChecked() ? "D" : "-",
                              form->Chkcom(n)->isChecked() ? "C" : "-",
                              form->TxtEntrada(n)->displayText(), form->TxtSalida(n)->displayText(),
                              form->TxtCSalida(n)->displayText(),
                              form->TxtCRegreso(n)->displayText());
        const QString none = "__:__:__ __:__:__";
        QCOMPARE(shown,
                 (QStringList{"DC 09:00:00 18:00:00 14:00:00 15:00:00", "-- " + none + " " + none,
                              "D- 06:00:00 14:00:00 " + none, "-- " + none + " " + none,
                              "-- " + none + " " + none, "-- " + none + " " + none,
                              "-C " + none + " 12:00:00 12:30:00"}));
        QVERIFY(!form->TxtEntrada(2)->isEnabled());
        QVERIFY(form->TxtEntrada(3)->isEnabled());
        QVERIFY(!form->TxtCSalida(7)->isEnabled());
    }

    void modifyingRewritesTheDays()
    {
        QStringList days = noDays();
        days[0] = "09:00:00 18:00:00 14:00:00 15:00:00";
        days[1] = "09:00:00 18:00:00 - -";
        const int other = addSchedule(db, "OTRO", days);
        const int horario = addSchedule(db, "OFICINA", days);
        open();
        pick("OFICINA");
        form->Chkcom(1)->setChecked(false);
        form->Chkdia(2)->setChecked(false);
        setDay(7, "10:00:00", "14:00:00");
        form->ui()->TxtCheca->setText("0");
        // An empty name is only refused when registering.
        form->ui()->CmbHor->setEditText("");
        RecordingMessages boxes;
        form->ui()->BtnReg->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Los Datos Fueron modificados Correctamente."));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Registro exitoso."));
        QStringList expected = noDays();
        expected[0] = "09:00:00 18:00:00 - -";
        expected[6] = "10:00:00 14:00:00 - -";
        QCOMPARE(storedDays(db, horario), expected);
        QCOMPARE(storedName(horario), QString());
        QCOMPARE(db.scalar("select checa_antes from KxHorario where Horario=?", {horario}).toInt(),
                 0);
        QCOMPARE(storedDays(db, other), days);
        QCOMPARE(storedName(other), QStringLiteral("OTRO"));
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Modificar"));
    }

    void aFailedModifyLeavesTheScheduleWhole()
    {
        QStringList days = noDays();
        days[0] = "09:00:00 18:00:00 14:00:00 15:00:00";
        const int horario = addSchedule(db, "OFICINA", days);
        ScheduleStore::Schedule changed;
        changed.horario = horario;
        changed.name = "CAMBIADO";
        changed.days[0] = {"08:00:00", "16:00:00", "", ""};
        changed.days[6] = {"08:00:00", "99:99:99", "", ""}; // the last statement fails
        FatalRecorder fatal;
        QVERIFY(!ScheduleStore::change(context->db, changed));
        QCOMPARE(fatal.failures.size(), 1);
        QCOMPARE(storedDays(db, horario), days);
        QCOMPARE(storedName(horario), QStringLiteral("OFICINA"));
    }

    void newStartsAnotherSchedule()
    {
        const int horario = addSchedule(db, "OFICINA", {"09:00:00 18:00:00 - -"});
        open();
        pick("OFICINA");
        form->ui()->BtnNuevo->click();
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Registrar"));
        QVERIFY(!form->ui()->BtnDel->isEnabled());
        QVERIFY(!form->loadedSchedule());
        QVERIFY(!form->Chkdia(1)->isChecked());
        QCOMPARE(form->ui()->CmbHor->currentText(), QString());
        form->ui()->CmbHor->setEditText("NOCTURNO");
        setDay(5, "18:00:00", "23:00:00");
        RecordingMessages boxes;
        form->ui()->BtnReg->click();
        QCOMPARE(count(db, "select count(*) from KxHorario"), 2);
        QCOMPARE(storedName(horario), QStringLiteral("OFICINA"));
        QCOMPARE(storedDays(db, horario)[0], QStringLiteral("09:00:00 18:00:00 - -"));
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
        const int kept = addSchedule(db, "VESPERTINO", {"15:00:00 22:00:00 - -"});
        const int gone = addSchedule(db, "MATUTINO", {"07:00:00 15:00:00 - -"});
        db.insertRow("Kxhorario_personal", {{"usuario", 20}, {"horario", gone}, {"orden", 0}});
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", gone}, {"orden", 1}});
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", kept}, {"orden", 2}});
        db.insertRow("KxFngHora", {{"HorID", gone}, {"Usuario", 20}});
        db.insertRow("KxFngHora", {{"HorID", kept}, {"Usuario", 21}});
        open();
        pick("MATUTINO");
        RecordingMessages boxes;
        boxes.answers << yes;
        form->ui()->BtnDel->click();
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("¿Borrar Horario?"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Cuando se elimina un horario, este es removido de todos los "
                                "usuarios al los cuales se les asignó. ¿Está seguro de eliminar "
                                "el registro actual?"));
        const QString remaining = "select count(*) from %1 where %2=?";
        if (!yes) {
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(count(db, "select count(*) from Kxhorario_personal"), 3);
            QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Modificar"));
            return;
        }
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].text, QStringLiteral("El horario fue eliminado."));
        QCOMPARE(boxes.boxes[1].title, QStringLiteral("Registro eliminado"));
        QCOMPARE(count(db, remaining.arg("KxHorario", "Horario"), {gone}), 0);
        QCOMPARE(count(db, remaining.arg("KxFngHora", "HorID"), {gone}), 0);
        QCOMPARE(count(db, remaining.arg("Kxhorario_personal", "horario"), {gone}), 0);
        QCOMPARE(count(db, remaining.arg("Kxhorario_personal", "horario"), {kept}), 1);
        QCOMPARE(count(db, remaining.arg("KxFngHora", "HorID"), {kept}), 1);
        // The list is loaded again and nothing is left to modify or delete.
        QCOMPARE(form->ui()->CmbHor->count(), 1);
        QCOMPARE(form->ui()->CmbHor->itemText(0), QStringLiteral("VESPERTINO"));
        QCOMPARE(form->ui()->CmbHor->currentText(), QString());
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Registrar"));
        QVERIFY(!form->ui()->BtnDel->isEnabled());
    }

    void aFailedDeleteLeavesEverything()
    {
        const int horario = addSchedule(db, "MATUTINO", {"07:00:00 15:00:00 - -"});
        db.insertRow("Kxhorario_personal", {{"usuario", 20}, {"horario", horario}, {"orden", 0}});
        open();
        pick("MATUTINO");
        FatalRecorder fatal;
        RecordingMessages boxes;
        boxes.answers << true;
        // The second of the three statements fails.
        db.exec("RENAME TABLE KxFngHora TO KxFngHora_fuera");
        form->ui()->BtnDel->click();
        db.exec("RENAME TABLE KxFngHora_fuera TO KxFngHora");
        QCOMPARE(fatal.failures.size(), 1);
        QCOMPARE(boxes.boxes.size(), 1); // the question only
        QCOMPARE(count(db, "select count(*) from KxHorario"), 1);
        QCOMPARE(count(db, "select count(*) from Kxhorario_personal"), 1);
    }

    void scheduleDeletedElsewhereReturnsToRegistering()
    {
        const int horario = addSchedule(db, "MATUTINO", {"07:00:00 15:00:00 - -"});
        open();
        db.exec("delete from KxHorario where Horario=?", {horario});
        pick("MATUTINO");
        QCOMPARE(form->ui()->BtnReg->text(), QStringLiteral("&Registrar"));
        QVERIFY(!form->ui()->BtnDel->isEnabled());
        QCOMPARE(form->ui()->CmbHor->currentText(), QString());
    }
};

QTEST_MAIN(TestSchedules)
#include "tst_schedules.moc"
