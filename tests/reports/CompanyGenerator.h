#pragma once
// Generated companies for comparing the report's fast generation with the reference: random
// schedules (rest days, meal breaks, one crossing midnight), fixed and rotating employees with
// missing, extra and dangling assignments, events of every shape (repeated on a day, outside the
// period, exits before arrivals, marks on another date), permissions of every kind and an
// unknown one, and non-working days (one of them twice).

#include <QDate>
#include <QList>

class Db;

namespace testing {

struct CompanyShape
{
    quint32 seed = 1;
    int employees = 100;
    QDate from;
    QDate to;
};

struct Company
{
    QList<int> users; // the employees a report would be run for, in grid order
};

// Adds the company to the (empty) database.
Company GenerateCompany(Db& db, const CompanyShape& shape);

} // namespace testing
