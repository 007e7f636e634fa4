#pragma once
// The rows of a message screen's grid: texts under fixed headers, each row with the number it
// stands for (user or location). A row marked as sent is drawn bold on light green.

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>

class QTableView;

class RowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    RowsModel(const QStringList& headers, QObject* parent);

    // Replaces every row; `keys` gives each row's number (none: 0). Clears the sent marks.
    void setRows(const QList<QStringList>& rows, const QList<int>& keys = {});
    void clear() { setRows({}); }

    int key(int row) const { return keys_.value(row); }
    QList<int> keys() const { return keys_; }
    QString text(int row, int column) const { return rows_.value(row).value(column); }

    // Marks the row as sent: every cell of it changes its look.
    void markSent(int row);
    bool isSent(int row) const { return sent_.contains(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headers_;
    QList<QStringList> rows_;
    QList<int> keys_;
    QSet<int> sent_;
};

// Puts the model in the view as a read-only grid of whole rows.
void showRows(QTableView* view, RowsModel* model);

// Widens each column to its texts, a long text no wider than a few words' room.
void fitColumns(QTableView* view);
