#pragma once
// Records one punch: reads today's schedule slot and event row, asks the check engine what the
// punch means, and executes the one INSERT or UPDATE with the server's NOW() and CURDATE().
// Comparisons use the terminal's clock. The outcome says what the message line must show.

#include "CheckEngine.h"
#include "Selection.h"

class Clock;
class Db;

struct PunchOutcome
{
    CheckEngine::Decision decision;
    // True only when the punch was accepted and its statement changed a row: only then is the
    // success shown and the user added to the recent punches.
    bool recorded = false;

    bool refused() const { return !decision.accepted(); }
};

class PunchRecorder
{
public:
    PunchRecorder(Db& db, const Clock& clock, const qint16& locationNumber);

    // A standard user's punch (entry, break out, break return, exit or refusal).
    PunchOutcome RegisterCheck(const Selection& selection);

    // A multiple-check user's punch (entry or exit of a pair, or refusal).
    PunchOutcome RegisterMultipleCheck(const Selection& selection);

private:
    bool write(const CheckEngine::Decision& decision, int horario, const Selection& selection);

    Db& db_;
    const Clock& clock_;
    const qint16& locationNumber_;
};
