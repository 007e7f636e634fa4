#include "HolidayStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace HolidayStore {

QList<Holiday> list(Db& db)
{
    QList<Holiday> days;
    QSqlQuery q = db.query(
        QStringLiteral("select Fecha,Nombre_dia'Día',dia FROM Dias_inhabiles order by fecha"));
    while (q.next())
        days << Holiday{q.value(0).toDate(), q.value(1).toString(), q.value(2).toInt()};
    return days;
}

std::optional<Holiday> on(Db& db, const QDate& fecha)
{
    QSqlQuery q = db.query(
        QStringLiteral("select Dia,nombre_dia FROM Dias_inhabiles where fecha=? order by Dia"),
        {fecha});
    if (!q.next())
        return std::nullopt;
    return Holiday{fecha, q.value(1).toString(), q.value(0).toInt()};
}

bool dateTaken(Db& db, const QDate& fecha, int exceptDia)
{
    return db.scalar(QStringLiteral("select count(*) FROM Dias_inhabiles where fecha=? and "
                                    "Dia<>?"),
                     {fecha, exceptDia})
               .toInt() > 0;
}

bool add(Db& db, const QDate& fecha, const QString& nombre, int capturo)
{
    return db.exec(QStringLiteral("INSERT INTO dias_inhabiles SET fecha=?, Nombre_dia=?,Capturo=?"),
                   {fecha, nombre, capturo}) >= 0;
}

bool change(Db& db, int dia, const QDate& fecha, const QString& nombre, int capturo)
{
    return db.exec(QStringLiteral("UPDATE dias_inhabiles SET fecha=?, Nombre_dia=?,Capturo=? "
                                  "WHERE DIA=?"),
                   {fecha, nombre, capturo, dia}) >= 0;
}

bool remove(Db& db, int dia)
{
    return db.exec(QStringLiteral("DELETE FROM dias_inhabiles WHERE Dia=?"), {dia}) >= 0;
}

} // namespace HolidayStore
