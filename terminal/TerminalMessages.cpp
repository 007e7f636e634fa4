#include "TerminalMessages.h"

#include "Db.h"
#include "TerminalFormat.h"

#include <QSqlQuery>

namespace TerminalMessages {

QString locationMessage(Db& db, qint16 locationNumber)
{
    QSqlQuery q = db.query(
        QStringLiteral("Select fecha,Cuerpo_mensaje from Kxmensajes_globales where sucursal=?"),
        {locationNumber});
    if (!q.isActive() || !q.next())
        return QStringLiteral("Sin Mensajes...");
    return TerminalFormat::date(q.value(0).toDate()) + QStringLiteral("  Mensaje Importante:") +
           QStringLiteral("\r\n") + q.value(1).toString();
}

std::optional<PersonalMessage> pendingMessage(Db& db, int user, const QString& recipient)
{
    QSqlQuery q = db.query(
        QStringLiteral("select m.mensaje'Numero',m.fecha'Envio',m.asunto'Asunto',"
                       "m.cuerpo_mensaje'Mensaje',u.nombre'Envia' from kxmensajes_personales m "
                       "join kxusuario u on m.remite=u.usuario where m.usuario= ? and "
                       "fecha<=now() and recibido=0"),
        {user});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    PersonalMessage message;
    message.MessageNumber = q.value(QStringLiteral("Numero")).toInt();
    message.MessageRecipient = recipient;
    message.MessageSentAt = q.value(QStringLiteral("Envio")).toDateTime();
    message.MessageSubject = q.value(QStringLiteral("Asunto")).toString();
    message.MessageBody = q.value(QStringLiteral("Mensaje")).toString();
    message.MessageSender = q.value(QStringLiteral("Envia")).toString();
    return message;
}

bool acknowledge(Db& db, int messageNumber)
{
    return db.exec(QStringLiteral("UPDATE KxMensajes_personales set recibido=1,"
                                  "fecha_recepcion=now() where mensaje=?"),
                   {messageNumber}) > 0;
}

} // namespace TerminalMessages
