#include "Binding.h"

#include "FormulaError.h"
#include "FormulaEval.h"
#include "LayoutParser.h"

namespace report {

namespace {

NameLookup columnsOf(const Table& table)
{
    return [&table](const std::string& name) { return table.column(name); };
}

// Totals visible from a band at `level`: 0 the report's bands, g + 1 the header and footer
// of group g, the number of groups the detail band.
NameLookup totalsVisibleAt(const TotalSlots& slots, int level)
{
    return [&slots, level](const std::string& name) {
        for (int g = level - 1; g >= -1; --g) {
            const size_t first = g < 0 ? 0 : slots.groupFirst[size_t(g)];
            const size_t last = g < 0 ? slots.reportCount
                                : size_t(g) + 1 < slots.groupFirst.size()
                                    ? slots.groupFirst[size_t(g) + 1]
                                    : slots.defs.size();
            for (size_t i = first; i < last; ++i)
                if (slots.defs[i]->name == name)
                    return int(i);
        }
        return -1;
    };
}

void bindOne(const std::shared_ptr<Formula>& f, int line, const NameLookup& columns,
             const NameLookup& totals)
{
    if (!f || f->empty())
        return;
    try {
        bindFormula(*f->root, columns, totals);
    } catch (const FormulaError& e) {
        throw LayoutError(line, e.what());
    }
}

void bindBand(Band& band, const NameLookup& columns, const NameLookup& totals)
{
    for (Element& e : band.elements)
        bindOne(e.value, e.line, columns, totals);
}

void bindTotals(const std::vector<TotalDef>& defs, const NameLookup& columns)
{
    const NameLookup none = [](const std::string&) { return -1; };
    for (const TotalDef& t : defs) {
        bindOne(t.value, t.line, columns, none);
        bindOne(t.where, t.line, columns, none);
    }
}

} // namespace

TotalSlots bindLayout(Layout& layout, const Table& table)
{
    TotalSlots slots;
    for (const TotalDef& t : layout.totals)
        slots.defs.push_back(&t);
    slots.reportCount = slots.defs.size();
    for (const Group& g : layout.groups) {
        slots.groupFirst.push_back(slots.defs.size());
        for (const TotalDef& t : g.totals)
            slots.defs.push_back(&t);
    }

    const NameLookup columns = columnsOf(table);
    const NameLookup reportTotals = totalsVisibleAt(slots, 0);
    bindTotals(layout.totals, columns);
    for (Band* band :
         {&layout.reportHeader, &layout.pageHeader, &layout.pageFooter, &layout.reportFooter})
        bindBand(*band, columns, reportTotals);
    const int groups = int(layout.groups.size());
    for (int level = 0; level < groups; ++level) {
        Group& g = layout.groups[size_t(level)];
        bindTotals(g.totals, columns);
        bindOne(g.key, g.line, columns, reportTotals);
        const NameLookup visible = totalsVisibleAt(slots, level + 1);
        bindBand(g.header, columns, visible);
        bindBand(g.footer, columns, visible);
    }
    bindBand(layout.detail, columns, totalsVisibleAt(slots, groups));
    return slots;
}

void bindSelection(Formula& formula, const Table& table)
{
    if (formula.empty())
        return;
    bindFormula(*formula.root, columnsOf(table), [](const std::string&) { return -1; });
}

} // namespace report
