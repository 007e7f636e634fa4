#include "DayPanelRules.h"

namespace DayPanelRules {

PunchIcon punchIcon(const CheckEngine::OptionalTime& scheduled,
                    const CheckEngine::OptionalTime& registered, Lateness lateness, int tolerance,
                    bool justified)
{
    if (!scheduled || !registered)
        return PunchIcon::None;
    if (justified)
        return PunchIcon::Justified;
    const int difference = lateness == Lateness::After
                               ? CheckEngine::Minutes(*scheduled, *registered)
                               : CheckEngine::Minutes(*registered, *scheduled);
    return difference > tolerance ? PunchIcon::OutOfTolerance : PunchIcon::OnTime;
}

QString permissionNote(int tipo)
{
    switch (tipo) {
    case 1:
        return QStringLiteral("*Con Permiso para Llegar Tarde*");
    case 2:
        return QStringLiteral("*Con Permiso para Salir Temprano*");
    case 3:
    case 4:
        return QStringLiteral("*Con Permiso para No Asistir*");
    case 5:
        return QStringLiteral("*En Periodo Vacacional Vigente*");
    case 6:
        return QStringLiteral("*Con Sanción Administrativa*");
    case 7:
        return QStringLiteral("*Con Incapacidad Vigente*");
    default:
        return {};
    }
}

bool hasMealBreak(const CheckEngine::ScheduleDay& day)
{
    return day.salidaBreak.has_value();
}

} // namespace DayPanelRules
