#pragma once
// The two small catalogs kept alike, departments and locations: their statements and texts.
// Every statement takes its values as bound parameters.

#include <QString>
#include <QStringList>

struct CatalogMessage
{
    QString text;
    QString title;
};

struct CatalogDefinition
{
    QString listQuery; // number and name of every entry, in name order
    QStringList columns;
    QString insertSql; // name
    CatalogMessage inserted;
    QString updateSql; // name, number
    CatalogMessage updated;
    CatalogMessage deleteQuestion;
    QString inUseQuery; // number; a row refuses the delete. Empty: nothing is checked
    CatalogMessage inUse;
    QString deleteSql; // number
    CatalogMessage deleted;
};

const CatalogDefinition& departmentCatalog();
const CatalogDefinition& locationCatalog();
