#pragma once
// The terminal's reads of the employee and the station: who is punching, whether his password
// is right, and where the station stands. KXUsuario.activo is 0 for a current employee and 1
// for one who has left; someone who has left is not found.

#include <optional>
#include <QString>

class Db;

struct PunchingUser
{
    QString name;
    bool mayUsePassword = false;
    bool rotatingSchedule = false;
    bool multipleCheck = false;
    int weekNumber = 0; // week(CurDate(),1) on the server
};

namespace TerminalUsers {

// The current employee with that number; none for an unknown number or one who has left.
std::optional<PunchingUser> find(Db& db, int user);

// True when `password` is the user's stored password, as the database compares text.
bool passwordMatches(Db& db, int user, const QString& password);

// The name of the location, or none when the number is not a location.
std::optional<QString> locationName(Db& db, int location);

} // namespace TerminalUsers
