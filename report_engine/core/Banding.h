#pragma once
// Banding: the selected records become the sequence of printed bands (report header, group
// headers, details, group footers, report footer) with their items evaluated, the totals of
// each group and of the report computed over their records before any of their bands prints
// (so a header can show its group's total), and the CSV rows alongside: one per detail record
// (per innermost group footer when there is no detail band), its group headers' fields first.
// Where any field of those bands has a csv heading, only such fields are exported.

#include "Binding.h"
#include "Document.h"
#include "FormulaEval.h"
#include "Totals.h"

#include <vector>

namespace report {

struct BandInstance
{
    enum class Role
    {
        ReportHeader,
        GroupHeader,
        Detail,
        GroupFooter,
        ReportFooter
    };

    Role role = Role::Detail;
    int level = -1; // group level of headers and footers
    double height = 0;
    std::vector<Item> items; // positions relative to the band's top-left corner
    double groupHeight = 0;  // group headers: the whole group's height, header to footer
    bool keepTogether = false;
    bool repeatHeader = false;
};

struct Banded
{
    std::vector<BandInstance> bands;
    CsvTable csv;
};

// The band's items for one scope; `texts`, when given, receives the printed text of each
// element in the band's order (empty for all but fields). Throws LayoutError naming the
// element's line.
std::vector<Item> instantiate(const Band& band, const Scope& scope,
                              std::vector<std::string>* texts = nullptr);

// Bands the records (already selected, in the query's order). `base` gives the title and time.
Banded bandRecords(const Layout& layout, const TotalSlots& slots,
                   const std::vector<const Record*>& records, const Scope& base);

} // namespace report
