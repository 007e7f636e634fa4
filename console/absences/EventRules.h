#pragma once
// The rules of a manual attendance event as pure functions: which marks make an acceptable day
// (arrival, meal out, meal back, exit, in that order), which schedule order a day uses, and how
// the audit trail writes a day's marks.

#include <optional>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace EventRules {

using OptionalTime = std::optional<QTime>;

// A picker showing 00:00:00 holds no mark: a mark at midnight cannot be entered.
OptionalTime markOf(const QTime& picker);

// The four marks of a day, times of day.
struct Marks
{
    OptionalTime entrada;      // arrival
    OptionalTime salidaBreak;  // meal out
    OptionalTime regresoBreak; // meal back
    OptionalTime salida;       // exit
};

// The accepted combinations of filled marks. The times are not compared with each other.
enum class Sequence
{
    Wrong,
    A, // arrival only
    B, // arrival, meal out
    C, // arrival, meal out, meal back
    D  // all four: the day is closed
};

Sequence sequenceOf(const Marks& marks);

// The day is closed only with all four marks.
inline bool closes(Sequence sequence)
{
    return sequence == Sequence::D;
}

// Kxhorario_personal.orden of a day: 0 for a fixed schedule; for a rotating one 1 in odd and 2
// in even weeks of week(day,1), week 0 counting as even.
int rotationOrder(bool rotatingSchedule, int weekNumber);

// The marks as full moments of `day`; an empty mark stays empty.
struct Moments
{
    std::optional<QDateTime> entrada;
    std::optional<QDateTime> salidaBreak;
    std::optional<QDateTime> regresoBreak;
    std::optional<QDateTime> salida;
};
Moments momentsOf(const QDate& day, const Marks& marks);

// How the audit trail shows a day's marks: "E 08:00:00  SC --:--:--  RC --:--:--  S --:--:--"
// followed by "Cerrado" or "Abierto"; an empty text for an event that did not exist yet.
struct Snapshot
{
    bool exists = false;
    Moments moments;
    bool cerrado = false;
};
QString describe(const Snapshot& snapshot);

namespace Text {
inline const QString kWrongNew =
    QStringLiteral("No se pueden Generar Horarios con Secuencia erronea");
inline const QString kWrongChange =
    QStringLiteral("No se pueden Cambiar Horarios con Secuencia Erronea");
inline const QString kWrongTitle = QStringLiteral("Error");
inline const QString kCreated = QStringLiteral("Evento Generado Correctamente");
inline const QString kCreatedTitle = QStringLiteral("Generación Evento");
inline const QString kChanged = QStringLiteral("Evento Modificado Correctamente");
inline const QString kChangedTitle = QStringLiteral("Cambio Evento");
inline const QString kNoSchedule = QStringLiteral("Sin Horario Asignado!!");
inline const QString kSchedule = QStringLiteral("Horario Asignado:");
} // namespace Text

} // namespace EventRules
