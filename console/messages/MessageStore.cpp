#include "MessageStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace MessageStore {

namespace {

const QString kInsertLocationMessage =
    QStringLiteral("INSERT INTO kxmensajes_Globales SET Sucursal=?, Cuerpo_mensaje=?,fecha=now()");

// Deletes the location's rows and adds the new one: the table keeps one row per location.
bool writeLocationMessage(Db& db, int location, const QString& text)
{
    if (db.exec(QStringLiteral("DELETE FROM kxmensajes_Globales WHERE Sucursal=? "), {location}) <
        0)
        return false;
    return db.exec(kInsertLocationMessage, {location, text}) > 0;
}

} // namespace

QList<MessageRecipient> recipients(Db& db)
{
    // activo is 0 for a current employee and 1 for one who has left.
    QSqlQuery q = db.query(QStringLiteral(
        "select u.usuario'Usuario',u.nombre'Nombre',d.nombre_departamento'Departamento' from "
        "kxusuario u left join kxdepart d on u.departamento=d.departamento WHERE U.activo=0 "
        "order by u.nombre"));
    QList<MessageRecipient> rows;
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
    return rows;
}

QList<SentPersonalMessage> personalMessages(Db& db, int user)
{
    QSqlQuery q = db.query(
        QStringLiteral("select m.fecha'Envio',m.fecha_recepcion'Recepción',m.asunto'Asunto',"
                       "m.cuerpo_mensaje'Mensaje',u.nombre'Envia' from kxmensajes_personales m "
                       "join kxusuario u on m.remite=u.usuario where m.usuario= ? order by fecha"),
        {user});
    QList<SentPersonalMessage> rows;
    while (q.next()) {
        SentPersonalMessage row;
        row.Envio = q.value(0).toDateTime();
        if (!q.value(1).isNull())
            row.Recepcion = q.value(1).toDateTime();
        row.Asunto = q.value(2).toString();
        row.Mensaje = q.value(3).toString();
        row.Envia = q.value(4).toString();
        rows.append(row);
    }
    return rows;
}

bool sendPersonal(Db& db, const QList<int>& users, const NewPersonalMessage& message)
{
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    // recibido is left to the table's default: 0, not yet acknowledged.
    const QString insert = QStringLiteral("INSERT INTO kxmensajes_personales SET Usuario=?, "
                                          "asunto=?,cuerpo_mensaje=?,fecha=?,remite=?");
    for (int user : users) {
        if (db.exec(insert,
                    {user, message.asunto, message.cuerpo, message.fecha, message.remite}) <= 0)
            return false;
    }
    return transaction.commit();
}

QList<MessageLocation> locations(Db& db)
{
    QSqlQuery q = db.query(QStringLiteral("select Sucursal'Ubicación',nombre_Sucursal'Nombre' "
                                          "from kxSucursales order by nombre_sucursal"));
    QList<MessageLocation> rows;
    while (q.next())
        rows.append({q.value(0).toInt(), q.value(1).toString()});
    return rows;
}

std::optional<LocationMessage> locationMessage(Db& db, int location)
{
    QSqlQuery q = db.query(
        QStringLiteral("select fecha,Cuerpo_mensaje from kxmensajes_Globales where sucursal= ?"),
        {location});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    return LocationMessage{q.value(0).toDateTime(), q.value(1).toString()};
}

bool replaceLocationMessages(Db& db, const QList<int>& locations, const QString& text)
{
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    for (int location : locations) {
        if (!writeLocationMessage(db, location, text))
            return false;
    }
    return transaction.commit();
}

bool replaceAllLocationMessages(Db& db, const QList<int>& locations, const QString& text)
{
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    if (db.exec(QStringLiteral("DELETE FROM kxmensajes_Globales")) < 0)
        return false;
    for (int location : locations) {
        if (db.exec(kInsertLocationMessage, {location, text}) <= 0)
            return false;
    }
    return transaction.commit();
}

} // namespace MessageStore
