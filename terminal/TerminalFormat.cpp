#include "TerminalFormat.h"

namespace TerminalFormat {

QLocale locale()
{
    return QLocale(QLocale::Spanish, QLocale::Mexico);
}

// The Spanish locale writes "a. m." and "p. m."; the terminal's 12-hour times carry "AM" and
// "PM", as the C locale writes them (its digits are the same).

QString shortTime(const QTime& time)
{
    return QLocale::c().toString(time, QStringLiteral("hh:mm AP"));
}

QString longDate(const QDate& date)
{
    return locale().toString(date, QLocale::LongFormat);
}

QString dateTime(const QDateTime& moment)
{
    return QLocale::c().toString(moment, QStringLiteral("dd/MM/yyyy hh:mm:ss AP"));
}

QString date(const QDate& day)
{
    return locale().toString(day, QStringLiteral("dd/MM/yyyy"));
}

} // namespace TerminalFormat
