// The report viewer window on the real widgets: opening a shipped layout at 100 %, which
// formula selects, the error box for a layout that cannot be opened, following the window's
// size, page navigation and zoom, and printing and exporting from its buttons.

#include "ConsoleTesting.h"
#include "FrmView.h"
#include "RecordingMessages.h"
#include "ReportFiles.h"
#include "ReportViewer.h"
#include "SampleAttendance.h"
#include "TestDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_report_viewer");
const QDate kMonday(2026, 11, 2);
const QString kTitle = QStringLiteral("Asistencia General del Día: 02/11/2026 Al Día: 29/11/2026");

QString shipped(const QString& name)
{
    return sourceDir() + QStringLiteral("/report_engine/layouts/") + name;
}

QToolButton* button(QWidget* w, const char* name)
{
    return w->findChild<QToolButton*>(QString::fromLatin1(name));
}

} // namespace

class TestReportViewer : public QObject
{
    Q_OBJECT

    Db db;
    std::unique_ptr<ConsoleContext> context;
    QTemporaryDir dir;

    std::unique_ptr<FrmView> view(const QString& layout, const QString& formula = {},
                                  const QString& title = kTitle)
    {
        return std::make_unique<FrmView>(*context, layout, formula, title);
    }

    int countRows(const QString& where)
    {
        return db
            .scalar(QStringLiteral("SELECT COUNT(*) FROM rep_asistencia_general WHERE ") + where)
            .toInt();
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
        clearTables(db);
        sample::addEmployees(db, 12);
        sample::insertDays(db, sample::company(12, kMonday, 28));
    }
    void init()
    {
        context = std::make_unique<ConsoleContext>();
        QVERIFY(context->db.open(connectionString(kDatabase)));
    }
    void cleanup() { context.reset(); }

    void opensAtFullSize()
    {
        RecordingMessages boxes;
        auto w = view(shipped("AsistenciaGeneral.rpt"));
        QVERIFY(boxes.boxes.isEmpty());
        QCOMPARE(w->windowTitle(), QStringLiteral("Visor de Reportes"));
        QVERIFY(w->hasReport());
        ReportViewer* viewer = w->viewer();
        QCOMPARE(viewer->objectName(), QStringLiteral("VwrRpt"));
        QCOMPARE(viewer->zoom(), 100);
        QCOMPARE(QString::fromStdString(viewer->document()->title), kTitle);
        QCOMPARE(int(viewer->document()->records), countRows("1=1"));
        QVERIFY(viewer->pageCount() > 3);
        QCOMPARE(viewer->findChild<QLabel*>("LblPaginas")->text(),
                 QStringLiteral("de %1").arg(viewer->pageCount()));
        QCOMPARE(viewer->findChild<QComboBox*>("CmbZoom")->currentText(), QStringLiteral("100 %"));
        // 100 %: a landscape Letter page at the screen's real size.
        QWidget* page = viewer->findChild<QWidget*>("Pagina");
        const double pxPerMm = viewer->logicalDpiX() / 25.4;
        QCOMPARE(page->size(), QSize(qRound(279.4 * pxPerMm), qRound(215.9 * pxPerMm)));
        QSignalSpy shown(viewer, &ReportViewer::pageShown);
        w->show();
        QTRY_VERIFY(!shown.isEmpty());
        QCOMPARE(shown.first().first().toInt(), 0);
    }

    // The layout's own formula wins; the catalogue's counts only when the layout has none.
    void whichFormulaSelects_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("selected");
        QTest::newRow("catalogue's") << "Faltas.rpt"
                                     << "{rep_asistencia_general.Falta} = 1"
                                     << "Falta=1";
        QTest::newRow("layout's own over the catalogue's") << "SalidasPrematuras.rpt"
                                                           << "{rep_asistencia_general.Falta} = 1"
                                                           << "Salida_prematura=1";
        QTest::newRow("empty formula: every row") << "AsistenciaGeneral.rpt"
                                                  << ""
                                                  << "1=1";
        QTest::newRow("a list of kinds")
            << "AsistenciaGeneral.rpt"
            << "{rep_asistencia_general.Tipo} in [\"Falta\", \"Periodo Vacacional\"]"
            << "Tipo IN ('Falta','Periodo Vacacional')";
    }
    void whichFormulaSelects()
    {
        QFETCH(QString, layout);
        QFETCH(QString, formula);
        QFETCH(QString, selected);
        RecordingMessages boxes;
        auto w = view(shipped(layout), formula);
        QVERIFY(boxes.boxes.isEmpty());
        const int expected = countRows(selected);
        QVERIFY(expected > 0);
        QCOMPARE(int(w->viewer()->document()->records), expected);
    }

    // A report that cannot be opened shows one error box naming the file and the problem, and
    // then no pages; the program goes on.
    void faultsShowAnErrorBox_data()
    {
        QTest::addColumn<QString>("layout"); // empty: no such file
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("start");
        QTest::newRow("missing layout") << ""
                                        << ""
                                        << "No se encontró el formato de reporte \"%1\".";
        QTest::newRow("layout that does not parse")
            << "<report>\n<query>SELECT 1</query>\n<detail><bar/></detail></report>"
            << ""
            << "El formato de reporte \"%1\" no es válido, línea 3: <bar> necesita el atributo "
               "value.";
        QTest::newRow("catalogue formula that does not parse")
            << "<report><query>SELECT Falta FROM rep_asistencia_general</query></report>"
            << "({rep_asistencia_general.Falta} = 1"
            << "La fórmula de selección del catálogo no es válida en la posición 36: se esperaba "
               "\")\" y se encontró el final de la fórmula.\nFórmula: "
               "({rep_asistencia_general.Falta} = 1";
    }
    void faultsShowAnErrorBox()
    {
        QFETCH(QString, layout);
        QFETCH(QString, formula);
        QFETCH(QString, start);
        QString path = dir.filePath("NoExiste.rpt");
        if (!layout.isEmpty()) {
            path = dir.filePath("Malo.rpt");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(layout.toUtf8());
        }
        RecordingMessages boxes;
        FatalRecorder fatal;
        EndRecorder ends(*context);
        auto w = view(path, formula);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].kind, QStringLiteral("error"));
        QCOMPARE(boxes.boxes[0].title, QStringLiteral("Visor de Reportes"));
        const QString text = start.contains("%1") ? start.arg(path) : start;
        QCOMPARE(boxes.boxes[0].text, text);
        QVERIFY(!w->hasReport());
        QCOMPARE(w->viewer()->pageCount(), 0);
        QCOMPARE(w->viewer()->message(), text);
        for (const char* name : {"BtnImprimir", "BtnPdf", "BtnCsv", "BtnSiguiente"})
            QVERIFY(!button(w->viewer(), name)->isEnabled());
        QVERIFY(fatal.failures.isEmpty());
        QVERIFY(ends.codes.isEmpty());
        w->show();
        w->close();
    }

    void followsTheWindowsSize()
    {
        auto w = view(shipped("ResumenHoras.rpt"));
        w->show();
        for (const QSize size : {QSize(640, 480), QSize(1180, 860), QSize(700, 900)}) {
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            QCOMPARE(w->viewer()->geometry(), QRect(QPoint(0, 0), size));
            // The page area takes what the tool row leaves.
            auto* desk = w->viewer()->findChild<QScrollArea*>("Escritorio");
            QCOMPARE(desk->width(), size.width());
            QVERIFY(desk->height() > size.height() - 60);
        }
    }

    void pagesAndZoom()
    {
        auto w = view(shipped("AsistenciaGeneral.rpt"));
        w->show();
        ReportViewer* v = w->viewer();
        const int pages = v->pageCount();
        auto* box = v->findChild<QSpinBox*>("TxtPagina");
        QVERIFY(!button(v, "BtnPrimera")->isEnabled());
        button(v, "BtnSiguiente")->click();
        QCOMPARE(v->currentPage(), 1);
        QCOMPARE(box->value(), 2);
        button(v, "BtnUltima")->click();
        QCOMPARE(v->currentPage(), pages - 1);
        QVERIFY(!button(v, "BtnSiguiente")->isEnabled());
        QTest::keyClick(v, Qt::Key_PageUp);
        QCOMPARE(v->currentPage(), pages - 2);
        QTest::keyClick(v, Qt::Key_Home);
        QCOMPARE(v->currentPage(), 0);
        box->setValue(3);
        QCOMPARE(v->currentPage(), 2);
        button(v, "BtnAnterior")->click();
        QCOMPARE(v->currentPage(), 1);

        QWidget* page = v->findChild<QWidget*>("Pagina");
        const QSize full = page->size();
        auto* zoom = v->findChild<QComboBox*>("CmbZoom");
        zoom->setCurrentIndex(zoom->findData(200));
        emit zoom->activated(zoom->currentIndex());
        QCOMPARE(v->zoom(), 200);
        QVERIFY(qAbs(page->width() - 2 * full.width()) <= 1);
        QVERIFY(qAbs(page->height() - 2 * full.height()) <= 1);
    }

    void printsAndExportsFromItsButtons()
    {
        auto w = view(shipped("Retardos.rpt"), "{rep_asistencia_general.Retardo} = 1");
        w->show();
        ReportViewer* v = w->viewer();
        const int pages = v->pageCount();
        const int rows = countRows("Retardo=1");
        QString answer;
        v->chooseFile = [&answer](const QString&, const QString&) { return answer; };
        RecordingMessages boxes;

        answer = dir.filePath("retardos"); // the suffix is added
        button(v, "BtnPdf")->click();
        QCOMPARE(pdfPageCount(answer + ".pdf"), pages);
        button(v, "BtnCsv")->click();
        QFile csv(answer + ".csv");
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll().count("\r\n"), rows + 1);

        answer.clear(); // cancelled: nothing written
        QFile::remove(dir.filePath("retardos.pdf"));
        button(v, "BtnPdf")->click();
        QVERIFY(!QFile::exists(dir.filePath("retardos.pdf")));

        answer = QStringLiteral("/no-existe/retardos.pdf");
        button(v, "BtnPdf")->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(boxes.boxes[0].text.startsWith(
            "No se pudo escribir el archivo \"/no-existe/retardos.pdf\":"));

        const QString printed = dir.filePath("impreso.pdf");
        bool accept = false;
        v->choosePrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            return accept;
        };
        button(v, "BtnImprimir")->click();
        QVERIFY(!QFile::exists(printed));
        accept = true;
        button(v, "BtnImprimir")->click();
        QCOMPARE(pdfPageCount(printed), pages);
    }
};

QTEST_MAIN(TestReportViewer)
#include "tst_report_viewer.moc"
