#include "FingerprintStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace FingerprintStore {

std::optional<QString> userName(Db& db, int user)
{
    QSqlQuery q =
        db.query(QStringLiteral("select Nombre from KXUsuario where Usuario = ?"), {user});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    return q.value(0).toString();
}

QList<int> enrolledFingers(Db& db, int user)
{
    QList<int> fingers;
    QSqlQuery q =
        db.query(QStringLiteral("select NumFing from KXFingerP where usuario = ?"), {user});
    while (q.isActive() && q.next())
        fingers << q.value(0).toInt();
    return fingers;
}

AddResult addFinger(Db& db, int user, int numFing, const QByteArray& feature)
{
    // Locks the user's rows of that finger (and the gap where one would go) until the row is
    // added, so that two consoles cannot both find the finger free.
    Db::Transaction transaction(db);
    const QVariant stored =
        db.scalar(QStringLiteral("select count(*) from KXFingerP where Usuario = ? and NumFing = ? "
                                 "for update"),
                  {user, numFing});
    if (stored.toInt() > 0)
        return AddResult::AlreadyStored;
    db.insertRow(QStringLiteral("KXFingerP"), {{QStringLiteral("Usuario"), user},
                                               {QStringLiteral("NumFing"), numFing},
                                               {QStringLiteral("Feature"), feature}});
    transaction.commit();
    return AddResult::Added;
}

int deleteFinger(Db& db, int user, int numFing)
{
    return db.exec(QStringLiteral("delete from KXFingerP Where Usuario = ? and NumFing = ?"),
                   {user, numFing});
}

TemplatesVersion templatesVersion(Db& db)
{
    QSqlQuery q = db.query(
        QStringLiteral("select count(*), coalesce(sum(crc32(concat(Usuario, ',', Feature))), 0) "
                       "from KXFingerP"));
    TemplatesVersion version;
    if (q.isActive() && q.next()) {
        version.rows = q.value(0).toLongLong();
        version.checksum = q.value(1).toString();
    }
    return version;
}

QList<StoredTemplate> allTemplates(Db& db)
{
    QList<StoredTemplate> templates;
    QSqlQuery q = db.query(QStringLiteral("select usuario,Feature from KXFingerp"));
    while (q.isActive() && q.next())
        templates.append({q.value(0).toInt(), q.value(1).toByteArray()});
    return templates;
}

} // namespace FingerprintStore
