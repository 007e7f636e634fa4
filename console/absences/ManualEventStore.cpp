#include "ManualEventStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace ManualEventStore {

using EventRules::Moments;
using EventRules::Sequence;
using EventRules::Snapshot;

namespace {

QString timeText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString();
}

EventRules::OptionalTime timeOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    const QTime time = QTime::fromString(value.toString(), QStringLiteral("HH:mm:ss"));
    return EventRules::markOf(time);
}

std::optional<QDateTime> momentOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toDateTime();
}

// A NULL mark is bound as NULL.
QVariant bound(const std::optional<QDateTime>& moment)
{
    return moment ? QVariant(*moment) : QVariant();
}

// Reads entrada, salida_break, regreso_break, salida and cerrado from `first` on.
Snapshot snapshotOf(const QSqlQuery& q, int first)
{
    Snapshot snapshot;
    snapshot.exists = true;
    snapshot.moments.entrada = momentOf(q.value(first));
    snapshot.moments.salidaBreak = momentOf(q.value(first + 1));
    snapshot.moments.regresoBreak = momentOf(q.value(first + 2));
    snapshot.moments.salida = momentOf(q.value(first + 3));
    snapshot.cerrado = q.value(first + 4).toInt() == 1;
    return snapshot;
}

const QString kDayRowLocked =
    QStringLiteral("SELECT evento,entrada,salida_break,regreso_break,salida,cerrado FROM KxEvento "
                   "WHERE usuario=? AND fecha=? ORDER BY evento LIMIT 1 FOR UPDATE");

const QString kRowById = QStringLiteral(
    "SELECT evento,entrada,salida_break,regreso_break,salida,cerrado FROM KxEvento WHERE evento=?");

qint64 create(Db& db, const Request& r, Sequence sequence, const Moments& m)
{
    int written = -1;
    switch (sequence) {
    case Sequence::A:
        written = db.exec(
            QStringLiteral("INSERT INTO KxEvento SET Sucursal_entra=?,editada_entrada=1,horario=?,"
                           "tipo=1,Usuario=?,fecha=?,Entrada=?,Salida=null,salida_break=null,"
                           "Regreso_break=null"),
            {r.location, r.horario, r.usuario, r.day, bound(m.entrada)});
        break;
    case Sequence::B:
        written = db.exec(
            QStringLiteral("INSERT INTO KxEvento SET Sucursal_entra=?,editada_entrada=1, "
                           "horario=?,tipo=1,Usuario=?,fecha=?,Entrada=?,Salida=null,"
                           "salida_break=?,Regreso_break=null"),
            {r.location, r.horario, r.usuario, r.day, bound(m.entrada), bound(m.salidaBreak)});
        break;
    case Sequence::C:
        written =
            db.exec(QStringLiteral("INSERT INTO KxEvento SET Sucursal_entra=?,editada_entrada=1, "
                                   "horario=?,tipo=1,Usuario=?,fecha=?,Entrada=?,Salida=null,"
                                   "salida_break=?,Regreso_break=?"),
                    {r.location, r.horario, r.usuario, r.day, bound(m.entrada),
                     bound(m.salidaBreak), bound(m.regresoBreak)});
        break;
    case Sequence::D:
        written =
            db.exec(QStringLiteral("INSERT INTO KxEvento SET Sucursal_entra=?,sucursal_sale=?, "
                                   "editada_Salida=1,horario=?,tipo=1,Usuario=?,fecha=?,Entrada=?,"
                                   "Salida=?,salida_break=?,Regreso_break=?,cerrado=1"),
                    {r.location, r.location, r.horario, r.usuario, r.day, bound(m.entrada),
                     bound(m.salida), bound(m.salidaBreak), bound(m.regresoBreak)});
        break;
    case Sequence::Wrong:
        break;
    }
    if (written != 1)
        return -1;
    return db.scalar(QStringLiteral("SELECT LAST_INSERT_ID()")).toLongLong();
}

bool change(Db& db, int evento, Sequence sequence, const Moments& m)
{
    switch (sequence) {
    case Sequence::A:
        return db.exec(QStringLiteral("UPDATE KxEvento set cerrado=0,Entrada=?,Salida=NULL,"
                                      "salida_break=NULL,Regreso_break=NULL WHERE evento=?"),
                       {bound(m.entrada), evento}) >= 0;
    case Sequence::B:
        return db.exec(QStringLiteral("UPDATE KxEvento set cerrado=0,Entrada=?,Salida=NULL,"
                                      "salida_break=?,Regreso_break=NULL WHERE evento=?"),
                       {bound(m.entrada), bound(m.salidaBreak), evento}) >= 0;
    case Sequence::C:
        return db.exec(QStringLiteral("UPDATE KxEvento set cerrado=0,Entrada=?,Salida=null,"
                                      "salida_break=?,Regreso_break=? WHERE evento=?"),
                       {bound(m.entrada), bound(m.salidaBreak), bound(m.regresoBreak), evento}) >=
               0;
    case Sequence::D:
        return db.exec(QStringLiteral("UPDATE KxEvento set cerrado=1,Entrada=?,Salida=?,"
                                      "salida_break=?,Regreso_break=? WHERE evento=?"),
                       {bound(m.entrada), bound(m.salida), bound(m.salidaBreak),
                        bound(m.regresoBreak), evento}) >= 0;
    case Sequence::Wrong:
        break;
    }
    return false;
}

bool writeTrail(Db& db, const Request& r, int evento, const Snapshot& before, const Snapshot& after)
{
    const auto mark = [](const Snapshot& s, const std::optional<QDateTime>& moment) {
        return s.exists ? bound(moment) : QVariant();
    };
    return db.exec(QStringLiteral(
                       "INSERT INTO KxEvento_bitacora SET evento=?,usuario=?,fecha=?,"
                       "entrada_antes=?,salida_break_antes=?,regreso_break_antes=?,salida_antes=?,"
                       "cerrado_antes=?,entrada_despues=?,salida_break_despues=?,"
                       "regreso_break_despues=?,salida_despues=?,cerrado_despues=?,"
                       "administrador=?,momento=NOW(),sucursal=?"),
                   {evento, r.usuario, r.day, mark(before, before.moments.entrada),
                    mark(before, before.moments.salidaBreak),
                    mark(before, before.moments.regresoBreak), mark(before, before.moments.salida),
                    before.exists ? QVariant(before.cerrado ? 1 : 0) : QVariant(),
                    bound(after.moments.entrada), bound(after.moments.salidaBreak),
                    bound(after.moments.regresoBreak), bound(after.moments.salida),
                    after.cerrado ? 1 : 0, r.administrator, r.location}) == 1;
}

} // namespace

int rotationOrder(Db& db, int user, const QDate& day)
{
    QSqlQuery q = db.query(QStringLiteral("select horario_rotativo,week(?,1)'Semana' from "
                                          "KxUsuario Where Usuario =?"),
                           {day, user});
    if (!q.isActive() || !q.next())
        return 0;
    return EventRules::rotationOrder(q.value(0).toInt() != 0, q.value(1).toInt());
}

std::optional<Schedule> schedule(Db& db, int user, int order)
{
    QSqlQuery q = db.query(
        QStringLiteral("Select h.Nombre_horario,h.horario from kxHorario h join kxhorario_personal "
                       "p on h.horario=p.horario where p.usuario=?  and p.orden=?"),
        {user, order});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    return Schedule{q.value(1).toInt(), q.value(0).toString()};
}

QList<Listed> eventsOfDay(Db& db, int user, const QDate& day)
{
    QSqlQuery q = db.query(
        QStringLiteral("select fecha'Fecha',TIME_FORMAT(Entrada,'%H:%i:%s')'Entrada',"
                       "TIME_FORMAT(salida,'%H:%i:%s')'Salida',TIME_FORMAT(salida_break,'%H:%i:%s')"
                       "'Salida Comida',TIME_FORMAT(regreso_break,'%H:%i:%s')'Regreso Comida' "
                       "from kxEvento where usuario = ?  and fecha=?"),
        {user, day});
    QList<Listed> rows;
    while (q.next())
        rows << Listed{q.value(0).toDate(), timeText(q.value(1)), timeText(q.value(2)),
                       timeText(q.value(3)), timeText(q.value(4))};
    return rows;
}

std::optional<Stored> eventOfDay(Db& db, int user, const QDate& day)
{
    QSqlQuery q = db.query(
        QStringLiteral("select Evento,fecha'Fecha',TIME_FORMAT(Entrada,'%H:%i:%s')'Entrada',"
                       "TIME_FORMAT(salida,'%H:%i:%s')'Salida',TIME_FORMAT(salida_break,'%H:%i:%s')"
                       "'Salida Comida',TIME_FORMAT(regreso_break,'%H:%i:%s')'Regreso Comida' "
                       "from kxEvento where usuario = ?  and fecha=?"),
        {user, day});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    Stored stored;
    stored.evento = q.value(0).toInt();
    stored.marks.entrada = timeOf(q.value(2));
    stored.marks.salida = timeOf(q.value(3));
    stored.marks.salidaBreak = timeOf(q.value(4));
    stored.marks.regresoBreak = timeOf(q.value(5));
    return stored;
}

Result save(Db& db, const Request& request)
{
    const Sequence sequence = EventRules::sequenceOf(request.marks);
    if (sequence == Sequence::Wrong)
        return {Done::Refused, 0};
    const Moments moments = EventRules::momentsOf(request.day, request.marks);

    Db::Transaction transaction(db);
    if (!transaction.active())
        return {};
    Snapshot before;
    Result result;
    {
        QSqlQuery existing = db.query(kDayRowLocked, {request.usuario, request.day});
        if (!existing.isActive())
            return {};
        if (existing.next()) {
            before = snapshotOf(existing, 1);
            result = {Done::Changed, existing.value(0).toInt()};
        }
    }
    if (before.exists) {
        if (!change(db, result.evento, sequence, moments))
            return {};
    } else {
        const qint64 evento = create(db, request, sequence, moments);
        if (evento <= 0)
            return {};
        result = {Done::Created, int(evento)};
    }
    Snapshot after;
    {
        QSqlQuery written = db.query(kRowById, {result.evento});
        if (!written.isActive() || !written.next())
            return {};
        after = snapshotOf(written, 1);
    }
    if (!writeTrail(db, request, result.evento, before, after) || !transaction.commit())
        return {};
    return result;
}

QList<TrailRow> trail(Db& db, int user, const QDate& day)
{
    QSqlQuery q =
        db.query(QStringLiteral(
                     "SELECT b.momento,b.evento,b.administrador,u.Nombre,b.sucursal,"
                     "b.entrada_antes,b.salida_break_antes,b.regreso_break_antes,b.salida_antes,"
                     "b.cerrado_antes,b.entrada_despues,b.salida_break_despues,"
                     "b.regreso_break_despues,b.salida_despues,b.cerrado_despues "
                     "FROM KxEvento_bitacora b LEFT JOIN KxUsuario u ON u.Usuario=b.administrador "
                     "WHERE b.usuario=? AND b.fecha=? ORDER BY b.bitacora"),
                 {user, day});
    QList<TrailRow> rows;
    while (q.next()) {
        TrailRow row;
        row.momento = q.value(0).toDateTime();
        row.evento = q.value(1).toInt();
        row.administrador = q.value(2).toInt();
        row.nombreAdministrador = q.value(3).toString();
        row.sucursal = q.value(4).toInt();
        row.before = snapshotOf(q, 5);
        row.before.exists = !q.value(9).isNull();
        row.after = snapshotOf(q, 10);
        rows << row;
    }
    return rows;
}

} // namespace ManualEventStore
