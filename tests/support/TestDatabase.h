#pragma once
// A database of its own for each test program on the private server started by scripts/db.

#include "Db.h"

#include <QString>
#include <QStringList>

namespace testing {

QString sourceDir();

// ODBC connection string for the private server; without database name when empty.
QString connectionString(const QString& database = {});

// Drops and creates `name` from sql/schema.sql and opens `db` on it. On failure returns false
// and fills `error`.
bool createDatabase(Db& db, const QString& name, QString* error);

// Runs the statements of a .sql file (separated by ";" at line ends).
bool runSqlFile(Db& db, const QString& path, QString* error);

// Empties every table but Kxcontrol (whose one row stays).
void clearTables(Db& db);

QStringList tableNames();

} // namespace testing
