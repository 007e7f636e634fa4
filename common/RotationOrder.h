#pragma once
// Weekly rotation, one rule for the terminal, the manual events, the schedule preview and the
// reports: an employee with a rotating schedule uses the assignment of `orden` 1 in odd weeks
// and of `orden` 2 in even weeks of week(date,1) (week 0 is even); everybody else `orden` 0.

inline int RotationOrderOf(bool rotatingSchedule, int weekNumber)
{
    if (!rotatingSchedule)
        return 0;
    return weekNumber % 2 > 0 ? 1 : 2;
}
