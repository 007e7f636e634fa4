#include "AttendanceSource.h"

#include "Db.h"

#include <QSqlQuery>

namespace Attendance {

namespace {

// Employees per statement: the IN list binds one number each.
constexpr int kUsersPerRead = 500;

QString placeholders(qsizetype count)
{
    QString text;
    text.reserve(count * 2);
    for (qsizetype i = 0; i < count; ++i)
        text += i == 0 ? QStringLiteral("?") : QStringLiteral(",?");
    return text;
}

// Runs `sqlWithList` (its %1 is the IN list of users) once per group of users, with `before`
// bound ahead of the users and `after` behind them, and hands every row to `take`.
template <typename Take>
void readByUsers(Db& db, const QString& sqlWithList, const QList<int>& users,
                 const SqlParams& before, const SqlParams& after, Take take)
{
    for (qsizetype start = 0; start < users.size(); start += kUsersPerRead) {
        const QList<int> group = users.mid(start, kUsersPerRead);
        SqlParams params = before;
        for (int user : group)
            params << user;
        params += after;
        QSqlQuery q = db.query(sqlWithList.arg(placeholders(group.size())), params);
        while (q.next())
            take(q);
    }
}

std::optional<QTime> timeOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    const QTime time = QTime::fromString(value.toString(), QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        return std::nullopt;
    return time;
}

OptionalMark markOf(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return Mark::parse(value.toByteArray());
}

QString scheduleSql()
{
    QStringList columns{QStringLiteral("P.USUARIO"), QStringLiteral("P.ORDEN"),
                        QStringLiteral("H.TOLERANCIA_RETARDO")};
    for (int slot = 1; slot <= 7; ++slot)
        for (const char* column : {"ENTRADA", "SALIDA", "SALIDA_BREAK", "REGRESO_BREAK"})
            columns << QStringLiteral("TIME_FORMAT(H.%1%2,'%H:%i:%s')")
                           .arg(QLatin1String(column))
                           .arg(slot);
    return QStringLiteral("SELECT ") + columns.join(QLatin1Char(',')) +
           QStringLiteral(" FROM KXHORARIO H JOIN KXHORARIO_PERSONAL P ON H.HORARIO=P.HORARIO "
                          "WHERE P.USUARIO IN (%1)");
}

void readUsers(Db& db, const QList<int>& users, PeriodData& data)
{
    readByUsers(db,
                QStringLiteral("SELECT Usuario,Horario_rotativo FROM KxUsuario "
                               "WHERE Usuario IN (%1)"),
                users, {}, {}, [&](const QSqlQuery& q) {
                    // NULL and zero both mean a fixed schedule.
                    data.rotating.insert(q.value(0).toInt(), q.value(1).toInt() != 0);
                });
}

void readSchedules(Db& db, const QList<int>& users, PeriodData& data)
{
    static const QString sql = scheduleSql();
    readByUsers(db, sql, users, {}, {}, [&](const QSqlQuery& q) {
        const quint64 key = PeriodData::scheduleKey(q.value(0).toInt(), q.value(1).toInt());
        if (data.schedules.contains(key))
            return;
        const int tolerance = q.value(2).toInt();
        WeekSchedule week;
        for (int slot = 0; slot < 7; ++slot) {
            const int column = 3 + slot * 4;
            ScheduleDay& day = week[slot];
            day.entrada = timeOf(q.value(column));
            day.salida = timeOf(q.value(column + 1));
            day.salidaBreak = timeOf(q.value(column + 2));
            day.regresoBreak = timeOf(q.value(column + 3));
            day.toleranciaRetardo = tolerance;
        }
        data.schedules.insert(key, week);
    });
}

void readEvents(Db& db, const QList<int>& users, const QDate& from, const QDate& to,
                PeriodData& data)
{
    readByUsers(db,
                QStringLiteral("SELECT usuario,fecha,CAST(entrada AS CHAR),"
                               "CAST(salida_break AS CHAR),CAST(regreso_break AS CHAR),"
                               "CAST(salida AS CHAR) FROM KxEvento "
                               "WHERE fecha BETWEEN ? AND ? AND usuario IN (%1) "
                               "ORDER BY usuario,fecha,evento"),
                users, {from, to}, {}, [&](const QSqlQuery& q) {
                    DayEvent event;
                    event.fecha = q.value(1).toDate();
                    event.marks.entrada = markOf(q.value(2));
                    event.marks.salidaBreak = markOf(q.value(3));
                    event.marks.regresoBreak = markOf(q.value(4));
                    event.marks.salida = markOf(q.value(5));
                    data.events[q.value(0).toInt()].append(event);
                });
}

void readPermissions(Db& db, const QList<int>& users, const QDate& from, const QDate& to,
                     PeriodData& data)
{
    readByUsers(db,
                QStringLiteral("SELECT usuario,Fecha_inicio,Fecha_fin,tipo FROM permisos "
                               "WHERE Fecha_inicio<=? AND Fecha_fin>=? AND usuario IN (%1) "
                               "ORDER BY usuario,Fecha_inicio,Permiso"),
                users, {to, from}, {}, [&](const QSqlQuery& q) {
                    data.permissions[q.value(0).toInt()].append(
                        Permission{q.value(1).toDate(), q.value(2).toDate(), q.value(3).toInt()});
                });
}

void readHolidays(Db& db, const QDate& from, const QDate& to, PeriodData& data)
{
    QSqlQuery q = db.query(
        QStringLiteral("SELECT DISTINCT Fecha FROM Dias_inhabiles WHERE Fecha BETWEEN ? AND ?"),
        {from, to});
    while (q.next())
        data.holidays.insert(q.value(0).toDate());
}

} // namespace

const WeekSchedule* PeriodData::schedule(int usuario, int orden) const
{
    const auto found = schedules.constFind(scheduleKey(usuario, orden));
    return found == schedules.constEnd() ? nullptr : &found.value();
}

std::optional<int> PeriodData::permissionKind(int usuario, const QDate& day) const
{
    const auto found = permissions.constFind(usuario);
    if (found == permissions.constEnd())
        return std::nullopt;
    for (const Permission& permission : found.value())
        if (permission.inicio <= day && permission.fin >= day)
            return permission.tipo;
    return std::nullopt;
}

PeriodData ReadPeriod(Db& db, const QList<int>& users, const QDate& from, const QDate& to)
{
    PeriodData data;
    if (users.isEmpty() || to < from)
        return data;
    readUsers(db, users, data);
    readSchedules(db, users, data);
    readEvents(db, users, from, to, data);
    readPermissions(db, users, from, to, data);
    readHolidays(db, from, to, data);
    return data;
}

} // namespace Attendance
