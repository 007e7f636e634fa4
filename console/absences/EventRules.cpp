#include "EventRules.h"

#include "RotationOrder.h"

#include <QStringList>

namespace EventRules {

OptionalTime markOf(const QTime& picker)
{
    if (!picker.isValid() || picker == QTime(0, 0, 0))
        return std::nullopt;
    return picker;
}

Sequence sequenceOf(const Marks& m)
{
    const bool e = m.entrada.has_value();
    const bool sc = m.salidaBreak.has_value();
    const bool rc = m.regresoBreak.has_value();
    const bool s = m.salida.has_value();
    if (!e)
        return Sequence::Wrong;
    if (!sc && !rc && !s)
        return Sequence::A;
    if (sc && !rc && !s)
        return Sequence::B;
    if (sc && rc && !s)
        return Sequence::C;
    if (sc && rc && s)
        return Sequence::D;
    return Sequence::Wrong;
}

int rotationOrder(bool rotatingSchedule, int weekNumber)
{
    return RotationOrderOf(rotatingSchedule, weekNumber);
}

Moments momentsOf(const QDate& day, const Marks& marks)
{
    const auto at = [&day](const OptionalTime& time) -> std::optional<QDateTime> {
        if (!time)
            return std::nullopt;
        return QDateTime(day, *time);
    };
    return {at(marks.entrada), at(marks.salidaBreak), at(marks.regresoBreak), at(marks.salida)};
}

QString describe(const Snapshot& snapshot)
{
    if (!snapshot.exists)
        return {};
    const auto time = [](const std::optional<QDateTime>& moment) {
        return moment ? moment->time().toString(QStringLiteral("HH:mm:ss"))
                      : QStringLiteral("--:--:--");
    };
    const Moments& m = snapshot.moments;
    return QStringList{
        QStringLiteral("E ") + time(m.entrada), QStringLiteral("SC ") + time(m.salidaBreak),
        QStringLiteral("RC ") + time(m.regresoBreak), QStringLiteral("S ") + time(m.salida),
        snapshot.cerrado ? QStringLiteral("Cerrado") : QStringLiteral("Abierto")}
        .join(QStringLiteral("  "));
}

} // namespace EventRules
