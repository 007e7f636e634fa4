#include "TerminalUsers.h"

#include "Db.h"

#include <QSqlQuery>

namespace TerminalUsers {

std::optional<PunchingUser> find(Db& db, int user)
{
    QSqlQuery q = db.query(QStringLiteral("select Nombre,puede_checar_clave,horario_rotativo,"
                                          "week(CurDate(),1)'Semana',Chequeo_Multiple from "
                                          "KxUsuario Where Usuario =? and activo = 0"),
                           {user});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    PunchingUser found;
    found.name = q.value(0).toString();
    found.mayUsePassword = q.value(1).toInt() != 0;
    found.rotatingSchedule = q.value(2).toInt() != 0;
    found.weekNumber = q.value(3).toInt();
    found.multipleCheck = q.value(4).toInt() != 0;
    return found;
}

bool passwordMatches(Db& db, int user, const QString& password)
{
    QSqlQuery q =
        db.query(QStringLiteral("SELECT Usuario from KxUsuario WHERE Usuario=? AND Password=? "),
                 {user, password});
    return q.isActive() && q.next();
}

std::optional<QString> locationName(Db& db, int location)
{
    QSqlQuery q = db.query(
        QStringLiteral("Select Nombre_sucursal from KxSucursales where sucursal=?"), {location});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

} // namespace TerminalUsers
