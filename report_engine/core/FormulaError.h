#pragma once
// A fault in a formula: where it is (the character counted from 1) and what is wrong, in
// Spanish, as the user reads it.

#include <stdexcept>
#include <string>

namespace report {

class FormulaError : public std::runtime_error
{
public:
    FormulaError(size_t position, const std::string& detail)
        : std::runtime_error("posición " + std::to_string(position) + ": " + detail)
        , position_(position)
        , detail_(detail)
    {
    }

    size_t position() const { return position_; }
    const std::string& detail() const { return detail_; }

private:
    size_t position_;
    std::string detail_;
};

} // namespace report
