#pragma once
// A small XML reader for layout files: elements, attributes, text, CDATA, comments, the
// declaration and the five named entities plus numeric ones. No DTDs, no namespaces. Faults are
// reported in Spanish with the line and column where they are found.

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace report {

class XmlError : public std::runtime_error
{
public:
    XmlError(int line, int column, const std::string& detail)
        : std::runtime_error("línea " + std::to_string(line) + ", columna " +
                             std::to_string(column) + ": " + detail)
        , line_(line)
    {
    }
    int line() const { return line_; }

private:
    int line_;
};

struct XmlNode
{
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<std::unique_ptr<XmlNode>> children;
    std::string text; // the element's own text, its children's left out
    int line = 0;

    // The attribute's value, or nullptr when the element has none of that name.
    const std::string* attribute(const std::string& name) const;
};

// Reads a whole document (UTF-8) and returns its root element; throws XmlError.
std::unique_ptr<XmlNode> parseXml(const std::string& document);

} // namespace report
