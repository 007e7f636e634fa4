#include "LayoutParser.h"

#include "FormulaError.h"
#include "Xml.h"

#include <cstdlib>
#include <set>

namespace report {

namespace {

struct PaperSize
{
    const char* name;
    double width;
    double height;
};

const PaperSize kPapers[] = {{"Letter", 215.9, 279.4}, {"Legal", 215.9, 355.6}, {"A4", 210, 297}};

[[noreturn]] void fail(const XmlNode& n, const std::string& detail)
{
    throw LayoutError(n.line, detail);
}

std::string tag(const XmlNode& n)
{
    return "<" + n.name + ">";
}

double number(const XmlNode& n, const char* key, double fallback, bool required = false)
{
    const std::string* v = n.attribute(key);
    if (!v) {
        if (required)
            fail(n, tag(n) + " necesita el atributo " + key);
        return fallback;
    }
    char* end = nullptr;
    const double d = std::strtod(v->c_str(), &end);
    if (v->empty() || *end != '\0' || d < 0 || d > 10000)
        fail(n, "el atributo " + std::string(key) + "=\"" + *v + "\" de " + tag(n) +
                    " no es una medida válida (milímetros, sin signo)");
    return d;
}

std::string text(const XmlNode& n, const char* key, const std::string& fallback = {})
{
    const std::string* v = n.attribute(key);
    return v ? *v : fallback;
}

bool flag(const XmlNode& n, const char* key)
{
    const std::string v = text(n, key, "false");
    if (v != "true" && v != "false")
        fail(n, "el atributo " + std::string(key) + " de " + tag(n) + " vale true o false");
    return v == "true";
}

uint32_t color(const XmlNode& n, const char* key, uint32_t fallback)
{
    const std::string* v = n.attribute(key);
    if (!v)
        return fallback;
    char* end = nullptr;
    const unsigned long c =
        v->size() == 7 && (*v)[0] == '#' ? std::strtoul(v->c_str() + 1, &end, 16) : 0;
    if (!end || *end != '\0')
        fail(n, "el color " + *v + " de " + tag(n) + " se escribe #rrggbb");
    return uint32_t(c);
}

void checkAttributes(const XmlNode& n, std::initializer_list<const char*> allowed)
{
    for (const auto& [key, value] : n.attributes) {
        bool known = false;
        for (const char* a : allowed)
            known = known || key == a;
        if (!known)
            fail(n, tag(n) + " no admite el atributo " + key);
    }
}

std::shared_ptr<Formula> formula(const XmlNode& n, const std::string& source, const char* where)
{
    try {
        return std::make_shared<Formula>(parseFormula(source));
    } catch (const FormulaError& e) {
        fail(n, std::string("fórmula ") + where + " de " + tag(n) + ", " + e.what());
    }
}

std::shared_ptr<Formula> requiredFormula(const XmlNode& n, const char* key)
{
    const std::string* v = n.attribute(key);
    if (!v || v->find_first_not_of(" ") == std::string::npos)
        fail(n, tag(n) + " necesita el atributo " + key);
    return formula(n, *v, (std::string("del atributo ") + key).c_str());
}

Font font(const XmlNode& n)
{
    Font f;
    f.family = text(n, "font", f.family);
    f.size = number(n, "size", f.size);
    if (f.size <= 0)
        fail(n, "el tamaño de letra de " + tag(n) + " debe ser mayor que cero");
    f.bold = flag(n, "bold");
    f.italic = flag(n, "italic");
    return f;
}

Element element(const XmlNode& n)
{
    Element e;
    e.line = n.line;
    if (n.name == "text" || n.name == "field") {
        checkAttributes(n, {"x", "y", "w", "h", "font", "size", "bold", "italic", "align", "color",
                            "value", "format", "csv"});
        e.kind = n.name == "text" ? Element::Kind::Text : Element::Kind::Field;
        e.font = font(n);
        const std::string align = text(n, "align", "left");
        if (align == "center")
            e.align = Align::Center;
        else if (align == "right")
            e.align = Align::Right;
        else if (align != "left")
            fail(n, "align de " + tag(n) + " vale left, center o right");
        if (e.kind == Element::Kind::Text) {
            if (n.attribute("value") || n.attribute("format") || n.attribute("csv"))
                fail(n, "<text> imprime su propio texto; use <field> para valores");
            e.text = n.text;
        } else {
            e.value = requiredFormula(n, "value");
            e.format = text(n, "format");
            e.csv = text(n, "csv");
        }
    } else if (n.name == "line") {
        checkAttributes(n, {"x1", "y1", "x2", "y2", "width", "color"});
        const double x1 = number(n, "x1", 0, true), y1 = number(n, "y1", 0, true);
        e.kind = Element::Kind::Line;
        e.x = x1;
        e.y = y1;
        e.w = number(n, "x2", 0, true) - x1;
        e.h = number(n, "y2", 0, true) - y1;
        e.lineWidth = number(n, "width", e.lineWidth);
        e.color = color(n, "color", e.color);
        return e;
    } else if (n.name == "box" || n.name == "bar") {
        checkAttributes(n, {"x", "y", "w", "h", "width", "color", "fill", "value", "series"});
        e.kind = n.name == "box" ? Element::Kind::Box : Element::Kind::Bar;
        e.lineWidth = number(n, "width", e.lineWidth);
        e.filled = n.attribute("fill") != nullptr;
        e.fill = color(n, "fill", e.fill);
        e.color = color(n, "color", e.color);
        if (e.kind == Element::Kind::Bar) {
            e.value = requiredFormula(n, "value");
            e.series = text(n, "series");
            if (!e.filled)
                e.fill = e.color;
            e.filled = true;
        } else if (n.attribute("value") || n.attribute("series")) {
            fail(n, "<box> no lleva value ni series");
        }
    } else {
        fail(n, "elemento desconocido " + tag(n) +
                    " (una banda lleva <text>, <field>, <line>, <box> o <bar>)");
    }
    e.x = number(n, "x", 0, true);
    e.y = number(n, "y", 0, true);
    e.w = number(n, "w", 0, true);
    e.h = number(n, "h", 0, true);
    return e;
}

Band band(const XmlNode& n, const PageSetup& page)
{
    checkAttributes(n, {"height"});
    Band b;
    b.present = true;
    b.line = n.line;
    double bottom = 0;
    for (const auto& child : n.children) {
        b.elements.push_back(element(*child));
        const Element& e = b.elements.back();
        bottom = std::max(bottom, e.y + std::max(e.h, 0.0));
        if (e.x + std::max(e.w, 0.0) > page.contentWidth() + 0.01)
            fail(*child, tag(*child) + " se sale del ancho útil de la página (" +
                             std::to_string(int(page.contentWidth())) + " mm)");
    }
    b.height = number(n, "height", bottom);
    if (b.height > page.contentHeight())
        fail(n, tag(n) + " es más alta que la página");
    return b;
}

TotalDef total(const XmlNode& n)
{
    checkAttributes(n, {"name", "function", "value", "where"});
    TotalDef t;
    t.line = n.line;
    t.name = text(n, "name");
    if (t.name.empty())
        fail(n, "<total> necesita el atributo name");
    const std::string f = text(n, "function", "count");
    static const std::pair<const char*, TotalDef::Function> functions[] = {
        {"count", TotalDef::Function::Count},
        {"sum", TotalDef::Function::Sum},
        {"sumtime", TotalDef::Function::SumTime},
        {"distinctcount", TotalDef::Function::DistinctCount},
        {"min", TotalDef::Function::Min},
        {"max", TotalDef::Function::Max}};
    bool known = false;
    for (const auto& [name, function] : functions)
        if (f == name) {
            t.function = function;
            known = true;
        }
    if (!known)
        fail(n, "función de total desconocida \"" + f +
                    "\" (count, sum, sumtime, distinctcount, min o max)");
    if (t.function == TotalDef::Function::Count) {
        if (n.attribute("value"))
            fail(n, "un total count cuenta registros y no lleva value");
    } else {
        t.value = requiredFormula(n, "value");
    }
    if (n.attribute("where"))
        t.where = requiredFormula(n, "where");
    return t;
}

void addTotal(std::vector<TotalDef>& totals, const XmlNode& n)
{
    TotalDef t = total(n);
    for (const TotalDef& other : totals)
        if (other.name == t.name)
            fail(n, "el total " + t.name + " ya existe (línea " + std::to_string(other.line) + ")");
    totals.push_back(std::move(t));
}

void setBand(Band& slot, const XmlNode& n, const PageSetup& page)
{
    if (slot.present)
        fail(n, tag(n) + " aparece dos veces (la primera en la línea " + std::to_string(slot.line) +
                    ")");
    slot = band(n, page);
}

Group group(const XmlNode& n, const PageSetup& page)
{
    checkAttributes(n, {"by", "keepTogether", "repeatHeader"});
    Group g;
    g.line = n.line;
    g.key = requiredFormula(n, "by");
    g.keepTogether = flag(n, "keepTogether");
    g.repeatHeader = flag(n, "repeatHeader");
    for (const auto& child : n.children) {
        if (child->name == "header")
            setBand(g.header, *child, page);
        else if (child->name == "footer")
            setBand(g.footer, *child, page);
        else if (child->name == "total")
            addTotal(g.totals, *child);
        else
            fail(*child, "elemento desconocido " + tag(*child) +
                             " en <group> (lleva <header>, <footer> y <total>)");
    }
    return g;
}

PageSetup pageSetup(const XmlNode& root)
{
    PageSetup p;
    const std::string paper = text(root, "page", "Letter");
    bool known = false;
    for (const PaperSize& s : kPapers)
        if (paper == s.name) {
            p.width = s.width;
            p.height = s.height;
            known = true;
        }
    if (!known)
        fail(root, "tamaño de página desconocido \"" + paper + "\" (Letter, Legal o A4)");
    const std::string orientation = text(root, "orientation", "portrait");
    if (orientation == "landscape")
        std::swap(p.width, p.height);
    else if (orientation != "portrait")
        fail(root, "orientation vale portrait o landscape");
    p.margin = number(root, "margin", p.margin);
    if (p.margin * 2 >= std::min(p.width, p.height) - 20)
        fail(root, "el margen no deja espacio en la página");
    return p;
}

} // namespace

Layout parseLayout(const std::string& xml)
{
    std::unique_ptr<XmlNode> root;
    try {
        root = parseXml(xml);
    } catch (const XmlError& e) {
        throw LayoutError(0, std::string("XML no válido, ") + e.what());
    }
    if (root->name != "report")
        fail(*root, "el elemento raíz debe ser <report>, no " + tag(*root));
    checkAttributes(*root, {"title", "page", "orientation", "margin"});
    Layout layout;
    layout.title = text(*root, "title");
    layout.page = pageSetup(*root);
    bool hasQuery = false;
    for (const auto& child : root->children) {
        const XmlNode& n = *child;
        if (n.name == "query") {
            if (hasQuery)
                fail(n, "<query> aparece dos veces");
            hasQuery = true;
            layout.query = n.text;
            layout.queryLine = n.line;
            if (layout.query.find_first_not_of(" \t\r\n") == std::string::npos)
                fail(n, "<query> está vacía");
        } else if (n.name == "selection") {
            if (layout.selection)
                fail(n, "<selection> aparece dos veces");
            layout.selection = formula(n, n.text, "de selección");
            layout.selectionLine = n.line;
        } else if (n.name == "total") {
            addTotal(layout.totals, n);
        } else if (n.name == "reportHeader") {
            setBand(layout.reportHeader, n, layout.page);
        } else if (n.name == "pageHeader") {
            setBand(layout.pageHeader, n, layout.page);
        } else if (n.name == "group") {
            layout.groups.push_back(group(n, layout.page));
        } else if (n.name == "detail") {
            setBand(layout.detail, n, layout.page);
        } else if (n.name == "pageFooter") {
            setBand(layout.pageFooter, n, layout.page);
        } else if (n.name == "reportFooter") {
            setBand(layout.reportFooter, n, layout.page);
        } else {
            fail(n, "elemento desconocido " + tag(n) +
                        " (un reporte lleva <query>, <selection>, <total>, <reportHeader>, "
                        "<pageHeader>, <group>, <detail>, <pageFooter> y <reportFooter>)");
        }
    }
    if (!hasQuery)
        fail(*root, "falta <query>, la consulta que trae los registros");
    if (layout.pageHeader.height + layout.pageFooter.height >= layout.page.contentHeight())
        fail(*root, "el encabezado y el pie de página no dejan espacio en la página");
    return layout;
}

} // namespace report
