#pragma once
// The attendance rules of the terminal, as pure functions: which schedule slot and which
// assignment order apply today, the minute difference, and what a punch means for the day's
// event row. They take plain values and return a decision; nothing here reads or writes.

#include <optional>
#include <QString>
#include <QTime>

namespace CheckEngine {

using OptionalTime = std::optional<QTime>;

// The terminal's weekday (Sunday = 1 ... Saturday = 7) to the schedule slot
// (1 = Monday ... 7 = Sunday).
int ScheduleSlot(int dayOfWeek);

// The Kxhorario_personal.orden in force: 0 for a fixed schedule; for a rotating one 1 in odd and
// 2 in even weeks of week(date,1), week 0 counting as even.
int RotationOrder(bool rotatingSchedule, int weekNumber);

// (hours of b × 60 + minutes of b) − (hours of a × 60 + minutes of a): seconds are ignored and
// the result may be negative.
int Minutes(const QTime& a, const QTime& b);

// Today's slot of the user's schedule.
struct ScheduleDay
{
    OptionalTime entrada;
    OptionalTime salida;
    OptionalTime salidaBreak;
    OptionalTime regresoBreak;
    int toleranciaRetardo = 0;
    int checaAntes = 0;
    int horario = 0;
};

// One KxEvento row of today (times of day only: dates are never compared).
struct DayEvent
{
    int evento = 0;
    int tipo = 0;
    OptionalTime entrada;
    OptionalTime salidaBreak;
    OptionalTime regresoBreak;
    OptionalTime salida;
};

enum class Punch
{
    Refused,
    Entry,       // a new row
    BreakOut,    // SALIDA_BREAK of the row
    BreakReturn, // REGRESO_BREAK of the row
    Exit         // SALIDA, SUCURSAL_SALE and CERRADO of the row
};

struct Decision
{
    Punch punch = Punch::Refused;
    QString text;      // the message line's text
    int eventType = 0; // KxEvento.tipo of a new row
    int evento = 0;    // the row a break or exit punch changes

    bool accepted() const { return punch != Punch::Refused; }
};

// KxEvento.tipo values.
inline constexpr int kTypeWithoutBreak = 0;
inline constexpr int kTypeWithBreak = 1;
inline constexpr int kTypeMultiple = 2;

// The shortest meal break, minutes.
inline constexpr int kMinimumBreak = 5;

// The early-exit allowance of a user with a permission to leave early.
inline constexpr int kEarlyLeaveAllowance = 999;

// A standard user's punch: `schedule` is today's slot of the assigned schedule (none without an
// assignment), `event` the first event row of today (none before the entry).
Decision DecideCheck(const std::optional<ScheduleDay>& schedule,
                     const std::optional<DayEvent>& event, bool permEarlyLeave, const QTime& now);

// A multiple-check user's punch: `newest` is today's newest event row.
Decision DecideMultipleCheck(bool hasSchedule, const std::optional<DayEvent>& newest,
                             const QTime& now);

// The message line's texts.
namespace Text {
QString noScheduleToday();
QString entry();
QString breakOut();
QString breakReturn();
QString exit();
QString outOfRange();
QString onlyBeforeExit(int allowance);
QString multipleEntry();
QString multipleExit();
QString previousEntry();
} // namespace Text

} // namespace CheckEngine
