#pragma once
// What the console shares with all its screens: everything both programs share, plus the
// administrator who logged in and the users last chosen in the search dialog and user grids.

#include "AppContext.h"

#include <cstdlib>
#include <functional>
#include <QString>

struct ConsoleContext : AppContext
{
    // The user number of the administrator who logged in; set once by the login dialog.
    int AdminUser = 0;

    // The user number chosen in the user search dialog, empty when none was chosen.
    QString SelectedUser;

    // The user last chosen in the user grid of the permissions, manual-events or reports screens.
    int ChosenUser = 0;
    QString ChosenUserName;

    // Ends the console at once (a refused login, a missing skin). Tests replace it to observe it.
    std::function<void(int code)> EndProgram = [](int code) { std::exit(code); };
};
