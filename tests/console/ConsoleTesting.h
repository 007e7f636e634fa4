#pragma once
// What the console's tests share: a program folder with the skins and a station file, rows added
// in one line, and a recorder for the console's end.

#include "ConsoleContext.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace testing {

// The private server's connection string for `database`, carrying every key the console copies
// into its data source (SERVER as well as the socket).
QString stationConnection(const QString& database);

// Copies the five skins and the logo into `folder` and writes VeZuviv.ini for `database`.
void prepareProgramFolder(const QString& folder, const QString& database);

// Records each request to end the console instead of ending the test program.
struct EndRecorder
{
    explicit EndRecorder(ConsoleContext& context);
    QList<int> codes;
};

// Adds a user; the values not given take the table's defaults. Returns his number.
int addUser(Db& db, const SqlValues& values);

// Number of rows `sql` counts, with its parameters.
int count(Db& db, const QString& sql, const SqlParams& params = {});

// Shows the window and makes it the active one, so that focus moves as for a person.
bool activate(QWidget* window);

} // namespace testing
