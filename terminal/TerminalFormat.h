#pragma once
// How the terminal writes dates and times on its screens.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace TerminalFormat {

QLocale locale();

// "hh:mm AM/PM" as the clock label and the recent punches show it.
QString shortTime(const QTime& time);

// The system's long date, as the date button shows it.
QString longDate(const QDate& date);

// Date and time of a message, "dd/MM/yyyy hh:mm:ss AM/PM".
QString dateTime(const QDateTime& moment);

// A day, "dd/MM/yyyy".
QString date(const QDate& day);

} // namespace TerminalFormat
