#include "ReportCalendar.h"

#include "RotationOrder.h"

namespace ReportCalendar {

namespace {

// The Monday on which week 1 of the year begins.
QDate firstWeekStart(int year)
{
    const QDate january1(year, 1, 1);
    const int weekday = january1.dayOfWeek(); // 1 = Monday
    const QDate monday = january1.addDays(1 - weekday);
    // The week holding January 1 is week 1 when at least four of its days lie in the year.
    return weekday <= 4 ? monday : monday.addDays(7);
}

} // namespace

int WeekNumber(const QDate& date)
{
    const QDate start = firstWeekStart(date.year());
    if (date < start)
        return 0;
    return int(start.daysTo(date) / 7) + 1;
}

int RotationOrder(bool rotatingSchedule, const QDate& date)
{
    return RotationOrderOf(rotatingSchedule, WeekNumber(date));
}

} // namespace ReportCalendar
