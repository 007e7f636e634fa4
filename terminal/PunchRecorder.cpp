#include "PunchRecorder.h"

#include "Clock.h"
#include "Db.h"
#include "TodayRows.h"

using CheckEngine::Decision;
using CheckEngine::Punch;

PunchRecorder::PunchRecorder(Db& db, const Clock& clock, const qint16& locationNumber)
    : db_(db)
    , clock_(clock)
    , locationNumber_(locationNumber)
{
}

PunchOutcome PunchRecorder::RegisterCheck(const Selection& selection)
{
    const QDateTime now = clock_.now();
    const int slot = CheckEngine::ScheduleSlot(selection.DayOfWeek);
    const auto schedule =
        TodayRows::checkSchedule(db_, selection.CurrentUser, selection.RotationOrder, slot);
    std::optional<CheckEngine::DayEvent> event;
    if (schedule)
        event = TodayRows::firstEvent(db_, selection.CurrentUser, now.date());
    PunchOutcome outcome;
    outcome.decision =
        CheckEngine::DecideCheck(schedule, event, selection.PermEarlyLeave, now.time());
    if (outcome.decision.accepted())
        outcome.recorded = write(outcome.decision, schedule->horario, selection);
    return outcome;
}

PunchOutcome PunchRecorder::RegisterMultipleCheck(const Selection& selection)
{
    const QDateTime now = clock_.now();
    const int slot = CheckEngine::ScheduleSlot(selection.DayOfWeek);
    const auto schedule =
        TodayRows::multipleSchedule(db_, selection.CurrentUser, selection.RotationOrder, slot);
    std::optional<CheckEngine::DayEvent> newest;
    if (schedule)
        newest = TodayRows::newestEvent(db_, selection.CurrentUser, now.date());
    PunchOutcome outcome;
    outcome.decision = CheckEngine::DecideMultipleCheck(schedule.has_value(), newest, now.time());
    if (outcome.decision.accepted())
        outcome.recorded = write(outcome.decision, schedule->horario, selection);
    return outcome;
}

bool PunchRecorder::write(const Decision& decision, int horario, const Selection& selection)
{
    int rows = -1;
    switch (decision.punch) {
    case Punch::Entry:
        rows = db_.exec(QStringLiteral("INSERT INTO KXEVENTO SET horario=?,tipo=?,USUARIO=?,"
                                       "SUCURSAL_ENTRA=?,FECHA=CURDATE(),ENTRADA=NOW(),CERRADO=0"),
                        {horario, decision.eventType, selection.CurrentUser, locationNumber_});
        break;
    case Punch::BreakOut:
        rows = db_.exec(QStringLiteral("UPDATE KXEVENTO SET SALIDA_BREAK=NOW() WHERE EVENTO=?"),
                        {decision.evento});
        break;
    case Punch::BreakReturn:
        rows = db_.exec(QStringLiteral("UPDATE KXEVENTO SET REGRESO_BREAK=NOW() WHERE EVENTO=?"),
                        {decision.evento});
        break;
    case Punch::Exit:
        rows = db_.exec(QStringLiteral("UPDATE KXEVENTO SET SALIDA=NOW(),SUCURSAL_SALE=?,CERRADO=1 "
                                       "WHERE EVENTO=?"),
                        {locationNumber_, decision.evento});
        break;
    case Punch::Refused:
        return false;
    }
    return rows > 0;
}
