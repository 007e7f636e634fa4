#pragma once
// The search of employees by name that every window picking an employee uses: the terminal's
// name search and the console's user search dialog.

#include <QList>
#include <QString>

class Db;

struct UserMatch
{
    int number = 0;
    QString name;
};

enum class UserScope
{
    Everyone,        // the console: administrators must reach those who left, to reactivate them
    CurrentEmployees // the terminal: someone who has left (KXUsuario.activo 1) must not
                     // accrue attendance
};

namespace UserSearch {

// Below this many characters a search lists at most kShortLimit users.
constexpr int kShortCriteria = 6;
constexpr int kShortLimit = 12;

// Users whose names contain `criteria` (a pattern of "like": "%" and "_" match as patterns do),
// by number.
QList<UserMatch> byName(Db& db, const QString& criteria, UserScope scope);

} // namespace UserSearch
