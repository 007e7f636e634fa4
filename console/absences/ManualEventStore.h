#pragma once
// The statements of manual attendance events: the schedule order and the schedule of a day,
// the day's event of a user, its creation or change, and the audit trail that every manual
// create or change leaves in KxEvento_bitacora. A save decides create or change again inside
// its transaction, on the day's row as it is then, so that a row a terminal added while the
// screen was open is changed instead of doubled.

#include "EventRules.h"

#include <optional>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Db;

namespace ManualEventStore {

// Kxhorario_personal.orden of the user on `day` (0 for an unknown user).
int rotationOrder(Db& db, int user, const QDate& day);

struct Schedule
{
    int horario = 0;
    QString nombre;
};

// The schedule assigned to the user for the order; the first one when there are several.
std::optional<Schedule> schedule(Db& db, int user, int order);

// A row of the events grid: the day and its four marks as "HH:mm:ss" (empty when missing).
struct Listed
{
    QDate fecha;
    QString entrada;
    QString salida;
    QString salidaComida;
    QString regresoComida;
};
QList<Listed> eventsOfDay(Db& db, int user, const QDate& day);

// The user's event of the day as the editing screen loads it.
struct Stored
{
    int evento = 0;
    EventRules::Marks marks;
};
std::optional<Stored> eventOfDay(Db& db, int user, const QDate& day);

struct Request
{
    int usuario = 0;
    QDate day;
    EventRules::Marks marks;
    int horario = 0;       // the day's schedule, 0 without one
    int location = 0;      // the console's location
    int administrator = 0; // who saves it
};

enum class Done
{
    Created,
    Changed,
    Refused, // the marks are not an accepted sequence: nothing written
    Failed   // a statement failed (the fatal path has run): nothing written
};

struct Result
{
    Done done = Done::Failed;
    int evento = 0;
};

// Creates the day's event, or changes it when the user already has one that day; writes one
// audit row with the marks before and after, all in one transaction.
Result save(Db& db, const Request& request);

// One audit row.
struct TrailRow
{
    QDateTime momento; // the server's time of the save
    int evento = 0;
    int administrador = 0;
    QString nombreAdministrador;
    int sucursal = 0;
    EventRules::Snapshot before;
    EventRules::Snapshot after;
};

// The audit rows of the user's day, oldest first.
QList<TrailRow> trail(Db& db, int user, const QDate& day);

} // namespace ManualEventStore
