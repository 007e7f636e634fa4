#pragma once
// The attendance report computed statement by statement, one employee and day at a time, as
// the console's first version did: day rows, one UPDATE per event, four reads and up to three
// writes per day, then the differences over the whole table. It is slow on purpose and kept
// only as the yardstick the fast generation is compared with. Values are bound, a negative
// worked time is written with its sign, and events are read by day and event number.

#include <QDate>
#include <QList>
#include <QStringList>

class Db;

namespace reference {

void RunReport(Db& db, const QList<int>& users, const QDate& from, const QDate& to);

// Every row of rep_asistencia_general as text ("NULL" for NULL), by employee and day; the first
// entry names the columns.
QStringList WorkingTable(Db& db);

// "" when both snapshots are equal; otherwise the first difference, column by column.
QString FirstDifference(const QStringList& expected, const QStringList& actual);

} // namespace reference
