// The manual events screens on the real widgets and the private database: the users and the
// day's event, creating each accepted sequence, the refused ones, changing an event a terminal
// closed, the schedule of a day by week parity, a row a terminal adds while the screen is open,
// and the audit row every save leaves.

#include "AbsencesTesting.h"
#include "ConsoleTesting.h"
#include "FrmEventos_manuales.h"
#include "FrmEventos_manuales_creacion.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmEventos_manuales.h"
#include "ui_FrmEventos_manuales_creacion.h"

#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_manual_events");
const QDate kToday(2026, 12, 9);
const QDate kDay(2026, 12, 7);
const int kAdmin = 1;
const int kUser = 20;
const int kLocation = 3;

// A KxEvento row as the tests compare it.
struct EventRow
{
    int count = 0;                                      // rows of the user and day
    QString entrada, salidaBreak, regresoBreak, salida; // "HH:mm:ss" or empty for NULL
    int cerrado = -1, editadaEntrada = -1, editadaSalida = -1, tipo = -1, horario = -1;
    QVariant sucursalEntra, sucursalSale;
};

QString timeOf(const QVariant& value)
{
    return value.isNull() ? QString() : value.toDateTime().toString("HH:mm:ss");
}

// What the pickers hold: "E C R S" times, "-" for an empty picker.
struct Picks
{
    QString entrada, salidaBreak, regresoBreak, salida;
};

} // namespace

Q_DECLARE_METATYPE(Picks)

namespace {

QTime pickerTime(const QString& text)
{
    return text == "-" ? QTime(0, 0, 0) : QTime::fromString(text, "HH:mm:ss");
}

} // namespace

class TestManualEvents : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmEventos_manuales> list;

    EventRow eventRow(int user = kUser, const QDate& day = kDay)
    {
        EventRow row;
        row.count =
            count(db, "select count(*) from KxEvento where usuario=? and fecha=?", {user, day});
        QSqlQuery q = db.query("select entrada,salida_break,regreso_break,salida,cerrado,"
                               "editada_entrada,editada_Salida,tipo,horario,sucursal_entra,"
                               "sucursal_sale,fecha from KxEvento where usuario=? and fecha=? "
                               "order by evento",
                               {user, day});
        if (!q.next())
            return row;
        row.entrada = timeOf(q.value(0));
        row.salidaBreak = timeOf(q.value(1));
        row.regresoBreak = timeOf(q.value(2));
        row.salida = timeOf(q.value(3));
        row.cerrado = q.value(4).toInt();
        row.editadaEntrada = q.value(5).toInt();
        row.editadaSalida = q.value(6).toInt();
        row.tipo = q.value(7).toInt();
        row.horario = q.value(8).toInt();
        row.sucursalEntra = q.value(9);
        row.sucursalSale = q.value(10);
        // Every mark lies on the event's day.
        for (int column = 0; column < 4; ++column)
            if (!q.value(column).isNull())
                [&] { QCOMPARE(q.value(column).toDateTime().date(), q.value(11).toDate()); }();
        return row;
    }

    // A closed day as a terminal at location 2 leaves it.
    int addTerminalDay(const QString& salida = "18:02:00")
    {
        return int(db.insertRow(
            "KxEvento",
            {{"usuario", kUser},
             {"fecha", kDay},
             {"entrada", QDateTime(kDay, QTime(8, 57))},
             {"salida_break", QDateTime(kDay, QTime(14, 1))},
             {"regreso_break", QDateTime(kDay, QTime(14, 58))},
             {"salida",
              salida.isEmpty() ? QVariant() : QVariant(QDateTime(kDay, QTime::fromString(salida)))},
             {"horario", 4},
             {"tipo", 1},
             {"sucursal_entra", 2},
             {"sucursal_sale", salida.isEmpty() ? QVariant() : QVariant(2)},
             {"cerrado", salida.isEmpty() ? 0 : 1}}));
    }

    FrmEventos_manuales* openList(const QDate& day = kDay)
    {
        list = std::make_unique<FrmEventos_manuales>(*context);
        list->show();
        list->ui()->Calendario->setSelectedDate(day);
        return list.get();
    }
    void choose(const QString& name)
    {
        const int row = rowOf(list->ui()->iGrid1, name);
        QVERIFY(row >= 0);
        list->iGrid1_DblClick(row);
    }
    FrmEventos_manuales_creacion* openEditor(const QString& name = "ANA LÓPEZ",
                                             const QDate& day = kDay)
    {
        openList(day);
        choose(name);
        list->ui()->CmdAgregar->click();
        return list->editor();
    }
    void setPicks(FrmEventos_manuales_creacion* editor, const Picks& picks)
    {
        editor->ui()->DPEntrada->setTime(pickerTime(picks.entrada));
        editor->ui()->DPEComida->setTime(pickerTime(picks.salidaBreak));
        editor->ui()->DPRComida->setTime(pickerTime(picks.regresoBreak));
        editor->ui()->DPSalida->setTime(pickerTime(picks.salida));
    }
    QList<QVariantList> trailRows()
    {
        QSqlQuery q = db.query(
            "select evento,usuario,fecha,entrada_antes,salida_break_antes,regreso_break_antes,"
            "salida_antes,cerrado_antes,entrada_despues,salida_break_despues,"
            "regreso_break_despues,salida_despues,cerrado_despues,administrador,sucursal,momento "
            "from KxEvento_bitacora order by bitacora");
        QList<QVariantList> rows;
        while (q.next()) {
            QVariantList row;
            for (int i = 0; i < 16; ++i)
                row << (i >= 3 && i <= 11 && i != 7 ? QVariant(timeOf(q.value(i))) : q.value(i));
            rows << row;
        }
        return rows;
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
        addUser(db, {{"Usuario", kAdmin}, {"Nombre", "ADMINISTRADORA"}, {"administrador", 1}});
        addUser(db, {{"Usuario", kUser}, {"Nombre", "ANA LÓPEZ"}});
        addUser(db, {{"Usuario", 21}, {"Nombre", "ÑOÑO ROTATIVO"}, {"Horario_rotativo", 1}});
        db.insertRow("KxHorario", {{"Horario", 4}, {"Nombre_horario", "OFICINA"}});
        db.insertRow("KxHorario", {{"Horario", 5}, {"Nombre_horario", "SEMANAS NONES"}});
        db.insertRow("KxHorario", {{"Horario", 6}, {"Nombre_horario", "SEMANAS PARES"}});
        db.insertRow("Kxhorario_personal", {{"usuario", kUser}, {"horario", 4}, {"orden", 0}});
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", 5}, {"orden", 1}});
        db.insertRow("Kxhorario_personal", {{"usuario", 21}, {"horario", 6}, {"orden", 2}});
        context = std::make_unique<ConsoleContext>();
        context->db.open(connectionString(kDatabase));
        context->AdminUser = kAdmin;
        context->LocationNumber = kLocation;
        context->clock.setLocalSource([] { return QDateTime(kToday, QTime(10, 0)); });
    }
    void cleanup()
    {
        list.reset();
        context.reset();
    }

    void listScreenBeforeAndAfterChoosingAUser()
    {
        addTerminalDay();
        list = std::make_unique<FrmEventos_manuales>(*context);
        list->show();
        QCOMPARE(list->windowTitle(), QStringLiteral("Eventos Manuales"));
        QCOMPARE(list->ui()->Calendario->selectedDate(), kToday);
        QCOMPARE(list->ChosenDay, kToday);
        QCOMPARE(
            gridRows(list->ui()->iGrid1),
            (QStringList{"1 | ADMINISTRADORA | ", "20 | ANA LÓPEZ | ", "21 | ÑOÑO ROTATIVO | "}));
        // No user chosen: picking a day shows nothing and the frame keeps its caption.
        list->ui()->Calendario->setSelectedDate(kDay);
        QCOMPARE(list->ChosenDay, kDay);
        QCOMPARE(list->ui()->iGrid2->rowCount(), 0);
        QCOMPARE(list->ui()->Frame3->title(), QStringLiteral("Eventos de:"));
        RecordingMessages boxes;
        list->ui()->CmdAgregar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QVERIFY(!list->editor());

        choose("ANA LÓPEZ");
        QCOMPARE(context->ChosenUser, kUser);
        QCOMPARE(list->ui()->Frame3->title(), QStringLiteral("Eventos Para: ANA LÓPEZ"));
        const QString day = QLocale().toString(kDay, QLocale::ShortFormat);
        QCOMPARE(gridRows(list->ui()->iGrid2),
                 QStringList{day + " | 08:57:00 | 18:02:00 | 14:01:00 | 14:58:00"});
        list->ui()->Calendario->setSelectedDate(kDay.addDays(1));
        QCOMPARE(list->ui()->iGrid2->rowCount(), 0);
        QCOMPARE(list->ChosenDay, kDay.addDays(1));
    }

    void createdSequences_data()
    {
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<int>("cerrado");
        QTest::addColumn<int>("editadaEntrada");
        QTest::addColumn<int>("editadaSalida");
        QTest::addColumn<bool>("exitLocation");
        QTest::newRow("A arrival only") << Picks{"08:05:10", "-", "-", "-"} << 0 << 1 << 0 << false;
        QTest::newRow("B with meal out")
            << Picks{"08:05:10", "14:00:00", "-", "-"} << 0 << 1 << 0 << false;
        QTest::newRow("C with meal back")
            << Picks{"08:05:10", "14:00:00", "15:00:30", "-"} << 0 << 1 << 0 << false;
        QTest::newRow("D closed") << Picks{"08:05:10", "14:00:00", "15:00:30", "18:00:01"} << 1 << 0
                                  << 1 << true;
        QTest::newRow("D with the exit before the arrival")
            << Picks{"09:00:00", "14:00:00", "15:00:00", "07:00:00"} << 1 << 0 << 1 << true;
    }
    void createdSequences()
    {
        QFETCH(Picks, picks);
        QFETCH(int, cerrado);
        QFETCH(int, editadaEntrada);
        QFETCH(int, editadaSalida);
        QFETCH(bool, exitLocation);
        QPointer<FrmEventos_manuales_creacion> editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Eventos"));
        QCOMPARE(editor->ui()->CmdGuardar->text(), QStringLiteral("&Guardar"));
        QCOMPARE(editor->ui()->LblHorario->text(), QStringLiteral("Horario Asignado:OFICINA"));
        QCOMPARE(editor->ui()->Calendario->selectedDate(), kDay);
        for (QTimeEdit* picker : {editor->ui()->DPEntrada, editor->ui()->DPEComida,
                                  editor->ui()->DPRComida, editor->ui()->DPSalida})
            QCOMPARE(picker->time(), QTime(0, 0, 0));
        setPicks(editor, picks);
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Evento Generado Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Generación Evento"));
        QTRY_VERIFY(editor.isNull());

        const EventRow row = eventRow();
        QCOMPARE(row.count, 1);
        const auto shown = [](const QString& pick) { return pick == "-" ? QString() : pick; };
        QCOMPARE(row.entrada, shown(picks.entrada));
        QCOMPARE(row.salidaBreak, shown(picks.salidaBreak));
        QCOMPARE(row.regresoBreak, shown(picks.regresoBreak));
        QCOMPARE(row.salida, shown(picks.salida));
        QCOMPARE(row.cerrado, cerrado);
        QCOMPARE(row.editadaEntrada, editadaEntrada);
        QCOMPARE(row.editadaSalida, editadaSalida);
        QCOMPARE(row.tipo, 1);
        QCOMPARE(row.horario, 4);
        QCOMPARE(row.sucursalEntra.toInt(), kLocation);
        QCOMPARE(row.sucursalSale.isNull(), !exitLocation);
        if (exitLocation)
            QCOMPARE(row.sucursalSale.toInt(), kLocation);
        // The list shows the new event and its trail.
        QCOMPARE(list->ui()->iGrid2->rowCount(), 1);
        QCOMPARE(list->ui()->iGrid3->rowCount(), 1);
        QCOMPARE(list->ui()->iGrid3->item(0, 3)->text(), QStringLiteral("(nuevo)"));
    }

    void wrongSequencesRefused_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<QString>("text");
        const QString onCreate = "No se pueden Generar Horarios con Secuencia erronea";
        const QString onChange = "No se pueden Cambiar Horarios con Secuencia Erronea";
        QTest::newRow("new: arrival and exit without meal")
            << false << Picks{"08:00:00", "-", "-", "18:00:00"} << onCreate;
        QTest::newRow("new: no arrival") << false << Picks{"-", "14:00:00", "-", "-"} << onCreate;
        QTest::newRow("new: meal back without meal out")
            << false << Picks{"08:00:00", "-", "15:00:00", "-"} << onCreate;
        QTest::newRow("new: nothing") << false << Picks{"-", "-", "-", "-"} << onCreate;
        QTest::newRow("change: arrival and exit without meal")
            << true << Picks{"08:00:00", "-", "-", "18:00:00"} << onChange;
        QTest::newRow("change: exit without meal back")
            << true << Picks{"08:00:00", "14:00:00", "-", "18:00:00"} << onChange;
    }
    void wrongSequencesRefused()
    {
        QFETCH(bool, existing);
        QFETCH(Picks, picks);
        QFETCH(QString, text);
        if (existing)
            addTerminalDay();
        const EventRow before = eventRow();
        QPointer<FrmEventos_manuales_creacion> editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->ui()->CmdGuardar->text(),
                 existing ? QStringLiteral("&Cambiar") : QStringLiteral("&Guardar"));
        setPicks(editor, picks);
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, text);
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Error"));
        QTRY_VERIFY(editor.isNull()); // closes in every outcome
        const EventRow after = eventRow();
        QCOMPARE(after.count, before.count);
        QCOMPARE(after.entrada, before.entrada);
        QCOMPARE(after.salida, before.salida);
        QCOMPARE(count(db, "select count(*) from KxEvento_bitacora"), 0);
    }

    // A day a terminal closed, changed by hand: only the marks and cerrado change.
    void changingATerminalDay_data()
    {
        QTest::addColumn<Picks>("picks");
        QTest::addColumn<int>("cerrado");
        QTest::newRow("to A") << Picks{"08:30:00", "-", "-", "-"} << 0;
        QTest::newRow("to B") << Picks{"08:30:00", "14:00:00", "-", "-"} << 0;
        QTest::newRow("to C") << Picks{"08:30:00", "14:00:00", "15:00:00", "-"} << 0;
        QTest::newRow("to D") << Picks{"08:30:00", "14:00:00", "15:00:00", "17:45:00"} << 1;
    }
    void changingATerminalDay()
    {
        QFETCH(Picks, picks);
        QFETCH(int, cerrado);
        addTerminalDay();
        QPointer<FrmEventos_manuales_creacion> editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->ui()->CmdGuardar->text(), QStringLiteral("&Cambiar"));
        QCOMPARE(editor->ui()->DPEntrada->time(), QTime(8, 57));
        QCOMPARE(editor->ui()->DPEComida->time(), QTime(14, 1));
        QCOMPARE(editor->ui()->DPRComida->time(), QTime(14, 58));
        QCOMPARE(editor->ui()->DPSalida->time(), QTime(18, 2));
        setPicks(editor, picks);
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Evento Modificado Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Cambio Evento"));
        QTRY_VERIFY(editor.isNull());
        const EventRow row = eventRow();
        QCOMPARE(row.count, 1);
        const auto shown = [](const QString& pick) { return pick == "-" ? QString() : pick; };
        QCOMPARE(row.entrada, shown(picks.entrada));
        QCOMPARE(row.salidaBreak, shown(picks.salidaBreak));
        QCOMPARE(row.regresoBreak, shown(picks.regresoBreak));
        QCOMPARE(row.salida, shown(picks.salida));
        QCOMPARE(row.cerrado, cerrado);
        // What the terminal wrote stays.
        QCOMPARE(row.sucursalEntra.toInt(), 2);
        QCOMPARE(row.sucursalSale.toInt(), 2);
        QCOMPARE(row.editadaEntrada, 0);
        QCOMPARE(row.editadaSalida, 0);
        QCOMPARE(row.tipo, 1);
        QCOMPARE(row.horario, 4);
    }

    // Weeks of week(date,1): 1 January 2027 is a Friday, so it lies in week 0.
    void scheduleOfTheDay_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("week");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("label");
        QTest::newRow("rotating, week 0")
            << "ÑOÑO ROTATIVO" << QDate(2027, 1, 1) << 0 << 2 << "Horario Asignado:SEMANAS PARES";
        QTest::newRow("rotating, week 1")
            << "ÑOÑO ROTATIVO" << QDate(2027, 1, 4) << 1 << 1 << "Horario Asignado:SEMANAS NONES";
        QTest::newRow("rotating, week 2")
            << "ÑOÑO ROTATIVO" << QDate(2027, 1, 11) << 2 << 2 << "Horario Asignado:SEMANAS PARES";
        QTest::newRow("fixed, week 1")
            << "ANA LÓPEZ" << QDate(2027, 1, 4) << 1 << 0 << "Horario Asignado:OFICINA";
        QTest::newRow("no assignment")
            << "ADMINISTRADORA" << QDate(2027, 1, 4) << 1 << 0 << "Sin Horario Asignado!!";
    }
    void scheduleOfTheDay()
    {
        QFETCH(QString, user);
        QFETCH(QDate, day);
        QFETCH(int, week);
        QFETCH(int, order);
        QFETCH(QString, label);
        QCOMPARE(db.scalar("select week(?,1)", {day}).toInt(), week);
        QPointer<FrmEventos_manuales_creacion> editor = openEditor(user, day);
        QVERIFY(editor);
        QCOMPARE(editor->RotationOrder, order);
        QCOMPARE(editor->ui()->LblHorario->text(), label);
        // Saving stores the schedule found (0 without one).
        setPicks(editor, Picks{"07:00:00", "-", "-", "-"});
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QTRY_VERIFY(editor.isNull());
        const int number = context->ChosenUser;
        QCOMPARE(eventRow(number, day).horario, label == "Sin Horario Asignado!!" ? 0
                                                : label.endsWith("PARES")         ? 6
                                                : label.endsWith("NONES")         ? 5
                                                                                  : 4);
    }

    void rowAddedByATerminalMeanwhileIsChanged()
    {
        QPointer<FrmEventos_manuales_creacion> editor = openEditor();
        QVERIFY(editor);
        QCOMPARE(editor->ui()->CmdGuardar->text(), QStringLiteral("&Guardar"));
        const int evento = addTerminalDay(QString()); // the employee punched meanwhile
        setPicks(editor, Picks{"08:00:00", "14:00:00", "15:00:00", "18:00:00"});
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Evento Modificado Correctamente"));
        QTRY_VERIFY(editor.isNull());
        const EventRow row = eventRow();
        QCOMPARE(row.count, 1);
        QCOMPARE(row.entrada, QStringLiteral("08:00:00"));
        QCOMPARE(row.salida, QStringLiteral("18:00:00"));
        QCOMPARE(row.cerrado, 1);
        const auto trail = trailRows();
        QCOMPARE(trail.size(), 1);
        QCOMPARE(trail[0][0].toInt(), evento);
        QCOMPARE(trail[0][3].toString(), QStringLiteral("08:57:00")); // the terminal's arrival
        QCOMPARE(trail[0][6].toString(), QString());                  // no exit yet
        QCOMPARE(trail[0][7].toInt(), 0);
    }

    void everySaveLeavesOneAuditRow()
    {
        QPointer<FrmEventos_manuales_creacion> editor = openEditor();
        setPicks(editor, Picks{"08:05:00", "-", "-", "-"});
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QTRY_VERIFY(editor.isNull());
        list->ui()->CmdAgregar->click();
        editor = list->editor();
        QVERIFY(editor);
        QCOMPARE(editor->ui()->CmdGuardar->text(), QStringLiteral("&Cambiar"));
        QCOMPARE(editor->ui()->DPEntrada->time(), QTime(8, 5));
        setPicks(editor, Picks{"08:05:00", "13:30:00", "14:30:00", "17:00:00"});
        editor->ui()->CmdGuardar->click();
        QTRY_VERIFY(editor.isNull());

        const auto trail = trailRows();
        QCOMPARE(trail.size(), 2);
        const int evento = count(db, "select evento from KxEvento where usuario=?", {kUser});
        const QVariant serverNow = db.scalar("select now()");
        for (const QVariantList& row : trail) {
            QCOMPARE(row[0].toInt(), evento);
            QCOMPARE(row[1].toInt(), kUser);
            QCOMPARE(row[2].toDate(), kDay);
            QCOMPARE(row[13].toInt(), kAdmin);
            QCOMPARE(row[14].toInt(), kLocation);
            QVERIFY(row[15].toDateTime().isValid());
            QVERIFY(row[15].toDateTime() <= serverNow.toDateTime());
        }
        // Creation: nothing before; after, the open day.
        QCOMPARE(trail[0].mid(3, 4), (QVariantList{QString(), QString(), QString(), QString()}));
        QVERIFY(trail[0][7].isNull());
        QCOMPARE(trail[0].mid(8, 5),
                 (QVariantList{"08:05:00", QString(), QString(), QString(), 0}));
        // The change: before is the first save's after.
        QCOMPARE(trail[1].mid(3, 4), (QVariantList{"08:05:00", QString(), QString(), QString()}));
        QCOMPARE(trail[1][7].toInt(), 0);
        QCOMPARE(trail[1].mid(8, 5),
                 (QVariantList{"08:05:00", "13:30:00", "14:30:00", "17:00:00", 1}));
        // The screen shows the trail of the day, oldest first.
        QCOMPARE(list->ui()->iGrid3->rowCount(), 2);
        QCOMPARE(list->ui()->iGrid3->item(1, 1)->text(), QStringLiteral("1 ADMINISTRADORA"));
        QCOMPARE(list->ui()->iGrid3->item(1, 3)->text(),
                 QStringLiteral("E 08:05:00  SC --:--:--  RC --:--:--  S --:--:--  Abierto"));
        QCOMPARE(list->ui()->iGrid3->item(1, 4)->text(),
                 QStringLiteral("E 08:05:00  SC 13:30:00  RC 14:30:00  S 17:00:00  Cerrado"));
    }

    void aFailedAuditRowLeavesNoEvent()
    {
        QPointer<FrmEventos_manuales_creacion> editor = openEditor();
        setPicks(editor, Picks{"08:05:00", "-", "-", "-"});
        db.exec("ALTER TABLE KxEvento_bitacora RENAME TO KxEvento_bitacora_fuera");
        FatalRecorder fatal;
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        db.exec("ALTER TABLE KxEvento_bitacora_fuera RENAME TO KxEvento_bitacora");
        QVERIFY(!fatal.failures.isEmpty());
        QVERIFY(fatal.failures[0].contains("kxevento_bitacora", Qt::CaseInsensitive));
        QCOMPARE(boxes.boxes.size(), 0); // no success shown
        QCOMPARE(eventRow().count, 0);
    }
};

QTEST_MAIN(TestManualEvents)
#include "tst_manual_events.moc"
