#include "RowsModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QTableView>

namespace {

// Widest a column grows to show its texts; longer texts are cut with "..." (the tooltip has
// them whole).
constexpr int kWidestColumn = 300;

// The light green the terminal uses for an accepted punch.
const QColor kSentColour(0x80, 0xFF, 0x80);

} // namespace

RowsModel::RowsModel(const QStringList& headers, QObject* parent)
    : QAbstractTableModel(parent)
    , headers_(headers)
{
}

void RowsModel::setRows(const QList<QStringList>& rows, const QList<int>& keys)
{
    beginResetModel();
    rows_ = rows;
    keys_ = keys;
    while (keys_.size() < rows_.size())
        keys_.append(0);
    sent_.clear();
    endResetModel();
}

void RowsModel::markSent(int row)
{
    if (row < 0 || row >= rows_.size())
        return;
    sent_.insert(row);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1),
                     {Qt::BackgroundRole, Qt::FontRole});
}

int RowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int RowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant RowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(index.row(), index.column());
    case Qt::BackgroundRole:
        return isSent(index.row()) ? QVariant(QBrush(kSentColour)) : QVariant();
    case Qt::FontRole:
        if (isSent(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant RowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headers_.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void showRows(QTableView* view, RowsModel* model)
{
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
}

void fitColumns(QTableView* view)
{
    view->resizeColumnsToContents();
    for (int col = 0; col < view->model()->columnCount(); ++col)
        view->setColumnWidth(col, qMin(view->columnWidth(col), kWidestColumn));
}
