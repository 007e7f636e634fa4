#include "PermissionStore.h"

#include <QSqlQuery>

namespace PermissionStore {

using PermissionRules::Period;

QList<Listed> list(Db& db, int user, const QDate& desde, const QDate& hasta)
{
    QSqlQuery q =
        db.query(QStringLiteral(
                     "SELECT Permiso,Fecha_inicio'Fecha de Inicio',Fecha_fin'Fecha de Fin',Motivo,"
                     "CASE Tipo WHEN 1 THEN 'Llegar Tarde' WHEN 2 THEN 'Salir Temprano' WHEN 3 "
                     "THEN 'No Asistir Sin Goce Sueldo' WHEN 4 THEN 'No Asistir Con Goce Sueldo' "
                     "WHEN 5 THEN 'Vacaciones' WHEN 6 THEN 'Sanción' ELSE 'Incapacidad' END "
                     "'Tipo' FROM Permisos WHERE usuario= ?   AND Fecha_inicio BETWEEN ? AND ? "),
                 {user, desde, hasta});
    QList<Listed> rows;
    while (q.next())
        rows << Listed{q.value(0).toInt(), q.value(1).toDate(), q.value(2).toDate(),
                       q.value(3).toString(), q.value(4).toString()};
    return rows;
}

std::optional<Permission> read(Db& db, int permiso)
{
    QSqlQuery q = db.query(QStringLiteral("SELECT Permiso,usuario,Fecha_inicio,Fecha_Fin,Motivo,"
                                          "autoriza,tipo FROM Permisos where Permiso=?"),
                           {permiso});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    Permission p;
    p.permiso = q.value(0).toInt();
    p.usuario = q.value(1).toInt();
    p.entry.period = Period{q.value(2).toDate(), q.value(3).toDate()};
    p.entry.motivo = q.value(4).toString();
    p.entry.autoriza = q.value(5).toString();
    p.tipo = q.value(6).toInt();
    return p;
}

Save::Save(Db& db, int user)
    : db_(db)
    , transaction_(db)
{
    if (!transaction_.active())
        return;
    // The employee's row is locked first: it serialises the saves of one employee even while he
    // has no permission yet (locks on an empty range do not exclude each other). The permissions
    // are then read with a locking read, which sees what other consoles committed meanwhile.
    if (!db_.query(QStringLiteral("SELECT Usuario FROM KxUsuario WHERE Usuario=? FOR UPDATE"),
                   {user})
             .isActive())
        return;
    QSqlQuery q = db_.query(QStringLiteral("SELECT Permiso,Fecha_inicio,Fecha_fin FROM Permisos "
                                           "WHERE Usuario=? FOR UPDATE"),
                            {user});
    if (!q.isActive())
        return;
    while (q.next())
        stored_ << PermissionRules::StoredPeriod{q.value(0).toInt(),
                                                 Period{q.value(1).toDate(), q.value(2).toDate()}};
    locked_ = true;
}

std::optional<int> Save::overlap(const Period& period, int own) const
{
    return PermissionRules::firstOverlap(stored_, period, own);
}

bool Save::holds(int permiso) const
{
    for (const auto& row : stored_)
        if (row.permiso == permiso)
            return true;
    return false;
}

bool Save::write(const Permission& p, int captura)
{
    const PermissionRules::Entry& e = p.entry;
    if (p.permiso == 0)
        return db_.exec(QStringLiteral("INSERT INTO Permisos SET usuario=?,Fecha_inicio=?,"
                                       "Fecha_Fin=?, Motivo=?,autoriza=?,tipo=?,captura=?"),
                        {p.usuario, e.period.start, e.period.end, e.motivo, e.autoriza, p.tipo,
                         captura}) == 1;
    return db_.exec(QStringLiteral("UPDATE Permisos SET Fecha_inicio=?,Fecha_Fin=?, Motivo=?,"
                                   "autoriza=?,tipo=?,captura=? WHERE Permiso=?"),
                    {e.period.start, e.period.end, e.motivo, e.autoriza, p.tipo, captura,
                     p.permiso}) >= 0;
}

Outcome save(Db& db, const Permission& permission, int captura)
{
    Save save(db, permission.usuario);
    if (!save.locked())
        return Outcome::Failed;
    if (permission.permiso != 0 && !save.holds(permission.permiso))
        return Outcome::Gone;
    if (save.overlap(permission.entry.period, permission.permiso))
        return Outcome::Overlap;
    if (!PermissionRules::complete(permission.entry))
        return Outcome::Incomplete;
    if (!save.write(permission, captura) || !save.commit())
        return Outcome::Failed;
    return Outcome::Saved;
}

bool remove(Db& db, int permiso)
{
    return db.exec(QStringLiteral("DELETE FROM Permisos WHERE Permiso=?"), {permiso}) >= 0;
}

} // namespace PermissionStore
