#include "Catalog.h"

const CatalogDefinition& departmentCatalog()
{
    static const CatalogDefinition catalog{
        QStringLiteral("select Departamento,Nombre_departamento'Nombre Departamento' from "
                       "KxDepart order by nombre_departamento"),
        {QStringLiteral("Departamento"), QStringLiteral("Nombre Departamento")},
        QStringLiteral("INSERT INTO KxDEpart SET Nombre_departamento=? "),
        {QStringLiteral("Departamento Agregado Correctamente"),
         QStringLiteral("Alta Departamento")},
        QStringLiteral("UPDATE KxDepart SET Nombre_departamento=? WHERE Departamento=? "),
        {QStringLiteral("Departamento Modificado Correctamente"),
         QStringLiteral("Modificado Departamento")},
        {QStringLiteral("¿Está seguro de Eliminar el Departamento?"),
         QStringLiteral("Borrar Departamento")},
        QStringLiteral("select Departamento from KxUsuario where departamento=?"),
        {QStringLiteral("No se puede Eliminar el Departamento, hay Usuarios Asignados"),
         QStringLiteral("Imposible Borrar")},
        QStringLiteral("DELETE FROM KxDepart WHERE departamento=?"),
        {QStringLiteral("Departamento Eliminado Correctamente!!"),
         QStringLiteral("Departamento Borrado")},
    };
    return catalog;
}

const CatalogDefinition& locationCatalog()
{
    static const CatalogDefinition catalog{
        QStringLiteral("select Sucursal'Ubicación',Nombre_Sucursal'Nombre Ubicación' from "
                       "KxSucursales order by nombre_sucursal"),
        {QStringLiteral("Ubicación"), QStringLiteral("Nombre Ubicación")},
        QStringLiteral("INSERT INTO KxSucursales SET Nombre_Sucursal=? "),
        {QStringLiteral("Ubicación Agregada Correctamente"), QStringLiteral("Alta Ubicación")},
        QStringLiteral("UPDATE KxSucursales SET Nombre_Sucursal=? WHERE Sucursal=? "),
        {QStringLiteral("Ubicación Modificada Correctamente"),
         QStringLiteral("Modificada Ubicación")},
        {QStringLiteral("¿Está seguro de Eliminar la Ubicación?"),
         QStringLiteral("Borrar Ubicación")},
        QString(),
        {},
        QStringLiteral("DELETE FROM KxSucursales WHERE Sucursal=?"),
        {QStringLiteral("Ubicación Eliminada Correctamente!!"),
         QStringLiteral("Ubicación Borrada")},
    };
    return catalog;
}
