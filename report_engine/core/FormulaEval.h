#pragma once
// Evaluating a formula: its field and total names are first bound to columns and totals (an
// unknown name is an error before any record is read), then the tree is evaluated per record.
//
// Empty values (NULL): a comparison with one is false, arithmetic with one gives an empty value,
// and an empty condition counts as false; IsNull({campo}) asks for one.

#include "FormulaParser.h"
#include "Value.h"

#include <functional>
#include <string>
#include <vector>

namespace report {

// What a formula sees while it is evaluated.
struct Scope
{
    const std::vector<Value>* record = nullptr; // the current record's columns
    const std::vector<Value>* totals = nullptr; // the totals of the enclosing group/report
    std::string title;
    int64_t now = 0; // date-time of the run, seconds since 1970-01-01
    int page = 0;
    int pages = 0;
};

// Resolves a name to an index, -1 when unknown.
using NameLookup = std::function<int(const std::string& name)>;

// Binds every {field} and {#total} of the tree; throws FormulaError naming the first unknown one.
void bindFormula(Expr& root, const NameLookup& column, const NameLookup& total);

Value evaluate(const Expr& e, const Scope& scope);

// A condition's outcome: true, false (also for an empty value) or a FormulaError at `position`
// when the value is not a condition.
bool isTrue(const Value& v, size_t position);

// True when the formula is empty or holds for the scope's record.
bool selects(const Formula& f, const Scope& scope);

// Orders two values of comparable kinds (-1, 0, 1); throws FormulaError at `position` otherwise.
int compareValues(const Value& a, const Value& b, size_t position);

} // namespace report
