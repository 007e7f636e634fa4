#pragma once
// Start-up connection of both programs: read VeZuviv.ini and open the one connection.

struct AppContext;

// Reads the station file from context.programFolder and opens context.db. Any failure (no
// file, short file, a location that is not a number, a refused connection) shows the error
// text in the error box and returns false: the program then ends.
bool ConnectDatabase(AppContext& context);

void CloseDatabase(AppContext& context);
