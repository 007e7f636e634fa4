#include "Clock.h"

#include "Db.h"

#include <QSqlQuery>

Clock::Clock()
    : local_([] { return QDateTime::currentDateTime(); })
{
}

QDateTime Clock::now() const
{
    return local_().addMSecs(offsetMs_);
}

bool Clock::syncWithServer(Db& db)
{
    QSqlQuery q = db.query(QStringLiteral("Select NOW() 'Ahora' from Kxcontrol"));
    if (!q.isActive() || !q.next())
        return false;
    QDateTime server = q.value(0).toDateTime();
    if (!server.isValid())
        server =
            QDateTime::fromString(q.value(0).toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!server.isValid())
        return false;
    syncTo(server);
    return true;
}

void Clock::syncTo(const QDateTime& serverNow)
{
    offsetMs_ = local_().msecsTo(serverNow);
}

void Clock::setLocalSource(Source source)
{
    local_ = std::move(source);
}
