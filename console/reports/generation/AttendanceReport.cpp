#include "AttendanceReport.h"

#include "AttendanceSource.h"
#include "Db.h"
#include "ReportCalendar.h"
#include "ReportLock.h"

#include <QSet>

namespace Attendance {

namespace {

// Rows per INSERT: the statement takes its rows as one bound JSON document (about 250 bytes a
// row), so that the driver's cost per bound value does not grow with the rows; 2 000 rows stay
// far below the server's largest packet.
constexpr int kRowsPerInsert = 2000;

// Diferencia and the three copies for the layouts are computed by the server as the table has
// always had them: timediff(Horas_laboradas, horas_laborables).
const char* const kInsertSql =
    "INSERT INTO rep_asistencia_general (usuario,Fecha,Entrada,Salida,salida_break,"
    "regreso_break,Horas_laboradas,horas_laborables,Diferencia,Reporte_Diferencia,"
    "reporte_laborables,reporte_laboradas,dia_laborable,Falta,Incompleto,Retardo,"
    "Retardo_Tiempo,Salida_prematura,Salida_prematura_Tiempo,Tipo) "
    "SELECT u,f,e,s,sb,rb,w,p,TIMEDIFF(w,p),TIMEDIFF(w,p),p,w,dl,fa,inc,r,rt,sp,spt,t "
    "FROM JSON_TABLE(CONVERT(? USING utf8mb4),'$[*]' COLUMNS("
    "u INT PATH '$[0]',f DATE PATH '$[1]',e DATETIME PATH '$[2]',s DATETIME PATH '$[3]',"
    "sb DATETIME PATH '$[4]',rb DATETIME PATH '$[5]',w TIME PATH '$[6]',p TIME PATH '$[7]',"
    "dl SMALLINT PATH '$[8]',fa SMALLINT PATH '$[9]',inc SMALLINT PATH '$[10]',"
    "r SMALLINT PATH '$[11]',rt VARCHAR(20) PATH '$[12]',sp SMALLINT PATH '$[13]',"
    "spt VARCHAR(20) PATH '$[14]',t VARCHAR(45) PATH '$[15]')) j";

// JSON text: a string with its quotes and escapes, or null.
void appendString(QByteArray& json, const QByteArray& text)
{
    json += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (uchar(c) < 0x20) {
            json += "\\u00";
            json += "0123456789abcdef"[uchar(c) >> 4];
            json += "0123456789abcdef"[uchar(c) & 15];
        } else {
            json += c;
        }
    }
    json += '"';
}

void appendMark(QByteArray& json, const OptionalMark& mark)
{
    if (mark)
        appendString(json, mark->text);
    else
        json += "null";
}

void appendFlag(QByteArray& json, bool flag)
{
    json += flag ? "1," : "0,";
}

// One row as a JSON array in the order of the statement's columns.
void appendRow(QByteArray& json, int user, const QByteArray& day, const DayMarks& marks,
               const DayResult& result)
{
    json += json.isEmpty() ? "[[" : ",[";
    json += QByteArray::number(user);
    json += ',';
    appendString(json, day);
    for (const OptionalMark* mark :
         {&marks.entrada, &marks.salida, &marks.salidaBreak, &marks.regresoBreak}) {
        json += ',';
        appendMark(json, *mark);
    }
    json += ',';
    if (marks.workedSeconds)
        appendString(json, DurationText(*marks.workedSeconds));
    else
        json += "null";
    json += ',';
    appendString(json, DurationText(result.plannedSeconds));
    json += ',';
    appendFlag(json, result.diaLaborable);
    appendFlag(json, result.falta);
    appendFlag(json, result.incompleto);
    appendFlag(json, result.retardo);
    if (result.retardo)
        appendString(json, QByteArray::number(result.retardoTiempo));
    else
        json += "null";
    json += ',';
    appendFlag(json, result.salidaPrematura);
    if (result.salidaPrematura)
        appendString(json, QByteArray::number(result.salidaPrematuraTiempo));
    else
        json += "null";
    json += ',';
    appendString(json, result.tipo.toUtf8());
    json += ']';
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

// The employees' evaluated days, written in groups of rows.
class RowWriter
{
public:
    explicit RowWriter(Db& db)
        : db_(db)
    {
    }

    bool add(int user, const QByteArray& day, const DayMarks& marks, const DayResult& result)
    {
        appendRow(json_, user, day, marks, result);
        return ++pending_ < kRowsPerInsert || flush();
    }

    bool flush()
    {
        if (pending_ == 0)
            return true;
        json_ += ']';
        const int inserted = db_.exec(QLatin1String(kInsertSql), {json_});
        const bool ok = inserted >= 0;
        written_ += pending_;
        pending_ = 0;
        json_.clear();
        return ok;
    }

    int written() const { return written_; }

private:
    Db& db_;
    QByteArray json_;
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
