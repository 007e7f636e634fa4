#include "UserValidation.h"

#include "WholeNumber.h"

QList<UserProblem> userProblems(const UserFormValues& values)
{
    QList<UserProblem> problems;
    // A new user's number may be empty (the database assigns it); a user being changed needs
    // his number.
    if (values.modifying && !wholeNumber(values.number)) {
        problems.append({QStringLiteral("TbUsr"), QStringLiteral("Usuario incorrecto"),
                         QStringLiteral("El número de usuario no es válido")});
    } else if (values.name.trimmed().isEmpty()) {
        problems.append({QStringLiteral("TbNomb"), QStringLiteral("Nombre incorrecto"),
                         QStringLiteral("Es necesario introducir un nombre válido antes de "
                                        "registrar un usuario.")});
    } else if (values.email.isEmpty()) {
        problems.append({QStringLiteral("TxtCorreo"), QStringLiteral("E-mail incorrecto"),
                         QStringLiteral("Es necesario introducir un correo Electronico válido "
                                        "antes de registrar un usuario.")});
    } else if (!values.departmentKnown) {
        problems.append({QStringLiteral("CmbDep"), QStringLiteral("Sin Departamento"),
                         QStringLiteral("Es necesario seleccionar un departamento.")});
    }
    const QString password = values.password.trimmed();
    if (password != values.confirmation.trimmed() || (problems.isEmpty() && password.isEmpty())) {
        problems.append({QStringLiteral("TxtVeri"), QStringLiteral("Verifique la contraseña"),
                         QStringLiteral("La Confirmación de la contraseña no coincide")});
    }
    return problems;
}
