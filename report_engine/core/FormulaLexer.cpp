#include "FormulaLexer.h"

#include "FormulaError.h"
#include "Value.h"

#include <cctype>

namespace report {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isNameStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

// Reads up to the closing character; returns the text between.
std::string readEnclosed(const std::string& s, size_t& i, char close, size_t position,
                         const char* what)
{
    const size_t start = ++i;
    while (i < s.size() && s[i] != close)
        ++i;
    if (i == s.size())
        throw FormulaError(position, std::string("falta cerrar ") + what);
    return s.substr(start, i++ - start);
}

} // namespace

std::vector<Token> tokenize(const std::string& s)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (true) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        Token t;
        t.position = utf8Length(s, i) + 1;
        if (i == s.size()) {
            tokens.push_back(t);
            return tokens;
        }
        const char c = s[i];
        if (isDigit(c) || (c == '.' && i + 1 < s.size() && isDigit(s[i + 1]))) {
            const size_t start = i;
            while (i < s.size() && isDigit(s[i]))
                ++i;
            if (i < s.size() && s[i] == '.') {
                ++i;
                while (i < s.size() && isDigit(s[i]))
                    ++i;
            }
            t.kind = Token::Kind::Number;
            t.text = s.substr(start, i - start);
        } else if (c == '"' || c == '\'') {
            // A quote inside a text is written twice: "dijo ""hola""".
            t.kind = Token::Kind::String;
            ++i;
            while (true) {
                if (i == s.size())
                    throw FormulaError(t.position,
                                       "falta cerrar el texto con " + std::string(1, c));
                if (s[i] == c) {
                    if (i + 1 < s.size() && s[i + 1] == c) {
                        t.text += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                t.text += s[i++];
            }
        } else if (c == '#') {
            t.kind = Token::Kind::Date;
            t.text = readEnclosed(s, i, '#', t.position, "la fecha con #");
        } else if (c == '{') {
            t.kind = Token::Kind::Field;
            t.text = readEnclosed(s, i, '}', t.position, "el campo con }");
        } else if (isNameStart(c)) {
            const size_t start = i;
            while (i < s.size() && (isNameStart(s[i]) || isDigit(s[i])))
                ++i;
            t.kind = Token::Kind::Name;
            t.text = s.substr(start, i - start);
        } else {
            static const char* const twoChar[] = {"<>", "<=", ">="};
            t.kind = Token::Kind::Symbol;
            for (const char* op : twoChar)
                if (s.compare(i, 2, op) == 0)
                    t.text = op;
            if (t.text.empty()) {
                if (std::string("=<>+-*/&()[],").find(c) == std::string::npos) {
                    size_t len = 1;
                    while (i + len < s.size() &&
                           (static_cast<unsigned char>(s[i + len]) & 0xC0) == 0x80)
                        ++len;
                    throw FormulaError(t.position,
                                       "carácter inesperado \"" + s.substr(i, len) + "\"");
                }
                t.text = std::string(1, c);
            }
            i += t.text.size();
        }
        tokens.push_back(std::move(t));
    }
}

} // namespace report
