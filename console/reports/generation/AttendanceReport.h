#pragma once
// Fills the working table rep_asistencia_general for a period and a set of employees: one row
// per employee and day with its marks, worked and planned time, flags, minutes late or early,
// status label and differences. The period is read set-wise, every day is evaluated in memory
// and the table is emptied and refilled with multi-row inserts in one transaction, under the
// report lock.

#include <functional>
#include <QDate>
#include <QList>
#include <QString>

class Db;

namespace Attendance {

struct ReportRequest
{
    QDate from;
    QDate to;         // a period ending before it starts yields no rows
    QList<int> users; // in the order their rows are written; repeated numbers count once
};

struct ReportOutcome
{
    enum class Status
    {
        Written, // the table holds the period's rows
        Busy,    // another run holds the working table; nothing was touched
        Failed   // a statement failed; the table was left as it was
    };
    Status status = Status::Failed;
    int rows = 0;
};

// Called as employees' rows are written: (employees done, employees in all).
using Progress = std::function<void(int done, int total)>;

ReportOutcome GenerateAttendance(Db& db, const ReportRequest& request,
                                 const Progress& progress = {});

// The refusal shown when another run holds the working table.
QString busyText();
QString busyTitle();

} // namespace Attendance
