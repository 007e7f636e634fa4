#include "ReportEmployees.h"

#include "Db.h"

#include <QSqlQuery>

namespace Attendance {

namespace {

QList<int> numbers(QSqlQuery q)
{
    QList<int> result;
    while (q.next())
        result << q.value(0).toInt();
    return result;
}

} // namespace

QList<int> UnknownUsers(Db& db, const QList<int>& users)
{
    QList<int> unknown;
    for (int user : users)
        if (!db.scalar(QStringLiteral("SELECT Usuario FROM KxUsuario WHERE Usuario=?"), {user})
                 .isValid() &&
            !unknown.contains(user))
            unknown << user;
    return unknown;
}

std::optional<QList<int>> DepartmentEmployees(Db& db, int department)
{
    if (!db.scalar(QStringLiteral("SELECT departamento FROM Kxdepart WHERE departamento=?"),
                   {department})
             .isValid())
        return std::nullopt;
    return numbers(db.query(QStringLiteral("SELECT Usuario FROM KxUsuario "
                                           "WHERE activo=0 AND departamento=? ORDER BY Nombre"),
                            {department}));
}

QList<int> CurrentEmployees(Db& db)
{
    return numbers(
        db.query(QStringLiteral("SELECT Usuario FROM KxUsuario WHERE activo=0 ORDER BY Nombre")));
}

} // namespace Attendance
