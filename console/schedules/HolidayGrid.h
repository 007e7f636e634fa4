#pragma once
// The grid of registered non-working days: date, description ("Día") and key, in date order.

#include "HolidayStore.h"

#include <QAbstractTableModel>

class HolidayGrid : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Fecha,
        Nombre,
        Dia
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setDays(QList<HolidayStore::Holiday> days);
    const HolidayStore::Holiday& day(int row) const { return days_[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<HolidayStore::Holiday> days_;
};
