#pragma once
// Reading a layout file's text into a Layout. Every fault names its line.

#include "Layout.h"

#include <stdexcept>
#include <string>

namespace report {

class LayoutError : public std::runtime_error
{
public:
    LayoutError(int line, const std::string& detail)
        : std::runtime_error(line > 0 ? "línea " + std::to_string(line) + ": " + detail : detail)
    {
    }
};

// Throws LayoutError (XML faults included) for a text that is not a valid layout.
Layout parseLayout(const std::string& xml);

} // namespace report
