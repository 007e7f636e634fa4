#pragma once
// A formula as a tree: selection formulas ({rep_asistencia_general.Falta} = 1 and not ...) and
// the values of a layout's fields, totals and bars.
//
// Grammar, loosest first:
//   if C then A else B
//   or, and, not
//   = <> < > <= >=, X in [A, B, ...]
//   & (joins texts), + -, * /, unary -
//   numbers, "texts" or 'texts', #2026-11-30#, #2026-11-30 08:00:00#, #08:00:00#, {field},
//   {#total}, (..), functions, true, false, ReportTitle, PageNumber, TotalPages, PrintDate,
//   PrintTime. Words (and, Date, PageNumber) are read in any letter case.

#include "Value.h"

#include <memory>
#include <string>
#include <vector>

namespace report {

struct Expr
{
    enum class Op
    {
        Literal,
        Field,
        Total,
        Special,
        Or,
        And,
        Not,
        Eq,
        Ne,
        Lt,
        Gt,
        Le,
        Ge,
        In,
        Concat,
        Add,
        Sub,
        Mul,
        Div,
        Neg,
        If,
        Call
    };
    enum class Special
    {
        Title,
        PageNumber,
        TotalPages,
        PrintDate,
        PrintTime
    };
    enum class Function
    {
        Date,
        DateTime,
        Time,
        IsNull,
        ToText,
        Hours
    };

    Op op = Op::Literal;
    Value literal;    // Literal
    std::string name; // Field and Total: the text between the braces
    int index = -1;   // Field: column, Total: total, once bound
    Special special = Special::Title;
    Function function = Function::Date;
    size_t position = 0; // where the node starts, in characters from 1
    std::vector<std::unique_ptr<Expr>> args;
};

struct Formula
{
    std::string source;
    std::unique_ptr<Expr> root; // null for an empty formula

    bool empty() const { return !root; }
};

// Parses a formula; an empty or blank text gives an empty formula. Throws FormulaError.
Formula parseFormula(const std::string& source);

// Calls f on every node of the tree.
template <typename F> void forEachNode(Expr& e, F&& f)
{
    f(e);
    for (auto& a : e.args)
        forEachNode(*a, f);
}

} // namespace report
