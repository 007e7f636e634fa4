#pragma once
// Data binding: every formula of a layout learns which column each {field} is and which total
// each {#total} is, before any record is read, so that a name the query does not bring is
// reported at once with its line.

#include "Layout.h"
#include "Table.h"

#include <vector>

namespace report {

// All totals of a layout in one list: the report's first, then each group's, outermost first.
struct TotalSlots
{
    std::vector<const TotalDef*> defs;
    std::vector<size_t> groupFirst; // index of each group's first total in defs
    size_t reportCount = 0;

    size_t size() const { return defs.size(); }
};

// Binds the layout's formulas to the table's columns and the totals each band can see (its own
// group's, the enclosing groups' and the report's; the innermost wins). Throws LayoutError.
TotalSlots bindLayout(Layout& layout, const Table& table);

// Binds a selection formula; throws FormulaError for an unknown field or any total.
void bindSelection(Formula& formula, const Table& table);

} // namespace report
