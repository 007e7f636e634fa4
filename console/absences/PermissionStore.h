#pragma once
// The statements of permissions, leaves and sanctions (table permisos). A save checks the
// period against the employee's other permissions and writes it in one transaction that holds
// the employee's permissions locked, so that two consoles cannot store periods sharing a day.

#include "Db.h"
#include "PermissionRules.h"

#include <optional>
#include <QDate>
#include <QList>
#include <QString>

namespace PermissionStore {

// A row of the permissions list.
struct Listed
{
    int permiso = 0;
    QDate inicio;
    QDate fin;
    QString motivo;
    QString tipo; // the kind's list text
};

// The user's permissions whose first day lies between `desde` and `hasta` (both included), in
// the database's order. A permission that began before `desde` is not listed.
QList<Listed> list(Db& db, int user, const QDate& desde, const QDate& hasta);

struct Permission
{
    int permiso = 0; // 0 for a new permission
    int usuario = 0;
    PermissionRules::Entry entry;
    int tipo = PermissionRules::kLateArrival;
};

std::optional<Permission> read(Db& db, int permiso);

enum class Outcome
{
    Saved,
    Overlap,    // another permission of the employee shares a day with the period
    Incomplete, // reason or authoriser missing
    Gone,       // the permission being changed was deleted meanwhile
    Failed      // a statement failed (the fatal path has run)
};

// One save of one employee's permission. Construction begins a transaction and locks the
// employee and all his permissions; leaving the scope without commit() rolls back.
class Save
{
public:
    Save(Db& db, int user);
    Save(const Save&) = delete;
    Save& operator=(const Save&) = delete;

    // False when the locks could not be taken.
    bool locked() const { return locked_; }
    // The first other permission that shares a day with the period.
    std::optional<int> overlap(const PermissionRules::Period& period, int own) const;
    // Whether the permission `permiso` still exists.
    bool holds(int permiso) const;
    // Inserts a new permission or changes an existing one; `captura` is the administrator.
    bool write(const Permission& permission, int captura);
    bool commit() { return transaction_.commit(); }

private:
    Db& db_;
    Db::Transaction transaction_;
    QList<PermissionRules::StoredPeriod> stored_;
    bool locked_ = false;
};

// The whole save: overlap first, then the fields, then the write.
Outcome save(Db& db, const Permission& permission, int captura);

bool remove(Db& db, int permiso);

} // namespace PermissionStore
