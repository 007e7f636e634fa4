#pragma once
// What one running program shares with all its screens: the connection, the station's
// location, the server-synchronised clock and the current skin.

#include "Clock.h"
#include "Db.h"
#include "Skin.h"

#include <QString>

struct AppContext
{
    Db db;
    Clock clock;
    SkinCtrl skin;
    QString connectionString;
    qint16 LocationNumber = 0;
    float ProgramVersion = 1.0f;
    QString programFolder; // where VeZuviv.ini, skins and the logo live
};
