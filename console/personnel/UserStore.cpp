#include "UserStore.h"

#include "Db.h"

#include <QSqlQuery>

namespace {

SqlValues columns(const UserRecord& user)
{
    SqlValues values{
        {QStringLiteral("Nombre"), user.name},
        {QStringLiteral("Departamento"), user.department},
        {QStringLiteral("Fecha_Ingreso"), user.joined},
        {QStringLiteral("Password"), user.password.trimmed().toUpper()},
        {QStringLiteral("Correo"), user.email.trimmed().toUpper()},
        {QStringLiteral("activo"), user.hasLeft ? 1 : 0},
    };
    if (user.hasLeft)
        values.append({QStringLiteral("fecha_baja"), user.leftOn});
    values.append({QStringLiteral("Administrador"), user.administrator ? 1 : 0});
    values.append({QStringLiteral("Puede_checar_clave"), user.checksWithPassword ? 1 : 0});
    values.append({QStringLiteral("Chequeo_Multiple"), user.multipleChecks ? 1 : 0});
    values.append({QStringLiteral("Horario_rotativo"), user.rotatingSchedule ? 1 : 0});
    return values;
}

} // namespace

namespace UserStore {

std::optional<UserRecord> load(Db& db, int number)
{
    QSqlQuery q = db.query(QStringLiteral("select * from KXUsuario where Usuario = ?"), {number});
    if (!q.isActive() || !q.next())
        return std::nullopt;
    UserRecord user;
    user.number = q.value(QStringLiteral("Usuario")).toInt();
    user.name = q.value(QStringLiteral("Nombre")).toString();
    user.department = q.value(QStringLiteral("departamento")).toInt();
    user.email = q.value(QStringLiteral("Correo")).toString();
    user.password = q.value(QStringLiteral("Password")).toString();
    user.joined = q.value(QStringLiteral("Fecha_Ingreso")).toDate();
    user.administrator = q.value(QStringLiteral("administrador")).toInt() == 1;
    user.multipleChecks = q.value(QStringLiteral("Chequeo_Multiple")).toInt() == 1;
    user.checksWithPassword = q.value(QStringLiteral("Puede_checar_clave")).toInt() != 0;
    user.rotatingSchedule = q.value(QStringLiteral("Horario_rotativo")).toInt() != 0;
    user.hasLeft = q.value(QStringLiteral("activo")).toInt() != 0;
    user.leftOn = q.value(QStringLiteral("Fecha_Baja")).toDate();
    return user;
}

QList<Department> departments(Db& db)
{
    QList<Department> list;
    QSqlQuery q = db.query(QStringLiteral("select departamento,Nombre_departamento from Kxdepart"));
    while (q.next())
        list.append({q.value(0).toInt(), q.value(1).toString()});
    return list;
}

std::optional<QString> departmentName(Db& db, int department)
{
    const QVariant name =
        db.scalar(QStringLiteral("select Nombre_departamento from Kxdepart where departamento=?"),
                  {department});
    if (!name.isValid())
        return std::nullopt;
    return name.toString();
}

int departmentByName(Db& db, const QString& name)
{
    const QVariant found = db.scalar(
        QStringLiteral("select departamento from Kxdepart where Nombre_departamento=?"), {name});
    return found.isValid() ? found.toInt() : 0;
}

bool exists(Db& db, int number)
{
    return db.scalar(QStringLiteral("select Usuario from KxUsuario where usuario=?"), {number})
        .isValid();
}

qint64 insert(Db& db, const UserRecord& user)
{
    return db.insertRow(QStringLiteral("KxUsuario"), columns(user));
}

bool update(Db& db, int number, const UserRecord& user)
{
    return db.updateRow(QStringLiteral("KxUsuario"), columns(user), QStringLiteral("usuario=?"),
                        {number}) >= 0;
}

bool remove(Db& db, int number)
{
    static const QStringList statements{
        QStringLiteral("delete from KxUsuario where Usuario = ?"),
        QStringLiteral("delete from KxEvento where Usuario = ?"),
        QStringLiteral("delete from KxFingerP where Usuario = ?"),
        QStringLiteral("delete from Kxhorario_personal where Usuario = ?"),
    };
    Db::Transaction transaction(db);
    if (!transaction.active())
        return false;
    for (const QString& statement : statements) {
        if (db.exec(statement, {number}) < 0)
            return false;
    }
    return transaction.commit();
}

} // namespace UserStore
