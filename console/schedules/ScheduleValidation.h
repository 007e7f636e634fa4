#pragma once
// The checks a schedule passes before it is saved, as a pure function from the editor's values
// to the first problem: which control takes the focus, with which message and title.

#include <array>
#include <optional>
#include <QString>

namespace ScheduleValidation {

// The longest schedule name the table holds.
inline constexpr int kNameLength = 80;

// One weekday of the editor, times as the masked fields show them ("HH:MM:SS", "_" where a
// digit is missing).
struct DayValues
{
    bool works = false; // Chkdia
    QString entrada;
    QString salida;
    bool meal = false; // Chkcom
    QString comidaSalida;
    QString comidaRegreso;
};

struct ScheduleValues
{
    bool registering = true;       // "&Registrar"; false in "&Modificar"
    QString name;                  // as normalizedName leaves it
    std::array<DayValues, 7> days; // Monday ... Sunday
    QString retardo;
    QString checa;
};

enum class Control
{
    Name,
    Entrada,
    Salida,
    ComidaSalida,
    ComidaRegreso,
    Retardo,
    Checa
};

struct Problem
{
    Control control = Control::Name;
    int day = 0; // 1..7 for the time fields, 0 otherwise
    QString text;
    QString title;
};

// A time of day with all six digits: hours 00-23, minutes and seconds 00-59.
bool isValidTime(const QString& text);

// The name as it is saved: blanks around it removed and at most kNameLength characters.
QString normalizedName(const QString& name);

// The first problem in the order the administrator fixes them: the name (registering only),
// then the working hours day by day, the meal breaks day by day, and the two minute fields.
std::optional<Problem> firstProblem(const ScheduleValues& values);

} // namespace ScheduleValidation
