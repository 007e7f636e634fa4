#include "DayEvaluation.h"

#include <QDate>

namespace Attendance {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
// The largest magnitude a TIME column holds: 838:59:59.
constexpr qint64 kLargestDuration = 838 * 3600 + 59 * 60 + 59;

bool readNumber(QByteArrayView text, qsizetype from, qsizetype length, int& number)
{
    number = 0;
    for (qsizetype i = from; i < from + length; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

qint64 planned(const ScheduleDay& slot)
{
    if (!slot.entrada || !slot.salida)
        return 0;
    qint64 seconds = slot.entrada->secsTo(*slot.salida);
    if (slot.salidaBreak && slot.regresoBreak)
        seconds -= slot.salidaBreak->secsTo(*slot.regresoBreak);
    return seconds;
}

void evaluateAgainstSchedule(const ScheduleDay& slot, const DayMarks& marks, DayResult& result)
{
    if (!slot.entrada) {
        result.tipo = Label::rest();
        return;
    }
    result.diaLaborable = true;
    result.plannedSeconds = planned(slot);
    if (!marks.entrada) {
        result.tipo = Label::absence();
        result.falta = true;
        return;
    }
    if (!marks.salida) {
        result.tipo = Label::incomplete();
        result.incompleto = true;
        return;
    }
    const int late = Minutes(MinuteOfDay(*slot.entrada), marks.entrada->minuteOfDay());
    if (late > slot.toleranciaRetardo) {
        result.retardo = true;
        result.retardoTiempo = late;
    }
    // A slot without its exit time has no early exit to measure.
    if (slot.salida) {
        const int early = Minutes(MinuteOfDay(*slot.salida), marks.salida->minuteOfDay());
        if (early < 0) {
            result.salidaPrematura = true;
            result.salidaPrematuraTiempo = early;
        }
    }
    result.tipo = Label::attended();
}

void applyPermission(int kind, DayResult& result)
{
    const QString label = Label::permission(kind);
    if (label.isEmpty())
        return;
    result.tipo = label;
    switch (kind) {
    case kLateArrival:
        result.retardo = false;
        break;
    case kEarlyLeave:
        result.salidaPrematura = false;
        break;
    case kAbsenceWithoutPay:
    case kAbsenceWithPay:
    case kVacation:
    case kSickLeave:
        result.falta = false;
        result.plannedSeconds = 0;
        break;
    default:
        break;
    }
}

} // namespace

std::optional<Mark> Mark::parse(QByteArrayView text)
{
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    int year, month, day, hour, minute, second;
    if (!readNumber(text, 0, 4, year) || !readNumber(text, 5, 2, month) ||
        !readNumber(text, 8, 2, day) || !readNumber(text, 11, 2, hour) ||
        !readNumber(text, 14, 2, minute) || !readNumber(text, 17, 2, second))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid() || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    Mark mark;
    mark.text = text.first(19).toByteArray();
    mark.seconds = date.toJulianDay() * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return mark;
}

void ApplyEvent(DayMarks& day, const EventMarks& event)
{
    const bool arrival = event.entrada.has_value();
    const bool mealOut = event.salidaBreak.has_value();
    const bool mealBack = event.regresoBreak.has_value();
    const bool exit = event.salida.has_value();
    if (!arrival)
        return;
    if (mealOut && mealBack && exit) {
        day.workedSeconds = (event.salida->seconds - event.entrada->seconds) -
                            (event.regresoBreak->seconds - event.salidaBreak->seconds);
        day.entrada = event.entrada;
        day.salida = event.salida;
        day.salidaBreak = event.salidaBreak;
        day.regresoBreak = event.regresoBreak;
    } else if (!mealOut && !mealBack && !exit) {
        day.entrada = event.entrada;
    } else if (mealOut && !mealBack && !exit) {
        day.entrada = event.entrada;
        day.salidaBreak = event.salidaBreak;
    } else if (mealOut && mealBack && !exit) {
        day.entrada = event.entrada;
        day.salidaBreak = event.salidaBreak;
        day.regresoBreak = event.regresoBreak;
    } else if (!mealOut && !mealBack && exit) {
        day.workedSeconds = event.salida->seconds - event.entrada->seconds;
        day.entrada = event.entrada;
        day.salida = event.salida;
    }
}

DayResult EvaluateDay(const std::optional<ScheduleDay>& schedule, const DayMarks& marks,
                      std::optional<int> permissionKind, bool holiday)
{
    DayResult result;
    if (schedule)
        evaluateAgainstSchedule(*schedule, marks, result);
    if (permissionKind)
        applyPermission(*permissionKind, result);
    if (holiday) {
        result.tipo = Label::nonWorkingDay();
        result.falta = false;
        result.diaLaborable = false;
        result.plannedSeconds = 0;
    }
    return result;
}

int Minutes(int minuteOfDayA, int minuteOfDayB)
{
    return minuteOfDayB - minuteOfDayA;
}

int MinuteOfDay(const QTime& time)
{
    return time.hour() * 60 + time.minute();
}

QByteArray DurationText(qint64 seconds)
{
    const bool negative = seconds < 0;
    qint64 magnitude = qMin(negative ? -seconds : seconds, kLargestDuration);
    const qint64 hours = magnitude / 3600;
    magnitude %= 3600;
    QByteArray text;
    text.reserve(10);
    if (negative)
        text += '-';
    if (hours < 10)
        text += '0';
    text += QByteArray::number(hours);
    text += ':';
    text += char('0' + magnitude / 600);
    text += char('0' + magnitude / 60 % 10);
    text += ':';
    text += char('0' + magnitude % 60 / 10);
    text += char('0' + magnitude % 10);
    return text;
}

namespace Label {
QString rest()
{
    return QStringLiteral("Descanso");
}
QString absence()
{
    return QStringLiteral("Falta");
}
QString incomplete()
{
    return QStringLiteral("Asistido-Incompleto");
}
QString attended()
{
    return QStringLiteral("Asistido");
}
QString permission(int kind)
{
    switch (kind) {
    case kLateArrival:
        return QStringLiteral("Permiso para Llegar Tarde");
    case kEarlyLeave:
        return QStringLiteral("Permiso para Salir Temprano");
    case kAbsenceWithoutPay:
        return QStringLiteral("Permiso para No Asistir SGC");
    case kAbsenceWithPay:
        return QStringLiteral("Permiso para No Asistir CGS");
    case kVacation:
        return QStringLiteral("Periodo Vacacional");
    case kSanction:
        return QStringLiteral("Sanción");
    case kSickLeave:
        return QStringLiteral("Incapacidad");
    default:
        return {};
    }
}
QString nonWorkingDay()
{
    return QStringLiteral("Día Inhábil");
}
} // namespace Label

} // namespace Attendance
