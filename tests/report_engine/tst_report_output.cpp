// The report engine on the database and on files: records as the engine reads them, the faults
// of opening a report, PDF pages, CSV columns and rows, printing a range, and the first page of
// every shipped layout over realistic rows (also written as PNG pictures to look at).

#include "PagePainter.h"
#include "RecordingMessages.h"
#include "RecordSource.h"
#include "ReportExport.h"
#include "ReportFiles.h"
#include "ReportJob.h"
#include "SampleAttendance.h"
#include "TestDatabase.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

namespace {

const QString kDatabase = QStringLiteral("t_report_output");
const QDate kMonday(2026, 11, 2);

QString shipped(const QString& name)
{
    return sourceDir() + QStringLiteral("/report_engine/layouts/") + name;
}

// A layout of one 10 mm detail per record between 10 mm page header and footer: 23 a page.
const char* const kTwentyThreeAPage = R"(<report page="Letter" margin="10">
  <query>SELECT usuario, Fecha FROM rep_asistencia_general ORDER BY usuario, Fecha</query>
  <pageHeader height="10"><field x="0" y="0" w="80" h="6" value="ReportTitle"/></pageHeader>
  <detail height="10"><field x="0" y="0" w="30" h="6" value="{Fecha}"/></detail>
  <pageFooter height="10"><field x="0" y="0" w="80" h="6" value="ToText(PageNumber) "/></pageFooter>
</report>)";

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (!text.endsWith(QStringLiteral("\r\n")))
        return {QStringLiteral("(lines do not end in CR LF)")};
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

QStringList pageTexts(const report::Page& page)
{
    QStringList out;
    for (const report::Item& i : page.items)
        if (i.kind == report::Item::Kind::Text)
            out << QString::fromStdString(i.text);
    return out;
}

} // namespace

class TestReportOutput : public QObject
{
    Q_OBJECT

    Db db;
    QTemporaryDir dir;

    QString file(const QString& name) const { return dir.filePath(name); }

    QString writeLayout(const QString& name, const QByteArray& text)
    {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }

    ReportOutcome open(const QString& layout, const QString& formula = {})
    {
        ReportRequest request;
        request.layoutPath = layout;
        request.formula = formula;
        request.title = QStringLiteral("Prueba del Día: 02/11/2026 Al Día: 15/11/2026");
        request.now = QDateTime(QDate(2026, 12, 9), QTime(13, 5));
        return buildReport(db, request);
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
        QString error;
        QVERIFY2(createDatabase(db, kDatabase, &error), qPrintable(error));
        QVERIFY(dir.isValid());
    }
    void init() { clearTables(db); }

    void recordsAsTheEngineReadsThem()
    {
        sample::Day d = sample::attended(5, kMonday, 17, 0);
        d.tipo = QStringLiteral("Día Inhábil");
        d.salida = QTime();
        d.laboradas = QStringLiteral("07:30:00");
        sample::insertDays(db, {d});
        report::Table table;
        QString error;
        QVERIFY(readRecords(db,
                            "SELECT usuario, Fecha, Entrada, Salida, CAST(Diferencia AS CHAR) AS "
                            "Diferencia, Retardo_Tiempo, Tipo FROM rep_asistencia_general",
                            table, &error));
        QCOMPARE(table.columns.size(), size_t(7));
        QCOMPARE(QString::fromStdString(table.columns[4]), QStringLiteral("Diferencia"));
        QCOMPARE(table.rows.size(), size_t(1));
        const auto& r = table.rows[0];
        using K = report::Value::Kind;
        QCOMPARE(r[0].kind, K::Number);
        QCOMPARE(r[0].number, 5.0);
        QCOMPARE(r[1].kind, K::Date);
        QCOMPARE(r[1].number, double(report::daysFromCivil(2026, 11, 2)));
        QCOMPARE(r[2].kind, K::DateTime);
        QCOMPARE(QString::fromStdString(report::formatValue(r[2])),
                 QStringLiteral("02/11/2026 09:16:20"));
        QCOMPARE(r[3].kind, K::Null);
        QCOMPARE(r[4].kind, K::Time); // a negative TIME, read as text
        QCOMPARE(r[4].number, -1800.0);
        QCOMPARE(r[5].kind, K::Text); // minutes are stored as text
        QCOMPARE(QString::fromStdString(r[5].text), QStringLiteral("17"));
        QCOMPARE(QString::fromStdString(r[6].text), QStringLiteral("Día Inhábil"));
    }

    void onlyReadingQueriesRun_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("runs");
        QTest::newRow("select") << "select usuario from rep_asistencia_general" << true;
        QTest::newRow("after comments")
            << "-- nota\n /* otra */ SELECT usuario FROM rep_asistencia_general" << true;
        QTest::newRow("with")
            << "WITH x AS (SELECT usuario FROM rep_asistencia_general) SELECT * FROM x" << true;
        QTest::newRow("delete") << "DELETE FROM rep_asistencia_general" << false;
        QTest::newRow("update after a comment")
            << "/* select */ UPDATE rep_asistencia_general SET Falta=1" << false;
        QTest::newRow("word starting with select") << "selectx" << false;
    }
    void onlyReadingQueriesRun()
    {
        QFETCH(QString, sql);
        QFETCH(bool, runs);
        sample::insertDays(db, {sample::absent(1, kMonday)});
        report::Table table;
        QString error;
        QCOMPARE(readRecords(db, sql, table, &error), runs);
        QCOMPARE(countRows("Falta=1 AND usuario=1"), 1);
        if (!runs)
            QCOMPARE(error, QStringLiteral("la consulta debe ser un SELECT"));
    }

    // A fault in a layout file is told, naming the file; it never ends the program.
    void openingFaults_data()
    {
        QTest::addColumn<QString>("layout"); // empty: no such file
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("rest");
        QTest::newRow("missing file") << ""
                                      << ""
                                      << "No se encontró el formato de reporte \"%1\"."
                                      << "";
        QTest::newRow("not XML")
            << "<report>\n<query>SELECT 1</query>"
            << ""
            << "El formato de reporte \"%1\" no es válido, XML no válido, línea 2,"
            << "falta cerrar el elemento <report> de la línea 1.";
        QTest::newRow("unknown field")
            << "<report><query>SELECT usuario FROM rep_asistencia_general</query>\n"
               "<detail><field x=\"0\" y=\"0\" w=\"9\" h=\"4\" "
               "value=\"{Faltas}\"/></detail></report>"
            << ""
            << "El formato de reporte \"%1\" no es válido, línea 2: posición 1:"
            << "campo desconocido {Faltas}.";
        QTest::newRow("query the server refuses")
            << "<report>\n<query>SELECT nada FROM rep_asistencia_general</query></report>"
            << ""
            << "La consulta del formato de reporte \"%1\" (línea 2) falló:"
            << "nada";
        QTest::newRow("catalogue formula")
            << "<report><query>SELECT Falta FROM rep_asistencia_general</query></report>"
            << "{rep_asistencia_general.Falta} = 1 and or"
            << "La fórmula de selección del catálogo no es válida en la posición 40: se esperaba "
               "un valor y se encontró \"or\"."
            << "";
    }
    void openingFaults()
    {
        QFETCH(QString, layout);
        QFETCH(QString, formula);
        QFETCH(QString, start);
        QFETCH(QString, rest);
        sample::insertDays(db, {sample::absent(1, kMonday)});
        const QString path =
            layout.isEmpty() ? file("NoExiste.rpt") : writeLayout("Malo.rpt", layout.toUtf8());
        FatalRecorder fatal;
        const ReportOutcome outcome = open(path, formula);
        QVERIFY(!outcome.ok());
        const QString expected =
            start.contains("%1") ? start.arg(QDir::toNativeSeparators(path)) : start;
        QVERIFY2(outcome.error.startsWith(expected), qPrintable(outcome.error));
        QVERIFY2(outcome.error.contains(rest), qPrintable(outcome.error));
        QVERIFY(fatal.failures.isEmpty());
        QVERIFY(db.isOpen());
    }

    void pdfHasTheExpectedPages_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 1;
        QTest::newRow("one page") << 23 << 1;
        QTest::newRow("one more") << 24 << 2;
        QTest::newRow("three") << 50 << 3;
    }
    void pdfHasTheExpectedPages()
    {
        QFETCH(int, records);
        QFETCH(int, pages);
        std::vector<sample::Day> days;
        for (int k = 0; k < records; ++k)
            days.push_back(sample::absent(1 + k / 20, kMonday.addDays(k % 20)));
        sample::insertDays(db, days);
        const QString layout = writeLayout("Paginas.rpt", kTwentyThreeAPage);
        const QString out = file("paginas.pdf");
        QFile::remove(out);
        QCOMPARE(exportReportPdf(db, layout, {}, QStringLiteral("Páginas"), out), QString());
        QCOMPARE(pdfPageCount(out), pages);
    }

    void generalReportPdfMatchesItsPages()
    {
        sample::addEmployees(db, 12);
        sample::insertDays(db, sample::company(12, kMonday, 31));
        const ReportOutcome outcome = open(shipped("AsistenciaGeneral.rpt"));
        QVERIFY2(outcome.ok(), qPrintable(outcome.error));
        const int pages = int(outcome.document->pages.size());
        QVERIFY(pages > 5);
        const QString out = file("general.pdf");
        QCOMPARE(exportReportPdf(db, shipped("AsistenciaGeneral.rpt"), {}, "General", out),
                 QString());
        QCOMPARE(pdfPageCount(out), pages);
    }

    void csvColumnsAndRows()
    {
        sample::addEmployees(db, 2);
        db.exec("UPDATE KxUsuario SET Nombre=? WHERE Usuario=2", {"PEÑA, JOSÉ \"PEPE\""});
        sample::insertDays(
            db, {sample::attended(1, kMonday, 17, 0), sample::absent(1, kMonday.addDays(1)),
                 sample::attended(2, kMonday, 0, 25), sample::rest(2, kMonday.addDays(5))});
        const QString out = file("general.csv");
        QCOMPARE(exportReportCsv(db, shipped("AsistenciaGeneral.rpt"), {}, "General", out),
                 QString());
        const QStringList lines = readLines(out);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0],
                 QStringLiteral("Usuario,Nombre,Departamento,Fecha,Tipo,Entrada,Salida a comer,"
                                "Regreso de comer,Salida,Horas programadas,Horas laboradas,"
                                "Diferencia,Minutos de retardo,Minutos de salida prematura"));
        // In name order: MARÍA FERNANDA GONZÁLEZ (1), then PEÑA (2).
        QCOMPARE(lines[1], QStringLiteral("1,MARÍA FERNANDA GONZÁLEZ,Almacén y Logística,"
                                          "lun 02/11/2026,Asistido,09:16,14:00,15:00,18:00,"
                                          "8:00,7:44,-0:16,17,"));
        QCOMPARE(lines[2], QStringLiteral("1,MARÍA FERNANDA GONZÁLEZ,Almacén y Logística,"
                                          "mar 03/11/2026,Falta,,,,,8:00,,,,"));
        QCOMPARE(lines[3], QStringLiteral("2,\"PEÑA, JOSÉ \"\"PEPE\"\"\",Almacén y Logística,"
                                          "lun 02/11/2026,Asistido,08:59,14:00,15:00,17:35,"
                                          "8:00,7:36,-0:24,,25"));
        QCOMPARE(lines[4], QStringLiteral("2,\"PEÑA, JOSÉ \"\"PEPE\"\"\",Almacén y Logística,"
                                          "sáb 07/11/2026,Descanso,,,,,0:00,,,,"));
    }

    void writeFailuresAreTold()
    {
        sample::insertDays(db, {sample::absent(1, kMonday)});
        const QString out = QStringLiteral("/no-existe/carpeta/reporte");
        const QString pdf = exportReportPdf(db, shipped("Faltas.rpt"), {}, "Faltas", out + ".pdf");
        QVERIFY2(
            pdf.startsWith("No se pudo escribir el archivo \"/no-existe/carpeta/reporte.pdf\":"),
            qPrintable(pdf));
        const QString csv = exportReportCsv(db, shipped("Faltas.rpt"), {}, "Faltas", out + ".csv");
        QVERIFY2(
            csv.startsWith("No se pudo escribir el archivo \"/no-existe/carpeta/reporte.csv\":"),
            qPrintable(csv));
    }

    void printingARange()
    {
        std::vector<sample::Day> days;
        for (int k = 0; k < 60; ++k)
            days.push_back(sample::absent(1 + k / 30, kMonday.addDays(k % 30)));
        sample::insertDays(db, days);
        const ReportOutcome outcome = open(writeLayout("Paginas.rpt", kTwentyThreeAPage));
        QVERIFY2(outcome.ok(), qPrintable(outcome.error));
        QCOMPARE(outcome.document->pages.size(), size_t(3));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file("impreso.pdf"));
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        printDocument(*outcome.document, printer);
        QCOMPARE(pdfPageCount(file("impreso.pdf")), 2);
    }

    // Each shipped layout over two weeks of a 12-employee company: the records its formula
    // selects, figures that agree with the table, and its first page as a picture.
    void shippedLayouts_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("formula");  // the catalogue's, as in the demo data
        QTest::addColumn<QString>("selected"); // the same rows in SQL
        QTest::newRow("general") << "AsistenciaGeneral.rpt"
                                 << ""
                                 << "1=1";
        QTest::newRow("absences") << "Faltas.rpt"
                                  << "{rep_asistencia_general.Falta} = 1"
                                  << "Falta=1";
        QTest::newRow("late arrivals") << "Retardos.rpt"
                                       << "{rep_asistencia_general.Retardo} = 1"
                                       << "Retardo=1";
        QTest::newRow("incidents")
            << "Incidencias.rpt"
            << "{rep_asistencia_general.Falta} = 1 or {rep_asistencia_general.Retardo} = 1 or "
               "{rep_asistencia_general.Salida_prematura} = 1 or "
               "{rep_asistencia_general.Incompleto} = 1"
            << "Falta=1 OR Retardo=1 OR Salida_prematura=1 OR Incompleto=1";
        // The layout's own formula wins over whatever the catalogue gives.
        QTest::newRow("early exits") << "SalidasPrematuras.rpt"
                                     << "{rep_asistencia_general.Falta} = 1"
                                     << "Salida_prematura=1";
        QTest::newRow("hours summary") << "ResumenHoras.rpt"
                                       << ""
                                       << "1=1";
    }
    void shippedLayouts()
    {
        QFETCH(QString, layout);
        QFETCH(QString, formula);
        QFETCH(QString, selected);
        sample::addEmployees(db, 12);
        sample::insertDays(db, sample::company(12, kMonday, 14));
        const ReportOutcome outcome = open(shipped(layout), formula);
        QVERIFY2(outcome.ok(), qPrintable(outcome.error));
        const report::Document& doc = *outcome.document;
        const int expected = countRows(selected);
        QVERIFY(expected > 0);
        QCOMPARE(int(doc.records), expected);
        if (layout != "ResumenHoras.rpt")
            QCOMPARE(int(doc.csv.rows.size()), expected);
        else
            QCOMPARE(int(doc.csv.rows.size()), 12);
        const QStringList first = pageTexts(doc.pages[0]);
        QVERIFY(first.contains(QStringLiteral("Prueba del Día: 02/11/2026 Al Día: 15/11/2026")));
        QVERIFY(first.contains(QStringLiteral("Página 1 de %1").arg(doc.pages.size())));

        const QString folder = qEnvironmentVariable(
            "VELANDRO_REPORT_PAGES",
            QDir(QCoreApplication::applicationDirPath()).filePath("report-pages"));
        QDir().mkpath(folder);
        const QImage page = renderPage(doc, 0, 110);
        QVERIFY(page.save(QDir(folder).filePath(QFileInfo(layout).baseName() + ".png")));
        QVERIFY(page.width() > 900);
    }

    // The general report's figures for each employee agree with the working table.
    void generalReportTotals()
    {
        sample::addEmployees(db, 4);
        sample::insertDays(db, sample::company(4, kMonday, 21));
        const ReportOutcome outcome = open(shipped("AsistenciaGeneral.rpt"));
        QVERIFY2(outcome.ok(), qPrintable(outcome.error));
        QStringList lines;
        for (const report::Page& p : outcome.document->pages)
            for (const QString& t : pageTexts(p))
                if (t.startsWith(QStringLiteral("Días laborables:")))
                    lines << t;
        QStringList expected;
        QSqlQuery q = db.query(
            "SELECT SUM(dia_laborable), SUM(Entrada IS NOT NULL), SUM(Falta), SUM(Retardo), "
            "SUM(Salida_prematura), SUM(Incompleto) FROM rep_asistencia_general r JOIN KxUsuario u "
            "ON u.Usuario=r.usuario GROUP BY u.Nombre, r.usuario ORDER BY u.Nombre, r.usuario");
        while (q.next())
            expected << QStringLiteral(
                            "Días laborables: %1     Días asistidos: %2     Faltas: %3     "
                            "Retardos: %4     Salidas prematuras: %5     Incompletos: %6")
                            .arg(q.value(0).toInt())
                            .arg(q.value(1).toInt())
                            .arg(q.value(2).toInt())
                            .arg(q.value(3).toInt())
                            .arg(q.value(4).toInt())
                            .arg(q.value(5).toInt());
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines, expected);
    }
};

QTEST_MAIN(TestReportOutput)
#include "tst_report_output.moc"
