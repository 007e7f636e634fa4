#include "ReferenceReport.h"

#include "Db.h"

#include <optional>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

namespace reference {

namespace {

using OptionalStamp = std::optional<QDateTime>;

// A DATETIME read back, free of the local time zone.
OptionalStamp stamp(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    const QDateTime local = value.toDateTime();
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

QString markText(const QDateTime& mark)
{
    return mark.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString hms(qint64 seconds)
{
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    seconds = qAbs(seconds);
    return sign + QStringLiteral("%1:%2:%3")
                      .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

std::optional<QTime> scheduleTime(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return QTime::fromString(value.toString(), QStringLiteral("HH:mm:ss"));
}

int minutes(const QTime& a, const QTime& b)
{
    return (b.hour() * 60 + b.minute()) - (a.hour() * 60 + a.minute());
}

struct Event
{
    QDate fecha;
    OptionalStamp entrada, salidaBreak, regresoBreak, salida;
};

void copyEvents(Db& db, int u, const QDate& from, const QDate& to)
{
    QList<Event> events;
    QSqlQuery q = db.query(QStringLiteral("select * from KxEvento where Usuario=? and fecha "
                                          "between ? and ? order by fecha,evento"),
                           {u, from, to});
    while (q.next())
        events << Event{q.value("fecha").toDate(), stamp(q.value("entrada")),
                        stamp(q.value("salida_break")), stamp(q.value("regreso_break")),
                        stamp(q.value("salida"))};
    for (const Event& e : events) {
        const bool a = e.entrada.has_value(), o = e.salidaBreak.has_value(),
                   b = e.regresoBreak.has_value(), x = e.salida.has_value();
        if (a && o && b && x) {
            const qint64 worked =
                e.entrada->secsTo(*e.salida) - e.salidaBreak->secsTo(*e.regresoBreak);
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Horas_laboradas=?,"
                                   "Entrada=?,Salida=?,salida_break=?,regreso_break=? "
                                   "WHERE USUARIO=? AND FECHA=?"),
                    {hms(worked), markText(*e.entrada), markText(*e.salida),
                     markText(*e.salidaBreak), markText(*e.regresoBreak), u, e.fecha});
        } else if (a && !o && !b && !x) {
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Entrada=?  WHERE "
                                   "USUARIO=? and FECHA=?"),
                    {markText(*e.entrada), u, e.fecha});
        } else if (a && o && !b && !x) {
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Entrada=?,salida_break=? "
                                   "WHERE USUARIO=? AND FECHA=?"),
                    {markText(*e.entrada), markText(*e.salidaBreak), u, e.fecha});
        } else if (a && o && b && !x) {
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Entrada=?,salida_break=?,"
                                   "regreso_break=? WHERE USUARIO=? AND FECHA=?"),
                    {markText(*e.entrada), markText(*e.salidaBreak), markText(*e.regresoBreak), u,
                     e.fecha});
        } else if (a && !o && !b && x) {
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Horas_laboradas=?,"
                                   "Entrada=?,Salida=? WHERE USUARIO=? AND FECHA=?"),
                    {hms(e.entrada->secsTo(*e.salida)), markText(*e.entrada), markText(*e.salida),
                     u, e.fecha});
        }
    }
}

int rotationOrder(Db& db, int u, const QDate& d)
{
    QSqlQuery q = db.query(QStringLiteral("select horario_rotativo,week(?,1)'Semana' from "
                                          "KxUsuario Where Usuario =?"),
                           {d, u});
    int order = 0;
    if (q.next() && q.value(0).toInt() != 0) {
        const int week = q.value(1).toInt();
        order = double(week) / 2 - week / 2 > 0 ? 1 : 2;
    }
    return order;
}

QString scheduleQuery(int n)
{
    return QStringLiteral(
               "SELECT TIME_FORMAT(H.ENTRADA%1,'%H:%i:%s')'ENTRADA',TIME_FORMAT(H.SALIDA%1,"
               "'%H:%i:%s')'SALIDA',TIME_FORMAT(SALIDA_BREAK%1, '%H:%i:%s')'SBREAK',"
               "TIME_FORMAT(REGRESO_BREAK%1, '%H:%i:%s')'RBREAK',TOLERANCIA_RETARDO,CHECA_ANTES,"
               "H.HORARIO FROM KXHORARIO H JOIN KXHORARIO_PERSONAL P ON H.HORARIO=P.HORARIO "
               "WHERE P.USUARIO=? AND P.ORDEN=? ")
        .arg(n);
}

struct DayRow
{
    int weekday = 0;
    QDate fecha;
    OptionalStamp entrada, salida;
};

void evaluate(Db& db, int u)
{
    QList<DayRow> rows;
    QSqlQuery q = db.query(
        QStringLiteral("select weekday(fecha),r.*  from rep_asistencia_general r where Usuario=? "),
        {u});
    while (q.next())
        rows << DayRow{q.value(0).toInt(), q.value("Fecha").toDate(), stamp(q.value("Entrada")),
                       stamp(q.value("Salida"))};
    for (const DayRow& row : rows) {
        const QDate d = row.fecha;
        int diaLaborable = 0, falta = 0, incompleto = 0, retardo = 0, salidaPrematura = 0;
        qint64 planned = 0;
        QString tipo = QStringLiteral(""); // an empty label is written as empty text
        int late = 0, early = 0;
        const int order = rotationOrder(db, u, d);
        QSqlQuery h = db.query(scheduleQuery(row.weekday + 1), {u, order});
        if (h.next()) {
            const auto entrada = scheduleTime(h.value(0));
            const auto salida = scheduleTime(h.value(1));
            const auto sbreak = scheduleTime(h.value(2));
            const auto rbreak = scheduleTime(h.value(3));
            const int tolerance = h.value(4).toInt();
            if (!entrada) {
                tipo = QStringLiteral("Descanso");
            } else {
                diaLaborable = 1;
                if (salida) {
                    planned = entrada->secsTo(*salida);
                    if (sbreak && rbreak)
                        planned -= sbreak->secsTo(*rbreak);
                }
                if (!row.entrada) {
                    tipo = QStringLiteral("Falta");
                    falta = 1;
                } else if (!row.salida) {
                    tipo = QStringLiteral("Asistido-Incompleto");
                    incompleto = 1;
                } else {
                    late = minutes(*entrada, row.entrada->time());
                    if (late > tolerance)
                        retardo = 1;
                    if (salida) {
                        early = minutes(*salida, row.salida->time());
                        if (early < 0)
                            salidaPrematura = 1;
                    }
                    tipo = QStringLiteral("Asistido");
                }
            }
        }
        QSqlQuery p = db.query(QStringLiteral("SELECT tipo FROM permisos where usuario= ? and "
                                              "fecha_inicio <= ? and fecha_fin >= ?"),
                               {u, d, d});
        if (p.next()) {
            switch (p.value(0).toInt()) {
            case 1:
                tipo = QStringLiteral("Permiso para Llegar Tarde");
                retardo = 0;
                break;
            case 2:
                tipo = QStringLiteral("Permiso para Salir Temprano");
                salidaPrematura = 0;
                break;
            case 3:
                tipo = QStringLiteral("Permiso para No Asistir SGC");
                falta = 0;
                planned = 0;
                break;
            case 4:
                tipo = QStringLiteral("Permiso para No Asistir CGS");
                falta = 0;
                planned = 0;
                break;
            case 5:
                tipo = QStringLiteral("Periodo Vacacional");
                falta = 0;
                planned = 0;
                break;
            case 6:
                tipo = QStringLiteral("Sanción");
                break;
            case 7:
                tipo = QStringLiteral("Incapacidad");
                falta = 0;
                planned = 0;
                break;
            default:
                break;
            }
        }
        QSqlQuery n = db.query(QStringLiteral("SELECT dia FROM dias_inhabiles where Fecha=?"), {d});
        if (n.next()) {
            tipo = QStringLiteral("Día Inhábil");
            falta = 0;
            diaLaborable = 0;
            planned = 0;
        }
        db.exec(
            QStringLiteral("UPDATE rep_asistencia_general SET dia_laborable=?,Falta=?,"
                           "Incompleto=?,Retardo=?,Salida_prematura=?,horas_laborables=?,"
                           "Tipo=? WHERE usuario=? and FECHA=?"),
            {diaLaborable, falta, incompleto, retardo, salidaPrematura, hms(planned), tipo, u, d});
        if (retardo == 1)
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Retardo_Tiempo=? WHERE "
                                   "usuario=? and FECHA=?"),
                    {QString::number(late), u, d});
        if (salidaPrematura == 1)
            db.exec(QStringLiteral("UPDATE rep_asistencia_general SET Salida_prematura_Tiempo=? "
                                   "WHERE usuario=? and FECHA=?"),
                    {QString::number(early), u, d});
    }
}

} // namespace

void RunReport(Db& db, const QList<int>& users, const QDate& from, const QDate& to)
{
    db.exec(QStringLiteral("DELETE FROM rep_asistencia_general"));
    for (int u : users) {
        for (qint64 k = 0; k <= from.daysTo(to); ++k)
            db.exec(QStringLiteral("INSERT INTO rep_asistencia_general SET usuario=? ,Fecha=?"),
                    {u, from.addDays(k)});
        copyEvents(db, u, from, to);
        evaluate(db, u);
    }
    db.exec(QStringLiteral("UPDATE rep_asistencia_general SET "
                           "Diferencia=timediff(horas_laboradas,Horas_laborables) "));
    db.exec(
        QStringLiteral("UPDATE rep_asistencia_general SET Reporte_Diferencia=Diferencia,"
                       "reporte_laborables=Horas_laborables,reporte_laboradas=Horas_laboradas "));
}

QStringList WorkingTable(Db& db)
{
    const QStringList columns{"usuario",
                              "Fecha",
                              "Entrada",
                              "Salida",
                              "salida_break",
                              "regreso_break",
                              "Horas_laboradas",
                              "horas_laborables",
                              "Diferencia",
                              "Reporte_Diferencia",
                              "reporte_laborables",
                              "reporte_laboradas",
                              "dia_laborable",
                              "Falta",
                              "Incompleto",
                              "Retardo",
                              "Retardo_Tiempo",
                              "Salida_prematura",
                              "Salida_prematura_Tiempo",
                              "Tipo"};
    QStringList casts;
    for (const QString& column : columns)
        casts << QStringLiteral("CAST(%1 AS CHAR)").arg(column);
    QStringList rows{columns.join(QLatin1Char('|'))};
    QSqlQuery q = db.query(QStringLiteral("SELECT %1 FROM rep_asistencia_general "
                                          "ORDER BY usuario,Fecha")
                               .arg(casts.join(QLatin1Char(','))));
    while (q.next()) {
        QStringList values;
        for (int i = 0; i < columns.size(); ++i)
            values << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

QString FirstDifference(const QStringList& expected, const QStringList& actual)
{
    const QStringList columns = expected.value(0).split(QLatin1Char('|'));
    for (qsizetype i = 1; i < qMax(expected.size(), actual.size()); ++i) {
        if (expected.value(i) == actual.value(i))
            continue;
        const QStringList e = expected.value(i).split(QLatin1Char('|'));
        const QStringList a = actual.value(i).split(QLatin1Char('|'));
        for (qsizetype c = 0; c < columns.size(); ++c)
            if (e.value(c) != a.value(c))
                return QStringLiteral("row %1 (%2): %3 expected \"%4\", got \"%5\"")
                    .arg(i)
                    .arg(expected.value(i).section(QLatin1Char('|'), 0, 1), columns[c], e.value(c),
                         a.value(c));
        return QStringLiteral("row %1 differs").arg(i);
    }
    return {};
}

} // namespace reference
