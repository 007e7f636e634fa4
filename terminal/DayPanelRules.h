#pragma once
// What the day panel shows about a user's day, as pure rules: the status icon of a registered
// punch against its scheduled time, and the note of a permission in force.

#include "CheckEngine.h"

#include <QString>

namespace DayPanelRules {

enum class PunchIcon
{
    None,           // nothing registered, or no scheduled time to compare with
    OnTime,         // the plain icon
    OutOfTolerance, // the icon ending in R
    Justified       // the icon ending in J: a permission covers the punch
};

// Which way a punch is late: an entry or break return after its time, an exit or break out
// before it.
enum class Lateness
{
    After,
    Before
};

// The icon of one punch. A difference equal to the tolerance is within it.
PunchIcon punchIcon(const CheckEngine::OptionalTime& scheduled,
                    const CheckEngine::OptionalTime& registered, Lateness lateness, int tolerance,
                    bool justified);

// A day has a meal break when its slot has a time to leave for it (a return time alone does not
// make one).
bool hasMealBreak(const CheckEngine::ScheduleDay& day);

// permisos.tipo codes the panel knows.
inline constexpr int kLateArrival = 1;
inline constexpr int kEarlyLeave = 2;

// The note shown for a permission kind; empty for kinds the panel does not name.
QString permissionNote(int tipo);

} // namespace DayPanelRules
