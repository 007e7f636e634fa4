#include "HolidayGrid.h"

void HolidayGrid::setDays(QList<HolidayStore::Holiday> days)
{
    beginResetModel();
    days_ = std::move(days);
    endResetModel();
}

int HolidayGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(days_.size());
}

int HolidayGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant HolidayGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const HolidayStore::Holiday& day = days_[index.row()];
    switch (index.column()) {
    case Fecha:
        return day.fecha.toString(QStringLiteral("dd/MM/yyyy"));
    case Nombre:
        return day.nombre;
    case Dia:
        return day.dia;
    }
    return {};
}

QVariant HolidayGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Fecha:
        return QStringLiteral("Fecha");
    case Nombre:
        return QStringLiteral("Día");
    case Dia:
        return QStringLiteral("Clave");
    }
    return {};
}
