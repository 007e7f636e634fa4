#include "SampleAttendance.h"

#include <QStringList>

namespace sample {

namespace {

QString hms(int seconds)
{
    const bool negative = seconds < 0;
    seconds = std::abs(seconds);
    return QStringLiteral("%1%2:%3:%4")
        .arg(negative ? "-" : "")
        .arg(seconds / 3600, 2, 10, QChar('0'))
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

QVariant stamp(const QDate& d, const QTime& t)
{
    return t.isValid() ? QVariant(QDateTime(d, t)) : QVariant(QMetaType(QMetaType::QDateTime));
}

const char* const kNames[] = {
    "MARÍA FERNANDA GONZÁLEZ", "JOSÉ LUIS PEÑA",       "ANA SOFÍA MUÑOZ",
    "CARLOS HERNÁNDEZ DÍAZ",   "GUADALUPE ESPINOSA",   "RICARDO NÚÑEZ OCHOA",
    "VERÓNICA SALAZAR",        "JESÚS ÁNGEL MARTÍNEZ", "PATRICIA IBÁÑEZ",
    "FRANCISCO ORDÓÑEZ RÍOS",  "LETICIA ZÚÑIGA",       "MIGUEL CASTILLO"};

} // namespace

Day attended(int usuario, const QDate& fecha, int late, int early)
{
    Day d;
    d.usuario = usuario;
    d.fecha = fecha;
    d.tipo = QStringLiteral("Asistido");
    d.diaLaborable = 1;
    d.laborables = QStringLiteral("08:00:00");
    d.entrada = QTime(9, 0).addSecs(late * 60 - 40);
    d.salidaBreak = QTime(14, 0, 12);
    d.regresoBreak = QTime(15, 0, 12);
    d.salida = QTime(18, 0).addSecs(-early * 60 + 20);
    d.laboradas = hms(d.entrada.secsTo(d.salida) - 3600);
    if (late > 10) {
        d.retardo = 1;
        d.retardoMinutos = late;
    }
    if (early > 0) {
        d.salidaPrematura = 1;
        d.salidaMinutos = -early;
    }
    return d;
}

Day absent(int usuario, const QDate& fecha)
{
    Day d;
    d.usuario = usuario;
    d.fecha = fecha;
    d.tipo = QStringLiteral("Falta");
    d.diaLaborable = 1;
    d.falta = 1;
    d.laborables = QStringLiteral("08:00:00");
    return d;
}

Day rest(int usuario, const QDate& fecha)
{
    Day d;
    d.usuario = usuario;
    d.fecha = fecha;
    d.tipo = QStringLiteral("Descanso");
    return d;
}

Day open(int usuario, const QDate& fecha)
{
    Day d = absent(usuario, fecha);
    d.tipo = QStringLiteral("Asistido-Incompleto");
    d.falta = 0;
    d.incompleto = 1;
    d.entrada = QTime(8, 57, 3);
    return d;
}

Day permission(int usuario, const QDate& fecha, const QString& tipo)
{
    Day d = absent(usuario, fecha);
    d.tipo = tipo;
    d.falta = 0;
    d.laborables = QStringLiteral("00:00:00");
    return d;
}

void insertDays(Db& db, const std::vector<Day>& days)
{
    constexpr size_t kRowsPerStatement = 200;
    const QString head = QStringLiteral(
        "INSERT INTO rep_asistencia_general (usuario,Fecha,Entrada,salida_break,regreso_break,"
        "Salida,Horas_laboradas,horas_laborables,dia_laborable,Falta,Incompleto,Retardo,"
        "Retardo_Tiempo,Salida_prematura,Salida_prematura_Tiempo,Tipo) VALUES ");
    const QString row = QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (size_t first = 0; first < days.size(); first += kRowsPerStatement) {
        const size_t last = std::min(days.size(), first + kRowsPerStatement);
        QStringList rows;
        SqlParams params;
        for (size_t i = first; i < last; ++i) {
            const Day& d = days[i];
            rows << row;
            const QVariant none(QMetaType(QMetaType::QString));
            params << d.usuario << d.fecha << stamp(d.fecha, d.entrada)
                   << stamp(d.fecha, d.salidaBreak) << stamp(d.fecha, d.regresoBreak)
                   << stamp(d.fecha, d.salida)
                   << (d.laboradas.isEmpty() ? none : QVariant(d.laboradas)) << d.laborables
                   << d.diaLaborable << d.falta << d.incompleto << d.retardo
                   << (d.retardo ? QVariant(QString::number(d.retardoMinutos)) : none)
                   << d.salidaPrematura
                   << (d.salidaPrematura ? QVariant(QString::number(d.salidaMinutos)) : none)
                   << d.tipo;
        }
        db.exec(head + rows.join(','), params);
    }
    db.exec(QStringLiteral(
        "UPDATE rep_asistencia_general SET Diferencia=timediff(horas_laboradas,Horas_laborables)"));
    db.exec(
        QStringLiteral("UPDATE rep_asistencia_general SET Reporte_Diferencia=Diferencia,"
                       "reporte_laborables=Horas_laborables,reporte_laboradas=Horas_laboradas"));
}

void addEmployees(Db& db, int employees)
{
    db.exec(QStringLiteral("INSERT INTO Kxdepart (departamento, Nombre_departamento) VALUES "
                           "(1, 'Almacén y Logística')"));
    for (int first = 1; first <= employees; first += 200) {
        QStringList rows;
        SqlParams params;
        for (int u = first; u < first + 200 && u <= employees; ++u) {
            rows << QStringLiteral("(?,?,1,0)");
            const QString name = QString::fromUtf8(kNames[(u - 1) % std::size(kNames)]);
            params << u
                   << (u <= int(std::size(kNames)) ? name : name + QStringLiteral(" %1").arg(u));
        }
        db.exec(QStringLiteral("INSERT INTO KxUsuario (Usuario, Nombre, departamento, activo) "
                               "VALUES ") +
                    rows.join(','),
                params);
    }
}

std::vector<Day> company(int employees, const QDate& first, int days)
{
    std::vector<Day> out;
    out.reserve(size_t(employees) * size_t(days));
    for (int u = 1; u <= employees; ++u) {
        for (int k = 0; k < days; ++k) {
            const QDate d = first.addDays(k);
            const int h = (u * 31 + k * 17) % 23; // a fixed, varied pattern
            if (d.dayOfWeek() >= 6)
                out.push_back(rest(u, d));
            else if (h == 0)
                out.push_back(absent(u, d));
            else if (h == 1)
                out.push_back(open(u, d));
            else if (h == 2)
                out.push_back(permission(u, d, QStringLiteral("Periodo Vacacional")));
            else if (h < 6)
                out.push_back(attended(u, d, 11 + h * 4, 0));
            else if (h < 8)
                out.push_back(attended(u, d, 0, h * 3));
            else
                out.push_back(attended(u, d, h % 5, 0));
        }
    }
    return out;
}

} // namespace sample
