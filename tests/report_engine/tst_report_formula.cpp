// The selection formula language: what parses, where a fault is reported, what a formula
// selects, and how values print.

#include "FormulaError.h"
#include "FormulaEval.h"
#include "FormulaParser.h"
#include "Table.h"

#include <QtTest>

using namespace report;

namespace {

// One record: a = 2, t = "Descanso", q = text with quotes, d = 2026-11-30, e = that day 08:15:00,
// h = 8:30:00, ht = "08:30:00" as text, n = NULL, Falta = 1.
Table oneRecord()
{
    Table t;
    t.columns = {"a", "t", "q", "d", "e", "h", "n", "Falta", "ñandú"};
    const int64_t day = daysFromCivil(2026, 11, 30);
    t.rows.push_back({Value::num(2), Value::str("Descanso"), Value::str("dijo \"sí\" y 'no'"),
                      Value::date(day), Value::dateTime(day * 86400 + 8 * 3600 + 15 * 60),
                      Value::time(8 * 3600 + 30 * 60), Value::null(), Value::num(1),
                      Value::str("Día Inhábil")});
    return t;
}

// Parses, binds and evaluates against oneRecord(); throws FormulaError.
bool holds(const QString& text)
{
    static const Table table = oneRecord();
    Formula f = parseFormula(text.toStdString());
    if (!f.empty())
        bindFormula(
            *f.root, [](const std::string& n) { return table.column(n); },
            [](const std::string&) { return -1; });
    Scope scope;
    scope.record = &table.rows[0];
    return selects(f, scope);
}

} // namespace

class TestReportFormula : public QObject
{
    Q_OBJECT

private slots:
    void selection_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("expected");
        // Precedence: and before or, not before and, comparisons before not.
        QTest::newRow("and binds before or") << "1 = 1 or 1 = 2 and 1 = 2" << true;
        QTest::newRow("parentheses") << "(1 = 1 or 1 = 2) and 1 = 2" << false;
        QTest::newRow("not before and") << "not 1 = 2 and 1 = 1" << true;
        QTest::newRow("not of a group") << "not (1 = 1 or 1 = 2)" << false;
        QTest::newRow("arithmetic before comparison") << "{a} + 1 * 2 = 4" << true;
        QTest::newRow("words in any case") << "{a} = 2 AND NOT {a} = 3 Or false" << true;
        QTest::newRow("table-qualified field") << "{rep_asistencia_general.Falta} = 1" << true;
        QTest::newRow("field in another case") << "{REP_ASISTENCIA_GENERAL.falta} = 1" << true;
        QTest::newRow("issue example")
            << "{rep_asistencia_general.Falta} = 1 and {rep_asistencia_general.t} <> \"Descanso\""
            << false;
        QTest::newRow("doubled double quotes") << "{q} = \"dijo \"\"sí\"\" y 'no'\"" << true;
        QTest::newRow("doubled single quotes") << "{q} = 'dijo \"sí\" y ''no'''" << true;
        QTest::newRow("accented text") << "{ñandú} = \"Día Inhábil\"" << true;
        QTest::newRow("text order") << "{t} > \"Asistido\" and {t} < \"Falta\"" << true;
        QTest::newRow("texts are exact") << "{t} = \"descanso\"" << false;
        QTest::newRow("date literal") << "{d} = #2026-11-30#" << true;
        QTest::newRow("Date()") << "{d} = Date(2026, 11, 30)" << true;
        QTest::newRow("date before") << "{d} < #2026-12-01# and {d} > #2026-11-29#" << true;
        QTest::newRow("date-time against date") << "{e} > {d} and {e} < #2026-12-01#" << true;
        QTest::newRow("date-time literal") << "{e} = #2026-11-30 08:15:00#" << true;
        QTest::newRow("time literal") << "{h} > #08:29:59# and {h} <= #08:30#" << true;
        QTest::newRow("time from text") << "\"08:30:00\" = {h}" << true;
        QTest::newRow("date arithmetic") << "{d} + 1 = #2026-12-01#" << true;
        QTest::newRow("in a list") << "{a} in [1, 2, 3]" << true;
        QTest::newRow("not in a list") << "not {a} in [4, 5]" << true;
        QTest::newRow("in texts") << "{t} in [\"Falta\", \"Descanso\"]" << true;
        QTest::newRow("in dates") << "{d} in [#2026-11-29#, Date(2026,11,30)]" << true;
        QTest::newRow("NULL equals nothing") << "{n} = 1" << false;
        QTest::newRow("NULL differs from nothing") << "{n} <> 1" << false;
        QTest::newRow("IsNull") << "IsNull({n}) and not IsNull({a})" << true;
        QTest::newRow("NULL as condition") << "{n}" << false;
        QTest::newRow("number as condition") << "{Falta}" << true;
        QTest::newRow("if then else") << "(if {a} = 2 then \"x\" else \"y\") = \"x\"" << true;
        QTest::newRow("joined text") << "{t} & \"!\" = \"Descanso!\"" << true;
        QTest::newRow("ToText with pattern")
            << "ToText({d}, \"ddd dd/MM\") = \"lun 30/11\"" << true;
        QTest::newRow("Hours") << "Hours({h}) = 8.5" << true;
        QTest::newRow("negative number") << "-{a} = 0 - 2" << true;
        QTest::newRow("empty formula") << "   " << true;
    }
    void selection()
    {
        QFETCH(QString, formula);
        QFETCH(bool, expected);
        try {
            QCOMPARE(holds(formula), expected);
        } catch (const FormulaError& e) {
            QFAIL(e.what());
        }
    }

    // Faults found while reading, binding or evaluating: where, counted in characters from 1
    // (an accented letter is one), and what.
    void faults_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("detail");
        QTest::newRow("open parenthesis")
            << "({a} = 1" << 9 << "se esperaba \")\" y se encontró el final de la fórmula";
        QTest::newRow("missing value")
            << "{a} = = 2" << 7 << "se esperaba un valor y se encontró \"=\"";
        QTest::newRow("after accents")
            << "\"ñú\" = {t} and" << 15
            << "se esperaba un valor y se encontró el final de la fórmula";
        QTest::newRow("unclosed text") << "{t} = \"Des" << 7 << "falta cerrar el texto con \"";
        QTest::newRow("unclosed field") << "{a = 1" << 1 << "falta cerrar el campo con }";
        QTest::newRow("bad date") << "{d} = #2026-02-30#" << 7
                                  << "fecha no válida #2026-02-30# (se escribe #aaaa-mm-dd#)";
        QTest::newRow("bad Date()") << "{d} = Date(2026, 13, 1)" << 7 << "fecha no válida";
        QTest::newRow("unclosed list")
            << "{a} in [1, 2" << 13 << "se esperaba \"]\" y se encontró el final de la fórmula";
        QTest::newRow("stray character") << "{a} = 1 ; 2" << 9 << "carácter inesperado \";\"";
        QTest::newRow("trailing word") << "{a} = 1 {t}" << 9 << "sobra el campo {t} al final";
        QTest::newRow("operator for a value")
            << "{a} = 1 and or {a} = 2" << 13 << "se esperaba un valor y se encontró \"or\"";
        QTest::newRow("bare word")
            << "Falta = 1" << 1
            << "nombre desconocido \"Falta\" (los campos se escriben entre { })";
        QTest::newRow("unknown field") << "{a} = 1 and {rep_asistencia_general.Faltas} = 1" << 13
                                       << "campo desconocido {rep_asistencia_general.Faltas}";
        QTest::newRow("text against number")
            << "{a} = 2 and {t} = 1" << 17 << "no se puede comparar un texto con un número";
        QTest::newRow("text as condition")
            << "{t} or {a} = 2" << 1
            << "se esperaba una condición (verdadero o falso) y se obtuvo un texto";
        QTest::newRow("division by zero") << "{a} / ({a} - 2) = 1" << 5 << "división entre cero";
        QTest::newRow("wrong arguments")
            << "Date(2026, 1) = {d}" << 1 << "Date no lleva 2 argumentos";
    }
    void faults()
    {
        QFETCH(QString, formula);
        QFETCH(int, position);
        QFETCH(QString, detail);
        try {
            holds(formula);
            QFAIL("no fault reported");
        } catch (const FormulaError& e) {
            QCOMPARE(QString::fromStdString(e.detail()), detail);
            QCOMPARE(int(e.position()), position);
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("posición %1: %2").arg(position).arg(detail));
        }
    }

    void printing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        const double day = double(daysFromCivil(2026, 12, 5)); // a Saturday
        const auto k = [](Value::Kind kind) { return int(kind); };
        QTest::newRow("date default") << k(Value::Kind::Date) << day << ""
                                      << "05/12/2026";
        QTest::newRow("date with weekday") << k(Value::Kind::Date) << day << "ddd d/M/yy"
                                           << "sáb 5/12/26";
        QTest::newRow("long names") << k(Value::Kind::Date) << day << "dddd d 'de' MMMM"
                                    << "sábado 5 de diciembre";
        QTest::newRow("date before 1970")
            << k(Value::Kind::Date) << double(daysFromCivil(1969, 12, 31)) << ""
            << "31/12/1969";
        QTest::newRow("date-time")
            << k(Value::Kind::DateTime) << day * 86400 + 8 * 3600 + 5 * 60 + 9 << "HH:mm"
            << "08:05";
        QTest::newRow("time") << k(Value::Kind::Time) << 8.0 * 3600 + 7 * 60 << ""
                              << "8:07:00";
        QTest::newRow("hours beyond a day")
            << k(Value::Kind::Time) << 187.0 * 3600 + 30 * 60 << "H:mm"
            << "187:30";
        QTest::newRow("negative time") << k(Value::Kind::Time) << -(1.0 * 3600 + 5 * 60) << "H:mm"
                                       << "-1:05";
        QTest::newRow("whole number") << k(Value::Kind::Number) << 12.0 << ""
                                      << "12";
        QTest::newRow("fraction") << k(Value::Kind::Number) << 2.0 / 3 << ""
                                  << "0.67";
        QTest::newRow("decimals asked") << k(Value::Kind::Number) << 7.0 << "0.0"
                                        << "7.0";
        QTest::newRow("no minus zero") << k(Value::Kind::Number) << -0.2 << "0"
                                       << "0";
        QTest::newRow("empty value") << k(Value::Kind::Null) << 0.0 << "dd/MM"
                                     << "";
    }
    void printing()
    {
        QFETCH(int, kind);
        QFETCH(double, number);
        QFETCH(QString, pattern);
        QFETCH(QString, expected);
        Value v;
        v.kind = Value::Kind(kind);
        v.number = number;
        QCOMPARE(QString::fromStdString(formatValue(v, pattern.toStdString())), expected);
    }

    void timesReadFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isTime");
        QTest::addColumn<int>("seconds");
        QTest::newRow("hh:mm:ss") << "08:30:15" << true << 30615;
        QTest::newRow("negative") << "-00:07:00" << true << -420;
        QTest::newRow("long") << "838:59:59" << true << 3020399;
        QTest::newRow("hh:mm") << "7:05" << true << 25500;
        QTest::newRow("minutes over 59") << "08:75:00" << false << 0;
        QTest::newRow("plain number") << "11" << false << 0;
        QTest::newRow("text") << "Falta" << false << 0;
        QTest::newRow("date") << "2026-11-30" << false << 0;
    }
    void timesReadFromText()
    {
        QFETCH(QString, text);
        QFETCH(bool, isTime);
        QFETCH(int, seconds);
        int64_t s = 0;
        QCOMPARE(parseTime(text.toStdString(), s), isTime);
        if (isTime)
            QCOMPARE(int(s), seconds);
    }
};

QTEST_GUILESS_MAIN(TestReportFormula)
#include "tst_report_formula.moc"
