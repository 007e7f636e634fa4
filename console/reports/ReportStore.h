#pragma once
// The reports screen's statements: the report catalogue, the employees the grid offers (all
// current ones or those a filter keeps) and the lists the filter offers. KxUsuario.activo is 0
// for a current employee and 1 for one who has left.

#include <optional>
#include <QDate>
#include <QList>
#include <QString>

class Db;

namespace ReportStore {

struct CatalogueEntry
{
    int reporte = 0;
    QString nombre;
};

struct ReportDefinition
{
    int reporte = 0;
    QString nombre;
    QString descripcion;
    QString rpt;
    QString formula; // empty when the catalogue has none
};

struct UserRow
{
    int usuario = 0;
    QString nombre;
    QString departamento; // empty without a department
};

struct NamedNumber
{
    int number = 0;
    QString name;
};

QList<CatalogueEntry> Catalogue(Db& db);

// A report's title over a period: "<name> del Día: <first> Al Día: <last>", dates short.
QString ReportTitle(const QString& nombre, const QDate& from, const QDate& to);

// The layout file a catalogue entry names: the folder "Reportes" beside the program.
QString LayoutPath(const QString& programFolder, const QString& rpt);

// The catalogue's report; nothing when it is missing or lacks its name, description or layout.
std::optional<ReportDefinition> FindReport(Db& db, int reporte);

// Current employees in name order, with their department's name.
QList<UserRow> CurrentUsers(Db& db);

enum class FilterMode
{
    Include, // keep the employees who meet the chosen parameters
    Exclude  // drop them
};

// Current employees kept by a filter on department and/or location (an employee belongs to a
// location when any of his events was entered there). Comparing with a department drops the
// employees without one, in either mode. At least one of the two must be given.
QList<UserRow> FilteredUsers(Db& db, FilterMode mode, std::optional<int> department,
                             std::optional<int> location);

QList<NamedNumber> Locations(Db& db);
QList<NamedNumber> Departments(Db& db);

} // namespace ReportStore
