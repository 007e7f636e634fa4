#include "AbsencesTesting.h"

#include "MonthRangeCalendar.h"

#include <QTableWidget>
#include <QtTest>

namespace testing {

void typeText(QWidget* box, const QString& text)
{
    box->setFocus();
    for (const QChar ch : text) {
        if (ch.unicode() < 128)
            QTest::keyClicks(box, QString(ch));
        else
            QTest::sendKeyEvent(QTest::KeyAction::Click, box, Qt::Key_unknown, QString(ch),
                                Qt::NoModifier);
    }
}

int rowOf(const QTableWidget* grid, const QString& text, int column)
{
    for (int row = 0; row < grid->rowCount(); ++row)
        if (grid->item(row, column) && grid->item(row, column)->text() == text)
            return row;
    return -1;
}

QStringList gridRows(const QTableWidget* grid)
{
    QStringList rows;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (grid->isColumnHidden(column))
                continue;
            const QTableWidgetItem* item = grid->item(row, column);
            cells << (item ? item->text() : QString());
        }
        rows << cells.join(QStringLiteral(" | "));
    }
    return rows;
}

void pickPeriod(MonthRangeCalendar* calendar, const QDate& first, const QDate& last)
{
    calendar->showMonth(first.year(), first.month());
    QTest::mouseClick(calendar, Qt::LeftButton, Qt::NoModifier, calendar->cellOf(first).center());
    if (last == first)
        return;
    calendar->showMonth(last.year(), last.month());
    QTest::mouseClick(calendar, Qt::LeftButton, Qt::ShiftModifier, calendar->cellOf(last).center());
}

} // namespace testing
