#pragma once
// Which employees a report run covers when they are named rather than picked in a grid: by
// number, by department or all current employees (KxUsuario.activo is 0 for a current
// employee and 1 for one who has left). Lists come in name order, as the reports grid shows them.

#include <optional>
#include <QList>

class Db;

namespace Attendance {

// The numbers among `users` that name no employee.
QList<int> UnknownUsers(Db& db, const QList<int>& users);

// The current employees of a department; nothing when the department does not exist.
std::optional<QList<int>> DepartmentEmployees(Db& db, int department);

// Every current employee.
QList<int> CurrentEmployees(Db& db);

} // namespace Attendance
