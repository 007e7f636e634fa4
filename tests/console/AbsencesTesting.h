#pragma once
// What the permissions and manual-events tests share: typing Spanish text as a person does,
// finding a user's row in a users grid, reading a grid, and picking a period in the month view.

#include <QDate>
#include <QString>
#include <QStringList>

class MonthRangeCalendar;
class QTableWidget;
class QWidget;

namespace testing {

// Types the text key by key (letters outside ASCII as their own key events).
void typeText(QWidget* box, const QString& text);

// The row whose column `column` reads `text`, or -1.
int rowOf(const QTableWidget* grid, const QString& text, int column = 1);

// Every row of the grid, its shown columns joined by " | ".
QStringList gridRows(const QTableWidget* grid);

// Clicks the first day and shift-clicks the last one, turning the months as needed.
void pickPeriod(MonthRangeCalendar* calendar, const QDate& first, const QDate& last);

} // namespace testing
