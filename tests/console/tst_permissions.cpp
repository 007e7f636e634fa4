// The permissions screens on the real widgets and the private database: the users and their
// permissions, the filters, a new permission, the overlap check (a changed permission keeps its
// own days), the missing fields, deleting, and two consoles saving overlapping periods at once.

#include "AbsencesTesting.h"
#include "ConsoleTesting.h"
#include "FrmPermisos.h"
#include "FrmPermisos_creacion.h"
#include "PermissionStore.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmPermisos.h"
#include "ui_FrmPermisos_creacion.h"

#include <atomic>
#include <QSqlQuery>
#include <QtTest>
#include <thread>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_permissions");
const QDate kToday(2025, 6, 16);
const int kAdmin = 1;

QDate june(int day)
{
    return QDate(2025, 6, day);
}

struct StoredPermission
{
    int usuario = 0;
    QDate inicio;
    QDate fin;
    QString motivo;
    QString autoriza;
    int tipo = 0;
    int captura = 0;
};

} // namespace

class TestPermissions : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmPermisos> list;
    const int pena = 7;
    const int ruiz = 8;

    int addPermission(int user, const QDate& from, const QDate& to, int tipo,
                      const QString& motivo = QStringLiteral("MOTIVO"))
    {
        return int(db.insertRow("permisos", {{"usuario", user},
                                             {"Fecha_inicio", from},
                                             {"Fecha_fin", to},
                                             {"Motivo", motivo},
                                             {"autoriza", "GERENCIA"},
                                             {"tipo", tipo},
                                             {"captura", kAdmin}}));
    }
    QList<StoredPermission> stored(int user)
    {
        QSqlQuery q = db.query("select usuario,Fecha_inicio,Fecha_fin,Motivo,autoriza,tipo,captura "
                               "from permisos where usuario=? order by Fecha_inicio",
                               {user});
        QList<StoredPermission> rows;
        while (q.next())
            rows << StoredPermission{q.value(0).toInt(),    q.value(1).toDate(),
                                     q.value(2).toDate(),   q.value(3).toString(),
                                     q.value(4).toString(), q.value(5).toInt(),
                                     q.value(6).toInt()};
        return rows;
    }

    FrmPermisos* openList()
    {
        list = std::make_unique<FrmPermisos>(*context);
        list->show();
        return list.get();
    }
    void choose(const QString& name)
    {
        const int row = rowOf(list->ui()->iGrid1, name);
        QVERIFY(row >= 0);
        list->iGrid1_DblClick(row);
    }
    FrmPermisos_creacion* openNew(const QString& name)
    {
        openList();
        choose(name);
        list->ui()->BtnNuevo->click();
        return list->editor();
    }
    FrmPermisos_creacion* openStored(const QString& name, const QString& motivo)
    {
        openList();
        choose(name);
        const int row = rowOf(list->ui()->iGrid2, motivo, 3);
        if (row < 0)
            return nullptr;
        list->iGrid2_DblClick(row);
        return list->editor();
    }
    void fill(FrmPermisos_creacion* editor, const QDate& first, const QDate& last,
              const QString& motivo, const QString& autoriza)
    {
        pickPeriod(editor->ui()->Mes, first, last);
        typeText(editor->ui()->TxtMotivo, motivo);
        typeText(editor->ui()->TxtAutoriza, autoriza);
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
        db.insertRow("Kxdepart", {{"departamento", 2}, {"Nombre_departamento", "Almacén"}});
        addUser(db, {{"Usuario", kAdmin}, {"Nombre", "ADMINISTRADORA"}, {"administrador", 1}});
        addUser(db, {{"Usuario", pena}, {"Nombre", "JOSÉ PEÑA"}, {"departamento", 2}});
        addUser(db, {{"Usuario", ruiz}, {"Nombre", "ÁNGEL RUIZ"}});
        addUser(db, {{"Usuario", 9}, {"Nombre", "BAJA DADO"}, {"activo", 1}});
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
        context->AdminUser = kAdmin;
        context->clock.setLocalSource([] { return QDateTime(kToday, QTime(10, 0)); });
    }
    void cleanup()
    {
        list.reset();
        context.reset();
    }

    void listScreen()
    {
        addPermission(pena, june(1), june(3), 5, "VACACIONES DE JUNIO");
        addPermission(pena, QDate(2025, 5, 10), june(20), 7, "EMPEZÓ ANTES DEL FILTRO");
        addPermission(ruiz, june(2), june(2), 1, "DE OTRO");
        openList();
        QCOMPARE(list->windowTitle(), QStringLiteral("Permisos,Vacaciones y Sanciones"));
        QCOMPARE(list->ui()->DTPDesde->date(), kToday.addDays(-30));
        QCOMPARE(list->ui()->DTPHasta->date(), kToday);
        // Active users only, by name, with the department.
        QCOMPARE(
            gridRows(list->ui()->iGrid1),
            (QStringList{"1 | ADMINISTRADORA | ", "8 | ÁNGEL RUIZ | ", "7 | JOSÉ PEÑA | Almacén"}));
        QCOMPARE(list->ui()->iGrid2->rowCount(), 0);
        choose("JOSÉ PEÑA");
        QCOMPARE(list->ui()->FrmEventos->title(), QStringLiteral("Eventos de: JOSÉ PEÑA"));
        QCOMPARE(context->ChosenUser, pena);
        QCOMPARE(context->ChosenUserName, QStringLiteral("JOSÉ PEÑA"));
        // Only the permissions that begin inside the window; the number column is hidden.
        const QLocale locale;
        QCOMPARE(gridRows(list->ui()->iGrid2),
                 QStringList{locale.toString(june(1), QLocale::ShortFormat) + " | " +
                             locale.toString(june(3), QLocale::ShortFormat) +
                             " | VACACIONES DE JUNIO | Vacaciones"});
        QVERIFY(list->ui()->iGrid2->isColumnHidden(0));
    }

    void newOneDayPermission()
    {
        FrmPermisos_creacion* editor = openNew("JOSÉ PEÑA");
        QVERIFY(editor);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Programación de Evento Para: JOSÉ PEÑA"));
        auto* ui = editor->ui();
        QCOMPARE(ui->CmdGuardar->text(), QStringLiteral("&Guardar"));
        QVERIFY(!ui->CmdBorrar->isEnabled());
        QVERIFY(ui->OpcTarde->isChecked());
        QCOMPARE(ui->Mes->startDay(), kToday);
        QCOMPARE(ui->LblPeriodo->text(), QStringLiteral("Periodo:"));
        QCOMPARE(ui->LblDias->text(), QStringLiteral("Dias del Periodo:"));

        pickPeriod(ui->Mes, june(24), june(24));
        QCOMPARE(ui->LblDias->text(), QStringLiteral("Días del Periodo: 1"));
        const QString day = QLocale().toString(june(24), QLocale::ShortFormat);
        QCOMPARE(ui->LblPeriodo->text(), "Periodo del: " + day + "  Al: " + day);
        typeText(ui->TxtMotivo, "cita médica d'ana");
        typeText(ui->TxtAutoriza, "gerencia de almacén");
        ui->OpcVaca->setChecked(true);
        RecordingMessages boxes;
        QPointer<FrmPermisos_creacion> open = editor;
        ui->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Permiso Guardado Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Guardar Permiso"));
        QTRY_VERIFY(open.isNull());
        const auto rows = stored(pena);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].inicio, june(24));
        QCOMPARE(rows[0].fin, june(24));
        QCOMPARE(rows[0].motivo, QStringLiteral("CITA MÉDICA D'ANA"));
        QCOMPARE(rows[0].autoriza, QStringLiteral("GERENCIA DE ALMACÉN"));
        QCOMPARE(rows[0].tipo, 5);
        QCOMPARE(rows[0].captura, kAdmin);
        // The list was reloaded; the new day lies after the window's end, so widen it.
        list->ui()->DTPHasta->setDate(june(30));
        QCOMPARE(list->ui()->iGrid2->rowCount(), 1);
    }

    // A stored period 10 to 20 June; a new one of the same employee.
    void overlapRefused_data()
    {
        QTest::addColumn<QDate>("first");
        QTest::addColumn<QDate>("last");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("wholly inside") << june(12) << june(14) << false;
        QTest::newRow("wholly around") << june(5) << june(25) << false;
        QTest::newRow("partly over") << june(18) << june(23) << false;
        QTest::newRow("on its last day") << june(20) << june(20) << false;
        QTest::newRow("ends the day before") << june(1) << june(9) << true;
        QTest::newRow("starts the day after") << june(21) << june(22) << true;
    }
    void overlapRefused()
    {
        QFETCH(QDate, first);
        QFETCH(QDate, last);
        QFETCH(bool, accepted);
        addPermission(pena, june(10), june(20), 5);
        addPermission(ruiz, first, last, 5); // another employee's days do not count
        QPointer<FrmPermisos_creacion> editor = openNew("JOSÉ PEÑA");
        QVERIFY(editor);
        fill(editor, first, last, "MOTIVO", "GERENCIA");
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        if (accepted) {
            QCOMPARE(boxes.boxes[0].text, QStringLiteral("Permiso Guardado Correctamente"));
            QTRY_VERIFY(editor.isNull());
            QCOMPARE(stored(pena).size(), 2);
            return;
        }
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Ya hay Eventos Activos en el Rango de Fechas Seleccionadas"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Empalme de Eventos"));
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->ui()->TxtMotivo->text(), QStringLiteral("MOTIVO"));
        QCOMPARE(editor->ui()->Mes->startDay(), first);
        QCOMPARE(stored(pena).size(), 1);
    }

    void changedPermissionKeepsItsOwnDays()
    {
        addPermission(pena, june(10), june(20), 2, "SALIDAS TEMPRANO");
        addPermission(pena, june(24), june(26), 5, "VACACIONES");
        QPointer<FrmPermisos_creacion> editor = openStored("JOSÉ PEÑA", "SALIDAS TEMPRANO");
        QVERIFY(editor);
        auto* ui = editor->ui();
        QCOMPARE(ui->CmdGuardar->text(), QStringLiteral("&Modificar"));
        QVERIFY(ui->CmdBorrar->isEnabled());
        QVERIFY(ui->OpcTemprano->isChecked());
        QCOMPARE(ui->Mes->startDay(), june(10));
        QCOMPARE(ui->Mes->endDay(), june(20));
        QCOMPARE(ui->LblDias->text(), QStringLiteral("Días del Periodo: 11"));
        QCOMPARE(ui->TxtMotivo->text(), QStringLiteral("SALIDAS TEMPRANO"));
        QCOMPARE(ui->TxtAutoriza->text(), QStringLiteral("GERENCIA"));

        // Onto the other permission: refused.
        pickPeriod(ui->Mes, june(12), june(24));
        RecordingMessages boxes;
        ui->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Empalme de Eventos"));

        // Within and beyond its own days: accepted.
        pickPeriod(ui->Mes, june(12), june(23));
        ui->OpcSancion->setChecked(true);
        boxes.boxes.clear();
        ui->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Permiso Modificado Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Guardar Permiso"));
        QTRY_VERIFY(editor.isNull());
        const auto rows = stored(pena);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].inicio, june(12));
        QCOMPARE(rows[0].fin, june(23));
        QCOMPARE(rows[0].tipo, 6);
        QCOMPARE(rows[0].usuario, pena);
    }

    void missingFieldsRefused_data()
    {
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<QString>("autoriza");
        QTest::addColumn<bool>("overlapping");
        QTest::addColumn<QString>("title");
        QTest::newRow("no reason") << ""
                                   << "GERENCIA" << false << "Faltan Datos";
        QTest::newRow("no authoriser") << "MOTIVO"
                                       << "" << false << "Faltan Datos";
        QTest::newRow("blanks only") << "   "
                                     << "GERENCIA" << false << "Faltan Datos";
        QTest::newRow("the overlap is told first") << ""
                                                   << "" << true << "Empalme de Eventos";
    }
    void missingFieldsRefused()
    {
        QFETCH(QString, motivo);
        QFETCH(QString, autoriza);
        QFETCH(bool, overlapping);
        QFETCH(QString, title);
        addPermission(pena, june(10), june(10), 1);
        QPointer<FrmPermisos_creacion> editor = openNew("JOSÉ PEÑA");
        QVERIFY(editor);
        const QDate day = overlapping ? june(10) : june(11);
        fill(editor, day, day, motivo, autoriza);
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].title, title);
        if (title == "Faltan Datos")
            QCOMPARE(
                boxes.boxes[0].text,
                QStringLiteral("Debe especificar un Motivo y persona que autoriza la ausencia"));
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->ui()->TxtMotivo->text(), motivo);
        QCOMPARE(editor->ui()->TxtAutoriza->text(), autoriza);
        QCOMPARE(stored(pena).size(), 1);
    }

    void filtersAndDates()
    {
        addPermission(pena, june(2), june(2), 1, "TARDE");
        addPermission(pena, june(4), june(6), 5, "VACACIONES");
        addPermission(pena, june(9), june(9), 9, "CÓDIGO NUEVE");
        openList();
        choose("JOSÉ PEÑA");
        const auto motives = [this] {
            QStringList texts;
            for (int row = 0; row < list->ui()->iGrid2->rowCount(); ++row)
                texts << list->ui()->iGrid2->item(row, 3)->text() + "/" +
                             list->ui()->iGrid2->item(row, 4)->text();
            texts.sort();
            return texts;
        };
        QCOMPARE(motives(), (QStringList{"CÓDIGO NUEVE/Incapacidad", "TARDE/Llegar Tarde",
                                         "VACACIONES/Vacaciones"}));
        const QList<QCheckBox*> boxes{list->ui()->ChkTarde,      list->ui()->ChkTemprano,
                                      list->ui()->ChkSinGoce,    list->ui()->ChkConGoce,
                                      list->ui()->ChkVaca,       list->ui()->ChkSancion,
                                      list->ui()->ChkIncapacidad};
        for (QCheckBox* box : boxes) {
            QVERIFY(box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box->height() / 2));
        }
        QCOMPARE(list->ui()->iGrid2->rowCount(), 0);
        QTest::mouseClick(list->ui()->ChkVaca, Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, list->ui()->ChkVaca->height() / 2));
        QCOMPARE(motives(), QStringList{"VACACIONES/Vacaciones"});
        QTest::mouseClick(list->ui()->ChkIncapacidad, Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, list->ui()->ChkIncapacidad->height() / 2));
        QCOMPARE(motives(), (QStringList{"CÓDIGO NUEVE/Incapacidad", "VACACIONES/Vacaciones"}));
        // A row added meanwhile shows at the next reload: the list is read again each time.
        addPermission(pena, june(12), june(12), 7, "GRIPE");
        QTest::mouseClick(list->ui()->ChkTarde, Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, list->ui()->ChkTarde->height() / 2));
        QCOMPARE(motives(), (QStringList{"CÓDIGO NUEVE/Incapacidad", "GRIPE/Incapacidad",
                                         "TARDE/Llegar Tarde", "VACACIONES/Vacaciones"}));

        // The start after the end: nothing.
        list->ui()->DTPDesde->setDate(june(15));
        list->ui()->DTPHasta->setDate(june(14));
        QCOMPARE(list->ui()->iGrid2->rowCount(), 0);
        list->ui()->DTPDesde->setDate(june(4));
        QCOMPARE(motives(), (QStringList{"CÓDIGO NUEVE/Incapacidad", "GRIPE/Incapacidad",
                                         "VACACIONES/Vacaciones"}));
    }

    void newWithoutAChosenUserAsksForOne()
    {
        // A user chosen in another screen does not count.
        context->ChosenUser = pena;
        context->ChosenUserName = "JOSÉ PEÑA";
        openList();
        RecordingMessages boxes;
        list->ui()->BtnNuevo->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Seleccione primero un Usuario con doble clic en la lista"));
        QVERIFY(!list->editor());
        QCOMPARE(count(db, "select count(*) from permisos"), 0);
    }

    void deletingAsksFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No keeps it") << false;
        QTest::newRow("Yes deletes it") << true;
    }
    void deletingAsksFirst()
    {
        QFETCH(bool, yes);
        addPermission(pena, june(2), june(3), 4, "TRÁMITE");
        addPermission(pena, june(5), june(5), 4, "OTRO TRÁMITE");
        QPointer<FrmPermisos_creacion> editor = openStored("JOSÉ PEÑA", "TRÁMITE");
        QVERIFY(editor);
        RecordingMessages boxes;
        boxes.answers << yes;
        editor->ui()->CmdBorrar->click();
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("¿Está seguro de Eliminar el Evento?"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Borrar Evento"));
        if (!yes) {
            QCOMPARE(boxes.boxes.size(), 1);
            QVERIFY(editor && editor->isVisible());
            QCOMPARE(stored(pena).size(), 2);
            return;
        }
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].text, QStringLiteral("Evento Eliminado Correctamente!!"));
        QCOMPARE(boxes.boxes[1].title, QStringLiteral("Evento Borrado"));
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(stored(pena).size(), 1);
        QCOMPARE(stored(pena)[0].motivo, QStringLiteral("OTRO TRÁMITE"));
        QCOMPARE(gridRows(list->ui()->iGrid2).size(), 1);
    }

    void permissionDeletedElsewhereIsNotRecreated()
    {
        const int permiso = addPermission(pena, june(2), june(3), 4, "TRÁMITE");
        QPointer<FrmPermisos_creacion> editor = openStored("JOSÉ PEÑA", "TRÁMITE");
        QVERIFY(editor);
        db.exec("delete from permisos where Permiso=?", {permiso});
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Permiso Inexistente"));
        QCOMPARE(count(db, "select count(*) from permisos"), 0);
    }

    // Two consoles save overlapping periods of one employee at the same moment: the first holds
    // its save between the check and the write while the second one runs.
    void racingConsolesLeaveOne_data()
    {
        QTest::addColumn<bool>("hasOtherPermission");
        QTest::newRow("employee without permissions") << false;
        QTest::newRow("employee with another permission") << true;
    }
    void racingConsolesLeaveOne()
    {
        QFETCH(bool, hasOtherPermission);
        if (hasOtherPermission)
            addPermission(pena, QDate(2025, 1, 2), QDate(2025, 1, 3), 1);
        FatalRecorder fatal;
        PermissionStore::Permission first;
        first.usuario = pena;
        first.entry = {{june(10), june(20)}, "PRIMERA CONSOLA", "GERENCIA"};
        first.tipo = 5;
        PermissionStore::Permission second = first;
        second.entry = {{june(15), june(25)}, "SEGUNDA CONSOLA", "GERENCIA"};

        Db consoleA;
        QVERIFY(consoleA.open(connectionString(kDatabase)));
        auto held = std::make_unique<PermissionStore::Save>(consoleA, pena);
        QVERIFY(held->locked());
        QVERIFY(!held->overlap(first.entry.period, 0));

        std::atomic<int> outcome{-1};
        std::jthread consoleB([&] {
            Db db;
            if (db.open(connectionString(kDatabase)))
                outcome = int(PermissionStore::save(db, second, kAdmin));
        });
        // The second console has reached a locking read of its own (and waits there), or it has
        // finished without waiting.
        const auto waiting = [this] {
            return count(db,
                         "select count(*) from information_schema.PROCESSLIST where "
                         "DB=? and ID<>CONNECTION_ID() and INFO like '%FOR UPDATE%'",
                         {kDatabase});
        };
        QTRY_VERIFY_WITH_TIMEOUT(outcome != -1 || waiting() > 0, 20000);
        QVERIFY(held->write(first, kAdmin));
        QVERIFY(held->commit());
        held.reset();
        consoleB.join();
        QCOMPARE(outcome.load(), int(PermissionStore::Outcome::Overlap));
        QCOMPARE(
            count(db,
                  "select count(*) from permisos where usuario=? and Fecha_inicio>='2025-06-01'",
                  {pena}),
            1);
        QCOMPARE(stored(pena).last().motivo, QStringLiteral("PRIMERA CONSOLA"));
        QVERIFY(fatal.failures.isEmpty());
    }
};

QTEST_MAIN(TestPermissions)
#include "tst_permissions.moc"
