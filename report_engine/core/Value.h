#pragma once
// A value of the report engine: what a record's column holds, what a formula gives and what a
// field prints. Dates are days since 1970-01-01, date-times seconds since 1970-01-01 00:00:00
// (no time zone), times signed durations in seconds (a time of day is its duration since 00:00).

#include <cstdint>
#include <string>

namespace report {

struct Value
{
    enum class Kind
    {
        Null,
        Bool,
        Number,
        Text,
        Date,
        DateTime,
        Time
    };

    Kind kind = Kind::Null;
    double number = 0; // Bool (0/1), Number, Date (days), DateTime and Time (seconds)
    std::string text;  // Text, UTF-8

    static Value null() { return {}; }
    static Value boolean(bool b) { return {Kind::Bool, b ? 1.0 : 0.0, {}}; }
    static Value num(double n) { return {Kind::Number, n, {}}; }
    static Value str(std::string s) { return {Kind::Text, 0, std::move(s)}; }
    static Value date(int64_t days) { return {Kind::Date, double(days), {}}; }
    static Value dateTime(int64_t seconds) { return {Kind::DateTime, double(seconds), {}}; }
    static Value time(int64_t seconds) { return {Kind::Time, double(seconds), {}}; }

    bool isNull() const { return kind == Kind::Null; }
};

// Spanish name of a kind, for messages ("un número", "un texto").
const char* kindName(Value::Kind kind);

// Calendar arithmetic on the proleptic Gregorian calendar.
int64_t daysFromCivil(int year, int month, int day);
void civilFromDays(int64_t days, int& year, int& month, int& day);
bool validDate(int year, int month, int day);
// 1 = Monday ... 7 = Sunday.
int weekdayOf(int64_t days);

// Reads "[-]h:mm" or "[-]h:mm:ss" (hours of any length) as a duration; false when it is not one.
bool parseTime(const std::string& text, int64_t& seconds);

// How a value prints. Patterns: for dates and date-times d dd ddd dddd M MM MMM MMMM yy yyyy
// HH mm ss (ddd/MMM Spanish abbreviations); for times H (whole hours, any number) mm ss and a
// leading minus for negative ones; for numbers "0", "0.0", "0.00" ... (decimals shown). Text
// between single quotes is printed as it is ("d 'de' MMMM"). An empty
// pattern gives dd/MM/yyyy, dd/MM/yyyy HH:mm:ss, H:mm:ss, and numbers without needless decimals.
std::string formatValue(const Value& value, const std::string& pattern = {});

// Number of characters (code points) of UTF-8 text.
size_t utf8Length(const std::string& text, size_t bytes = std::string::npos);

} // namespace report
