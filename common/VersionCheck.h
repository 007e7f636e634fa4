#pragma once
// Start-up comparison of the program's own version with the release recorded in Version_actual.

#include <QString>

class Db;
class QWidget;

inline constexpr float kProgramVersion = 1.0f;
inline constexpr int kConsoleProgram = 1;
inline constexpr int kTerminalProgram = 2;

enum class VersionOutcome
{
    Current,
    NewerAvailable,
    NewerMustClose
};

// Reads the program's row and compares. Shows the error box when a newer release exists
// (the console's and the terminal's texts differ slightly).
VersionOutcome CheckVersion(Db& db, int program, float programVersion = kProgramVersion);

// The suffix a window caption gets when a newer release exists.
QString newerVersionCaptionSuffix();

// The check for a program's main window: a newer release adds the suffix to its caption.
// Returns false when that release closes older programs (the program then ends).
bool CheckVersionOfWindow(Db& db, int program, QWidget* window,
                          float programVersion = kProgramVersion);
