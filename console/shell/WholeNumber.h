#pragma once
// Number boxes can hold anything that was pasted or typed past their filter: statements take
// their numbers only through this check.

#include <optional>
#include <QString>

// The whole number written in `text` (blanks around it allowed), or nothing.
inline std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}
