// FrmClock: the punch of the identified user, its message and the common ending.

#include "FrmClock.h"
#include "FrmMensajes.h"
#include "MessageLine.h"
#include "TerminalMessages.h"
#include "ui_FrmClock.h"

void FrmClock::RegisterCheck()
{
    ExitAllowed = false;
    CheckInProgress = true;
    showPunchOutcome(recorder_.RegisterCheck(selection_));
    finishPunch(false);
}

void FrmClock::RegisterMultipleCheck()
{
    ExitAllowed = false;
    CheckInProgress = true;
    showPunchOutcome(recorder_.RegisterMultipleCheck(selection_));
    finishPunch(true);
}

void FrmClock::showPunchOutcome(const PunchOutcome& outcome)
{
    if (outcome.refused()) {
        MessageLine::showRefusal(ui_->LblMsg, outcome.decision.text);
        return;
    }
    // A success is shown only once its statement changed the row; a failed statement has
    // gone to the fatal path and the punch is not reported as recorded.
    if (!outcome.recorded)
        return;
    MessageLine::showSuccess(ui_->LblMsg, outcome.decision.text);
    dayPanel_.AddRecentCheck(ui_->LblNombre->text());
}

void FrmClock::finishPunch(bool multiple)
{
    ShowPersonalMessages();
    ui_->TxtUsuario->setFocus();
    if (multiple)
        dayPanel_.ShowDayEvents();
    else
        dayPanel_.ShowDaySchedule();
    ExitAllowed = true;
    CheckInProgress = false;
    startScreenReset();
}

void FrmClock::ShowPersonalMessages()
{
    const std::optional<PersonalMessage> message = TerminalMessages::pendingMessage(
        context_.db, selection_.CurrentUser, ui_->LblNombre->text());
    if (!message)
        return;
    FrmMensajes window(context_, *message, this);
    window.exec();
    // The terminal's screen takes the keyboard back for the next employee.
    activateWindow();
}
