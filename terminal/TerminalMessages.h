#pragma once
// The messages the terminal delivers: the location's broadcast message and the personal
// messages addressed to the employee who punches.

#include <optional>
#include <QDateTime>
#include <QString>

class Db;

struct PersonalMessage
{
    int MessageNumber = 0;
    QString MessageRecipient; // the name as the main screen shows it
    QDateTime MessageSentAt;
    QString MessageSender;
    QString MessageSubject;
    QString MessageBody;
};

namespace TerminalMessages {

// The text of the location's message box: the first message of the location with its date, or
// "Sin Mensajes..." when there is none.
QString locationMessage(Db& db, qint16 locationNumber);

// The first pending message of the user (dated now or earlier, not yet acknowledged, from a
// sender who exists); none when nothing is pending.
std::optional<PersonalMessage> pendingMessage(Db& db, int user, const QString& recipient);

// Marks the message received at the server's time.
bool acknowledge(Db& db, int messageNumber);

} // namespace TerminalMessages
