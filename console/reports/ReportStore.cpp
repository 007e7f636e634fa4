#include "ReportStore.h"

#include "Db.h"

#include <QLocale>
#include <QSqlQuery>

namespace ReportStore {

namespace {

const char* const kUsersSelect =
    "select u.usuario'Usuario',u.nombre'Nombre',d.nombre_departamento'Departamento' from "
    "kxusuario u left join kxdepart d on u.departamento=d.departamento WHERE U.activo=0";

QList<UserRow> userRows(QSqlQuery q)
{
    QList<UserRow> rows;
    while (q.next())
        rows << UserRow{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()};
    return rows;
}

QList<NamedNumber> namedNumbers(QSqlQuery q)
{
    QList<NamedNumber> rows;
    while (q.next())
        rows << NamedNumber{q.value(0).toInt(), q.value(1).toString()};
    return rows;
}

} // namespace

QList<CatalogueEntry> Catalogue(Db& db)
{
    QList<CatalogueEntry> entries;
    QSqlQuery q = db.query(QStringLiteral("select Reporte,Nombre_reporte from Reportes "
                                          "order by reporte"));
    while (q.next())
        entries << CatalogueEntry{q.value(0).toInt(), q.value(1).toString()};
    return entries;
}

std::optional<ReportDefinition> FindReport(Db& db, int reporte)
{
    QSqlQuery q = db.query(QStringLiteral("select * from Reportes where Reporte=?"), {reporte});
    if (!q.next())
        return std::nullopt;
    ReportDefinition report{q.value(QStringLiteral("Reporte")).toInt(),
                            q.value(QStringLiteral("Nombre_reporte")).toString(),
                            q.value(QStringLiteral("Descripcion")).toString(),
                            q.value(QStringLiteral("RPT")).toString(),
                            q.value(QStringLiteral("Formula")).toString()};
    if (report.nombre.isEmpty() || report.descripcion.isEmpty() || report.rpt.isEmpty())
        return std::nullopt;
    return report;
}

QList<UserRow> CurrentUsers(Db& db)
{
    return userRows(db.query(QLatin1String(kUsersSelect) + QStringLiteral(" order by u.nombre")));
}

QList<UserRow> FilteredUsers(Db& db, FilterMode mode, std::optional<int> department,
                             std::optional<int> location)
{
    const bool include = mode == FilterMode::Include;
    QString rest;
    SqlParams params;
    if (department && location) {
        rest = include ? QStringLiteral(" d.departamento=? and u.usuario in (select usuario from "
                                        "kxevento where sucursal_entra=?)order by u.nombre")
                       : QStringLiteral(" d.departamento<>? and u.usuario not in (select usuario "
                                        "from kxevento where sucursal_entra=?)order by u.nombre");
        params << *department << *location;
    } else if (department) {
        rest = include ? QStringLiteral(" d.departamento=? order by u.nombre")
                       : QStringLiteral(" d.departamento<>? order by u.nombre");
        params << *department;
    } else if (location) {
        rest = include ? QStringLiteral("  u.usuario in (select usuario from kxevento where "
                                        "sucursal_entra=?)order by u.nombre")
                       : QStringLiteral("  u.usuario not in (select usuario from kxevento where "
                                        "sucursal_entra=?)order by u.nombre");
        params << *location;
    } else {
        return {};
    }
    return userRows(db.query(QLatin1String(kUsersSelect) + QStringLiteral(" and") + rest, params));
}

QList<NamedNumber> Locations(Db& db)
{
    return namedNumbers(db.query(QStringLiteral(
        "select Sucursal,Nombre_sucursal from KxSucursales order by Nombre_Sucursal")));
}

QList<NamedNumber> Departments(Db& db)
{
    return namedNumbers(db.query(QStringLiteral(
        "select Departamento,Nombre_departamento from KxDepart order by Nombre_Departamento")));
}

QString ReportTitle(const QString& nombre, const QDate& from, const QDate& to)
{
    const QLocale locale;
    return nombre + QStringLiteral(" del Día: ") + locale.toString(from, QLocale::ShortFormat) +
           QStringLiteral(" Al Día: ") + locale.toString(to, QLocale::ShortFormat);
}

QString LayoutPath(const QString& programFolder, const QString& rpt)
{
    return programFolder + QStringLiteral("/Reportes/") + rpt;
}

} // namespace ReportStore
