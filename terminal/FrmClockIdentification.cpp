// FrmClock: who is punching. The user number (typed or chosen by name) loads the user and his
// day; then a password or a finger proves who he is.

#include "CheckEngine.h"
#include "FingerprintComponent.h"
#include "FrmClock.h"
#include "FrmUsuarios.h"
#include "MessageLine.h"
#include "Messages.h"
#include "PunchAdmission.h"
#include "TerminalUsers.h"
#include "ui_FrmClock.h"
#include "UserNumber.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

const QString kUnknownUser = QStringLiteral("El Numero de Usuario NO Existe...");

// Focus lost to another control of the screen, not to another window or a pop-up.
bool leftTheControl(const QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool FrmClock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->TxtUsuario) {
        // Enter moves to the password box; without one there is nowhere to go, and Enter
        // counts as leaving the box.
        if (isEnter(event) && ui_->TxtClave->isHidden()) {
            TxtUsuario_LostFocus();
            return true;
        }
        if (leftTheControl(event))
            TxtUsuario_LostFocus();
    } else if (watched == ui_->TxtClave) {
        if (leftTheControl(event))
            TxtClave_LostFocus();
    } else if (watched == ui_->ImgUsers && event->type() == QEvent::MouseButtonDblClick) {
        // At a station whose location is unknown nobody is entered, not even by name.
        if (locationKnown_)
            OpenUserSearch();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmClock::TxtUsuario_LostFocus()
{
    const QString text = ui_->TxtUsuario->text();
    if (!text.isEmpty())
        lookUpUser(text);
}

void FrmClock::lookUpUser(const QString& number)
{
    if (CheckInProgress || !locationKnown_)
        return;
    const std::optional<qint16> user = parseUserNumber(number);
    if (user) {
        Busca_Usuario(*user);
        return;
    }
    // Not a user number at all: refused as an unknown user without asking the database.
    selection_.MayPunch = false;
    stopCapture();
    clearPreviousUser();
    ui_->LblClave->hide();
    ui_->TxtClave->hide();
    MessageLine::showRefusal(ui_->LblMsg, kUnknownUser);
    startScreenReset();
    ui_->TxtUsuario->setFocus();
}

void FrmClock::Busca_Usuario(qint16 Numero_Usuario)
{
    // Moving the focus below makes the number box lose it again: one lookup at a time.
    // A station whose location is unknown records no punch, whichever way the user came.
    if (lookingUp_ || CheckInProgress || !locationKnown_)
        return;
    lookingUp_ = true;
    // The reset still pending from the previous user's message belongs to him: it must not
    // end this user's identification a moment after it began. Every refusal below starts it
    // again, and so does the punch.
    tmrMsg_.stop();

    selection_.CurrentUser = Numero_Usuario;
    selection_.MayPunch = false;
    // Nothing of the previous employee stays beside this one's answer, found or refused.
    clearPreviousUser();
    selection_.DayOfWeek = currentDayOfWeek();

    // Someone who has left is refused like an unknown number.
    const std::optional<PunchingUser> user =
        TerminalUsers::find(context_.db, selection_.CurrentUser);
    if (!user) {
        stopCapture();
        ui_->LblClave->hide();
        ui_->TxtClave->hide();
        MessageLine::showRefusal(ui_->LblMsg, kUnknownUser);
        startScreenReset();
        ui_->TxtUsuario->setFocus();
        lookingUp_ = false;
        return;
    }

    selection_.RotatingSchedule = user->rotatingSchedule;
    selection_.MultipleCheck = user->multipleCheck;
    ui_->LblNombre->setText(user->name);
    selection_.WeekNumber = qint16(user->weekNumber);
    selection_.RotationOrder =
        qint16(CheckEngine::RotationOrder(selection_.RotatingSchedule, selection_.WeekNumber));

    const bool password = user->mayUsePassword;
    ui_->TxtClave->clear();
    ui_->LblClave->setVisible(password);
    ui_->TxtClave->setVisible(password);
    if (password) {
        MessageLine::showText(ui_->LblMsg, QStringLiteral("Esperando Clave / Huella Digital..."));
        ui_->TxtClave->setFocus();
    } else {
        MessageLine::showText(ui_->LblMsg, QStringLiteral("Esperando Huella Digital..."));
    }

    PunchAdmission::DayFacts facts;
    facts.assignment = dayPanel_.ShowScheduleName();
    dayPanel_.ShowPermissions();
    if (selection_.MultipleCheck) {
        // Pairs of entry and exit on any day: the schedule's days do not apply.
        ui_->iGrid1->show();
        dayPanel_.ShowDayEvents();
        facts.scheduleToday = true;
    } else {
        ui_->iGrid1->hide();
        const DayPanel::DayShown day = dayPanel_.ShowDaySchedule();
        facts.scheduleToday = day.scheduleToday;
        facts.dayClosed = day.dayClosed;
    }

    const PunchAdmission::Admission admission = PunchAdmission::admit(facts);
    if (admission == PunchAdmission::Admission::MayPunch) {
        selection_.MayPunch = true;
        startCapture();
    } else {
        refuseSelection(PunchAdmission::refusalText(admission));
    }
    lookingUp_ = false;
}

void FrmClock::refuseSelection(const QString& text)
{
    // A refused user cannot punch by any path: no capture, no password box.
    selection_.MayPunch = false;
    stopCapture();
    MessageLine::showRefusal(ui_->LblMsg, text);
    ui_->LblClave->hide();
    ui_->TxtClave->hide();
    startScreenReset();
    ui_->TxtUsuario->setFocus();
}

void FrmClock::TxtClave_LostFocus()
{
    const QString typed = ui_->TxtClave->text();
    if (typed.isEmpty() || !selection_.MayPunch || CheckInProgress)
        return;
    if (!TerminalUsers::passwordMatches(context_.db, selection_.CurrentUser, typed)) {
        ShowError(QStringLiteral("Verifique su Usuario/Contraseña!!!"),
                  QStringLiteral("Usuario/Contraseña NO encontrado"));
        ui_->TxtClave->clear();
        ui_->TxtClave->setFocus();
        return;
    }
    // The password is used once: the box never keeps it for a second punch.
    ui_->TxtClave->clear();
    if (selection_.MultipleCheck) {
        RegisterMultipleCheck();
        return;
    }
    MessageLine::showText(ui_->LblMsg, QStringLiteral("Procesando..."));
    ui_->LblMsg->repaint();
    RegisterCheck();
}

void FrmClock::VerifyFingerprint()
{
    if (!selection_.MayPunch || CheckInProgress)
        return;
    int score = 0;
    const int matched = adapter_.MatchUserTemplates(context_.db, selection_.CurrentUser, score);
    if (matched < 1) {
        MessageLine::showRefusal(ui_->LblMsg,
                                 QStringLiteral("Huella No Identificada para el Usuario,trate de "
                                                "Nuevo"));
        stopCapture();
        startCapture();
        return;
    }
    adapter_.ShowFingerImage(ui_->Img, true, FingerprintComponent::kMatchDetails);
    SyncServerClock();
    if (selection_.MultipleCheck)
        RegisterMultipleCheck();
    else
        RegisterCheck();
}
