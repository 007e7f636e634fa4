#include "UserSearch.h"

#include "Db.h"

#include <QSqlQuery>

namespace UserSearch {

QList<UserMatch> byName(Db& db, const QString& criteria, UserScope scope)
{
    QString sql = QStringLiteral("select Usuario,Nombre from KxUsuario where Nombre like ? ");
    if (scope == UserScope::CurrentEmployees)
        sql += QStringLiteral(" and activo = 0 ");
    sql += QStringLiteral(" order by Usuario");
    if (criteria.size() < kShortCriteria)
        sql += QStringLiteral(" limit %1").arg(kShortLimit);
    QSqlQuery q = db.query(sql, {QStringLiteral("%") + criteria + QStringLiteral("%")});
    QList<UserMatch> matches;
    while (q.next())
        matches.append({q.value(0).toInt(), q.value(1).toString()});
    return matches;
}

} // namespace UserSearch
