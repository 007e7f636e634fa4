#include "CheckEngine.h"

#include "RotationOrder.h"

namespace CheckEngine {

namespace Text {
QString noScheduleToday()
{
    return QStringLiteral("El Usuario No tiene Asignado Horario para este día!!!");
}
QString entry()
{
    return QStringLiteral("Entrada Registrada Correctamente!!");
}
QString breakOut()
{
    return QStringLiteral("Salida a Comer Registrada Correctamente!!");
}
QString breakReturn()
{
    return QStringLiteral("Regreso de Comida Registrado Correctamente!!");
}
QString exit()
{
    return QStringLiteral("Salida Registrada Correctamente!!");
}
QString outOfRange()
{
    return QStringLiteral("Atención su Chequeo está Fuera de Rango!!!");
}
QString onlyBeforeExit(int allowance)
{
    return QStringLiteral("Atención, solo puede checar:") + QString::number(allowance) +
           QStringLiteral(" Minutos Antes de su salida");
}
QString multipleEntry()
{
    return QStringLiteral("Evento Entrada Registrado Correctamente!!");
}
QString multipleExit()
{
    return QStringLiteral("Evento de Salida Registrado Correctamente!!");
}
QString previousEntry()
{
    return QStringLiteral("Atención ya existe una entrada Previa!!");
}
} // namespace Text

int ScheduleSlot(int dayOfWeek)
{
    return dayOfWeek == 1 ? 7 : dayOfWeek - 1;
}

int RotationOrder(bool rotatingSchedule, int weekNumber)
{
    return RotationOrderOf(rotatingSchedule, weekNumber);
}

int Minutes(const QTime& a, const QTime& b)
{
    return (b.hour() * 60 + b.minute()) - (a.hour() * 60 + a.minute());
}

namespace {

Decision refused(const QString& text)
{
    return {Punch::Refused, text, 0, 0};
}

Decision accepted(Punch punch, const QString& text, int evento)
{
    return {punch, text, 0, evento};
}

// The day exit is allowed once the scheduled exit is less than `allowance` minutes away (or
// past). A slot without an exit time cannot be judged: the punch is refused.
Decision exitTest(const ScheduleDay& schedule, const DayEvent& event, int allowance,
                  const QTime& now, const QString& refusal)
{
    if (!schedule.salida)
        return refused(Text::outOfRange());
    if (Minutes(now, *schedule.salida) >= allowance)
        return refused(refusal);
    return accepted(Punch::Exit, Text::exit(), event.evento);
}

// A day with a meal break whose break has not been punched yet.
Decision beforeBreak(const ScheduleDay& schedule, const DayEvent& event, int allowance,
                     const QTime& now)
{
    if (!schedule.salidaBreak) {
        // The row says "with break" (the console's manual events always do) but today's slot
        // has none: the day is judged as one without break, so it can still be closed.
        return exitTest(schedule, event, allowance, now, Text::onlyBeforeExit(allowance));
    }
    if (Minutes(now, *schedule.salidaBreak) >= allowance)
        return exitTest(schedule, event, allowance, now, Text::outOfRange());
    if (!schedule.regresoBreak)
        return refused(Text::outOfRange());
    if (Minutes(now, *schedule.regresoBreak) > 0)
        return accepted(Punch::BreakOut, Text::breakOut(), event.evento);
    return exitTest(schedule, event, allowance, now, Text::outOfRange());
}

} // namespace

Decision DecideCheck(const std::optional<ScheduleDay>& schedule,
                     const std::optional<DayEvent>& event, bool permEarlyLeave, const QTime& now)
{
    if (!schedule)
        return refused(Text::noScheduleToday());
    const int allowance = permEarlyLeave ? kEarlyLeaveAllowance : schedule->checaAntes;

    if (!event) {
        Decision entry = accepted(Punch::Entry, Text::entry(), 0);
        entry.eventType = schedule->salidaBreak ? kTypeWithBreak : kTypeWithoutBreak;
        return entry;
    }
    if (event->tipo != kTypeWithBreak)
        return exitTest(*schedule, *event, allowance, now, Text::onlyBeforeExit(allowance));
    if (!event->salidaBreak)
        return beforeBreak(*schedule, *event, allowance, now);
    if (!event->regresoBreak) {
        if (Minutes(*event->salidaBreak, now) < kMinimumBreak)
            return refused(Text::outOfRange());
        return accepted(Punch::BreakReturn, Text::breakReturn(), event->evento);
    }
    return exitTest(*schedule, *event, allowance, now, Text::onlyBeforeExit(allowance));
}

Decision DecideMultipleCheck(bool hasSchedule, const std::optional<DayEvent>& newest,
                             const QTime& now)
{
    if (!hasSchedule)
        return refused(Text::noScheduleToday());
    if (!newest || newest->salida) {
        Decision entry = accepted(Punch::Entry, Text::multipleEntry(), 0);
        entry.eventType = kTypeMultiple;
        return entry;
    }
    // An open row without entry time cannot be compared.
    if (!newest->entrada)
        return refused(Text::outOfRange());
    if (Minutes(*newest->entrada, now) > 0)
        return accepted(Punch::Exit, Text::multipleExit(), newest->evento);
    return refused(Text::previousEntry());
}

} // namespace CheckEngine
