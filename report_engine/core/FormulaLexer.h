#pragma once
// The words of a formula: numbers, "texts", #dates#, {fields}, names and operators.

#include <string>
#include <vector>

namespace report {

struct Token
{
    enum class Kind
    {
        Number,
        String,
        Date,
        Field,
        Name,
        Symbol,
        End
    };
    Kind kind = Kind::End;
    std::string text; // the number's digits, the string or field without quotes/braces, the symbol
    size_t position = 0; // character position, counted from 1
};

// Splits a formula into tokens ending with an End token; throws FormulaError on a character
// or an unclosed quote, brace or date that cannot start a token.
std::vector<Token> tokenize(const std::string& source);

} // namespace report
