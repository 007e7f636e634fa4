#pragma once
// The report engine's core: standard C++ only. A layout file's text becomes a Layout
// (parseLayout); the records its query brought (a Table, filled by the caller) are selected by
// a formula, banded, grouped, totalled and paginated into a Document of pages and a CSV table
// (runReport). Painting, preview, printing and files belong to the Qt layer.
//
// Stages, one per file: Xml (reading), LayoutParser (the layout model), FormulaLexer,
// FormulaParser, FormulaEval (the formula language), Binding (names to columns and totals),
// Totals, Banding (groups and bands), Pagination (pages).

#include "Document.h"
#include "FormulaError.h"
#include "FormulaParser.h"
#include "Layout.h"
#include "LayoutParser.h"
#include "Table.h"
#include "Value.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace report {

// A fault of the selection formula, as a complete Spanish sentence.
class SelectionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct RunOptions
{
    std::string title;            // empty: the layout's own title
    std::string catalogueFormula; // used only when the layout has no selection of its own
    int64_t now = 0;              // date-time of the run, seconds since 1970-01-01
};

// The formula that selects the records: the layout's own when it has one, otherwise the
// catalogue's (parsed here). Throws SelectionError when the catalogue's does not parse.
std::shared_ptr<Formula> chooseSelection(const Layout& layout, const std::string& catalogueFormula,
                                         bool* fromLayout = nullptr);

// Runs the layout over the records. Throws SelectionError for a selection formula that names
// an unknown field or fails on a record, LayoutError for a layout whose formulas do.
Document runReport(Layout& layout, const Table& table, const RunOptions& options);

} // namespace report
