#include "Totals.h"

#include "FormulaError.h"
#include "FormulaEval.h"

#include <set>

namespace report {

Value computeTotal(const TotalDef& t, const std::vector<const Record*>& records, size_t first,
                   size_t last)
{
    using F = TotalDef::Function;
    Scope scope;
    double sum = 0;
    int64_t count = 0;
    Value best;
    std::set<std::string> distinct;
    const size_t position = t.value && t.value->root ? t.value->root->position : 1;
    for (size_t i = first; i < last; ++i) {
        scope.record = records[i];
        if (t.where && !t.where->empty() &&
            !isTrue(evaluate(*t.where->root, scope), t.where->root->position))
            continue;
        if (t.function == F::Count) {
            ++count;
            continue;
        }
        Value v = evaluate(*t.value->root, scope);
        if (v.isNull())
            continue;
        switch (t.function) {
        case F::Sum:
            if (v.kind != Value::Kind::Number && v.kind != Value::Kind::Bool)
                throw FormulaError(position, std::string("sum suma números y recibió ") +
                                                 kindName(v.kind) + " (use sumtime para horas)");
            sum += v.number;
            break;
        case F::SumTime: {
            int64_t s = 0;
            if (v.kind == Value::Kind::Text && parseTime(v.text, s))
                v = Value::time(s);
            if (v.kind != Value::Kind::Time)
                throw FormulaError(position,
                                   std::string("sumtime suma horas y recibió ") + kindName(v.kind));
            sum += v.number;
            break;
        }
        case F::DistinctCount:
            distinct.insert(std::to_string(int(v.kind)) + ":" +
                            (v.kind == Value::Kind::Text ? v.text : std::to_string(v.number)));
            break;
        case F::Min:
        case F::Max: {
            if (best.isNull()) {
                best = v;
                break;
            }
            const int c = compareValues(v, best, position);
            if ((t.function == F::Min && c < 0) || (t.function == F::Max && c > 0))
                best = v;
            break;
        }
        case F::Count:
            break;
        }
    }
    switch (t.function) {
    case F::Count:
        return Value::num(double(count));
    case F::Sum:
        return Value::num(sum);
    case F::SumTime:
        return Value::time(int64_t(sum));
    case F::DistinctCount:
        return Value::num(double(distinct.size()));
    case F::Min:
    case F::Max:
        return best;
    }
    return Value::null();
}

} // namespace report
