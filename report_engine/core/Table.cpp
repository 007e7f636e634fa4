#include "Table.h"

#include <algorithm>
#include <cctype>

namespace report {

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

int Table::column(const std::string& field) const
{
    const std::string name = trimmed(field);
    for (size_t i = 0; i < columns.size(); ++i)
        if (sameName(columns[i], name))
            return int(i);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return -1;
    const std::string bare = name.substr(dot + 1);
    for (size_t i = 0; i < columns.size(); ++i)
        if (sameName(columns[i], bare))
            return int(i);
    return -1;
}

} // namespace report
