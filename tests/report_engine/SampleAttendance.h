#pragma once
// Rows of the report's working table for tests and the benchmark: single days written as the
// report run writes them, and whole companies of employees and days with a realistic mix of
// attended days, late arrivals, early exits, absences, open days, permissions and rest days.

#include "Db.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

namespace sample {

struct Day
{
    int usuario = 0;
    QDate fecha;
    QString tipo;
    QTime entrada, salidaBreak, regresoBreak, salida; // invalid: not punched
    QString laborables = QStringLiteral("00:00:00");  // planned, hh:mm:ss
    QString laboradas;                                // worked, hh:mm:ss; empty: NULL
    int diaLaborable = 0;
    int falta = 0;
    int incompleto = 0;
    int retardo = 0;
    int retardoMinutos = 0;
    int salidaPrematura = 0;
    int salidaMinutos = 0; // negative, as stored
};

// An attended office day: 09:00-18:00 with an hour for lunch, `late` minutes late and leaving
// `early` minutes early (with the flags and minutes the report run would write).
Day attended(int usuario, const QDate& fecha, int late = 0, int early = 0);
Day absent(int usuario, const QDate& fecha);
Day rest(int usuario, const QDate& fecha);
Day open(int usuario, const QDate& fecha); // arrived, never left
Day permission(int usuario, const QDate& fecha, const QString& tipo);

// Writes the days (many rows per statement) and fills the difference columns as the run does.
void insertDays(Db& db, const std::vector<Day>& days);

// A department and `employees` active users numbered from 1, with Spanish names.
void addEmployees(Db& db, int employees);

// The mixed month: every employee on every day from `first` for `days` days.
std::vector<Day> company(int employees, const QDate& first, int days);

} // namespace sample
