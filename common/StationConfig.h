#pragma once
// The two-line station file VeZuviv.ini kept beside each program:
// line 1 the ODBC connection string, line 2 the location number.

#include <QString>

struct StationConfig
{
    QString connectionString;
    qint16 locationNumber = 0;
};

struct StationConfigResult
{
    bool ok = false;
    StationConfig config;
    QString error; // the reason, in Spanish, when !ok
};

inline constexpr const char* kStationFileName = "VeZuviv.ini";

// Parses the file's text. Only the first two lines count; blanks around the number are allowed.
StationConfigResult parseStationConfig(const QString& text);

// Reads VeZuviv.ini from the given folder (the executable's folder when empty).
StationConfigResult readStationConfig(const QString& folder = {});
