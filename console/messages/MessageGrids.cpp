#include "MessageGrids.h"

#include "BusyPointer.h"
#include "MessageStore.h"
#include "RowsModel.h"

namespace {

QString day(const QDateTime& moment)
{
    return moment.isNull() ? QString() : moment.toString(QStringLiteral("dd/MM/yyyy"));
}

QString dayAndTime(const QDateTime& moment)
{
    return moment.isNull() ? QString() : moment.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

// A cell shows the text on one line.
QString oneLine(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

RowsModel* newRecipientsModel(QObject* parent)
{
    return new RowsModel(
        {QStringLiteral("Usuario"), QStringLiteral("Nombre"), QStringLiteral("Departamento")},
        parent);
}

void loadRecipients(Db& db, RowsModel& model)
{
    BusyPointer busy;
    QList<QStringList> rows;
    QList<int> keys;
    for (const MessageRecipient& r : MessageStore::recipients(db)) {
        rows.append({QString::number(r.Usuario), r.Nombre, r.Departamento});
        keys.append(r.Usuario);
    }
    model.setRows(rows, keys);
}

RowsModel* newPersonalMessagesModel(QObject* parent)
{
    return new RowsModel({QStringLiteral("Envio"), QStringLiteral("Recepción"),
                          QStringLiteral("Asunto"), QStringLiteral("Mensaje"),
                          QStringLiteral("Envia")},
                         parent);
}

void loadPersonalMessages(Db& db, int user, RowsModel& model)
{
    BusyPointer busy;
    QList<QStringList> rows;
    for (const SentPersonalMessage& m : MessageStore::personalMessages(db, user))
        rows.append({day(m.Envio), dayAndTime(m.Recepcion), m.Asunto, oneLine(m.Mensaje), m.Envia});
    model.setRows(rows);
}

RowsModel* newLocationsModel(QObject* parent)
{
    return new RowsModel({QStringLiteral("Ubicación"), QStringLiteral("Nombre")}, parent);
}

void loadLocations(Db& db, RowsModel& model)
{
    BusyPointer busy;
    QList<QStringList> rows;
    QList<int> keys;
    for (const MessageLocation& l : MessageStore::locations(db)) {
        rows.append({QString::number(l.Sucursal), l.Nombre});
        keys.append(l.Sucursal);
    }
    model.setRows(rows, keys);
}
