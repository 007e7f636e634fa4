#pragma once
// The records a layout asks for: its query runs on the program's connection and its rows become
// the engine's table. A layout only reads: a query that is not a SELECT is refused. A query
// the server rejects is reported to the caller instead of ending the program, since the fault
// lies in a file outside the program, not in the program's own statements.

#include "Table.h"

#include <QString>
#include <QVariant>

class Db;

// Reads the rows of `sql`; on failure returns false with the server's text in `error`.
bool readRecords(Db& db, const QString& sql, report::Table& table, QString* error);

// A database value as the engine holds it: dates, date-times, times, numbers and text; a text
// that reads as a time ("-0:07:00", "08:30:00") becomes a time, as TIME columns read as text.
report::Value toValue(const QVariant& value);

// True when the statement starts with SELECT or WITH (after blanks and comments).
bool isReadOnlyQuery(const QString& sql);
