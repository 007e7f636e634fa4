// The reports screen and its filter dialog: the catalogue, the opening range, the users grid and
// its selection, the six filters, and "&Ejecutar" filling the working table (or refusing).

#include "AttendanceReport.h"
#include "ConsoleTesting.h"
#include "FrmReportes.h"
#include "FrmReportes_Filtro.h"
#include "FrmView.h"
#include "RecordingMessages.h"
#include "ReportLock.h"
#include "TestDatabase.h"
#include "ui_FrmReportes.h"
#include "ui_FrmReportes_Filtro.h"

#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_reports_screens");
const QDate kToday(2026, 11, 20);

} // namespace

class TestReportsScreens : public QObject
{
    Q_OBJECT
    Db db;
    std::unique_ptr<ConsoleContext> context;
    int ventas = 0, almacen = 0, matriz = 0, norte = 0;
    int ana = 0, bruno = 0, carla = 0, dario = 0, elena = 0;

    std::unique_ptr<FrmReportes> open()
    {
        auto screen = std::make_unique<FrmReportes>(*context);
        screen->show();
        return screen;
    }
    QStringList gridNames(FrmReportes& screen)
    {
        QStringList names;
        QTableWidget* grid = screen.ui()->iGrid1;
        for (int row = 0; row < grid->rowCount(); ++row)
            names << grid->item(row, 1)->text();
        return names;
    }
    void selectRows(FrmReportes& screen, const QList<int>& rows)
    {
        for (int row : rows)
            screen.ui()->iGrid1->selectRow(row);
    }
    void chooseReport(FrmReportes& screen, int row)
    {
        screen.ui()->CmbReportes->setCurrentRow(row);
    }
    int rows() { return db.scalar("SELECT COUNT(*) FROM rep_asistencia_general").toInt(); }

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
        context->clock.setLocalSource([] { return QDateTime(kToday, QTime(10, 0)); });
        context->programFolder = QStringLiteral("/opt/tasquelo");
        db.exec("INSERT INTO Reportes (Reporte,Nombre_reporte,Descripcion,RPT,Formula) VALUES "
                "(2,'Faltas','Días sin entrada, ¿justificados?','Faltas.rpt','{x} = 1'),"
                "(1,'Asistencia General','Todos los días de cada empleado','General.rpt',NULL),"
                "(3,'Sin archivo','Un reporte sin diseño','',NULL)");
        ventas = int(db.insertRow("Kxdepart", {{"Nombre_departamento", "VENTAS"}}));
        almacen = int(db.insertRow("Kxdepart", {{"Nombre_departamento", "BODEGA ÑUÑOA"}}));
        matriz = int(db.insertRow("KxSucursales", {{"Nombre_sucursal", "MATRIZ LEÓN"}}));
        norte = int(db.insertRow("KxSucursales", {{"Nombre_sucursal", "NORTE"}}));
        // Employees: department, where their events were entered.
        ana = addUser(db, {{"Nombre", "ANA PEÑA"}, {"departamento", ventas}});
        bruno = addUser(db, {{"Nombre", "BRUNO"}, {"departamento", almacen}});
        carla = addUser(db, {{"Nombre", "CARLA"}}); // no department
        dario = addUser(db, {{"Nombre", "DARÍO"}, {"departamento", ventas}});
        elena = addUser(db, {{"Nombre", "ELENA"}, {"departamento", ventas}, {"activo", 1}});
        for (auto [user, location] : QList<QPair<int, int>>{
                 {ana, matriz}, {bruno, matriz}, {carla, norte}, {elena, matriz}, {ana, norte}})
            db.insertRow("KxEvento", {{"usuario", user},
                                      {"fecha", "2026-10-01"},
                                      {"entrada", "2026-10-01 08:00:00"},
                                      {"sucursal_entra", location}});
    }
    void cleanup() { context.reset(); }

    void opening()
    {
        auto screen = open();
        Ui::FrmReportes* ui = screen->ui();
        QCOMPARE(screen->windowTitle(), QStringLiteral("Reportes"));
        QCOMPARE(ui->MtDesde->selectedDate(), QDate(2026, 11, 5));
        QCOMPARE(ui->MtHasta->selectedDate(), QDate(2026, 11, 19));
        QCOMPARE(ui->CmbReportes->count(), 3);
        QCOMPARE(ui->CmbReportes->item(0)->text(), QStringLiteral("Asistencia General"));
        QCOMPARE(ui->CmbReportes->item(1)->text(), QStringLiteral("Faltas"));
        QVERIFY(!ui->CmbReportes->currentItem());
        // Current employees only, by name, with their department.
        QCOMPARE(gridNames(*screen), (QStringList{"ANA PEÑA", "BRUNO", "CARLA", "DARÍO"}));
        QCOMPARE(ui->iGrid1->item(0, 0)->text(), QString::number(ana));
        QCOMPARE(ui->iGrid1->item(1, 2)->text(), QStringLiteral("BODEGA ÑUÑOA"));
        QCOMPARE(ui->iGrid1->item(2, 2)->text(), QString());
        QCOMPARE(ui->ChkSeleccion->text(), QStringLiteral("&Seleccionar Todos"));
        QCOMPARE(ui->BtnFiltrar->text(), QStringLiteral("&Filtrar"));
        QCOMPARE(ui->BtnEjecutar->text(), QStringLiteral("&Ejecutar"));
    }

    void choosingAReport_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("formula");
        QTest::newRow("no formula") << 0 << true << "Todos los días de cada empleado"
                                    << "";
        QTest::newRow("a formula") << 1 << true << "Días sin entrada, ¿justificados?"
                                   << "{x} = 1";
        QTest::newRow("without layout file it cannot be chosen") << 2 << false << ""
                                                                 << "";
    }
    void choosingAReport()
    {
        QFETCH(int, row);
        QFETCH(bool, chosen);
        auto screen = open();
        chooseReport(*screen, row);
        QCOMPARE(screen->chosenReport().has_value(), chosen);
        QTEST(screen->ui()->TxtAlcance->toPlainText(), "description");
        if (chosen)
            QTEST(screen->chosenReport()->formula, "formula");
    }

    void selectAllAndClear()
    {
        auto screen = open();
        screen->ui()->ChkSeleccion->click();
        QCOMPARE(screen->selectedUsers(), (QList<int>{ana, bruno, carla, dario}));
        screen->ui()->ChkSeleccion->click();
        QCOMPARE(screen->selectedUsers(), QList<int>());
        // Clicking rows picks several at once.
        QTableWidget* grid = screen->ui()->iGrid1;
        for (int row : {3, 1})
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(row, 1)).center());
        QCOMPARE(screen->selectedUsers(), (QList<int>{bruno, dario}));
    }

    void runningWithoutAReport()
    {
        db.exec("INSERT INTO rep_asistencia_general SET usuario=1,Fecha='2026-01-01'");
        auto screen = open();
        selectRows(*screen, {0});
        RecordingMessages boxes;
        screen->ui()->BtnEjecutar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("Seleccione un Reporte a Ejecutar"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Sin reporte Seleccionado"));
        QCOMPARE(rows(), 1);
    }

    void runningFillsTheWorkingTable_data()
    {
        QTest::addColumn<QList<int>>("selected"); // grid rows
        QTest::addColumn<int>("rows");
        QTest::newRow("two employees, 15 days") << QList<int>{0, 3} << 30;
        QTest::newRow("nobody selected: an empty table") << QList<int>{} << 0;
    }
    void runningFillsTheWorkingTable()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, rows);
        db.exec("INSERT INTO rep_asistencia_general SET usuario=1,Fecha='2026-01-01'");
        auto screen = open();
        chooseReport(*screen, 1);
        selectRows(*screen, selected);
        RecordingMessages boxes;
        screen->ui()->BtnEjecutar->click();
        QCOMPARE(this->rows(), rows);
        QCOMPARE(screen->rowsWritten(), rows);
        // The viewer opens on the run; this layout file does not exist, which it says.
        QVERIFY(screen->viewer());
        QVERIFY(!screen->viewer()->hasReport());
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QVERIFY2(boxes.boxes[0].text.contains(QStringLiteral("Faltas.rpt")),
                 qPrintable(boxes.boxes[0].text));
        screen->viewer()->close();
        const QLocale locale;
        QCOMPARE(screen->viewerInput().title,
                 "Faltas del Día: " + locale.toString(QDate(2026, 11, 5), QLocale::ShortFormat) +
                     " Al Día: " + locale.toString(QDate(2026, 11, 19), QLocale::ShortFormat));
        QCOMPARE(screen->viewerInput().layoutPath,
                 QStringLiteral("/opt/tasquelo/Reportes/Faltas.rpt"));
        QCOMPARE(screen->viewerInput().formula, QStringLiteral("{x} = 1"));
        if (!selected.isEmpty()) {
            QCOMPARE(
                db.scalar("SELECT COUNT(*) FROM rep_asistencia_general WHERE usuario=?", {dario})
                    .toInt(),
                15);
            QCOMPARE(context->ChosenUser, dario);
            QCOMPARE(context->ChosenUserName, QStringLiteral("DARÍO"));
        }
    }

    void aRunWhileAnotherStationGenerates()
    {
        auto screen = open();
        chooseReport(*screen, 0);
        selectRows(*screen, {0});
        Db other;
        QVERIFY(other.open(connectionString(kDatabase)));
        ReportLock running(other);
        QVERIFY(running.held());
        RecordingMessages boxes;
        screen->ui()->BtnEjecutar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].text, Attendance::busyText());
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Reporte en Proceso"));
        QCOMPARE(rows(), 0);
    }

    void filtering_data()
    {
        QTest::addColumn<bool>("exclude");
        QTest::addColumn<QString>("department"); // name chosen, or empty
        QTest::addColumn<QString>("location");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("include department") << false << "VENTAS"
                                            << "" << QStringList{"ANA PEÑA", "DARÍO"};
        QTest::newRow("include location") << false << ""
                                          << "MATRIZ LEÓN" << QStringList{"ANA PEÑA", "BRUNO"};
        QTest::newRow("include both") << false << "VENTAS"
                                      << "NORTE" << QStringList{"ANA PEÑA"};
        QTest::newRow("exclude department drops those without one") << true << "VENTAS"
                                                                    << "" << QStringList{"BRUNO"};
        QTest::newRow("exclude location") << true << ""
                                          << "MATRIZ LEÓN" << QStringList{"CARLA", "DARÍO"};
        QTest::newRow("exclude both") << true << "BODEGA ÑUÑOA"
                                      << "NORTE" << QStringList{"DARÍO"};
    }
    void filtering()
    {
        QFETCH(bool, exclude);
        QFETCH(QString, department);
        QFETCH(QString, location);
        auto screen = open();
        screen->ui()->BtnFiltrar->click();
        QPointer<FrmReportes_Filtro> filter = screen->filterDialog();
        QVERIFY(filter);
        QVERIFY(filter->isVisible());
        QCOMPARE(filter->windowTitle(), QStringLiteral("Selección de Usuarios"));
        Ui::FrmReportes_Filtro* ui = filter->ui();
        QVERIFY(ui->OpcIncluir->isChecked());
        QCOMPARE(ui->CmbDepartamentos->currentIndex(), -1);
        QCOMPARE(ui->CmbSucursales->currentIndex(), -1);
        QCOMPARE(ui->CmbSucursales->itemText(0), QStringLiteral("MATRIZ LEÓN"));
        QCOMPARE(ui->CmbDepartamentos->itemText(0), QStringLiteral("BODEGA ÑUÑOA"));
        if (exclude)
            ui->OpcExcluir->click();
        if (!department.isEmpty())
            ui->CmbDepartamentos->setCurrentText(department);
        if (!location.isEmpty())
            ui->CmbSucursales->setCurrentText(location);
        ui->CmdAceptar->click();
        QTEST(gridNames(*screen), "names");
        QTRY_VERIFY(filter.isNull());
    }

    void filteringWithoutParameters()
    {
        auto screen = open();
        screen->ui()->BtnFiltrar->click();
        QPointer<FrmReportes_Filtro> filter = screen->filterDialog();
        RecordingMessages boxes;
        filter->ui()->CmdAceptar->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("No Selecciono Ningún Filtro"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Filtro no Seleccionado"));
        QVERIFY(filter && filter->isVisible());
        QCOMPARE(gridNames(*screen).size(), 4);
        filter->close();
    }
};

QTEST_MAIN(TestReportsScreens)
#include "tst_reports_screens.moc"
