#include "MessageRules.h"

#include "MessageStore.h"

namespace {

const QString kIncomplete = QStringLiteral("Mensaje Incompleto");
const QString kTooLong = QStringLiteral("Mensaje Demasiado Largo");

bool blank(const QString& text)
{
    return text.trimmed().isEmpty();
}

bool overlong(const QString& text)
{
    return text.toUtf8().size() > MessageStore::kBodyBytes;
}

} // namespace

std::optional<MessageProblem> checkPersonalMessage(const QString& asunto, const QString& texto,
                                                   int recipients)
{
    const QString missing = QStringLiteral("Debe especificar Asunto y mensaje");
    if (blank(asunto))
        return MessageProblem{QStringLiteral("TxtAsunto"), missing, kIncomplete};
    if (blank(texto))
        return MessageProblem{QStringLiteral("TxtTexto"), missing, kIncomplete};
    if (asunto.size() > MessageStore::kSubjectLength)
        return MessageProblem{QStringLiteral("TxtAsunto"),
                              QStringLiteral("El Asunto admite como máximo %1 caracteres")
                                  .arg(MessageStore::kSubjectLength),
                              kTooLong};
    if (overlong(texto))
        return MessageProblem{QStringLiteral("TxtTexto"),
                              QStringLiteral("El mensaje es demasiado largo"), kTooLong};
    if (recipients <= 0)
        return MessageProblem{QStringLiteral("iGrid1"),
                              QStringLiteral("Seleccione al menos un Usuario"), kIncomplete};
    return std::nullopt;
}

std::optional<MessageProblem> checkLocationMessage(const QString& mensaje, int locations)
{
    if (blank(mensaje))
        return MessageProblem{QStringLiteral("TxtMensaje"),
                              QStringLiteral("Debe especificar mensaje"), kIncomplete};
    if (overlong(mensaje))
        return MessageProblem{QStringLiteral("TxtMensaje"),
                              QStringLiteral("El mensaje es demasiado largo"), kTooLong};
    if (locations <= 0)
        return MessageProblem{QStringLiteral("iGrid1"),
                              QStringLiteral("Seleccione al menos una Ubicación"), kIncomplete};
    return std::nullopt;
}
