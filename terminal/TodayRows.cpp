#include "TodayRows.h"

#include "Db.h"

#include <QDateTime>
#include <QSqlQuery>

namespace TodayRows {

using CheckEngine::DayEvent;
using CheckEngine::OptionalTime;
using CheckEngine::ScheduleDay;

namespace {

const QString kCheckSchedule =
    QStringLiteral("SELECT TIME_FORMAT(H.ENTRADA{n},'%H:%i:%s')'ENTRADA',"
                   "TIME_FORMAT(H.SALIDA{n},'%H:%i:%s')'SALIDA',"
                   "TIME_FORMAT(SALIDA_BREAK{n}, '%H:%i:%s')'SBREAK',"
                   "TIME_FORMAT(REGRESO_BREAK{n}, '%H:%i:%s')'RBREAK',"
                   "TOLERANCIA_RETARDO,CHECA_ANTES,H.HORARIO "
                   "FROM KXHORARIO H JOIN KXHORARIO_PERSONAL P ON H.HORARIO=P.HORARIO "
                   "WHERE P.USUARIO=? AND P.ORDEN=? ");

const QString kMultipleSchedule =
    QStringLiteral("SELECT TIME_FORMAT(H.ENTRADA{n},'%H:%i:%s')'ENTRADA',"
                   "TIME_FORMAT(H.SALIDA{n},'%H:%i:%s')'SALIDA',H.HORARIO "
                   "FROM KXHORARIO H JOIN KXHORARIO_PERSONAL P ON H.HORARIO=P.HORARIO "
                   "WHERE P.USUARIO=? AND P.ORDEN=? ");

const QString kPanelSchedule =
    QStringLiteral("SELECT TIME_FORMAT(H.ENTRADA{n},'%H:%i:%s')'ENTRADA',"
                   "TIME_FORMAT(H.SALIDA{n},'%H:%i:%s')'SALIDA',"
                   "TIME_FORMAT(SALIDA_BREAK{n}, '%H:%i:%s')'SBREAK',"
                   "TIME_FORMAT(REGRESO_BREAK{n}, '%H:%i:%s')'RBREAK',TOLERANCIA_RETARDO "
                   "FROM KXHORARIO H JOIN KXHORARIO_PERSONAL P ON H.HORARIO=P.HORARIO "
                   "WHERE P.USUARIO=? AND P.ORDEN=? ");

const QString kFirstEvent =
    QStringLiteral("Select evento,fecha,entrada,salida,salida_break,regreso_break,tipo "
                   "from kxevento where usuario=? and fecha=?");

const QString kNewestEvent = QStringLiteral("Select evento,fecha,entrada,salida,tipo "
                                            "from kxevento where usuario=? and fecha=? "
                                            "order by evento desc");

// Reads the first row of a schedule statement; `columns` tells which of the optional columns
// the statement has.
enum Columns
{
    WithBreak = 1,
    WithTolerance = 2,
    WithAllowance = 4,
    WithSchedule = 8
};

std::optional<ScheduleDay> readSchedule(Db& db, const QString& statement, int columns, int user,
                                        int order, int slot)
{
    QSqlQuery q = db.query(forSlot(statement, slot), {user, order});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    ScheduleDay day;
    day.entrada = timeOf(q.value(QStringLiteral("ENTRADA")));
    day.salida = timeOf(q.value(QStringLiteral("SALIDA")));
    if (columns & WithBreak) {
        day.salidaBreak = timeOf(q.value(QStringLiteral("SBREAK")));
        day.regresoBreak = timeOf(q.value(QStringLiteral("RBREAK")));
    }
    if (columns & WithTolerance)
        day.toleranciaRetardo = q.value(QStringLiteral("TOLERANCIA_RETARDO")).toInt();
    if (columns & WithAllowance)
        day.checaAntes = q.value(QStringLiteral("CHECA_ANTES")).toInt();
    if (columns & WithSchedule)
        day.horario = q.value(QStringLiteral("HORARIO")).toInt();
    return day;
}

DayEvent eventOf(const QSqlQuery& q, bool withBreak)
{
    DayEvent event;
    event.evento = q.value(QStringLiteral("evento")).toInt();
    event.tipo = q.value(QStringLiteral("tipo")).toInt();
    event.entrada = timeOf(q.value(QStringLiteral("entrada")));
    event.salida = timeOf(q.value(QStringLiteral("salida")));
    if (withBreak) {
        event.salidaBreak = timeOf(q.value(QStringLiteral("salida_break")));
        event.regresoBreak = timeOf(q.value(QStringLiteral("regreso_break")));
    }
    return event;
}

std::optional<DayEvent> readEvent(Db& db, const QString& statement, bool withBreak, int user,
                                  const QDate& day)
{
    QSqlQuery q = db.query(statement, {user, day});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    return eventOf(q, withBreak);
}

} // namespace

QString forSlot(const QString& statement, int slot)
{
    QString text = statement;
    return text.replace(QStringLiteral("{n}"), QString::number(slot));
}

OptionalTime timeOf(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    QTime time;
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        time = value.toDateTime().time();
        break;
    case QMetaType::QTime:
        time = value.toTime();
        break;
    default: {
        const QString text = value.toString().trimmed();
        // "HH:MM:SS" or a date-time text ending in it.
        time = QTime::fromString(text.right(8), QStringLiteral("HH:mm:ss"));
        break;
    }
    }
    if (!time.isValid())
        return std::nullopt;
    return time;
}

std::optional<ScheduleDay> checkSchedule(Db& db, int user, int order, int slot)
{
    return readSchedule(db, kCheckSchedule,
                        WithBreak | WithTolerance | WithAllowance | WithSchedule, user, order,
                        slot);
}

std::optional<ScheduleDay> multipleSchedule(Db& db, int user, int order, int slot)
{
    return readSchedule(db, kMultipleSchedule, WithSchedule, user, order, slot);
}

std::optional<ScheduleDay> panelSchedule(Db& db, int user, int order, int slot)
{
    return readSchedule(db, kPanelSchedule, WithBreak | WithTolerance, user, order, slot);
}

std::optional<DayEvent> firstEvent(Db& db, int user, const QDate& day)
{
    return readEvent(db, kFirstEvent, true, user, day);
}

std::optional<DayEvent> newestEvent(Db& db, int user, const QDate& day)
{
    return readEvent(db, kNewestEvent, false, user, day);
}

} // namespace TodayRows
