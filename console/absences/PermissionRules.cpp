#include "PermissionRules.h"

#include <QLocale>

namespace PermissionRules {

QString kindLabel(int tipo)
{
    switch (tipo) {
    case kLateArrival:
        return QStringLiteral("Llegar Tarde");
    case kEarlyLeave:
        return QStringLiteral("Salir Temprano");
    case kAbsentWithoutPay:
        return QStringLiteral("No Asistir Sin Goce Sueldo");
    case kAbsentWithPay:
        return QStringLiteral("No Asistir Con Goce Sueldo");
    case kVacation:
        return QStringLiteral("Vacaciones");
    case kSanction:
        return QStringLiteral("Sanción");
    default:
        return QStringLiteral("Incapacidad");
    }
}

int kindOfLabel(const QString& label)
{
    for (int tipo = kLateArrival; tipo < kSickLeave; ++tipo)
        if (kindLabel(tipo) == label)
            return tipo;
    return kSickLeave;
}

int periodDays(const Period& period)
{
    return int(period.start.daysTo(period.end)) + 1;
}

bool overlaps(const Period& a, const Period& b)
{
    return a.start <= b.end && a.end >= b.start;
}

std::optional<int> firstOverlap(const QList<StoredPeriod>& stored, const Period& wanted, int own)
{
    for (const StoredPeriod& row : stored) {
        if (own != 0 && row.permiso == own)
            continue;
        if (overlaps(row.period, wanted))
            return row.permiso;
    }
    return std::nullopt;
}

QString periodLabel(const Period& period)
{
    const QLocale locale;
    return QStringLiteral("Periodo del: ") + locale.toString(period.start, QLocale::ShortFormat) +
           QStringLiteral("  Al: ") + locale.toString(period.end, QLocale::ShortFormat);
}

QString daysLabel(const Period& period)
{
    return QStringLiteral("Días del Periodo: ") + QString::number(periodDays(period));
}

bool complete(const Entry& entry)
{
    return !entry.motivo.trimmed().isEmpty() && !entry.autoriza.trimmed().isEmpty() &&
           entry.period.start.isValid();
}

} // namespace PermissionRules
