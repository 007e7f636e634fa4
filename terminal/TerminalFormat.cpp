#include "TerminalFormat.h"

namespace TerminalFormat {

QLocale locale()
{
    return QLocale(QLocale::Spanish, QLocale::Mexico);
}

QString shortTime(const QTime& time)
{
    return locale().toString(time, QStringLiteral("hh:mm AP"));
}

QString longDate(const QDate& date)
{
    return locale().toString(date, QLocale::LongFormat);
}

QString dateTime(const QDateTime& moment)
{
    return locale().toString(moment, QStringLiteral("dd/MM/yyyy hh:mm:ss AP"));
}

QString date(const QDate& day)
{
    return locale().toString(day, QStringLiteral("dd/MM/yyyy"));
}

} // namespace TerminalFormat
