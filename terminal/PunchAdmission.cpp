#include "PunchAdmission.h"

#include "CheckEngine.h"

namespace PunchAdmission {

Admission admit(const DayFacts& facts)
{
    if (facts.dayClosed)
        return Admission::DayComplete;
    if (!facts.scheduleToday)
        return Admission::NoScheduleToday;
    return facts.assignment ? Admission::MayPunch : Admission::WithoutAssignment;
}

QString refusalText(Admission admission)
{
    switch (admission) {
    case Admission::MayPunch:
        break;
    case Admission::DayComplete:
        return QStringLiteral("El usuario ya tiene completo su horario para este día");
    case Admission::WithoutAssignment:
        return QStringLiteral("El usuario No tiene horario Asignado, Pida apoyo a Personal");
    case Admission::NoScheduleToday:
        return CheckEngine::Text::noScheduleToday();
    }
    return {};
}

} // namespace PunchAdmission
