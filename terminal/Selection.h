#pragma once
// The employee being served at the terminal: who he is, which schedule applies today and what
// the day panel found about his day. Filled by the user lookup and the day panel, read by the
// check engine; it describes the selected user only.

#include <QString>

struct Selection
{
    qint16 CurrentUser = 0; // the selected user number
    qint16 DayOfWeek = 1;   // the terminal's weekday, Sunday = 1 ... Saturday = 7
    qint16 WeekNumber = 0;  // week(CurDate(),1) read with the user
    qint16 RotationOrder = 0;
    bool RotatingSchedule = false;
    bool MultipleCheck = false;

    // Set by the day panel.
    bool PermLateArrival = false;
    bool PermEarlyLeave = false;
    int Tolerance = 0;

    // True once the user may punch (finger or password); false after a refusal and after the
    // screen reset, so that a refused or finished selection cannot punch.
    bool MayPunch = false;
};
