#pragma once
// Schedule assignments (Kxhorario_personal): who the user is and which kind of schedule he
// works, the names of his assigned schedules, writing and deleting his rows, and the week
// number of a date as the terminal computes it.

#include <optional>
#include <QDate>
#include <QList>
#include <QString>

class Db;

namespace AssignmentStore {

struct User
{
    QString name;
    bool rotating = false; // KxUsuario.horario_rotativo; NULL counts as fixed
};

struct Assigned
{
    QString name; // the schedule's name
    int orden = 0;
};

// The user's name and kind; none when the number has no row.
std::optional<User> findUser(Db& db, int user);

// The user's assignment rows with their schedules' names, in orden order.
QList<Assigned> assigned(Db& db, int user);

// Writes one row (orden given, moment of assignment the server's now()); with `clearFirst` the
// user's earlier rows are deleted in the same transaction, so the terminal never finds the user
// without his schedule in between. False when a statement failed.
bool assign(Db& db, int user, int horario, int orden, bool clearFirst);

// Deletes all the user's rows. False when the statement failed.
bool clear(Db& db, int user);

// week(date,1) of the date, read with the row of user 1 as its one-row source: none without
// that row.
std::optional<int> weekOf(Db& db, const QDate& date);

} // namespace AssignmentStore
