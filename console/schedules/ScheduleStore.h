#pragma once
// Schedule definitions (KxHorario): the list of names, one schedule with its seven days, and
// registering, changing and deleting one. Weekday slots run 1 = Monday ... 7 = Sunday; a time is
// "HH:MM:SS" text and an empty text stands for NULL (no work, or no meal break, that day).

#include <array>
#include <optional>
#include <QList>
#include <QString>

class Db;

namespace ScheduleStore {

struct Entry
{
    int horario = 0;
    QString name;
};

struct Day
{
    QString entrada; // empty: not a working day
    QString salida;
    QString salidaBreak; // empty: no meal break
    QString regresoBreak;
};

struct Schedule
{
    int horario = 0; // given by the database on registering
    QString name;
    std::array<Day, 7> days;
    int toleranciaRetardo = 0;
    int checaAntes = 0;
};

// Every schedule's number and name, in the order the server returns them.
QList<Entry> list(Db& db);

// The schedule with its days; none when the number has no row.
std::optional<Schedule> load(Db& db, int horario);

// Adds the schedule (days whose entrada or salidaBreak is empty stay NULL) and returns the
// number the database gave it, or -1 when the statement failed.
int add(Db& db, const Schedule& schedule);

// Rewrites name, minutes and all 28 times of schedule.horario in one transaction, so no reader
// ever sees it with its days cleared. False when a statement failed (nothing is changed then).
bool change(Db& db, const Schedule& schedule);

// Deletes the schedule, the fingerprint-schedule rows and the assignments that name it, in one
// transaction: its users are left without schedule. False when a statement failed.
bool remove(Db& db, int horario);

} // namespace ScheduleStore
