#pragma once
// Non-working days (Dias_inhabiles): the list by date, the day registered for a date, and
// adding, changing and deleting one. The console keeps at most one row per date.

#include <optional>
#include <QDate>
#include <QList>
#include <QString>

class Db;

namespace HolidayStore {

struct Holiday
{
    QDate fecha;
    QString nombre;
    int dia = 0; // the row's key
};

// Every registered day, earliest date first.
QList<Holiday> list(Db& db);

// The day registered for the date; none when the date has no row.
std::optional<Holiday> on(Db& db, const QDate& fecha);

// Whether a row other than `exceptDia` (0: none excepted) is registered for the date.
bool dateTaken(Db& db, const QDate& fecha, int exceptDia = 0);

// `capturo` is the administrator who saves it. False when the statement failed.
bool add(Db& db, const QDate& fecha, const QString& nombre, int capturo);
bool change(Db& db, int dia, const QDate& fecha, const QString& nombre, int capturo);
bool remove(Db& db, int dia);

} // namespace HolidayStore
