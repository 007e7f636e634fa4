#pragma once
// The report's reads: everything the evaluation of a period needs, read set-wise for all the
// chosen employees at once (rotation flags, assignments with their schedules, the period's
// events, the permissions touching it and its non-working days).

#include "DayEvaluation.h"

#include <array>
#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>

class Db;

namespace Attendance {

// A schedule's seven weekday slots, [0] = Monday ... [6] = Sunday.
using WeekSchedule = std::array<ScheduleDay, 7>;

struct DayEvent
{
    QDate fecha;
    EventMarks marks;
};

struct Permission
{
    QDate inicio;
    QDate fin;
    int tipo = 0;
};

struct PeriodData
{
    // Horario_rotativo of each chosen employee who exists.
    QHash<int, bool> rotating;
    // The schedule of each employee and order (Kxhorario_personal.orden); the first assignment
    // read wins when several share an order.
    QHash<quint64, WeekSchedule> schedules;
    // Each employee's events of the period, by day and event number.
    QHash<int, QList<DayEvent>> events;
    // Each employee's permissions touching the period, by first day and number.
    QHash<int, QList<Permission>> permissions;
    QSet<QDate> holidays;

    static quint64 scheduleKey(int usuario, int orden)
    {
        return (quint64(quint32(usuario)) << 32) | quint32(orden);
    }
    const WeekSchedule* schedule(int usuario, int orden) const;
    // The kind of the first permission covering the day.
    std::optional<int> permissionKind(int usuario, const QDate& day) const;
};

// Reads the period [from, to] for the employees; a few statements whatever their number.
PeriodData ReadPeriod(Db& db, const QList<int>& users, const QDate& from, const QDate& to);

} // namespace Attendance
