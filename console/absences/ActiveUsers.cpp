#include "ActiveUsers.h"

#include "Db.h"
#include "Messages.h"

#include <QHeaderView>
#include <QSqlQuery>
#include <QTableWidget>

QList<ActiveUser> activeUsers(Db& db)
{
    QSqlQuery q = db.query(QStringLiteral(
        "select u.usuario'Usuario',u.nombre'Nombre',d.nombre_departamento'Departamento' from "
        "kxusuario u left join kxdepart d on u.departamento=d.departamento WHERE U.activo=0 "
        "order by u.nombre"));
    QList<ActiveUser> users;
    while (q.next())
        users << ActiveUser{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()};
    return users;
}

void prepareGrid(QTableWidget* grid, const QStringList& headers)
{
    grid->setColumnCount(int(headers.size()));
    grid->setHorizontalHeaderLabels(headers);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
}

void fillUserGrid(QTableWidget* grid, const QList<ActiveUser>& users)
{
    prepareGrid(grid, {QStringLiteral("Usuario"), QStringLiteral("Nombre"),
                       QStringLiteral("Departamento")});
    grid->clearContents();
    grid->setRowCount(int(users.size()));
    for (int row = 0; row < users.size(); ++row) {
        grid->setItem(row, 0, new QTableWidgetItem(QString::number(users[row].usuario)));
        grid->setItem(row, 1, new QTableWidgetItem(users[row].nombre));
        grid->setItem(row, 2, new QTableWidgetItem(users[row].departamento));
    }
    grid->resizeColumnsToContents();
}

void askForUser()
{
    ShowError(QStringLiteral("Seleccione primero un Usuario con doble clic en la lista"),
              QStringLiteral("Usuario no Seleccionado"));
}
