#include "AttendanceReport.h"

#include "AttendanceSource.h"
#include "Db.h"
#include "ReportCalendar.h"
#include "ReportLock.h"

#include <QSet>

namespace Attendance {

namespace {

constexpr int kColumns = 20;
// Rows per INSERT: 20 000 bound values, well below the server's 65 535 per statement.
constexpr int kRowsPerInsert = 50;

QString insertSql(int rows)
{
    static const QString row =
        QLatin1Char('(') + QStringLiteral("?,").repeated(kColumns - 1) + QStringLiteral("?)");
    QString sql = QStringLiteral(
        "INSERT INTO rep_asistencia_general (usuario,Fecha,Entrada,Salida,salida_break,"
        "regreso_break,Horas_laboradas,horas_laborables,Diferencia,Reporte_Diferencia,"
        "reporte_laborables,reporte_laboradas,dia_laborable,Falta,Incompleto,Retardo,"
        "Retardo_Tiempo,Salida_prematura,Salida_prematura_Tiempo,Tipo) VALUES ");
    sql.reserve(sql.size() + rows * (row.size() + 1));
    for (int i = 0; i < rows; ++i) {
        if (i > 0)
            sql += QLatin1Char(',');
        sql += row;
    }
    return sql;
}

QVariant nullValue()
{
    return QVariant(QMetaType::fromType<QByteArray>());
}

QVariant markValue(const OptionalMark& mark)
{
    return mark ? QVariant(mark->text) : nullValue();
}

QVariant durationValue(std::optional<qint64> seconds)
{
    return seconds ? QVariant(DurationText(*seconds)) : nullValue();
}

void appendRow(SqlParams& params, int user, const QByteArray& day, const DayMarks& marks,
               const DayResult& result)
{
    const QVariant worked = durationValue(marks.workedSeconds);
    const QVariant planned = QVariant(DurationText(result.plannedSeconds));
    // timediff(Horas_laboradas, horas_laborables): NULL without a worked time.
    const QVariant difference = durationValue(
        marks.workedSeconds ? std::optional<qint64>(*marks.workedSeconds - result.plannedSeconds)
                            : std::nullopt);
    params << user << day << markValue(marks.entrada) << markValue(marks.salida)
           << markValue(marks.salidaBreak) << markValue(marks.regresoBreak) << worked << planned
           << difference << difference << planned << worked << int(result.diaLaborable)
           << int(result.falta) << int(result.incompleto) << int(result.retardo)
           << (result.retardo ? QVariant(QByteArray::number(result.retardoTiempo)) : nullValue())
           << int(result.salidaPrematura)
           << (result.salidaPrematura ? QVariant(QByteArray::number(result.salidaPrematuraTiempo))
                                      : nullValue())
           << QVariant(result.tipo.toUtf8());
}

QList<int> distinct(const QList<int>& users)
{
    QList<int> result;
    QSet<int> seen;
    for (int user : users)
        if (!seen.contains(user)) {
            seen.insert(user);
            result << user;
        }
    return result;
}

// The employees' days of the period, evaluated and written in groups of rows.
class RowWriter
{
public:
    explicit RowWriter(Db& db)
        : db_(db)
    {
    }

    bool add(int user, const QByteArray& day, const DayMarks& marks, const DayResult& result)
    {
        appendRow(params_, user, day, marks, result);
        return ++pending_ < kRowsPerInsert || flush();
    }

    bool flush()
    {
        if (pending_ == 0)
            return true;
        const bool ok = db_.exec(insertSql(pending_), params_) >= 0;
        written_ += pending_;
        pending_ = 0;
        params_.clear();
        return ok;
    }

    int written() const { return written_; }

private:
    Db& db_;
    SqlParams params_;
    int pending_ = 0;
    int written_ = 0;
};

} // namespace

ReportOutcome GenerateAttendance(Db& db, const ReportRequest& request, const Progress& progress)
{
    ReportOutcome outcome;
    ReportLock lock(db);
    if (!lock.held()) {
        outcome.status = ReportOutcome::Status::Busy;
        return outcome;
    }
    const QList<int> users = distinct(request.users);
    const QDate from = request.from;
    const int days = request.to < from ? 0 : int(from.daysTo(request.to)) + 1;
    const PeriodData data = ReadPeriod(db, users, from, request.to);

    QList<QByteArray> dayText;
    QList<int> rotatingOrder;
    for (int d = 0; d < days; ++d) {
        dayText << from.addDays(d).toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
        rotatingOrder << ReportCalendar::RotationOrder(true, from.addDays(d));
    }

    Db::Transaction transaction(db);
    if (!transaction.active() || db.exec(QStringLiteral("DELETE FROM rep_asistencia_general")) < 0)
        return outcome;
    RowWriter writer(db);
    for (qsizetype i = 0; i < users.size(); ++i) {
        const int user = users[i];
        QList<DayMarks> marks(days);
        for (const DayEvent& event : data.events.value(user)) {
            const qint64 index = from.daysTo(event.fecha);
            if (index >= 0 && index < days)
                ApplyEvent(marks[index], event.marks);
        }
        const bool rotating = data.rotating.value(user, false);
        for (int d = 0; d < days; ++d) {
            const QDate day = from.addDays(d);
            const WeekSchedule* week = data.schedule(user, rotating ? rotatingOrder[d] : 0);
            std::optional<ScheduleDay> slot;
            if (week)
                slot = (*week)[ReportCalendar::ScheduleSlot(day) - 1];
            const DayResult result = EvaluateDay(slot, marks[d], data.permissionKind(user, day),
                                                 data.holidays.contains(day));
            if (!writer.add(user, dayText[d], marks[d], result))
                return outcome;
        }
        if (progress)
            progress(int(i + 1), int(users.size()));
    }
    if (!writer.flush() || !transaction.commit())
        return outcome;
    outcome.status = ReportOutcome::Status::Written;
    outcome.rows = writer.written();
    return outcome;
}

QString busyText()
{
    return QStringLiteral("Otra estación está generando un reporte en este momento. "
                          "Intente de nuevo cuando termine.");
}

QString busyTitle()
{
    return QStringLiteral("Reporte en Proceso");
}

} // namespace Attendance
