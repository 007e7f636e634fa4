#pragma once
// Totals over a run of records: count, sum of numbers, sum of times, distinct count, min, max.

#include "Layout.h"
#include "Value.h"

#include <vector>

namespace report {

using Record = std::vector<Value>;

// The total over records[first, last). Empty values are left out of sums, minima and maxima; a
// sum of nothing is 0 (0:00:00 for times), a minimum or maximum of nothing is empty.
// Throws FormulaError when a value cannot be added up.
Value computeTotal(const TotalDef& total, const std::vector<const Record*>& records, size_t first,
                   size_t last);

} // namespace report
