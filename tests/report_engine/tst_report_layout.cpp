// Layout files and what a run makes of them: reading and its faults, the choice of selection
// formula, totals per group, page breaks, groups that do not fit, bar scales and CSV rows.

#include "ReportEngine.h"

#include <QtTest>

using namespace report;

namespace {

// Records of employees ("u", with "name") and days ("d"), worked hours ("h", as text the way
// TIME columns are read) and an absence flag ("f").
struct Rows
{
    Table table;

    Rows() { table.columns = {"u", "name", "d", "h", "f"}; }

    // `count` days of employee u from 2026-11-02; every third is an absence.
    Rows& add(int u, const std::string& name, int count)
    {
        for (int k = 0; k < count; ++k) {
            const bool absent = k % 3 == 2;
            table.rows.push_back(
                {Value::num(u), Value::str(name), Value::date(daysFromCivil(2026, 11, 2) + k),
                 absent ? Value::null() : Value::str("08:15:00"), Value::num(absent ? 1 : 0)});
        }
        return *this;
    }
};

Document run(const std::string& xml, const Table& table, const std::string& catalogue = {})
{
    Layout layout = parseLayout(xml);
    RunOptions options;
    options.title = "Prueba";
    options.catalogueFormula = catalogue;
    options.now = (daysFromCivil(2026, 12, 9) * 86400) + 13 * 3600 + 5 * 60;
    return runReport(layout, table, options);
}

QStringList texts(const Page& page)
{
    QStringList out;
    for (const Item& i : page.items)
        if (i.kind == Item::Kind::Text)
            out << QString::fromStdString(i.text);
    return out;
}

// The texts of a page but its number, runs of one text written once with their count ("D1*15").
QString outline(const Page& page)
{
    QStringList parts;
    QString last;
    int run = 0;
    auto flush = [&] {
        if (run > 0)
            parts << (run == 1 ? last : QStringLiteral("%1*%2").arg(last).arg(run));
    };
    for (const QString& t : texts(page)) {
        if (t.size() > 1 && t[0] == 'P' && t[1].isDigit())
            continue; // the page header's number
        if (t == last) {
            ++run;
            continue;
        }
        flush();
        last = t;
        run = 1;
    }
    flush();
    return parts.join(' ');
}

QStringList outlines(const Document& doc)
{
    QStringList out;
    for (const Page& p : doc.pages)
        out << outline(p);
    return out;
}

const char* const kGood =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- a comment -->\n"
    "<report title=\"Asistencia\" page=\"Letter\" orientation=\"landscape\" margin=\"12\">\n"
    "  <query><![CDATA[ SELECT * FROM rep_asistencia_general WHERE 1 < 2 ]]></query>\n"
    "  <selection>{f} = 1</selection>\n"
    "  <total name=\"dias\" function=\"count\"/>\n"
    "  <pageHeader height=\"8\"><field x=\"0\" y=\"0\" w=\"100\" h=\"5\" value=\"ReportTitle\" "
    "bold=\"true\" size=\"12\"/></pageHeader>\n"
    "  <group by=\"{u}\" keepTogether=\"true\" repeatHeader=\"true\">\n"
    "    <total name=\"horas\" function=\"sumtime\" value=\"{h}\"/>\n"
    "    <header height=\"6\"><field x=\"0\" y=\"0\" w=\"80\" h=\"5\" value=\"{name}\"/></header>\n"
    "    <footer height=\"6\"><line x1=\"0\" y1=\"0\" x2=\"255.4\" y2=\"0\" width=\"0.3\" "
    "color=\"#1f4e79\"/></footer>\n"
    "  </group>\n"
    "  <detail height=\"4.5\"><field x=\"0\" y=\"0\" w=\"30\" h=\"4.5\" value=\"{d}\" "
    "format=\"dd/MM/yyyy\" align=\"right\"/>\n"
    "    <box x=\"40\" y=\"0\" w=\"10\" h=\"4\" fill=\"#eeeeee\"/><text x=\"60\" y=\"0\" w=\"20\" "
    "h=\"4\">D &amp; &#193;</text></detail>\n"
    "</report>";

// Page header "P<n>/<pages>" (10 mm), page footer 10 mm, and bands of the heights given; a
// group by employee with the attributes in `group` unless it is empty.
std::string pagedLayout(double header, double detail, double footer, const std::string& group)
{
    std::string xml = R"(<report page="Letter" margin="10"><query>select</query>
      <pageHeader height="10"><field x="0" y="0" w="50" h="5" value="'P' &amp; ToText(PageNumber) &amp; '/' &amp; ToText(TotalPages) "/></pageHeader>
      <pageFooter height="10"><text x="0" y="0" w="50" h="5">Pie</text></pageFooter>)";
    if (!group.empty()) {
        xml += "<group by=\"{u}\" " + group + ">";
        if (header > 0)
            xml += "<header height=\"" + std::to_string(header) +
                   "\"><field x=\"0\" y=\"0\" w=\"20\" h=\"4\" value=\"'H' &amp; "
                   "ToText({u})\"/></header>";
        if (footer > 0)
            xml += "<footer height=\"" + std::to_string(footer) +
                   "\"><field x=\"0\" y=\"0\" w=\"20\" h=\"4\" value=\"'F' &amp; "
                   "ToText({u})\"/></footer>";
        xml += "</group>";
    }
    xml += "<detail height=\"" + std::to_string(detail) +
           "\"><field x=\"0\" y=\"0\" w=\"20\" h=\"4\" value=\"'D' &amp; "
           "ToText({u})\"/></detail></report>";
    return xml;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void readsAGoodLayout()
    {
        const Layout l = parseLayout(kGood);
        QCOMPARE(QString::fromStdString(l.title), QStringLiteral("Asistencia"));
        QCOMPARE(l.page.width, 279.4);
        QCOMPARE(l.page.height, 215.9);
        QCOMPARE(l.page.margin, 12.0);
        QCOMPARE(QString::fromStdString(l.query).trimmed(),
                 QStringLiteral("SELECT * FROM rep_asistencia_general WHERE 1 < 2"));
        QVERIFY(l.hasSelection());
        QCOMPARE(QString::fromStdString(l.selection->source), QStringLiteral("{f} = 1"));
        QCOMPARE(l.totals.size(), size_t(1));
        QCOMPARE(l.groups.size(), size_t(1));
        QVERIFY(l.groups[0].keepTogether && l.groups[0].repeatHeader);
        QCOMPARE(l.groups[0].totals[0].function, TotalDef::Function::SumTime);
        QVERIFY(l.pageHeader.present && l.detail.present && !l.reportHeader.present);
        QCOMPARE(l.detail.height, 4.5);
        QCOMPARE(l.detail.elements.size(), size_t(3));
        const Element& date = l.detail.elements[0];
        QCOMPARE(date.kind, Element::Kind::Field);
        QCOMPARE(date.align, Align::Right);
        QCOMPARE(QString::fromStdString(date.format), QStringLiteral("dd/MM/yyyy"));
        QCOMPARE(l.detail.elements[1].fill, 0xEEEEEEu);
        QCOMPARE(QString::fromStdString(l.detail.elements[2].text), QStringLiteral("D & Á"));
        QCOMPARE(l.groups[0].footer.elements[0].w, 255.4);
        QCOMPARE(l.groups[0].footer.elements[0].color, 0x1F4E79u);
        QCOMPARE(l.pageHeader.elements[0].font.size, 12.0);
        QVERIFY(l.pageHeader.elements[0].font.bold);
    }

    void layoutFaults_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("message");
        QTest::newRow("not closed")
            << "<report>\n<query>select 1</query>\n"
            << "XML no válido, línea 3, columna 1: falta cerrar el elemento <report> de la línea 1";
        QTest::newRow("crossed tags") << "<report>\n  <detail height=\"5\">\n  </report>"
                                      << "XML no válido, línea 3, columna 3: se cierra </report> "
                                         "pero está abierto <detail> de la línea 2";
        QTest::newRow("attribute without quotes")
            << "<report page=A4/>"
            << "XML no válido, línea 1, columna 14: el valor del atributo page va entre comillas";
        QTest::newRow("bare ampersand") << "<report>\n<query>a & b</query></report>"
                                        << "XML no válido, línea 2, columna 10: \"&\" sin cerrar "
                                           "con \";\" (escriba &amp; para un & literal)";
        QTest::newRow("other root") << "<reporte/>"
                                    << "línea 1: el elemento raíz debe ser <report>, no <reporte>";
        QTest::newRow("missing query")
            << "<report>\n<detail height=\"5\"/>\n</report>"
            << "línea 1: falta <query>, la consulta que trae los registros";
        QTest::newRow("unknown element")
            << "<report><query>select</query>\n<detail height=\"5\">\n<imagen/></detail></report>"
            << "línea 3: elemento desconocido <imagen> (una banda lleva <text>, <field>, <line>, "
               "<box> o <bar>)";
        QTest::newRow("field without value")
            << "<report><query>select</query>\n<detail>\n<field x=\"0\" y=\"0\" w=\"1\" "
               "h=\"1\"/></detail></report>"
            << "línea 3: <field> necesita el atributo value";
        QTest::newRow("element without position") << "<report><query>select</query><detail><box "
                                                     "x=\"0\" w=\"1\" h=\"1\"/></detail></report>"
                                                  << "línea 1: <box> necesita el atributo y";
        QTest::newRow("not a measure") << "<report><query>select</query><detail><box x=\"diez\" "
                                          "y=\"0\" w=\"1\" h=\"1\"/></detail></report>"
                                       << "línea 1: el atributo x=\"diez\" de <box> no es una "
                                          "medida válida (milímetros, sin signo)";
        QTest::newRow("unknown attribute")
            << "<report><query>select</query><detail><text x=\"0\" y=\"0\" w=\"1\" h=\"1\" "
               "colour=\"#000000\">a</text></detail></report>"
            << "línea 1: <text> no admite el atributo colour";
        QTest::newRow("bad formula in a field")
            << "<report><query>select</query>\n<detail><field x=\"0\" y=\"0\" w=\"1\" h=\"1\" "
               "value=\"{a} = \"/></detail></report>"
            << "línea 2: fórmula del atributo value de <field>, posición 7: se esperaba un valor y "
               "se encontró el final de la fórmula";
        QTest::newRow("bad selection")
            << "<report><query>select</query>\n\n<selection>{a} in [1</selection></report>"
            << "línea 3: fórmula de selección de <selection>, posición 10: se esperaba \"]\" y se "
               "encontró el final de la fórmula";
        QTest::newRow("unknown total function")
            << "<report><query>select</query><total name=\"t\" function=\"avg\" "
               "value=\"{a}\"/></report>"
            << "línea 1: función de total desconocida \"avg\" (count, sum, sumtime, distinctcount, "
               "min o max)";
        QTest::newRow("total named twice")
            << "<report><query>select</query>\n<total name=\"t\"/>\n<total name=\"t\"/></report>"
            << "línea 3: el total t ya existe (línea 2)";
        QTest::newRow("wider than the page")
            << "<report page=\"A4\" margin=\"10\"><query>select</query><detail><text x=\"150\" "
               "y=\"0\" w=\"41\" h=\"4\">a</text></detail></report>"
            << "línea 1: <text> se sale del ancho útil de la página (190 mm)";
        QTest::newRow("band taller than the page")
            << "<report><query>select</query><detail height=\"300\"/></report>"
            << "línea 1: <detail> es más alta que la página";
        QTest::newRow("band twice")
            << "<report><query>select</query>\n<detail/>\n<detail/></report>"
            << "línea 3: <detail> aparece dos veces (la primera en la línea 2)";
        QTest::newRow("unknown paper")
            << "<report page=\"Carta\"><query>select</query></report>"
            << "línea 1: tamaño de página desconocido \"Carta\" (Letter, Legal o A4)";
    }
    void layoutFaults()
    {
        QFETCH(QString, xml);
        QFETCH(QString, message);
        try {
            parseLayout(xml.toStdString());
            QFAIL("the layout was accepted");
        } catch (const LayoutError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    // Names are checked against the query's columns before any record is read.
    void unknownNamesNameTheirLine_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("message");
        QTest::newRow("field")
            << "<field x=\"0\" y=\"0\" w=\"9\" h=\"4\" value=\"ToText({u}) &amp; {nombre}\"/>"
            << "línea 4: posición 15: campo desconocido {nombre}";
        QTest::newRow("total") << "<field x=\"0\" y=\"0\" w=\"9\" h=\"4\" value=\"{#faltas}\"/>"
                               << "línea 4: posición 1: total desconocido {#faltas}";
        QTest::newRow("another group's total is out of reach")
            << "<field x=\"0\" y=\"0\" w=\"9\" h=\"4\" value=\"{#interno}\"/>"
            << "línea 4: posición 1: total desconocido {#interno}";
    }
    void unknownNamesNameTheirLine()
    {
        QFETCH(QString, element);
        QFETCH(QString, message);
        const std::string xml = "<report><query>select</query>\n"
                                "<group by=\"{u}\"><total name=\"interno\"/></group>\n"
                                "<reportFooter height=\"5\">\n" +
                                element.toStdString() + "</reportFooter></report>";
        Rows rows;
        rows.add(1, "ANA", 2);
        try {
            run(xml, rows.table);
            QFAIL("the layout ran");
        } catch (const LayoutError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    // The layout's own formula wins; the catalogue's counts only when the layout has none; an
    // empty formula keeps every record.
    void selectionChoice_data()
    {
        QTest::addColumn<QString>("layoutSelection");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<int>("records");
        // 3 employees x 6 days: 2 absences each.
        QTest::newRow("layout's own wins") << "{f} = 1"
                                           << "{f} = 0" << 6;
        QTest::newRow("catalogue's when the layout has none") << ""
                                                              << "{f} = 0" << 12;
        QTest::newRow("catalogue's with a list") << ""
                                                 << "{u} in [1, 3] and {f} = 0" << 8;
        QTest::newRow("no formula at all") << ""
                                           << "" << 18;
        QTest::newRow("blank formula") << ""
                                       << "  " << 18;
        QTest::newRow("layout's own with a blank catalogue") << "not {f} = 1 and {u} = 2"
                                                             << "" << 4;
    }
    void selectionChoice()
    {
        QFETCH(QString, layoutSelection);
        QFETCH(QString, catalogue);
        QFETCH(int, records);
        std::string xml = "<report><query>select</query>";
        if (!layoutSelection.isEmpty())
            xml += "<selection>" + layoutSelection.toStdString() + "</selection>";
        xml +=
            "<detail height=\"5\"><field x=\"0\" y=\"0\" w=\"9\" h=\"4\" value=\"{u}\"/></detail>"
            "</report>";
        Rows rows;
        rows.add(1, "ANA", 6).add(2, "LUIS", 6).add(3, "SOFÍA", 6);
        const Document doc = run(xml, rows.table, catalogue.toStdString());
        QCOMPARE(int(doc.records), records);
        QCOMPARE(int(doc.csv.rows.size()), records);
    }

    void selectionFaults_data()
    {
        QTest::addColumn<QString>("layoutSelection");
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("message");
        QTest::newRow("catalogue's does not parse")
            << ""
            << "{f} = 1 and"
            << "La fórmula de selección del catálogo no es válida en la posición 12: se esperaba "
               "un "
               "valor y se encontró el final de la fórmula.\nFórmula: {f} = 1 and";
        QTest::newRow("catalogue's names an unknown field")
            << ""
            << "{rep_asistencia_general.Faltas} = 1"
            << "La fórmula de selección del catálogo no es válida en la posición 1: campo "
               "desconocido {rep_asistencia_general.Faltas}.\nFórmula: "
               "{rep_asistencia_general.Faltas} = 1";
        QTest::newRow("layout's compares text with a number")
            << "{name} = 1"
            << "{f} = 1"
            << "La fórmula de selección del formato no es válida en la posición 8: no se puede "
               "comparar un texto con un número.\nFórmula: {name} = 1";
        QTest::newRow("a broken catalogue formula is never read when the layout has one")
            << "{f} = 1"
            << "{f} = = 1"
            << "";
    }
    void selectionFaults()
    {
        QFETCH(QString, layoutSelection);
        QFETCH(QString, catalogue);
        QFETCH(QString, message);
        std::string xml = "<report><query>select</query>";
        if (!layoutSelection.isEmpty())
            xml += "<selection>" + layoutSelection.toStdString() + "</selection>";
        xml += "</report>";
        Rows rows;
        rows.add(1, "ANA", 3);
        try {
            run(xml, rows.table, catalogue.toStdString());
            QCOMPARE(QString(), message);
        } catch (const SelectionError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }
    }

    // Every group's totals cover exactly its records, in its header as in its footer; the
    // report's cover all selected records.
    void totalsPerGroup()
    {
        const char* xml =
            "<report><query>select</query>\n"
            "          <total name=\"n\" function=\"count\"/>\n"
            "          <total name=\"faltas\" function=\"sum\" value=\"{f}\"/>\n"
            "          <total name=\"empleados\" function=\"distinctcount\" value=\"{u}\"/>\n"
            "          <total name=\"horas\" function=\"sumtime\" value=\"{h}\"/>\n"
            "          <group by=\"{u}\">\n"
            "            <total name=\"n\" function=\"count\"/>\n"
            "            <total name=\"faltas\" function=\"count\" where=\"{f} = 1\"/>\n"
            "            <total name=\"horas\" function=\"sumtime\" value=\"{h}\"/>\n"
            "            <total name=\"primero\" function=\"min\" value=\"{d}\"/>\n"
            "            <total name=\"ultimo\" function=\"max\" value=\"{d}\"/>\n"
            "            <header height=\"5\"><field x=\"0\" y=\"0\" w=\"90\" h=\"4\" value=\"'H ' "
            "&amp; {name} &amp; ' ' &amp; ToText({#n}) \"/></header>\n"
            "            <footer height=\"5\"><field x=\"0\" y=\"0\" w=\"190\" h=\"4\" value=\"'F "
            "' &amp; ToText({u}) &amp; ' n=' &amp; ToText({#n}) &amp; ' faltas=' &amp; "
            "ToText({#faltas}) &amp; ' horas=' &amp; ToText({#horas}, 'H:mm') &amp; ' ' &amp; "
            "ToText({#primero}, 'dd') &amp; '-' &amp; ToText({#ultimo}, 'dd') \"/></footer>\n"
            "          </group>\n"
            "          <reportFooter height=\"5\"><field x=\"0\" y=\"0\" w=\"190\" h=\"4\" "
            "value=\"'R n=' &amp; ToText({#n}) &amp; ' faltas=' &amp; ToText({#faltas}) &amp; ' "
            "empleados=' &amp; ToText({#empleados}) &amp; ' horas=' &amp; ToText({#horas}, 'H:mm') "
            "\"/></reportFooter>\n"
            "        </report>";
        Rows rows;
        rows.add(7, "ANA", 5).add(2, "LUIS", 1).add(9, "SOFÍA", 9);
        const Document doc = run(xml, rows.table);
        QCOMPARE(doc.pages.size(), size_t(1));
        QCOMPARE(texts(doc.pages[0]),
                 (QStringList{"H ANA 5", "F 7 n=5 faltas=1 horas=33:00 02-06", "H LUIS 1",
                              "F 2 n=1 faltas=0 horas=8:15 02-02", "H SOFÍA 9",
                              "F 9 n=9 faltas=3 horas=49:30 02-10",
                              "R n=15 faltas=4 empleados=3 horas=90:45"}));
    }

    // A group is the run of consecutive records with one key, in the query's order.
    void nestedGroupsAndKeysInARow()
    {
        const char* xml =
            "<report><query>select</query>\n"
            "          <group by=\"{f}\"><header height=\"5\"><field x=\"0\" y=\"0\" w=\"90\" "
            "h=\"4\" value=\"'F' &amp; ToText({f}) \"/></header></group>\n"
            "          <group by=\"{u}\"><footer height=\"5\"><field x=\"0\" y=\"0\" w=\"90\" "
            "h=\"4\" value=\"'U' &amp; ToText({u}) &amp; ':' &amp; ToText({#n}) \"/></footer>\n"
            "            <total name=\"n\" function=\"count\"/></group>\n"
            "        </report>";
        Rows rows;
        rows.add(1, "ANA", 2).add(2, "LUIS", 4);
        // f: 0 0 | 0 0 1 0 -> three runs of f.
        const Document doc = run(xml, rows.table);
        QCOMPARE(texts(doc.pages[0]),
                 (QStringList{"F0", "U1:2", "U2:2", "F1", "U2:1", "F0", "U2:1"}));
    }

    void pageBreaks()
    {
        // Bands have 279.4 - 20 - 10 - 10 = 239.4 mm: 23 details of 10 mm a page.
        Rows rows;
        rows.add(1, "ANA", 50);
        const Document doc = run(pagedLayout(0, 10, 0, ""), rows.table);
        QCOMPARE(outlines(doc), (QStringList{"D1*23 Pie", "D1*23 Pie", "D1*4 Pie"}));
        for (int p = 0; p < 3; ++p) {
            const QStringList t = texts(doc.pages[size_t(p)]);
            QCOMPARE(t.first(), QStringLiteral("P%1/3").arg(p + 1));
            // The page header sits on the top margin, the footer right above the bottom one.
            QCOMPARE(doc.pages[size_t(p)].items.front().y, 10.0);
        }
        const Page& first = doc.pages[0];
        QCOMPARE(first.items[1].y, 20.0);                // the first detail, under the header
        QCOMPARE(first.items[23].y, 20.0 + 22 * 10);     // the last one still fits
        QCOMPARE(first.items.back().y, 279.4 - 10 - 10); // the page footer
        // A report without records is one page with its page header and footer.
        const Document empty = run(pagedLayout(0, 10, 0, ""), Rows().table);
        QCOMPARE(outlines(empty), QStringList{"Pie"});
    }

    // Groups of 10 mm header and footer and 10 mm details on 239.4 mm of band space.
    void groupsThatDoNotFit_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<double>("header");
        QTest::addColumn<QList<int>>("sizes"); // details of employees 1, 2, ...
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("split where the page ends")
            << "" << 10.0 << QList<int>{15, 15}
            << QStringList{"H1 D1*15 F1 H2 D2*5 Pie", "D2*10 F2 Pie"};
        QTest::newRow("header repeated on the next page")
            << "repeatHeader=\"true\"" << 10.0 << QList<int>{15, 15}
            << QStringList{"H1 D1*15 F1 H2 D2*5 Pie", "H2 D2*10 F2 Pie"};
        QTest::newRow("kept together on a new page")
            << "keepTogether=\"true\"" << 10.0 << QList<int>{15, 15}
            << QStringList{"H1 D1*15 F1 Pie", "H2 D2*15 F2 Pie"};
        QTest::newRow("longer than a page flows on at once")
            << "keepTogether=\"true\" repeatHeader=\"true\"" << 10.0 << QList<int>{5, 40}
            << QStringList{"H1 D1*5 F1 H2 D2*15 Pie", "H2 D2*22 Pie", "H2 D2*3 F2 Pie"};
        // 5 mm headers: after group 1 (5 + 210 + 10) a header would fit, its first detail not.
        QTest::newRow("header never alone at the foot")
            << "" << 5.0 << QList<int>{21, 3} << QStringList{"H1 D1*21 F1 Pie", "H2 D2*3 F2 Pie"};
    }
    void groupsThatDoNotFit()
    {
        QFETCH(QString, options);
        QFETCH(double, header);
        QFETCH(QList<int>, sizes);
        QFETCH(QStringList, pages);
        Rows rows;
        for (int u = 0; u < sizes.size(); ++u)
            rows.add(u + 1, "E", sizes[u]);
        const Document doc =
            run(pagedLayout(header, 10, 10, " " + options.toStdString()), rows.table);
        QCOMPARE(outlines(doc), pages);
    }

    // Each bar is its value's share of the largest of its series, across the whole report.
    void barsShareTheirSeriesScale()
    {
        const char* xml = "<report><query>select</query>\n"
                          "          <group by=\"{u}\"><total name=\"horas\" function=\"sumtime\" "
                          "value=\"{h}\"/><total name=\"n\" function=\"count\"/>\n"
                          "            <footer height=\"5\"><bar x=\"0\" y=\"0\" w=\"100\" h=\"4\" "
                          "value=\"{#horas}\" series=\"horas\"/>\n"
                          "              <bar x=\"100\" y=\"0\" w=\"50\" h=\"4\" value=\"{#n}\" "
                          "series=\"dias\" color=\"#ff0000\"/></footer></group>\n"
                          "        </report>";
        Rows rows;
        rows.add(1, "A", 3).add(2, "B", 6).add(3, "C", 1);
        const Document doc = run(xml, rows.table);
        QList<double> hours, days;
        for (const Item& i : doc.pages[0].items) {
            QCOMPARE(i.kind, Item::Kind::Bar);
            (i.series == "horas" ? hours : days) << i.amount;
        }
        // Hours 16:30, 33:00, 8:15; days 3, 6, 1.
        QCOMPARE(hours, (QList<double>{0.5, 1.0, 0.25}));
        QCOMPARE(days, (QList<double>{0.5, 1.0, 1.0 / 6}));
        QCOMPARE(doc.pages[0].items[1].fill, 0xFF0000u);
    }

    // CSV rows: the group headers' exported fields, then the detail's, left to right.
    void csvColumnsAndRows()
    {
        const char* xml = R"(<report><query>select</query><selection>{f} = 0</selection>
          <group by="{u}"><header height="5">
              <field x="30" y="0" w="50" h="4" value="{name}" csv="Nombre"/>
              <field x="0" y="0" w="20" h="4" value="{u}" csv="Usuario"/>
              <field x="90" y="0" w="50" h="4" value="'sin columna'"/></header></group>
          <detail height="5">
            <field x="50" y="0" w="20" h="4" value="{h}" format="H:mm" csv="Horas"/>
            <field x="0" y="0" w="30" h="4" value="{d}" format="dd/MM/yyyy" csv="Fecha"/>
            <text x="100" y="0" w="9" h="4">texto</text>
          </detail></report>)";
        Rows rows;
        rows.add(4, "JOSÉ, \"PEPE\"", 2).add(5, "ANA", 1);
        const Document doc = run(xml, rows.table);
        const auto q = [](const std::vector<std::string>& v) {
            QStringList out;
            for (const auto& s : v)
                out << QString::fromStdString(s);
            return out;
        };
        QCOMPARE(q(doc.csv.headings), (QStringList{"Usuario", "Nombre", "Fecha", "Horas"}));
        QCOMPARE(doc.csv.rows.size(), size_t(3));
        QCOMPARE(q(doc.csv.rows[0]), (QStringList{"4", "JOSÉ, \"PEPE\"", "02/11/2026", "8:15"}));
        QCOMPARE(q(doc.csv.rows[1]), (QStringList{"4", "JOSÉ, \"PEPE\"", "03/11/2026", "8:15"}));
        QCOMPARE(q(doc.csv.rows[2]), (QStringList{"5", "ANA", "02/11/2026", "8:15"}));
    }

    void titleDateAndPageNumbers()
    {
        const char* xml = R"(<report title="Propio"><query>select</query>
          <reportHeader height="5"><field x="0" y="0" w="190" h="4" value="ReportTitle &amp; ' ' &amp; ToText(PrintDate) &amp; ' ' &amp; ToText(PrintTime, 'HH:mm') &amp; ' ' &amp; ToText(PageNumber) &amp; '/' &amp; ToText(TotalPages) "/></reportHeader>
        </report>)";
        Layout layout = parseLayout(xml);
        RunOptions options;
        options.now = daysFromCivil(2026, 12, 9) * 86400 + 13 * 3600 + 5 * 60;
        // Without a title from the caller the layout's own is printed; outside page bands
        // there are no page numbers.
        Document doc = runReport(layout, Rows().table, options);
        QCOMPARE(texts(doc.pages[0]), QStringList{"Propio 09/12/2026 13:05 0/0"});
        QCOMPARE(QString::fromStdString(doc.title), QStringLiteral("Propio"));
        Layout again = parseLayout(xml);
        options.title = "Asistencia General del Día: 01/12/2026 Al Día: 07/12/2026";
        doc = runReport(again, Rows().table, options);
        QVERIFY(texts(doc.pages[0])[0].startsWith(
            "Asistencia General del Día: 01/12/2026 Al Día: 07/12/2026 09/12/2026"));
    }
};

QTEST_GUILESS_MAIN(TestReportLayout)
#include "tst_report_layout.moc"
