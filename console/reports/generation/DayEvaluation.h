#pragma once
// The attendance report's rules for one employee and day, as pure functions: what the day's
// events leave in its row, and how the row is classified against the schedule slot, the
// permission in force and the non-working days.

#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTime>

namespace Attendance {

// A punch as the database keeps it.
struct Mark
{
    QByteArray text;    // "yyyy-mm-dd hh:mm:ss", written back unchanged
    qint64 seconds = 0; // from a fixed origin, without time zone or daylight saving

    // Hours × 60 + minutes of the time of day; seconds dropped.
    int minuteOfDay() const { return int((seconds % 86400) / 60); }

    // Reads "yyyy-mm-dd hh:mm:ss"; nothing for NULL or anything else.
    static std::optional<Mark> parse(QByteArrayView text);
};
using OptionalMark = std::optional<Mark>;

// The four marks of one KxEvento row.
struct EventMarks
{
    OptionalMark entrada;
    OptionalMark salidaBreak;
    OptionalMark regresoBreak;
    OptionalMark salida;
};

// The marks and worked time of a day's row. Several events of a day write one after the other,
// so each column holds what the last event that wrote it left there.
struct DayMarks
{
    OptionalMark entrada;
    OptionalMark salidaBreak;
    OptionalMark regresoBreak;
    OptionalMark salida;
    std::optional<qint64> workedSeconds; // Horas_laboradas
};

// Copies an event into its day's row by which marks it has:
//  all four: the marks and worked = (exit − arrival) − (meal back − meal out);
//  arrival only: the arrival; arrival and meal out: both; arrival, meal out and meal back: the
//  three; arrival and exit without meal marks: both and worked = exit − arrival;
//  any other combination writes nothing. A worked time may be negative (an exit before the
//  arrival) and is kept so.
void ApplyEvent(DayMarks& day, const EventMarks& event);

// One weekday slot of the employee's schedule.
struct ScheduleDay
{
    std::optional<QTime> entrada;
    std::optional<QTime> salida;
    std::optional<QTime> salidaBreak;
    std::optional<QTime> regresoBreak;
    int toleranciaRetardo = 0;
};

// How a day is classified.
struct DayResult
{
    bool diaLaborable = false;
    bool falta = false;
    bool incompleto = false;
    bool retardo = false;
    bool salidaPrematura = false;
    qint64 plannedSeconds = 0; // horas_laborables
    QString tipo;
    int retardoTiempo = 0;         // minutes late, meaningful when retardo
    int salidaPrematuraTiempo = 0; // exit minus scheduled exit (negative), when salidaPrematura
};

// Permission kinds (permisos.tipo).
inline constexpr int kLateArrival = 1;
inline constexpr int kEarlyLeave = 2;
inline constexpr int kAbsenceWithoutPay = 3;
inline constexpr int kAbsenceWithPay = 4;
inline constexpr int kVacation = 5;
inline constexpr int kSanction = 6;
inline constexpr int kSickLeave = 7;

// Classifies a day. `schedule` is the day's slot of the schedule in force (none without an
// assignment), `permissionKind` the kind of the permission covering the day (none without one),
// `holiday` whether the day is a non-working day. Labels are decided in this order, a later one
// replacing an earlier one: rest day, absence, incomplete, attended; the permission; the
// non-working day.
DayResult EvaluateDay(const std::optional<ScheduleDay>& schedule, const DayMarks& marks,
                      std::optional<int> permissionKind, bool holiday);

// (hours × 60 + minutes of b) − (hours × 60 + minutes of a): seconds dropped, may be negative.
int Minutes(int minuteOfDayA, int minuteOfDayB);
int MinuteOfDay(const QTime& time);

// A duration as a TIME value: "[-]hh:mm:ss", hours of two digits at least; kept within the
// column's range of ±838:59:59.
QByteArray DurationText(qint64 seconds);

// The day's status labels.
namespace Label {
QString rest();
QString absence();
QString incomplete();
QString attended();
QString permission(int kind); // empty for a code outside 1 to 7
QString nonWorkingDay();
} // namespace Label

} // namespace Attendance
