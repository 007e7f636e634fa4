#pragma once
// The checks "BtnAdd" makes before a captured finger is stored, in their order: the capture's
// quality (and that it was not stored already), a finger chosen, that finger not listed for the
// employee, and a user number.

#include <optional>
#include <QList>
#include <QString>

// LastQuality after the capture has been stored: the same capture is not stored twice.
inline constexpr int kCaptureStored = -100;

struct EnrolmentForm
{
    int lastQuality = 0; // of the last capture, or kCaptureStored
    int finger = -1;     // index chosen in the finger list, -1 when none
    QList<int> listed;   // the fingers listed as registered
    QString userText;    // as typed
};

struct EnrolmentProblem
{
    enum class Focus
    {
        None,
        Finger,
        User
    };
    QString text;
    QString title;
    Focus focus = Focus::None;
    bool showLogo = false; // the capture is refused: the image goes back to the logo
};

// The first problem, or none when the finger may be stored.
std::optional<EnrolmentProblem> enrolmentProblem(const EnrolmentForm& form);

// The refusal of a finger the employee has already (listed, or found stored).
EnrolmentProblem sameFingerTwice();
