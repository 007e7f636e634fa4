#include "ConnectionString.h"

QString ConnectionValue(const QString& connection, const QString& key, bool includeKey)
{
    const qsizetype at = connection.indexOf(key, 0, Qt::CaseSensitive);
    if (at < 0 || key.isEmpty())
        return {};
    qsizetype start = at;
    if (!includeKey) {
        start = at + key.size();
        if (start < connection.size() && connection[start] == QLatin1Char('='))
            ++start;
    }
    qsizetype end = connection.indexOf(QLatin1Char(';'), start);
    if (end < 0)
        end = connection.size();
    QString value = connection.mid(start, end - start);
    value.remove(QLatin1Char('{'));
    value.remove(QLatin1Char('}'));
    return value;
}
