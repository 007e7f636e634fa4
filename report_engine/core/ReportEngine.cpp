#include "ReportEngine.h"

#include "Banding.h"
#include "Binding.h"
#include "FormulaEval.h"
#include "Pagination.h"

namespace report {

namespace {

std::string selectionFault(bool fromLayout, const FormulaError& e, const std::string& source)
{
    return std::string("La fórmula de selección ") + (fromLayout ? "del formato" : "del catálogo") +
           " no es válida en la posición " + std::to_string(e.position()) + ": " + e.detail() +
           ".\nFórmula: " + source;
}

} // namespace

std::shared_ptr<Formula> chooseSelection(const Layout& layout, const std::string& catalogueFormula,
                                         bool* fromLayout)
{
    if (fromLayout)
        *fromLayout = layout.hasSelection();
    if (layout.hasSelection())
        return layout.selection;
    try {
        return std::make_shared<Formula>(parseFormula(catalogueFormula));
    } catch (const FormulaError& e) {
        throw SelectionError(selectionFault(false, e, catalogueFormula));
    }
}

Document runReport(Layout& layout, const Table& table, const RunOptions& options)
{
    bool fromLayout = false;
    std::shared_ptr<Formula> selection =
        chooseSelection(layout, options.catalogueFormula, &fromLayout);
    const TotalSlots slots = bindLayout(layout, table);

    Scope scope;
    scope.title = options.title.empty() ? layout.title : options.title;
    scope.now = options.now;
    std::vector<const Record*> records;
    records.reserve(table.rows.size());
    try {
        bindSelection(*selection, table);
        for (const Record& row : table.rows) {
            scope.record = &row;
            if (selects(*selection, scope))
                records.push_back(&row);
        }
    } catch (const FormulaError& e) {
        throw SelectionError(selectionFault(fromLayout, e, selection->source));
    }
    scope.record = nullptr;

    Banded banded = bandRecords(layout, slots, records, scope);

    // Page headers and footers see the report's totals.
    std::vector<Value> reportTotals;
    for (size_t s = 0; s < slots.reportCount; ++s)
        reportTotals.push_back(computeTotal(*slots.defs[s], records, 0, records.size()));
    scope.totals = &reportTotals;

    Document doc;
    doc.page = layout.page;
    doc.title = scope.title;
    doc.records = records.size();
    doc.pages = paginate(layout, banded.bands, scope);
    doc.csv = std::move(banded.csv);
    return doc;
}

} // namespace report
