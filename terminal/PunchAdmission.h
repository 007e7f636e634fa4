#pragma once
// Whether the employee just looked up may punch, from what his day holds: a pure rule.

#include <QString>

namespace PunchAdmission {

// What the terminal found about the employee's day.
struct DayFacts
{
    bool assignment = false;    // a schedule is assigned to him for this week's rotation order
    bool scheduleToday = false; // today is a working day of that schedule (always, for a
                                // multiple-check employee)
    bool dayClosed = false;     // today's event row is closed
};

enum class Admission
{
    MayPunch,
    DayComplete,       // the day's row is closed
    WithoutAssignment, // a working day, but no schedule assigned for the rotation order
    NoScheduleToday    // not a working day (or no schedule at all)
};

Admission admit(const DayFacts& facts);

// The refusal the terminal shows; empty for MayPunch.
QString refusalText(Admission admission);

} // namespace PunchAdmission
