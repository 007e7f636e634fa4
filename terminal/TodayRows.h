#pragma once
// Reads the rows a punch is judged on: today's slot of the user's schedule and today's event
// rows. The schedule statements name the slot's columns (ENTRADA1 ... ENTRADA7); every value is
// bound.

#include "CheckEngine.h"

#include <optional>
#include <QDate>
#include <QVariant>

class Db;

namespace TodayRows {

// The statement text for slot 1..7: "{n}" in `statement` becomes the slot number.
QString forSlot(const QString& statement, int slot);

// A time of day read from a TIME_FORMAT text, a TIME or a DATETIME column; none when NULL.
CheckEngine::OptionalTime timeOf(const QVariant& value);

// Today's slot with the allowance and the schedule number (the standard punch).
std::optional<CheckEngine::ScheduleDay> checkSchedule(Db& db, int user, int order, int slot);

// Today's slot with entry and exit only (the multiple-check punch).
std::optional<CheckEngine::ScheduleDay> multipleSchedule(Db& db, int user, int order, int slot);

// Today's slot with the tolerance (the day panel).
std::optional<CheckEngine::ScheduleDay> panelSchedule(Db& db, int user, int order, int slot);

// The first event row of the user on `day`.
std::optional<CheckEngine::DayEvent> firstEvent(Db& db, int user, const QDate& day);

// The newest event row of the user on `day`.
std::optional<CheckEngine::DayEvent> newestEvent(Db& db, int user, const QDate& day);

} // namespace TodayRows
