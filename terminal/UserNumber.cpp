#include "UserNumber.h"

#include <limits>

std::optional<qint16> parseUserNumber(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == QLatin1Char('0'))
        ++first;
    const QString significant = digits.mid(first);
    if (significant.size() > 5)
        return std::nullopt;
    const int value = significant.toInt();
    if (value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(value);
}
