// The personal and location message screens on the real widgets and the private database:
// what the grids list, what a send stores, the checks before it, and that a send broken half way
// leaves nothing behind.

#include "ConsoleTesting.h"
#include "FrmMPersonales.h"
#include "FrmMPersonales_creacion.h"
#include "FrmMUbicacion.h"
#include "MessageRules.h"
#include "RecordingMessages.h"
#include "RowsModel.h"
#include "TestDatabase.h"
#include "ui_FrmMPersonales.h"
#include "ui_FrmMPersonales_creacion.h"
#include "ui_FrmMUbicacion.h"

#include <QItemSelectionModel>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_messages");
const QDate kToday(2026, 3, 16);
const QDateTime kServerNow(QDate(2026, 3, 16), QTime(10, 20, 30));

// Types text as a person does, one key at a time (accented letters included).
void type(QWidget* box, const QString& text)
{
    box->setFocus();
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
}

QStringList column(const RowsModel* model, int col)
{
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->text(row, col);
    return texts;
}

QStringList headers(const RowsModel* model)
{
    QStringList texts;
    for (int col = 0; col < model->columnCount(); ++col)
        texts << model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    return texts;
}

// Selects (or with MultiSelection toggles) the rows of the view whose key is listed.
void selectKeys(QTableView* view, const RowsModel* model, const QList<int>& keys)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (keys.contains(model->key(row)))
            view->selectionModel()->select(model->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

int rowOf(const RowsModel* model, int key)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->key(row) == key)
            return row;
    }
    return -1;
}

// A statement that fails for one value of `column`, so that a send breaks half way.
void failInsertsFor(Db& db, const QString& table, const QString& column, int value)
{
    db.exec(QStringLiteral("CREATE TRIGGER falla_envio BEFORE INSERT ON %1 FOR EACH ROW "
                           "IF NEW.%2 = %3 THEN SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = "
                           "'envio interrumpido'; END IF")
                .arg(table, column)
                .arg(value));
}

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;

    struct PersonalRow
    {
        int usuario;
        QString asunto, cuerpo;
        QDateTime fecha;
        int remite, recibido;
        bool recepcionNull;
    };
    QList<PersonalRow> personalRows()
    {
        QList<PersonalRow> rows;
        QSqlQuery q = db.query("select Usuario,asunto,cuerpo_mensaje,fecha,remite,recibido,"
                               "fecha_recepcion is null from KxMensajes_personales order by "
                               "Usuario,mensaje");
        while (q.next())
            rows.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                         q.value(3).toDateTime(), q.value(4).toInt(), q.value(5).toInt(),
                         q.value(6).toInt() == 1});
        return rows;
    }
    // "location: text" of every location message row, in location order.
    QStringList locationRows()
    {
        QStringList rows;
        QSqlQuery q = db.query(
            "select Sucursal,Cuerpo_mensaje from Kxmensajes_globales order by Sucursal,fecha");
        while (q.next())
            rows << q.value(0).toString() + ": " + q.value(1).toString();
        return rows;
    }
    void addLocationMessage(int location, const QString& text, const QDateTime& fecha)
    {
        db.insertRow("Kxmensajes_globales",
                     {{"Sucursal", location}, {"Cuerpo_mensaje", text}, {"fecha", fecha}});
    }
    std::unique_ptr<FrmMPersonales_creacion> openCreation()
    {
        auto form = std::make_unique<FrmMPersonales_creacion>(*context);
        form->show();
        return form;
    }
    std::unique_ptr<FrmMUbicacion> openLocations()
    {
        auto form = std::make_unique<FrmMUbicacion>(*context);
        form->show();
        return form;
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
        db.exec("DROP TRIGGER IF EXISTS falla_envio");
        clearTables(db);
        db.insertRow("KxDepart", {{"departamento", 1}, {"Nombre_departamento", "VENTAS"}});
        db.insertRow("KxDepart", {{"departamento", 2}, {"Nombre_departamento", "ALMACÉN"}});
        addUser(db, {{"Usuario", 1},
                     {"Nombre", "RECURSOS HUMANOS"},
                     {"departamento", 1},
                     {"administrador", 1}});
        addUser(db, {{"Usuario", 7}, {"Nombre", "ZOILA MÉNDEZ"}, {"departamento", 2}});
        addUser(db, {{"Usuario", 8}, {"Nombre", "BRUNO IBÁÑEZ"}, {"departamento", 99}});
        addUser(db, {{"Usuario", 9}, {"Nombre", "CARLOS DÍAZ"}, {"activo", 1}});
        db.insertRow("KxSucursales", {{"sucursal", 3}, {"Nombre_sucursal", "MATRIZ"}});
        db.insertRow("KxSucursales", {{"sucursal", 4}, {"Nombre_sucursal", "SUCURSAL QUERÉTARO"}});
        db.insertRow("KxSucursales", {{"sucursal", 5}, {"Nombre_sucursal", "BODEGA ÑUÑOA"}});
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
        context->AdminUser = 1;
        context->clock.setLocalSource([] { return QDateTime(kToday, QTime(9, 0)); });
        // The console's NOW() is a moment unlike the local clock and the date pickers.
        context->db.exec("SET timestamp = UNIX_TIMESTAMP(?)", {kServerNow});
    }
    void cleanup()
    {
        context.reset();
        db.exec("DROP TRIGGER IF EXISTS falla_envio");
    }

    // --- The checks before a send -------------------------------------------------------

    void messageChecks_data()
    {
        QTest::addColumn<bool>("personal"); // false: a location message in `texto`
        QTest::addColumn<QString>("asunto");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("recipients");
        QTest::addColumn<QString>("problem"); // "control: text / title"; empty when none
        const auto row = [](const char* name, bool personal, const QString& asunto,
                            const QString& texto, int recipients, const QString& problem) {
            QTest::newRow(name) << personal << asunto << texto << recipients << problem;
        };
        const QString missing = "Debe especificar Asunto y mensaje / Mensaje Incompleto";
        const QString tooLong = "El mensaje es demasiado largo / Mensaje Demasiado Largo";
        // 32768 "Ñ" are 65536 bytes: one more than the text columns hold.
        const QString overlong(32768, QChar(0xD1));
        row("complete", true, "JUNTA", "A LAS 5", 1, "");
        row("no subject", true, "", "A LAS 5", 1, "TxtAsunto: " + missing);
        row("blank subject", true, "   ", "A LAS 5", 1, "TxtAsunto: " + missing);
        row("text of line breaks", true, "JUNTA", "\n\n", 1, "TxtTexto: " + missing);
        row("subject of 30", true, QString(30, 'A'), "X", 1, "");
        row("subject of 31", true, QString(31, 'A'), "X", 1,
            "TxtAsunto: El Asunto admite como máximo 30 caracteres / Mensaje Demasiado Largo");
        row("text of 65535 bytes", true, "S", QString(65535, 'A'), 1, "");
        row("text of 65536 bytes", true, "S", overlong, 1, "TxtTexto: " + tooLong);
        row("no employee", true, "JUNTA", "A LAS 5", 0,
            "iGrid1: Seleccione al menos un Usuario / Mensaje Incompleto");
        row("location message", false, "", "INVENTARIO", 2, "");
        row("blank location message", false, "", " \n ", 2,
            "TxtMensaje: Debe especificar mensaje / Mensaje Incompleto");
        row("location message too long", false, "", overlong, 1, "TxtMensaje: " + tooLong);
        row("no location", false, "", "INVENTARIO", 0,
            "iGrid1: Seleccione al menos una Ubicación / Mensaje Incompleto");
    }
    void messageChecks()
    {
        QFETCH(bool, personal);
        QFETCH(QString, asunto);
        QFETCH(QString, texto);
        QFETCH(int, recipients);
        QFETCH(QString, problem);
        const auto found = personal ? checkPersonalMessage(asunto, texto, recipients)
                                    : checkLocationMessage(texto, recipients);
        QCOMPARE(found ? found->control + ": " + found->text + " / " + found->title : QString(),
                 problem);
    }

    // --- Personal messages ----------------------------------------------------------------

    void listShowsTheChosenEmployeesMessages()
    {
        const auto add = [this](int user, int remite, const QDateTime& fecha, const QString& asunto,
                                const QVariant& recepcion) {
            db.insertRow("KxMensajes_personales", {{"Usuario", user},
                                                   {"remite", remite},
                                                   {"fecha", fecha},
                                                   {"asunto", asunto},
                                                   {"cuerpo_mensaje", "Línea uno\r\nlínea dos"},
                                                   {"recibido", recepcion.isNull() ? 0 : 1},
                                                   {"fecha_recepcion", recepcion}});
        };
        add(7, 1, QDateTime(QDate(2026, 3, 20), {}), "POSTERIOR", QVariant());
        add(7, 1, QDateTime(QDate(2026, 3, 2), {}), "LEÍDO",
            QDateTime(QDate(2026, 3, 3), QTime(8, 5, 9)));
        add(7, 77, QDateTime(QDate(2026, 3, 1), {}), "REMITENTE BORRADO", QVariant());
        add(8, 1, QDateTime(QDate(2026, 3, 1), {}), "DE OTRO", QVariant());

        FrmMPersonales form(*context);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Mensajes Personales"));
        QCOMPARE(form.ui()->Command1->text(), QStringLiteral("&Nuevo"));
        QCOMPARE(form.ui()->Frame2->title(), QStringLiteral("Mensajes Para:"));
        QCOMPARE(headers(form.employees()), (QStringList{"Usuario", "Nombre", "Departamento"}));
        // Current employees only, in name order; an unknown department shows empty.
        QCOMPARE(column(form.employees(), 1),
                 (QStringList{"BRUNO IBÁÑEZ", "RECURSOS HUMANOS", "ZOILA MÉNDEZ"}));
        QCOMPARE(column(form.employees(), 2), (QStringList{"", "VENTAS", "ALMACÉN"}));
        QCOMPARE(form.messages()->rowCount(), 0);

        form.ui()->iGrid1->setCurrentIndex(form.employees()->index(2, 1));
        QCOMPARE(form.ui()->Frame2->title(),
                 QStringLiteral("Mensajes Personales Para: ZOILA MÉNDEZ"));
        QCOMPARE(headers(form.messages()),
                 (QStringList{"Envio", "Recepción", "Asunto", "Mensaje", "Envia"}));
        QCOMPARE(column(form.messages(), 2), (QStringList{"LEÍDO", "POSTERIOR"}));
        QCOMPARE(column(form.messages(), 0), (QStringList{"02/03/2026", "20/03/2026"}));
        QCOMPARE(column(form.messages(), 1), (QStringList{"03/03/2026 08:05:09", ""}));
        QCOMPARE(column(form.messages(), 3),
                 (QStringList{"Línea uno línea dos", "Línea uno línea dos"}));
        QCOMPARE(column(form.messages(), 4), (QStringList{"RECURSOS HUMANOS", "RECURSOS HUMANOS"}));

        form.ui()->iGrid1->setCurrentIndex(form.employees()->index(0, 0));
        QCOMPARE(column(form.messages(), 2), QStringList{"DE OTRO"});
    }

    void sendingStoresOneRowPerRecipient_data()
    {
        QTest::addColumn<bool>("todos");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("one selected") << false << QList<int>{7} << QList<int>{7};
        QTest::newRow("two selected") << false << QList<int>{8, 7} << QList<int>{7, 8};
        // Every listed employee, the sender too; not the one who left.
        QTest::newRow("Todos los Usuarios") << true << QList<int>{} << QList<int>{1, 7, 8};
        QTest::newRow("Todos, a selection made before")
            << true << QList<int>{8} << QList<int>{1, 7, 8};
    }
    void sendingStoresOneRowPerRecipient()
    {
        QFETCH(bool, todos);
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, stored);
        FrmMPersonales list(*context);
        list.show();
        list.ui()->iGrid1->setCurrentIndex(list.employees()->index(2, 0)); // ZOILA
        QCOMPARE(list.messages()->rowCount(), 0);
        list.ui()->Command1->click();
        QPointer<FrmMPersonales_creacion> form = list.creationScreen();
        QVERIFY(form);
        QCOMPARE(form->windowModality(), Qt::ApplicationModal);
        QCOMPARE(form->windowTitle(), QStringLiteral("Creación de Mensajes"));
        auto* ui = form->ui();
        QCOMPARE(ui->OpcSeleccion->text(), QStringLiteral("Solo los Usuarios Seleccionados"));
        QCOMPARE(ui->OpcTodos->text(), QStringLiteral("Todos los Usuarios"));
        QVERIFY(ui->OpcSeleccion->isChecked());
        QCOMPARE(ui->DtFecha->date(), kToday);
        selectKeys(ui->iGrid1, form->employees(), selected);
        if (todos) {
            QTest::mouseClick(ui->OpcTodos, Qt::LeftButton);
            QCOMPARE(ui->iGrid1->selectionMode(), QAbstractItemView::NoSelection);
            QVERIFY(!ui->iGrid1->selectionModel()->hasSelection());
        }
        ui->DtFecha->setDate(kToday.addDays(1));
        type(ui->TxtAsunto, "junta d'año \"anual\"");
        type(ui->TxtTexto, "sí, mañana; ¿vienes?");
        QCOMPARE(ui->TxtAsunto->text(), QStringLiteral("JUNTA D'AÑO \"ANUAL\""));
        RecordingMessages boxes;
        ui->BtnAceptar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Mensajes Guardados Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Envio Mensajes"));
        QTRY_VERIFY(form.isNull());

        const QList<PersonalRow> rows = personalRows();
        QCOMPARE(rows.size(), stored.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].usuario, stored[i]);
            QCOMPARE(rows[i].asunto, QStringLiteral("JUNTA D'AÑO \"ANUAL\""));
            QCOMPARE(rows[i].cuerpo, QStringLiteral("SÍ, MAÑANA; ¿VIENES?"));
            QCOMPARE(rows[i].fecha, QDateTime(kToday.addDays(1), QTime(0, 0)));
            QCOMPARE(rows[i].remite, 1);
            QCOMPARE(rows[i].recibido, 0);
            QVERIFY(rows[i].recepcionNull);
        }
        // The list shows at once what was sent to the chosen employee, still unread.
        QCOMPARE(column(list.messages(), 2), QStringList{"JUNTA D'AÑO \"ANUAL\""});
        QCOMPARE(column(list.messages(), 1), QStringList{""});
    }

    void refusedSendsStoreNothing_data()
    {
        QTest::addColumn<QString>("asunto");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("anyoneSelected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no text") << "ASUNTO"
                                 << "" << true << "Debe especificar Asunto y mensaje"
                                 << "TxtTexto";
        QTest::newRow("nobody selected") << "ASUNTO"
                                         << "TEXTO" << false << "Seleccione al menos un Usuario"
                                         << "iGrid1";
    }
    void refusedSendsStoreNothing()
    {
        QFETCH(QString, asunto);
        QFETCH(QString, texto);
        QFETCH(bool, anyoneSelected);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        auto form = openCreation();
        QVERIFY(activate(form.get()));
        if (anyoneSelected)
            selectKeys(form->ui()->iGrid1, form->employees(), {7});
        form->ui()->TxtAsunto->setText(asunto);
        form->ui()->TxtTexto->setPlainText(texto);
        form->ui()->BtnAceptar->setFocus();
        RecordingMessages boxes;
        form->ui()->BtnAceptar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, text);
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Mensaje Incompleto"));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(form->isVisible());
        QCOMPARE(count(db, "select count(*) from KxMensajes_personales"), 0);
    }

    void subjectHoldsThirtyCharacters()
    {
        auto form = openCreation();
        QLineEdit* box = form->ui()->TxtAsunto;
        type(box, "capacitación obligatoria de seguridad");
        QCOMPARE(box->text(), QStringLiteral("CAPACITACIÓN OBLIGATORIA DE SE"));
        box->clear();
        box->insert(QString(40, 'x')); // as a paste does, past the key filter
        QCOMPARE(box->text().size(), 30);
        selectKeys(form->ui()->iGrid1, form->employees(), {7});
        form->ui()->TxtTexto->setPlainText("TEXTO");
        RecordingMessages boxes;
        form->ui()->BtnAceptar->click();
        QCOMPARE(db.scalar("select asunto from KxMensajes_personales").toString(),
                 QString(30, 'X'));
    }

    void enterMovesOnFromTheTextBoxes()
    {
        auto form = openCreation();
        QVERIFY(activate(form.get()));
        auto* ui = form->ui();
        ui->TxtAsunto->setFocus();
        QTest::keyClick(ui->TxtAsunto, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ui->TxtTexto);
        QTest::keyClick(ui->TxtTexto, Qt::Key_Return);
        QCOMPARE(ui->TxtTexto->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), ui->BtnAceptar);
    }

    void aSendBrokenHalfWayStoresNothing()
    {
        auto form = openCreation();
        form->ui()->OpcTodos->click();
        form->ui()->TxtAsunto->setText("AVISO");
        form->ui()->TxtTexto->setPlainText("TEXTO");
        // ZOILA MÉNDEZ is the last of three recipients in name order.
        failInsertsFor(db, "KxMensajes_personales", "Usuario", 7);
        FatalRecorder fatal;
        RecordingMessages boxes;
        form->ui()->BtnAceptar->click();
        QCOMPARE(fatal.failures.size(), 1);
        QCOMPARE(count(db, "select count(*) from KxMensajes_personales"), 0);
        QCOMPARE(boxes.boxes.size(), 0); // no success reported
        QVERIFY(form->isVisible());
        // The connection is usable again afterwards.
        db.exec("DROP TRIGGER falla_envio");
        form->ui()->BtnAceptar->click();
        QCOMPARE(count(db, "select count(*) from KxMensajes_personales"), 3);
    }

    // --- Location messages ----------------------------------------------------------------

    void choosingALocationShowsItsMessage()
    {
        addLocationMessage(3, "INVENTARIO EL SÁBADO", QDateTime(QDate(2026, 2, 27), QTime(17, 5)));
        auto form = openLocations();
        auto* ui = form->ui();
        QCOMPARE(form->windowTitle(), QStringLiteral("Mensajes Generales"));
        QCOMPARE(ui->ChKTodos->text(), QStringLiteral("&Enviar a todas las Ubicaciones"));
        QCOMPARE(headers(form->locations()), (QStringList{"Ubicación", "Nombre"}));
        QCOMPARE(column(form->locations(), 1),
                 (QStringList{"BODEGA ÑUÑOA", "MATRIZ", "SUCURSAL QUERÉTARO"}));
        ui->iGrid1->setCurrentIndex(form->locations()->index(rowOf(form->locations(), 3), 0));
        QCOMPARE(ui->Frame2->title(), QStringLiteral("Mensaje General Para: MATRIZ"));
        QCOMPARE(ui->DTPFecha->date(), QDate(2026, 2, 27));
        QCOMPARE(ui->TxtMensaje->toPlainText(), QStringLiteral("INVENTARIO EL SÁBADO"));
        ui->iGrid1->setCurrentIndex(form->locations()->index(rowOf(form->locations(), 5), 0));
        QCOMPARE(ui->Frame2->title(), QStringLiteral("Mensaje General Para: BODEGA ÑUÑOA"));
        QCOMPARE(ui->DTPFecha->date(), kToday);
        QCOMPARE(ui->TxtMensaje->toPlainText(), QString());
    }

    void savingReplacesTheChosenLocationsMessages_data()
    {
        QTest::addColumn<bool>("todas");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("rows");
        const QString nuevo = "CIERRE A LAS 3, ¿QUEDÓ CLARO? 'SÍ'";
        // Before: 3 ANTERIOR; 5 twice; 99 (a location no longer listed).
        QTest::newRow("one selected") << false << QList<int>{4}
                                      << QStringList{"3: ANTERIOR", "4: " + nuevo, "5: DOBLE UNO",
                                                     "5: DOBLE DOS", "99: HUÉRFANO"};
        QTest::newRow("a location with two rows keeps one")
            << false << QList<int>{5} << QStringList{"3: ANTERIOR", "5: " + nuevo, "99: HUÉRFANO"};
        QTest::newRow("two selected") << false << QList<int>{3, 4}
                                      << QStringList{"3: " + nuevo, "4: " + nuevo, "5: DOBLE UNO",
                                                     "5: DOBLE DOS", "99: HUÉRFANO"};
        QTest::newRow("Enviar a todas las Ubicaciones")
            << true << QList<int>{4} << QStringList{"3: " + nuevo, "4: " + nuevo, "5: " + nuevo};
    }
    void savingReplacesTheChosenLocationsMessages()
    {
        QFETCH(bool, todas);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, rows);
        const QDateTime before(QDate(2026, 1, 5), QTime(8, 0));
        addLocationMessage(3, "ANTERIOR", before);
        addLocationMessage(5, "DOBLE UNO", before);
        addLocationMessage(5, "DOBLE DOS", before);
        addLocationMessage(99, "HUÉRFANO", before);
        auto form = openLocations();
        auto* ui = form->ui();
        selectKeys(ui->iGrid1, form->locations(), selected);
        ui->ChKTodos->setChecked(todas);
        ui->DTPFecha->setDate(QDate(2020, 1, 1)); // not what is stored
        type(ui->TxtMensaje, "cierre a las 3, ¿quedó claro? 'sí'");
        RecordingMessages boxes;
        ui->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Mensajes Guardados Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Envio Mensajes"));
        QCOMPARE(locationRows(), rows);
        QCOMPARE(ui->TxtMensaje->toPlainText(), QString());
        // New rows carry the server's time of saving; the others keep theirs.
        QSqlQuery q = db.query("select Sucursal,fecha,Cuerpo_mensaje from Kxmensajes_globales");
        while (q.next()) {
            const bool changed = q.value(2).toString().startsWith("CIERRE");
            QCOMPARE(q.value(1).toDateTime(), changed ? kServerNow : before);
        }
        const QList<int> marked = todas ? QList<int>{3, 4, 5} : selected;
        for (int row = 0; row < form->locations()->rowCount(); ++row)
            QCOMPARE(form->locations()->isSent(row), marked.contains(form->locations()->key(row)));
    }

    void aSaveForNoLocationChangesNothing()
    {
        addLocationMessage(3, "ANTERIOR", kServerNow.addDays(-1));
        auto form = openLocations();
        form->ui()->TxtMensaje->setPlainText("AVISO");
        RecordingMessages boxes;
        form->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Seleccione al menos una Ubicación"));
        QCOMPARE(locationRows(), QStringList{"3: ANTERIOR"});
        QCOMPARE(form->ui()->TxtMensaje->toPlainText(), QStringLiteral("AVISO"));
    }

    void aSaveToAllBrokenHalfWayChangesNothing()
    {
        addLocationMessage(3, "ANTERIOR", kServerNow.addDays(-1));
        addLocationMessage(99, "HUÉRFANO", kServerNow.addDays(-1));
        auto form = openLocations();
        form->ui()->ChKTodos->setChecked(true);
        form->ui()->TxtMensaje->setPlainText("nuevo"); // pasted, past the key filter
        // SUCURSAL QUERÉTARO is the last of the three listed locations.
        failInsertsFor(db, "Kxmensajes_globales", "Sucursal", 4);
        FatalRecorder fatal;
        RecordingMessages boxes;
        form->ui()->CmdGuardar->click();
        QCOMPARE(fatal.failures.size(), 1);
        QCOMPARE(boxes.boxes.size(), 0);
        QCOMPARE(locationRows(), (QStringList{"3: ANTERIOR", "99: HUÉRFANO"}));
        QCOMPARE(form->ui()->TxtMensaje->toPlainText(), QStringLiteral("nuevo"));
        QVERIFY(!form->locations()->isSent(rowOf(form->locations(), 3)));
        // The connection is usable again afterwards; the text is stored in upper case.
        db.exec("DROP TRIGGER falla_envio");
        form->ui()->CmdGuardar->click();
        QCOMPARE(locationRows(), (QStringList{"3: NUEVO", "4: NUEVO", "5: NUEVO"}));
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
