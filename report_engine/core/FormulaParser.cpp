#include "FormulaParser.h"

#include "FormulaError.h"
#include "FormulaLexer.h"

#include <algorithm>
#include <cstdlib>

namespace report {

namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

struct FunctionInfo
{
    const char* name;
    Expr::Function function;
    size_t minArgs;
    size_t maxArgs;
};

const FunctionInfo kFunctions[] = {
    {"date", Expr::Function::Date, 3, 3},     {"datetime", Expr::Function::DateTime, 6, 6},
    {"time", Expr::Function::Time, 3, 3},     {"isnull", Expr::Function::IsNull, 1, 1},
    {"totext", Expr::Function::ToText, 1, 2}, {"hours", Expr::Function::Hours, 1, 1},
};

struct SpecialInfo
{
    const char* name;
    Expr::Special special;
};

const SpecialInfo kSpecials[] = {
    {"reporttitle", Expr::Special::Title},     {"pagenumber", Expr::Special::PageNumber},
    {"totalpages", Expr::Special::TotalPages}, {"printdate", Expr::Special::PrintDate},
    {"printtime", Expr::Special::PrintTime},
};

bool readNumber(const std::string& s, size_t& i, size_t digits, int& out)
{
    if (i + digits > s.size())
        return false;
    out = 0;
    for (size_t k = 0; k < digits; ++k) {
        const char c = s[i + k];
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + (c - '0');
    }
    i += digits;
    return true;
}

// #yyyy-mm-dd#, #yyyy-mm-dd hh:mm:ss#, #hh:mm:ss# or #hh:mm#.
bool parseDateLiteral(const std::string& text, Value& out)
{
    int64_t seconds = 0;
    if (text.find('-') == std::string::npos && parseTime(text, seconds)) {
        out = Value::time(seconds);
        return true;
    }
    size_t i = 0;
    int y = 0, m = 0, d = 0;
    if (!readNumber(text, i, 4, y) || i >= text.size() || text[i++] != '-' ||
        !readNumber(text, i, 2, m) || i >= text.size() || text[i++] != '-' ||
        !readNumber(text, i, 2, d) || !validDate(y, m, d))
        return false;
    const int64_t days = daysFromCivil(y, m, d);
    if (i == text.size()) {
        out = Value::date(days);
        return true;
    }
    if (text[i] != ' ' || !parseTime(text.substr(i + 1), seconds) || seconds < 0 ||
        seconds >= 86400)
        return false;
    out = Value::dateTime(days * 86400 + seconds);
    return true;
}

// A token as a message names it.
std::string describe(const Token& t)
{
    switch (t.kind) {
    case Token::Kind::End:
        return "el final de la fórmula";
    case Token::Kind::String:
        return "el texto \"" + t.text + "\"";
    case Token::Kind::Field:
        return "el campo {" + t.text + "}";
    case Token::Kind::Date:
        return "la fecha #" + t.text + "#";
    default:
        return "\"" + t.text + "\"";
    }
}

class Parser
{
public:
    explicit Parser(std::vector<Token> tokens)
        : t_(std::move(tokens))
    {
    }

    std::unique_ptr<Expr> parseAll()
    {
        auto e = expression();
        if (peek().kind != Token::Kind::End)
            throw FormulaError(peek().position, "sobra " + describe(peek()) + " al final");
        return e;
    }

private:
    const Token& peek() const { return t_[i_]; }
    const Token& next() { return t_[i_ == t_.size() - 1 ? i_ : i_++]; }

    bool isWord(const char* word) const
    {
        return peek().kind == Token::Kind::Name && lower(peek().text) == word;
    }
    bool isSymbol(const char* symbol) const
    {
        return peek().kind == Token::Kind::Symbol && peek().text == symbol;
    }

    [[noreturn]] void expected(const std::string& what) const
    {
        throw FormulaError(peek().position,
                           "se esperaba " + what + " y se encontró " + describe(peek()));
    }

    void expectSymbol(const char* symbol)
    {
        if (!isSymbol(symbol))
            expected(std::string("\"") + symbol + "\"");
        next();
    }

    void expectWord(const char* word)
    {
        if (!isWord(word))
            expected(std::string("\"") + word + "\"");
        next();
    }

    static std::unique_ptr<Expr> node(Expr::Op op, size_t position)
    {
        auto e = std::make_unique<Expr>();
        e->op = op;
        e->position = position;
        return e;
    }

    static std::unique_ptr<Expr> binary(Expr::Op op, std::unique_ptr<Expr> a,
                                        std::unique_ptr<Expr> b, size_t position)
    {
        auto e = node(op, position);
        e->args.push_back(std::move(a));
        e->args.push_back(std::move(b));
        return e;
    }

    std::unique_ptr<Expr> expression()
    {
        if (!isWord("if"))
            return orExpr();
        auto e = node(Expr::Op::If, next().position);
        e->args.push_back(expression());
        expectWord("then");
        e->args.push_back(expression());
        expectWord("else");
        e->args.push_back(expression());
        return e;
    }

    std::unique_ptr<Expr> orExpr()
    {
        auto e = andExpr();
        while (isWord("or")) {
            const size_t p = next().position;
            e = binary(Expr::Op::Or, std::move(e), andExpr(), p);
        }
        return e;
    }

    std::unique_ptr<Expr> andExpr()
    {
        auto e = notExpr();
        while (isWord("and")) {
            const size_t p = next().position;
            e = binary(Expr::Op::And, std::move(e), notExpr(), p);
        }
        return e;
    }

    std::unique_ptr<Expr> notExpr()
    {
        if (!isWord("not"))
            return comparison();
        auto e = node(Expr::Op::Not, next().position);
        e->args.push_back(notExpr());
        return e;
    }

    std::unique_ptr<Expr> comparison()
    {
        auto e = concat();
        static const std::pair<const char*, Expr::Op> ops[] = {
            {"=", Expr::Op::Eq}, {"<>", Expr::Op::Ne}, {"<", Expr::Op::Lt},
            {">", Expr::Op::Gt}, {"<=", Expr::Op::Le}, {">=", Expr::Op::Ge}};
        for (const auto& [symbol, op] : ops) {
            if (isSymbol(symbol)) {
                const size_t p = next().position;
                return binary(op, std::move(e), concat(), p);
            }
        }
        if (isWord("in")) {
            auto in = node(Expr::Op::In, next().position);
            in->args.push_back(std::move(e));
            expectSymbol("[");
            in->args.push_back(concat());
            while (isSymbol(",")) {
                next();
                in->args.push_back(concat());
            }
            expectSymbol("]");
            return in;
        }
        return e;
    }

    std::unique_ptr<Expr> concat()
    {
        auto e = additive();
        while (isSymbol("&")) {
            const size_t p = next().position;
            e = binary(Expr::Op::Concat, std::move(e), additive(), p);
        }
        return e;
    }

    std::unique_ptr<Expr> additive()
    {
        auto e = multiplicative();
        while (isSymbol("+") || isSymbol("-")) {
            const Token& t = next();
            e = binary(t.text == "+" ? Expr::Op::Add : Expr::Op::Sub, std::move(e),
                       multiplicative(), t.position);
        }
        return e;
    }

    std::unique_ptr<Expr> multiplicative()
    {
        auto e = unary();
        while (isSymbol("*") || isSymbol("/")) {
            const Token& t = next();
            e = binary(t.text == "*" ? Expr::Op::Mul : Expr::Op::Div, std::move(e), unary(),
                       t.position);
        }
        return e;
    }

    std::unique_ptr<Expr> unary()
    {
        if (!isSymbol("-"))
            return primary();
        auto e = node(Expr::Op::Neg, next().position);
        e->args.push_back(unary());
        return e;
    }

    std::unique_ptr<Expr> primary()
    {
        const Token& t = peek();
        switch (t.kind) {
        case Token::Kind::Number: {
            auto e = node(Expr::Op::Literal, next().position);
            e->literal = Value::num(std::strtod(t.text.c_str(), nullptr));
            return e;
        }
        case Token::Kind::String: {
            auto e = node(Expr::Op::Literal, next().position);
            e->literal = Value::str(t.text);
            return e;
        }
        case Token::Kind::Date: {
            auto e = node(Expr::Op::Literal, t.position);
            if (!parseDateLiteral(t.text, e->literal))
                throw FormulaError(t.position,
                                   "fecha no válida #" + t.text + "# (se escribe #aaaa-mm-dd#)");
            next();
            return e;
        }
        case Token::Kind::Field: {
            std::string name = t.text;
            const size_t p = next().position;
            const bool total = !name.empty() && name[0] == '#';
            if (total)
                name.erase(0, 1);
            if (name.find_first_not_of(" ") == std::string::npos)
                throw FormulaError(p, "falta el nombre del campo entre { }");
            auto e = node(total ? Expr::Op::Total : Expr::Op::Field, p);
            e->name = name;
            return e;
        }
        case Token::Kind::Name:
            for (const char* word : {"and", "or", "then", "else", "in"})
                if (isWord(word))
                    expected("un valor");
            return named();
        case Token::Kind::Symbol:
            if (t.text == "(") {
                next();
                auto e = expression();
                expectSymbol(")");
                return e;
            }
            break;
        case Token::Kind::End:
            break;
        }
        expected("un valor");
    }

    std::unique_ptr<Expr> named()
    {
        const Token& t = next();
        const std::string word = lower(t.text);
        if (word == "true" || word == "false") {
            auto e = node(Expr::Op::Literal, t.position);
            e->literal = Value::boolean(word == "true");
            return e;
        }
        for (const SpecialInfo& s : kSpecials) {
            if (word == s.name) {
                auto e = node(Expr::Op::Special, t.position);
                e->special = s.special;
                return e;
            }
        }
        for (const FunctionInfo& f : kFunctions) {
            if (word != f.name)
                continue;
            auto e = node(Expr::Op::Call, t.position);
            e->function = f.function;
            expectSymbol("(");
            if (!isSymbol(")")) {
                e->args.push_back(expression());
                while (isSymbol(",")) {
                    next();
                    e->args.push_back(expression());
                }
            }
            if (e->args.size() < f.minArgs || e->args.size() > f.maxArgs)
                throw FormulaError(t.position, t.text + " no lleva " +
                                                   std::to_string(e->args.size()) + " argumentos");
            expectSymbol(")");
            return e;
        }
        throw FormulaError(t.position, "nombre desconocido \"" + t.text +
                                           "\" (los campos se escriben entre { })");
    }

    std::vector<Token> t_;
    size_t i_ = 0;
};

} // namespace

Formula parseFormula(const std::string& source)
{
    Formula f;
    f.source = source;
    if (source.find_first_not_of(" \t\r\n") == std::string::npos)
        return f;
    f.root = Parser(tokenize(source)).parseAll();
    return f;
}

} // namespace report
