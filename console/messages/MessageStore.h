#pragma once
// Personal messages to employees and the broadcast message of each location, as the console
// writes them. A send to several recipients runs in one transaction: it is stored for all of
// them or, when a statement fails, for none.

#include <optional>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class Db;

// An employee who may receive messages (one who has not left the company).
struct MessageRecipient
{
    int Usuario = 0;
    QString Nombre;
    QString Departamento; // empty when his department does not exist
};

// A personal message as the list screen shows it.
struct SentPersonalMessage
{
    QDateTime Envio;     // the day from which it is due
    QDateTime Recepcion; // null while it has not been acknowledged at a terminal
    QString Asunto;
    QString Mensaje;
    QString Envia; // the sender's name
};

// What the creation screen sends to each recipient.
struct NewPersonalMessage
{
    QDate fecha; // due from midnight of this day
    QString asunto;
    QString cuerpo;
    int remite = 0; // the administrator logged in
};

struct MessageLocation
{
    int Sucursal = 0;
    QString Nombre;
};

struct LocationMessage
{
    QDateTime fecha; // the server's time of saving
    QString Cuerpo_mensaje;
};

namespace MessageStore {

// Longest subject the messages table keeps, in characters.
constexpr int kSubjectLength = 30;
// Longest body or location message the tables keep, in bytes of UTF-8.
constexpr int kBodyBytes = 65535;

// Employees still with the company (KxUsuario.activo is 0), in name order.
QList<MessageRecipient> recipients(Db& db);

// The user's messages in date order, from senders who still exist.
QList<SentPersonalMessage> personalMessages(Db& db, int user);

// One message row per user; false (nothing stored) when a statement failed.
bool sendPersonal(Db& db, const QList<int>& users, const NewPersonalMessage& message);

// Every location, in name order.
QList<MessageLocation> locations(Db& db);

// The location's message, none when it has no row.
std::optional<LocationMessage> locationMessage(Db& db, int location);

// Replaces the message of each given location, stamped with the server's time; other locations
// keep theirs. False (nothing changed) when a statement failed.
bool replaceLocationMessages(Db& db, const QList<int>& locations, const QString& text);

// Removes every location's message, then gives each listed location the text: locations not
// listed are left without a row. False (nothing changed) when a statement failed.
bool replaceAllLocationMessages(Db& db, const QList<int>& locations, const QString& text);

} // namespace MessageStore
