#include "FormulaEval.h"

#include "FormulaError.h"

#include <cmath>

namespace report {

namespace {

using Kind = Value::Kind;

bool numeric(Kind k)
{
    return k == Kind::Number || k == Kind::Bool;
}

bool dated(Kind k)
{
    return k == Kind::Date || k == Kind::DateTime;
}

double seconds(const Value& v)
{
    return v.kind == Kind::Date ? v.number * 86400 : v.number;
}

[[noreturn]] void mismatch(const char* what, const Value& a, const Value& b, size_t position)
{
    throw FormulaError(position, std::string("no se puede ") + what + " " + kindName(a.kind) +
                                     " con " + kindName(b.kind));
}

Value asTime(const Value& v)
{
    int64_t s = 0;
    if (v.kind == Kind::Text && parseTime(v.text, s))
        return Value::time(s);
    return v;
}

Value arithmetic(Expr::Op op, Value a, Value b, size_t position)
{
    if (a.isNull() || b.isNull())
        return Value::null();
    if (op == Expr::Op::Add && (a.kind == Kind::Text || b.kind == Kind::Text))
        return Value::str(formatValue(a) + formatValue(b));
    if (a.kind == Kind::Time || b.kind == Kind::Time) {
        a = asTime(a);
        b = asTime(b);
    }
    const bool add = op == Expr::Op::Add;
    if (op == Expr::Op::Add || op == Expr::Op::Sub) {
        const double sign = add ? 1 : -1;
        if (numeric(a.kind) && numeric(b.kind))
            return Value::num(a.number + sign * b.number);
        if (a.kind == Kind::Time && b.kind == Kind::Time)
            return Value::time(int64_t(a.number + sign * b.number));
        if (a.kind == Kind::Date && b.kind == Kind::Number)
            return Value::date(int64_t(a.number + sign * std::floor(b.number)));
        if (dated(a.kind) && b.kind == Kind::Time)
            return Value::dateTime(int64_t(seconds(a) + sign * b.number));
        if (!add && a.kind == Kind::Date && b.kind == Kind::Date)
            return Value::num(a.number - b.number);
        if (!add && dated(a.kind) && dated(b.kind))
            return Value::time(int64_t(seconds(a) - seconds(b)));
        mismatch(add ? "sumar" : "restar", a, b, position);
    }
    if (!numeric(a.kind) || !numeric(b.kind))
        mismatch(op == Expr::Op::Mul ? "multiplicar" : "dividir", a, b, position);
    if (op == Expr::Op::Mul)
        return Value::num(a.number * b.number);
    if (b.number == 0)
        throw FormulaError(position, "división entre cero");
    return Value::num(a.number / b.number);
}

int64_t wholeArg(const Expr& e, const Scope& scope)
{
    const Value v = evaluate(e, scope);
    if (v.kind != Kind::Number)
        throw FormulaError(e.position,
                           std::string("se esperaba un número y se obtuvo ") + kindName(v.kind));
    return int64_t(std::floor(v.number));
}

Value call(const Expr& e, const Scope& scope)
{
    switch (e.function) {
    case Expr::Function::Date:
    case Expr::Function::DateTime: {
        const int64_t y = wholeArg(*e.args[0], scope);
        const int64_t m = wholeArg(*e.args[1], scope);
        const int64_t d = wholeArg(*e.args[2], scope);
        if (!validDate(int(y), int(m), int(d)))
            throw FormulaError(e.position, "fecha no válida");
        const int64_t days = daysFromCivil(int(y), int(m), int(d));
        if (e.function == Expr::Function::Date)
            return Value::date(days);
        const int64_t h = wholeArg(*e.args[3], scope);
        const int64_t mi = wholeArg(*e.args[4], scope);
        const int64_t s = wholeArg(*e.args[5], scope);
        if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
            throw FormulaError(e.position, "hora no válida");
        return Value::dateTime(days * 86400 + h * 3600 + mi * 60 + s);
    }
    case Expr::Function::Time:
        return Value::time(wholeArg(*e.args[0], scope) * 3600 + wholeArg(*e.args[1], scope) * 60 +
                           wholeArg(*e.args[2], scope));
    case Expr::Function::IsNull:
        return Value::boolean(evaluate(*e.args[0], scope).isNull());
    case Expr::Function::ToText: {
        const Value v = evaluate(*e.args[0], scope);
        std::string pattern;
        if (e.args.size() > 1)
            pattern = formatValue(evaluate(*e.args[1], scope));
        return Value::str(formatValue(v, pattern));
    }
    case Expr::Function::Hours: {
        const Value v = asTime(evaluate(*e.args[0], scope));
        if (v.isNull())
            return v;
        if (v.kind != Kind::Time)
            throw FormulaError(e.position,
                               std::string("Hours espera una hora y recibió ") + kindName(v.kind));
        return Value::num(v.number / 3600);
    }
    }
    return Value::null();
}

Value special(const Expr& e, const Scope& scope)
{
    switch (e.special) {
    case Expr::Special::Title:
        return Value::str(scope.title);
    case Expr::Special::PageNumber:
        return Value::num(scope.page);
    case Expr::Special::TotalPages:
        return Value::num(scope.pages);
    case Expr::Special::PrintDate:
        return Value::date(scope.now >= 0 ? scope.now / 86400 : (scope.now - 86399) / 86400);
    case Expr::Special::PrintTime:
        return Value::time(((scope.now % 86400) + 86400) % 86400);
    }
    return Value::null();
}

bool compareOp(Expr::Op op, const Value& a, const Value& b, size_t position)
{
    if (a.isNull() || b.isNull())
        return false;
    const int c = compareValues(a, b, position);
    switch (op) {
    case Expr::Op::Eq:
        return c == 0;
    case Expr::Op::Ne:
        return c != 0;
    case Expr::Op::Lt:
        return c < 0;
    case Expr::Op::Gt:
        return c > 0;
    case Expr::Op::Le:
        return c <= 0;
    default:
        return c >= 0;
    }
}

} // namespace

int compareValues(const Value& x, const Value& y, size_t position)
{
    Value a = x, b = y;
    if (a.kind == Kind::Time || b.kind == Kind::Time) {
        a = asTime(a);
        b = asTime(b);
    }
    if (a.kind == Kind::Text && b.kind == Kind::Text) {
        const int c = a.text.compare(b.text);
        return (c > 0) - (c < 0);
    }
    double p = 0, q = 0;
    if ((numeric(a.kind) && numeric(b.kind)) || (a.kind == Kind::Time && b.kind == Kind::Time)) {
        p = a.number;
        q = b.number;
    } else if (dated(a.kind) && dated(b.kind)) {
        p = seconds(a);
        q = seconds(b);
    } else if (a.isNull() || b.isNull()) {
        return int(b.isNull()) - int(a.isNull());
    } else {
        mismatch("comparar", a, b, position);
    }
    return (p > q) - (p < q);
}

void bindFormula(Expr& root, const NameLookup& column, const NameLookup& total)
{
    forEachNode(root, [&](Expr& e) {
        if (e.op == Expr::Op::Field) {
            e.index = column(e.name);
            if (e.index < 0)
                throw FormulaError(e.position, "campo desconocido {" + e.name + "}");
        } else if (e.op == Expr::Op::Total) {
            e.index = total(e.name);
            if (e.index < 0)
                throw FormulaError(e.position, "total desconocido {#" + e.name + "}");
        }
    });
}

bool isTrue(const Value& v, size_t position)
{
    if (v.isNull())
        return false;
    if (numeric(v.kind))
        return v.number != 0;
    throw FormulaError(position, std::string("se esperaba una condición (verdadero o falso) y "
                                             "se obtuvo ") +
                                     kindName(v.kind));
}

Value evaluate(const Expr& e, const Scope& scope)
{
    switch (e.op) {
    case Expr::Op::Literal:
        return e.literal;
    case Expr::Op::Field:
        return scope.record ? (*scope.record)[size_t(e.index)] : Value::null();
    case Expr::Op::Total:
        return scope.totals && size_t(e.index) < scope.totals->size()
                   ? (*scope.totals)[size_t(e.index)]
                   : Value::null();
    case Expr::Op::Special:
        return special(e, scope);
    case Expr::Op::Or:
        return Value::boolean(isTrue(evaluate(*e.args[0], scope), e.args[0]->position) ||
                              isTrue(evaluate(*e.args[1], scope), e.args[1]->position));
    case Expr::Op::And:
        return Value::boolean(isTrue(evaluate(*e.args[0], scope), e.args[0]->position) &&
                              isTrue(evaluate(*e.args[1], scope), e.args[1]->position));
    case Expr::Op::Not:
        return Value::boolean(!isTrue(evaluate(*e.args[0], scope), e.args[0]->position));
    case Expr::Op::Eq:
    case Expr::Op::Ne:
    case Expr::Op::Lt:
    case Expr::Op::Gt:
    case Expr::Op::Le:
    case Expr::Op::Ge:
        return Value::boolean(
            compareOp(e.op, evaluate(*e.args[0], scope), evaluate(*e.args[1], scope), e.position));
    case Expr::Op::In: {
        const Value v = evaluate(*e.args[0], scope);
        for (size_t i = 1; i < e.args.size(); ++i)
            if (compareOp(Expr::Op::Eq, v, evaluate(*e.args[i], scope), e.args[i]->position))
                return Value::boolean(true);
        return Value::boolean(false);
    }
    case Expr::Op::Concat:
        return Value::str(formatValue(evaluate(*e.args[0], scope)) +
                          formatValue(evaluate(*e.args[1], scope)));
    case Expr::Op::Add:
    case Expr::Op::Sub:
    case Expr::Op::Mul:
    case Expr::Op::Div:
        return arithmetic(e.op, evaluate(*e.args[0], scope), evaluate(*e.args[1], scope),
                          e.position);
    case Expr::Op::Neg: {
        Value v = asTime(evaluate(*e.args[0], scope));
        if (v.isNull())
            return v;
        if (!numeric(v.kind) && v.kind != Kind::Time)
            throw FormulaError(e.position,
                               std::string("no se puede cambiar el signo de ") + kindName(v.kind));
        v.number = -v.number;
        if (v.kind == Kind::Bool)
            v.kind = Kind::Number;
        return v;
    }
    case Expr::Op::If:
        return isTrue(evaluate(*e.args[0], scope), e.args[0]->position)
                   ? evaluate(*e.args[1], scope)
                   : evaluate(*e.args[2], scope);
    case Expr::Op::Call:
        return call(e, scope);
    }
    return Value::null();
}

bool selects(const Formula& f, const Scope& scope)
{
    if (f.empty())
        return true;
    return isTrue(evaluate(*f.root, scope), 1);
}

} // namespace report
