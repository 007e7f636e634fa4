#pragma once
// Pagination: the printed bands flow down the pages between the page header and the page
// footer. A group header is never left alone at the foot of a page; a group marked
// keepTogether starts on a new page when it does not fit in what is left but fits on a page of
// its own (a longer one flows on across pages); a group marked repeatHeader prints its header
// again atop each page it continues on. Page headers and footers are printed last, when the
// number of pages is known.

#include "Banding.h"
#include "Document.h"

#include <vector>

namespace report {

// `base` gives the title, the time and the report's totals for the page headers and footers.
// The bands' items are moved onto the pages.
std::vector<Page> paginate(const Layout& layout, std::vector<BandInstance>& bands,
                           const Scope& base);

} // namespace report
