#pragma once
// The command line of tasquelo-report:
//   tasquelo-report --from YYYY-MM-DD --to YYYY-MM-DD (--users 1,2,3 | --department N | --all)
//                   [--connection "ODBC connection string"]
//                   [(--report N | --layout FILE) (--pdf OUT | --csv OUT)...]
// Options take their value as the next argument or after "=".

#include <optional>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct ReportCommand
{
    enum class Who
    {
        Users,
        Department,
        All
    };
    QDate from;
    QDate to;
    Who who = Who::All;
    QList<int> users;
    int department = 0;
    QString connection; // empty: line 1 of VeZuviv.ini beside the program

    // After filling the table: the report to export (a catalogue row or a layout file) and
    // where to write it.
    int report = 0;
    QString layout;
    QString pdf;
    QString csv;
    bool exports() const { return report > 0 || !layout.isEmpty(); }
};

struct ReportCommandParse
{
    std::optional<ReportCommand> command;
    QString error; // in Spanish, when there is no command
    bool help = false;
};

// `arguments` without the program name.
ReportCommandParse ParseReportCommand(const QStringList& arguments);

QString ReportCommandUsage();
