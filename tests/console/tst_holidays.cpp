// The non-working days on the real widgets and database: the grid by date, opening a date from
// the calendar or the grid, registering, moving, deleting, the empty description, a second day
// on a taken date, and keys beyond 16 bits.

#include "ConsoleTesting.h"
#include "FrmInhabiles.h"
#include "FrmInhabiles_creacion.h"
#include "RecordingMessages.h"
#include "TestDatabase.h"
#include "ui_FrmInhabiles.h"
#include "ui_FrmInhabiles_creacion.h"

#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_console_holidays");
const int kAdmin = 7;

} // namespace

class TestHolidays : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    std::unique_ptr<FrmInhabiles> list;

    int addDay(const QDate& date, const QString& name, int dia = 0)
    {
        SqlValues values{{"Fecha", date}, {"Nombre_dia", name}, {"Capturo", 1}};
        if (dia)
            values.prepend(qMakePair(QStringLiteral("Dia"), QVariant(dia)));
        return int(db.insertRow("Dias_inhabiles", values));
    }
    // "yyyy-MM-dd NAME capturo" of every row, by date then key.
    QStringList stored()
    {
        QStringList rows;
        QSqlQuery q = db.query("select Fecha,Nombre_dia,Capturo from Dias_inhabiles order by "
                               "Fecha,Dia");
        while (q.next())
            rows << q.value(0).toDate().toString("yyyy-MM-dd") + " " + q.value(1).toString() + " " +
                        q.value(2).toString();
        return rows;
    }
    QStringList gridRows()
    {
        QStringList rows;
        HolidayGrid& grid = list->grid();
        for (int row = 0; row < grid.rowCount(); ++row)
            rows << grid.index(row, 0).data().toString() + " " +
                        grid.index(row, 1).data().toString();
        return rows;
    }
    FrmInhabiles_creacion* openDate(const QDate& date)
    {
        list->Mes_Click(date);
        return list->editor();
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
        context->AdminUser = kAdmin;
        context->db.open(connectionString(kDatabase));
        const QDateTime now(QDate(2026, 12, 9), QTime(10, 0));
        context->clock.setLocalSource([now] { return now; });
    }
    void cleanup()
    {
        list.reset();
        context.reset();
    }

    void gridByDate()
    {
        addDay(QDate(2026, 12, 25), "NAVIDAD");
        addDay(QDate(2026, 1, 1), "AÑO NUEVO");
        addDay(QDate(2026, 9, 16), "INDEPENDENCIA");
        list = std::make_unique<FrmInhabiles>(*context);
        list->show();
        QCOMPARE(list->windowTitle(), QStringLiteral("Días Inhábiles"));
        QCOMPARE(list->ui()->FraDias->title(), QStringLiteral("Días Inhábiles Registrados"));
        QCOMPARE(list->ui()->FraMes->title(), QStringLiteral("Selector de Día:"));
        QCOMPARE(list->ui()->Mes->selectedDate(), QDate(2026, 12, 9));
        QCOMPARE(list->grid().headerData(1, Qt::Horizontal).toString(), QStringLiteral("Día"));
        QCOMPARE(gridRows(), (QStringList{"01/01/2026 AÑO NUEVO", "16/09/2026 INDEPENDENCIA",
                                          "25/12/2026 NAVIDAD"}));
        // A double-click on a row opens its date.
        QTableView* view = list->ui()->iGrid1;
        const QRect cell = view->visualRect(list->grid().index(1, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(list->editor());
        QCOMPARE(list->editor()->ui()->DpFecha->date(), QDate(2026, 9, 16));
        QCOMPARE(list->editor()->ui()->TxtComentarios->text(), QStringLiteral("INDEPENDENCIA"));
        list->editor()->close();
    }

    void registeringADay()
    {
        addDay(QDate(2026, 12, 25), "NAVIDAD");
        list = std::make_unique<FrmInhabiles>(*context);
        QPointer<FrmInhabiles_creacion> editor = openDate(QDate(2026, 12, 12));
        QVERIFY(editor);
        Ui::FrmInhabiles_creacion* ui = editor->ui();
        QCOMPARE(editor->windowTitle(), QStringLiteral("Alta de Día Inhábil"));
        QCOMPARE(editor->windowModality(), Qt::ApplicationModal);
        QCOMPARE(ui->DpFecha->date(), QDate(2026, 12, 12));
        QCOMPARE(ui->CmdGuardar->text(), QStringLiteral("&Guardar"));
        QVERIFY(!ui->CmdBorrar->isEnabled());
        QVERIFY(ui->TxtComentarios->text().isEmpty());
        RecordingMessages boxes;
        ui->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Falta el Comentario para el Día"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Registro Incompleto"));
        QVERIFY(editor->isVisible());
        QCOMPARE(stored().size(), 1);
        ui->TxtComentarios->setFocus();
        QTest::keyClicks(ui->TxtComentarios, "virgen d'");
        QTest::sendKeyEvent(QTest::KeyAction::Click, ui->TxtComentarios, Qt::Key_unknown,
                            QStringLiteral("ñ"), Qt::NoModifier);
        QCOMPARE(ui->TxtComentarios->text(), QStringLiteral("VIRGEN D'Ñ"));
        ui->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].kind, QStringLiteral("info"));
        QCOMPARE(boxes.boxes[1].text, QStringLiteral("Día Guardado Correctamente"));
        QCOMPARE(boxes.boxes[1].title, QStringLiteral("Guardar Día"));
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(stored(), (QStringList{"2026-12-12 VIRGEN D'Ñ 7", "2026-12-25 NAVIDAD 1"}));
        QCOMPARE(gridRows(), (QStringList{"12/12/2026 VIRGEN D'Ñ", "25/12/2026 NAVIDAD"}));
    }

    void movingADay()
    {
        addDay(QDate(2026, 1, 1), "AÑO NUEVO");
        const int dia = addDay(QDate(2026, 11, 2), "MUERTOS");
        list = std::make_unique<FrmInhabiles>(*context);
        list->iGrid1_DblClick(1);
        QPointer<FrmInhabiles_creacion> editor = list->editor();
        QVERIFY(editor);
        QCOMPARE(editor->ui()->CmdGuardar->text(), QStringLiteral("&Modificar"));
        QVERIFY(editor->ui()->CmdBorrar->isEnabled());
        QCOMPARE(editor->DayId, dia);
        QCOMPARE(editor->ui()->TxtComentarios->text(), QStringLiteral("MUERTOS"));
        editor->ui()->DpFecha->setDate(QDate(2025, 11, 3));
        editor->ui()->TxtComentarios->setText("DÍA DE MUERTOS");
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Día Modificado Correctamente"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Guardar Día"));
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(db.scalar("select Fecha from Dias_inhabiles where Dia=?", {dia}).toDate(),
                 QDate(2025, 11, 3));
        QCOMPARE(stored(), (QStringList{"2025-11-03 DÍA DE MUERTOS 7", "2026-01-01 AÑO NUEVO 1"}));
        QCOMPARE(gridRows(), (QStringList{"03/11/2025 DÍA DE MUERTOS", "01/01/2026 AÑO NUEVO"}));
        list->iGrid1_DblClick(-1); // nothing
        list->iGrid1_DblClick(2);
        QVERIFY(!list->editor());
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
        addDay(QDate(2026, 5, 1), "TRABAJO");
        addDay(QDate(2026, 5, 5), "PUEBLA");
        list = std::make_unique<FrmInhabiles>(*context);
        QPointer<FrmInhabiles_creacion> editor = openDate(QDate(2026, 5, 1));
        RecordingMessages boxes;
        boxes.answers << yes;
        editor->ui()->CmdBorrar->click();
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("question"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("¿Está seguro de Eliminar el Día?"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Borrar Día"));
        if (!yes) {
            QVERIFY(editor->isVisible());
            QCOMPARE(stored().size(), 2);
            editor->close();
            return;
        }
        QCOMPARE(boxes.boxes[1].text, QStringLiteral("Día Eliminado Correctamente!!"));
        QCOMPARE(boxes.boxes[1].title, QStringLiteral("Día Borrado"));
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(stored(), QStringList{"2026-05-05 PUEBLA 1"});
        QCOMPARE(gridRows(), QStringList{"05/05/2026 PUEBLA"});
    }

    void aTakenDateIsRefused_data()
    {
        QTest::addColumn<QDate>("opened");
        QTest::newRow("registering on a taken date") << QDate(2026, 3, 1);
        QTest::newRow("moving onto a taken date") << QDate(2026, 3, 16);
    }
    void aTakenDateIsRefused()
    {
        QFETCH(QDate, opened);
        addDay(QDate(2026, 3, 16), "JUÁREZ");
        addDay(QDate(2026, 3, 21), "PRIMAVERA");
        list = std::make_unique<FrmInhabiles>(*context);
        QPointer<FrmInhabiles_creacion> editor = openDate(opened);
        editor->ui()->DpFecha->setDate(QDate(2026, 3, 21));
        editor->ui()->TxtComentarios->setText("OTRO");
        const QStringList before = stored();
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("Ya existe un Día Inhábil registrado para el 21/03/2026."));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Día Duplicado"));
        QVERIFY(editor->isVisible());
        QCOMPARE(stored(), before);
        // Saving a day on its own date again is no duplicate.
        if (editor->DayId) {
            editor->ui()->DpFecha->setDate(opened);
            editor->ui()->CmdGuardar->click();
            QCOMPARE(boxes.boxes.size(), 2);
            QCOMPARE(boxes.boxes[1].kind, QStringLiteral("info"));
        } else {
            editor->close();
        }
    }

    void keysBeyondSixteenBits()
    {
        addDay(QDate(2026, 2, 2), "CONSTITUCIÓN", 40000);
        list = std::make_unique<FrmInhabiles>(*context);
        QPointer<FrmInhabiles_creacion> editor = openDate(QDate(2026, 2, 2));
        QCOMPARE(editor->DayId, 40000);
        editor->ui()->TxtComentarios->setText("CONSTITUCIÓN MEXICANA");
        RecordingMessages boxes;
        editor->ui()->CmdGuardar->click();
        QCOMPARE(db.scalar("select Nombre_dia from Dias_inhabiles where Dia=40000").toString(),
                 QStringLiteral("CONSTITUCIÓN MEXICANA"));
        QTRY_VERIFY(editor.isNull());
        editor = openDate(QDate(2026, 2, 2));
        QCOMPARE(editor->DayId, 40000);
        boxes.answers << true;
        editor->ui()->CmdBorrar->click();
        QCOMPARE(stored(), QStringList());
    }
};

QTEST_MAIN(TestHolidays)
#include "tst_holidays.moc"
