#include "AttendanceSource.h"

#include "Db.h"

#include <QSqlQuery>

namespace Attendance {

namespace {

// Employees per statement: the IN list binds one number each.
constexpr int kUsersPerRead = 500;

// group_concat_max_len for the events' read: 256 MB.
constexpr qint64 kLongestGroup = 256LL * 1024 * 1024;

QList<QByteArrayView> split(QByteArrayView text, char separator)
{
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == separator) {
            parts << text.sliced(start, i - start);
            start = i + 1;
        }
    return parts;
}

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

// The 28 times of a schedule come back as one text, "HH:MM:SS" or empty for NULL, slot by slot:
// the driver's cost is per value read, not per byte.
QString scheduleSql()
{
    QStringList times;
    for (int slot = 1; slot <= 7; ++slot)
        for (const char* column : {"ENTRADA", "SALIDA", "SALIDA_BREAK", "REGRESO_BREAK"})
            times << QStringLiteral("IFNULL(TIME_FORMAT(H.%1%2,'%H:%i:%s'),'')")
                         .arg(QLatin1String(column))
                         .arg(slot);
    return QStringLiteral("SELECT P.USUARIO,P.ORDEN,H.TOLERANCIA_RETARDO,CONCAT_WS(','") +
           QStringLiteral(",") + times.join(QLatin1Char(',')) +
           QStringLiteral(") FROM KXHORARIO H JOIN KXHORARIO_PERSONAL P ON H.HORARIO=P.HORARIO "
                          "WHERE P.USUARIO IN (%1)");
}

std::optional<QTime> timeOf(QByteArrayView text)
{
    if (text.size() != 8)
        return std::nullopt;
    const QTime time = QTime::fromString(QString::fromLatin1(text), QStringLiteral("HH:mm:ss"));
    if (!time.isValid())
        return std::nullopt;
    return time;
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
        const QByteArray times = q.value(3).toByteArray();
        const QList<QByteArrayView> parts = split(times, ',');
        WeekSchedule week;
        for (int slot = 0; slot < 7 && parts.size() == 28; ++slot) {
            ScheduleDay& day = week[slot];
            day.entrada = timeOf(parts[slot * 4]);
            day.salida = timeOf(parts[slot * 4 + 1]);
            day.salidaBreak = timeOf(parts[slot * 4 + 2]);
            day.regresoBreak = timeOf(parts[slot * 4 + 3]);
            day.toleranciaRetardo = tolerance;
        }
        data.schedules.insert(key, week);
    });
}

// Each employee's events come back as one text, "day,arrival,meal out,meal back,exit" per
// event (empty for NULL), events separated by ";", by day and event number.
void readEvents(Db& db, const QList<int>& users, const QDate& from, const QDate& to,
                PeriodData& data)
{
    // Long enough for a year of events of every employee; the default cuts at 1 MB.
    db.exec(QStringLiteral("SET SESSION group_concat_max_len=?"), {kLongestGroup});
    readByUsers(
        db,
        QStringLiteral("SELECT usuario,GROUP_CONCAT(CONCAT_WS(',',fecha,IFNULL(entrada,''),"
                       "IFNULL(salida_break,''),IFNULL(regreso_break,''),IFNULL(salida,'')) "
                       "ORDER BY fecha,evento SEPARATOR ';') FROM KxEvento "
                       "WHERE fecha BETWEEN ? AND ? AND usuario IN (%1) GROUP BY usuario"),
        users, {from, to}, {}, [&](const QSqlQuery& q) {
            const QByteArray text = q.value(1).toByteArray();
            QList<DayEvent>& events = data.events[q.value(0).toInt()];
            for (QByteArrayView row : split(text, ';')) {
                const QList<QByteArrayView> fields = split(row, ',');
                if (fields.size() != 5)
                    continue;
                DayEvent event;
                event.fecha = QDate::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
                event.marks.entrada = Mark::parse(fields[1]);
                event.marks.salidaBreak = Mark::parse(fields[2]);
                event.marks.regresoBreak = Mark::parse(fields[3]);
                event.marks.salida = Mark::parse(fields[4]);
                events.append(event);
            }
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
