#pragma once
// The rules of assigning schedules: what one "&Asignar" writes for a fixed or a rotating user,
// and which of a rotating user's two schedules is in force in a given week.

namespace AssignmentRules {

// Kxhorario_personal.orden: the fixed schedule, and a rotating user's odd and even weeks.
inline constexpr int kFixedOrder = 0;
inline constexpr int kOddWeekOrder = 1;
inline constexpr int kEvenWeekOrder = 2;

struct Step
{
    bool clearFirst = false; // the user's earlier rows go first (his assignment is replaced)
    int orden = kFixedOrder; // the row written
    int assignCount = 0;     // rows written since the user was looked up, after this one
    bool userLocked = false; // the user cannot be changed until his rotation is complete
};

// One "&Asignar" for the looked-up user who has `assignCount` rows written since the look-up.
// A fixed user's single row is replaced at every press. A rotating user's first press starts
// his pair (odd weeks), the second completes it (even weeks) and a third starts it over.
Step nextStep(bool rotating, int assignCount);

// The orden in force in week `week` of week(date,1): odd weeks 1, even weeks (0 included) 2.
int orderOfWeek(int week);

} // namespace AssignmentRules
