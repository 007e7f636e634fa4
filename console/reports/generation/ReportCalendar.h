#pragma once
// Calendar rules of the attendance report: the server's week number week(date,1), the schedule
// order a day uses and the weekday slot of a schedule.

#include <QDate>

namespace ReportCalendar {

// MariaDB's week(date,1): weeks start on Monday, week 1 is the first week with four or more days
// in the year, days before it are week 0; late December days stay in their year (up to 53).
int WeekNumber(const QDate& date);

// Kxhorario_personal.orden in force on a day: 0 for a fixed schedule; for a rotating one 1 in odd
// and 2 in even weeks, week 0 counting as even.
int RotationOrder(bool rotatingSchedule, const QDate& date);

// The schedule's slot of the day: 1 = Monday ... 7 = Sunday.
inline int ScheduleSlot(const QDate& date)
{
    return date.dayOfWeek();
}

} // namespace ReportCalendar
