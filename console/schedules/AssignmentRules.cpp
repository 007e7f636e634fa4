#include "AssignmentRules.h"

#include "RotationOrder.h"

namespace AssignmentRules {

Step nextStep(bool rotating, int assignCount)
{
    if (!rotating)
        return Step{true, kFixedOrder, 1, false};
    if (assignCount == 1)
        return Step{false, kEvenWeekOrder, 2, false};
    return Step{true, kOddWeekOrder, 1, true};
}

int orderOfWeek(int week)
{
    return RotationOrderOf(true, week);
}

} // namespace AssignmentRules
