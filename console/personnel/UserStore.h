#pragma once
// The employees kept in KxUsuario, as the users screen reads and writes them, and the
// departments it offers.
//
// KxUsuario.activo reads the other way round from its name: 0 is a current employee and any
// other value (1 when written here) one who has left; UserRecord::hasLeft holds that meaning.

#include <optional>
#include <QDate>
#include <QList>
#include <QString>

class Db;

struct UserRecord
{
    int number = 0;                  // Usuario, given by the database to a new user
    QString name;                    // Nombre
    int department = 0;              // departamento
    QString email;                   // Correo
    QString password;                // Password
    QDate joined;                    // Fecha_Ingreso; null when none is stored
    bool administrator = false;      // administrador = 1: may log in to the console
    bool multipleChecks = false;     // Chequeo_Multiple = 1
    bool checksWithPassword = false; // Puede_checar_clave non-zero
    bool rotatingSchedule = false;   // Horario_rotativo non-zero
    bool hasLeft = false;            // activo non-zero
    QDate leftOn;                    // Fecha_Baja; null when none is stored
};

struct Department
{
    int number = 0;
    QString name;
};

namespace UserStore {

// The user with this number, or none.
std::optional<UserRecord> load(Db& db, int number);

// Every department, in the order the database gives them.
QList<Department> departments(Db& db);

// The name of the department with this number, or none.
std::optional<QString> departmentName(Db& db, int department);

// The number of the department with exactly this name (in the column's collation, so letter
// case does not count), or 0.
int departmentByName(Db& db, const QString& name);

bool exists(Db& db, int number);

// Writing a user: the number is never written (the database gives it); the password and the
// e-mail address are stored trimmed and in upper case; the leaving date is written only for
// someone who has left, so reactivating an employee keeps the date he left on.

// Adds the user and returns the number the database gave him, or -1 on failure.
qint64 insert(Db& db, const UserRecord& user);

// Changes the user with this number; false on failure.
bool update(Db& db, int number, const UserRecord& user);

// Deletes the user with his events, fingerprints and schedule assignments, all or nothing.
// His permissions and personal messages stay.
bool remove(Db& db, int number);

} // namespace UserStore
