#include "ScheduleValidation.h"

#include <QRegularExpression>

namespace ScheduleValidation {

namespace {

const QString kInvalidTime = QStringLiteral("La hora proporcionada no es válida.");
const QString kInvalidTimeTitle = QStringLiteral("Hora de Inicio!");
const QString kEndBeforeStart =
    QStringLiteral("No es posible registrar una hora final anterior a la de inicio.");
const QString kEndBeforeStartTitle = QStringLiteral("Error en horario");

Problem at(Control control, int day, const QString& text, const QString& title)
{
    return Problem{control, day, text, title};
}

// A period from `start` to `end` on one day: both valid times, the end strictly later. Two
// valid "HH:MM:SS" texts compare as their times of day do.
std::optional<Problem> periodProblem(int day, const QString& start, Control startControl,
                                     const QString& end, Control endControl, Control orderControl)
{
    if (!isValidTime(start))
        return at(startControl, day, kInvalidTime, kInvalidTimeTitle);
    if (!isValidTime(end))
        return at(endControl, day, kInvalidTime, kInvalidTimeTitle);
    if (end <= start)
        return at(orderControl, day, kEndBeforeStart, kEndBeforeStartTitle);
    return std::nullopt;
}

} // namespace

bool isValidTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{2}):([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    return match.captured(1).toInt() <= 23 && match.captured(2).toInt() <= 59 &&
           match.captured(3).toInt() <= 59;
}

QString normalizedName(const QString& name)
{
    QString result = name.trimmed();
    if (result.size() > kNameLength)
        result = result.left(kNameLength).trimmed();
    return result;
}

std::optional<Problem> firstProblem(const ScheduleValues& values)
{
    if (values.registering && values.name.isEmpty())
        return at(Control::Name, 0, QStringLiteral("No es posible registrar un horario sin Nombre"),
                  QStringLiteral("Horario sin Nombre"));
    for (int n = 1; n <= 7; ++n) {
        const DayValues& day = values.days[n - 1];
        if (!day.works)
            continue;
        // An end not after the start sends the administrator back to the start.
        if (auto problem = periodProblem(n, day.entrada, Control::Entrada, day.salida,
                                         Control::Salida, Control::Entrada))
            return problem;
    }
    for (int n = 1; n <= 7; ++n) {
        const DayValues& day = values.days[n - 1];
        if (!day.meal)
            continue;
        if (auto problem =
                periodProblem(n, day.comidaSalida, Control::ComidaSalida, day.comidaRegreso,
                              Control::ComidaRegreso, Control::ComidaRegreso))
            return problem;
    }
    if (values.retardo.isEmpty())
        return at(Control::Retardo, 0, QStringLiteral("Proporcione los minutos para retardos."),
                  QStringLiteral("Retardos!"));
    if (values.checa.isEmpty())
        return at(Control::Checa, 0,
                  QStringLiteral("Proporcione los minutos para salidas tempranas."),
                  QStringLiteral("Salidas Antes!"));
    return std::nullopt;
}

} // namespace ScheduleValidation
