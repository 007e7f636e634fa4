#pragma once
// The employees the permissions and manual-events screens offer: the active ones (KxUsuario.activo
// is 0 for a current employee and 1 for one who has left), by name, with their department.

#include <QList>
#include <QString>

class Db;
class QTableWidget;

struct ActiveUser
{
    int usuario = 0;
    QString nombre;
    QString departamento; // empty without a department
};

QList<ActiveUser> activeUsers(Db& db);

// Fills a users grid (columns Usuario, Nombre, Departamento), sized to the contents.
void fillUserGrid(QTableWidget* grid, const QList<ActiveUser>& users);

// Prepares a read-only grid that selects whole rows, one at a time.
void prepareGrid(QTableWidget* grid, const QStringList& headers);

// "&Nuevo" before a user was chosen in the screen: asks for one.
void askForUser();
