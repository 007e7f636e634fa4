#include "ScheduleStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace ScheduleStore {

namespace {

// The statement text with "{n}" replaced by the weekday slot.
QString forSlot(const QString& statement, int slot)
{
    QString text = statement;
    return text.replace(QStringLiteral("{n}"), QString::number(slot));
}

// Four columns per day, days 1 to 7, then the two tolerances.
QString loadStatement()
{
    QString sql = QStringLiteral("SELECT ");
    for (int n = 1; n <= 7; ++n)
        sql +=
            forSlot(QStringLiteral("TIME_FORMAT(H.ENTRADA{n},'%H:%i:%s')'ENTRADA{n}',"
                                   "TIME_FORMAT(H.SALIDA{n},'%H:%i:%s')'SALIDA{n}',"
                                   "TIME_FORMAT(SALIDA_BREAK{n}, '%H:%i:%s')'SALIDA_BREAK{n}',"
                                   "TIME_FORMAT(REGRESO_BREAK{n}, '%H:%i:%s')'REGRESO_BREAK{n}',"),
                    n);
    return sql +
           QStringLiteral("tolerancia_retardo,checa_antes FROM KXHORARIO H where H.Horario = ?");
}

QString clearStatement()
{
    QString sql = QStringLiteral("UPDATE KXHORARIO SET ");
    for (int n = 1; n <= 7; ++n) {
        sql += forSlot(QStringLiteral("ENTRADA{n}=NULL,SALIDA{n}=NULL,SALIDA_BREAK{n}=NULL,"
                                      "REGRESO_BREAK{n}=NULL"),
                       n);
        sql += n < 7 ? QStringLiteral(",") : QStringLiteral(" WHERE HORARIO=?");
    }
    return sql;
}

bool works(const Day& day)
{
    return !day.entrada.isEmpty();
}

bool hasMeal(const Day& day)
{
    return !day.salidaBreak.isEmpty();
}

} // namespace

QList<Entry> list(Db& db)
{
    QList<Entry> entries;
    QSqlQuery q = db.query(QStringLiteral("select Nombre_horario,Horario from KxHorario"));
    while (q.next())
        entries << Entry{q.value(1).toInt(), q.value(0).toString()};
    return entries;
}

std::optional<Schedule> load(Db& db, int horario)
{
    QSqlQuery q = db.query(loadStatement(), {horario});
    if (!q.next())
        return std::nullopt;
    Schedule schedule;
    schedule.horario = horario;
    for (int n = 0; n < 7; ++n) {
        Day& day = schedule.days[n];
        day.entrada = q.value(4 * n).toString();
        day.salida = q.value(4 * n + 1).toString();
        day.salidaBreak = q.value(4 * n + 2).toString();
        day.regresoBreak = q.value(4 * n + 3).toString();
    }
    schedule.toleranciaRetardo = q.value(28).toInt();
    schedule.checaAntes = q.value(29).toInt();
    return schedule;
}

int add(Db& db, const Schedule& schedule)
{
    SqlValues values{{QStringLiteral("Nombre_horario"), schedule.name},
                     {QStringLiteral("Checa_antes"), schedule.checaAntes}};
    for (int n = 1; n <= 7; ++n) {
        const Day& day = schedule.days[n - 1];
        if (works(day))
            values << qMakePair(forSlot(QStringLiteral("Entrada{n}"), n), QVariant(day.entrada))
                   << qMakePair(forSlot(QStringLiteral("Salida{n}"), n), QVariant(day.salida));
        if (hasMeal(day))
            values << qMakePair(forSlot(QStringLiteral("salida_break{n}"), n),
                                QVariant(day.salidaBreak))
                   << qMakePair(forSlot(QStringLiteral("regreso_break{n}"), n),
                                QVariant(day.regresoBreak));
    }
    values << qMakePair(QStringLiteral("tolerancia_retardo"), QVariant(schedule.toleranciaRetardo));
    return int(db.insertRow(QStringLiteral("KxHorario"), values));
}

bool change(Db& db, const Schedule& schedule)
{
    const int key = schedule.horario;
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    if (db.exec(clearStatement(), {key}) < 0)
        return false;
    if (db.exec(QStringLiteral("UPDATE KXHORARIO SET Nombre_horario=?,Checa_antes=?,"
                               "tolerancia_retardo=? WHERE HORARIO=?"),
                {schedule.name, schedule.checaAntes, schedule.toleranciaRetardo, key}) < 0)
        return false;
    for (int n = 1; n <= 7; ++n) {
        const Day& day = schedule.days[n - 1];
        if (works(day) &&
            db.exec(forSlot(QStringLiteral("UPDATE KXHORARIO SET ENTRADA{n}=?,SALIDA{n}=? WHERE "
                                           "HORARIO=?"),
                            n),
                    {day.entrada, day.salida, key}) < 0)
            return false;
        if (hasMeal(day) && db.exec(forSlot(QStringLiteral("UPDATE KXHORARIO SET salida_break{n}=?,"
                                                           "regreso_break{n}=? WHERE HORARIO=?"),
                                            n),
                                    {day.salidaBreak, day.regresoBreak, key}) < 0)
            return false;
    }
    return transaction.commit();
}

bool remove(Db& db, int horario)
{
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    if (db.exec(QStringLiteral("delete from KxHorario where Horario = ?"), {horario}) < 0 ||
        db.exec(QStringLiteral("delete from KxFngHora where HorID = ?"), {horario}) < 0 ||
        db.exec(QStringLiteral("delete from Kxhorario_personal where horario = ?"), {horario}) < 0)
        return false;
    return transaction.commit();
}

} // namespace ScheduleStore
