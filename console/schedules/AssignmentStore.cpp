#include "AssignmentStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace AssignmentStore {

namespace {

const QString kDeleteRows = QStringLiteral("DELETE FROM kxhorario_personal WHERE usuario=?");

} // namespace

std::optional<User> findUser(Db& db, int user)
{
    QSqlQuery q = db.query(
        QStringLiteral("select Nombre,horario_Rotativo from KXUsuario where Usuario = ?"), {user});
    if (!q.next())
        return std::nullopt;
    return User{q.value(0).toString(), !q.value(1).isNull() && q.value(1).toInt() != 0};
}

QList<Assigned> assigned(Db& db, int user)
{
    QList<Assigned> rows;
    QSqlQuery q = db.query(QStringLiteral("SELECT h.nombre_horario,p.orden FROM kxhorario h JOIN "
                                          "kxhorario_personal p on h.horario=p.horario where "
                                          "p.usuario=?  ORDER BY orden"),
                           {user});
    while (q.next())
        rows << Assigned{q.value(0).toString(), q.value(1).toInt()};
    return rows;
}

bool assign(Db& db, int user, int horario, int orden, bool clearFirst)
{
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    if (clearFirst && db.exec(kDeleteRows, {user}) < 0)
        return false;
    if (db.exec(QStringLiteral("INSERT INTO kxhorario_personal SET usuario=?,fecha_inicio=now(),"
                               "horario=?,Orden=?,activo=1"),
                {user, horario, orden}) < 0)
        return false;
    return transaction.commit();
}

bool clear(Db& db, int user)
{
    return db.exec(kDeleteRows, {user}) >= 0;
}

std::optional<int> weekOf(Db& db, const QDate& date)
{
    const QVariant week =
        db.scalar(QStringLiteral("select week(?,1) from KxUsuario Where USUARIO=1"), {date});
    if (!week.isValid() || week.isNull())
        return std::nullopt;
    return week.toInt();
}

} // namespace AssignmentStore
