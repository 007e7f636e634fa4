#include "Value.h"

#include <cmath>
#include <cstdio>

namespace report {

namespace {

const char* const kDayShort[] = {"lun", "mar", "mié", "jue", "vie", "sáb", "dom"};
const char* const kDayLong[] = {"lunes",   "martes", "miércoles", "jueves",
                                "viernes", "sábado", "domingo"};
const char* const kMonthShort[] = {"ene", "feb", "mar", "abr", "may", "jun",
                                   "jul", "ago", "sep", "oct", "nov", "dic"};
const char* const kMonthLong[] = {"enero",      "febrero", "marzo",     "abril",
                                  "mayo",       "junio",   "julio",     "agosto",
                                  "septiembre", "octubre", "noviembre", "diciembre"};

std::string pad(int64_t n, int width)
{
    std::string s = std::to_string(n);
    while (int(s.size()) < width)
        s.insert(s.begin(), '0');
    return s;
}

int64_t floorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Runs of one pattern letter ("dd", "MMMM") and the literal text between them; text between
// single quotes is literal ("d 'de' MMMM").
template <typename Emit> void forEachToken(const std::string& pattern, Emit emit)
{
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        size_t j = i;
        if (c == '\'') {
            j = pattern.find('\'', i + 1);
            if (j == std::string::npos)
                j = pattern.size();
            emit(0, 0, pattern.substr(i + 1, j - i - 1));
            i = j + 1;
            continue;
        }
        if (c == 'd' || c == 'M' || c == 'y' || c == 'H' || c == 'm' || c == 's') {
            while (j < pattern.size() && pattern[j] == c)
                ++j;
            emit(c, int(j - i), std::string());
        } else {
            emit(0, 0, std::string(1, c));
            j = i + 1;
        }
        i = j;
    }
}

std::string formatDateTime(int64_t seconds, const std::string& pattern)
{
    const int64_t days = floorDiv(seconds, 86400);
    const int64_t secs = seconds - days * 86400;
    int y = 0, mo = 0, d = 0;
    civilFromDays(days, y, mo, d);
    const int wd = weekdayOf(days);
    std::string out;
    forEachToken(pattern, [&](char c, int n, const std::string& literal) {
        switch (c) {
        case 'd':
            out += n >= 4 ? kDayLong[wd - 1] : n == 3 ? kDayShort[wd - 1] : pad(d, n);
            break;
        case 'M':
            out += n >= 4 ? kMonthLong[mo - 1] : n == 3 ? kMonthShort[mo - 1] : pad(mo, n);
            break;
        case 'y':
            out += n == 2 ? pad(y % 100, 2) : pad(y, 4);
            break;
        case 'H':
            out += pad(secs / 3600, n);
            break;
        case 'm':
            out += pad(secs / 60 % 60, n);
            break;
        case 's':
            out += pad(secs % 60, n);
            break;
        default:
            out += literal;
        }
    });
    return out;
}

std::string formatTime(int64_t seconds, const std::string& pattern)
{
    const bool negative = seconds < 0;
    const int64_t s = negative ? -seconds : seconds;
    std::string out = negative ? "-" : "";
    forEachToken(pattern, [&](char c, int n, const std::string& literal) {
        switch (c) {
        case 'H':
            out += pad(s / 3600, n);
            break;
        case 'm':
            out += pad(s / 60 % 60, n);
            break;
        case 's':
            out += pad(s % 60, n);
            break;
        case 0:
            out += literal;
            break;
        default:
            out += std::string(size_t(n), c);
        }
    });
    return out;
}

std::string formatNumber(double n, const std::string& pattern)
{
    int decimals = 0;
    if (pattern.empty()) {
        if (std::floor(n) != n)
            decimals = 2;
    } else {
        const size_t dot = pattern.find('.');
        decimals = dot == std::string::npos ? 0 : int(pattern.size() - dot - 1);
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, n);
    std::string s = buffer;
    if (s == "-0")
        s = "0";
    return s;
}

} // namespace

const char* kindName(Value::Kind kind)
{
    switch (kind) {
    case Value::Kind::Null:
        return "un valor vacío";
    case Value::Kind::Bool:
        return "un valor lógico";
    case Value::Kind::Number:
        return "un número";
    case Value::Kind::Text:
        return "un texto";
    case Value::Kind::Date:
        return "una fecha";
    case Value::Kind::DateTime:
        return "una fecha con hora";
    case Value::Kind::Time:
        return "una hora";
    }
    return "";
}

int64_t daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = floorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = floorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

bool validDate(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || year < 1 || year > 9999)
        return false;
    int y = 0, m = 0, d = 0;
    civilFromDays(daysFromCivil(year, month, day), y, m, d);
    return y == year && m == month && d == day;
}

int weekdayOf(int64_t days)
{
    // 1970-01-01 was a Thursday (4).
    return int((days % 7 + 7 + 3) % 7) + 1;
}

bool parseTime(const std::string& text, int64_t& seconds)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    int64_t parts[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        const size_t start = i;
        int64_t n = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 6)
            n = n * 10 + (text[i++] - '0');
        if (i == start || (count > 0 && i - start != 2))
            return false;
        parts[count++] = n;
        if (i == text.size())
            break;
        if (text[i] != ':')
            return false;
        ++i;
    }
    if (i != text.size() || count < 2 || parts[1] > 59 || parts[2] > 59)
        return false;
    seconds = parts[0] * 3600 + parts[1] * 60 + parts[2];
    if (negative)
        seconds = -seconds;
    return true;
}

std::string formatValue(const Value& v, const std::string& pattern)
{
    switch (v.kind) {
    case Value::Kind::Null:
        return {};
    case Value::Kind::Bool:
        return v.number != 0 ? "Sí" : "No";
    case Value::Kind::Number:
        return formatNumber(v.number, pattern);
    case Value::Kind::Text: {
        // A time kept as text (a TIME column read as text) follows a time pattern.
        int64_t seconds = 0;
        if (!pattern.empty() && parseTime(v.text, seconds))
            return formatTime(seconds, pattern);
        return v.text;
    }
    case Value::Kind::Date:
        return formatDateTime(int64_t(v.number) * 86400, pattern.empty() ? "dd/MM/yyyy" : pattern);
    case Value::Kind::DateTime:
        return formatDateTime(int64_t(v.number), pattern.empty() ? "dd/MM/yyyy HH:mm:ss" : pattern);
    case Value::Kind::Time:
        return formatTime(int64_t(v.number), pattern.empty() ? "H:mm:ss" : pattern);
    }
    return {};
}

size_t utf8Length(const std::string& text, size_t bytes)
{
    const size_t end = bytes < text.size() ? bytes : text.size();
    size_t n = 0;
    for (size_t i = 0; i < end; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++n;
    return n;
}

} // namespace report
