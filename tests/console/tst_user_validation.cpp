// The checks of the users screen before saving, on plain values: which boxes show, in which
// order, and which control each one sends the focus to.

#include "UserValidation.h"

#include <QtTest>

namespace {

const QString kNumberText = QStringLiteral("El número de usuario no es válido");
const QString kNameText =
    QStringLiteral("Es necesario introducir un nombre válido antes de registrar un usuario.");
const QString kMailText = QStringLiteral(
    "Es necesario introducir un correo Electronico válido antes de registrar un usuario.");
const QString kDepartmentText = QStringLiteral("Es necesario seleccionar un departamento.");
const QString kPasswordText = QStringLiteral("La Confirmación de la contraseña no coincide");

// One expected box: "control|title|text".
QString box(const QString& control, const QString& title, const QString& text)
{
    return control + '|' + title + '|' + text;
}

const QString kNumber = box("TbUsr", "Usuario incorrecto", kNumberText);
const QString kName = box("TbNomb", "Nombre incorrecto", kNameText);
const QString kMail = box("TxtCorreo", "E-mail incorrecto", kMailText);
const QString kDepartment = box("CmbDep", "Sin Departamento", kDepartmentText);
const QString kPassword = box("TxtVeri", "Verifique la contraseña", kPasswordText);

// A new user filled in correctly, for the rows to change.
UserFormValues valid()
{
    UserFormValues values;
    values.name = "ANA";
    values.email = "A@B";
    values.departmentKnown = true;
    values.password = "CLAVE";
    values.confirmation = "CLAVE";
    return values;
}

template <typename Change> UserFormValues with(Change change)
{
    UserFormValues values = valid();
    change(values);
    return values;
}

} // namespace

Q_DECLARE_METATYPE(UserFormValues)

class TestUserValidation : public QObject
{
    Q_OBJECT

private slots:
    void problems_data()
    {
        QTest::addColumn<UserFormValues>("values");
        QTest::addColumn<QStringList>("boxes"); // in order; none = may be saved
        using V = UserFormValues;
        const QStringList none;
        QTest::newRow("valid new user") << valid() << none;
        QTest::newRow("new user with a typed number")
            << with([](V& v) { v.number = "77"; }) << none;
        QTest::newRow("new user: a number that is no number is not used")
            << with([](V& v) { v.number = "7A"; }) << none;
        QTest::newRow("empty name") << with([](V& v) { v.name = ""; }) << QStringList{kName};
        QTest::newRow("blank name") << with([](V& v) { v.name = "   "; }) << QStringList{kName};
        QTest::newRow("empty e-mail") << with([](V& v) { v.email = ""; }) << QStringList{kMail};
        QTest::newRow("single-character e-mail") << with([](V& v) { v.email = "x"; }) << none;
        QTest::newRow("no department")
            << with([](V& v) { v.departmentKnown = false; }) << QStringList{kDepartment};
        QTest::newRow("password mismatch by case")
            << with([](V& v) { v.password = "clave"; }) << QStringList{kPassword};
        QTest::newRow("blanks around the password do not count") << with([](V& v) {
            v.password = " clave9 ";
            v.confirmation = "clave9";
        }) << none;
        QTest::newRow("empty password") << with([](V& v) {
            v.password = "";
            v.confirmation = "";
        }) << QStringList{kPassword};
        QTest::newRow("blank password") << with([](V& v) {
            v.password = "  ";
            v.confirmation = "";
        }) << QStringList{kPassword};
        QTest::newRow("empty name, then password mismatch") << with([](V& v) {
            v.name = "";
            v.password = "A";
            v.confirmation = "B";
        }) << QStringList{kName, kPassword};
        QTest::newRow("no department, then password mismatch") << with([](V& v) {
            v.departmentKnown = false;
            v.password = "A";
            v.confirmation = "B";
        }) << QStringList{kDepartment, kPassword};
        QTest::newRow("empty e-mail and empty password: one box") << with([](V& v) {
            v.email = "";
            v.password = "";
            v.confirmation = "";
        }) << QStringList{kMail};
        QTest::newRow("no department and empty password: one box") << with([](V& v) {
            v.departmentKnown = false;
            v.password = "";
            v.confirmation = "";
        }) << QStringList{kDepartment};
        QTest::newRow("empty name, e-mail and department: the first only") << with([](V& v) {
            v.name = "";
            v.email = "";
            v.departmentKnown = false;
        }) << QStringList{kName};
        QTest::newRow("changing without a number")
            << with([](V& v) { v.modifying = true; }) << QStringList{kNumber};
        QTest::newRow("changing with a number that is no number") << with([](V& v) {
            v.modifying = true;
            v.number = "8A";
        }) << QStringList{kNumber};
        QTest::newRow("changing without a number, password mismatch") << with([](V& v) {
            v.modifying = true;
            v.name = "";
            v.email = "";
            v.departmentKnown = false;
            v.password = "A";
            v.confirmation = "a";
        }) << QStringList{kNumber, kPassword};
        QTest::newRow("changing user 8") << with([](V& v) {
            v.modifying = true;
            v.number = "8";
        }) << none;
        QTest::newRow("changing user 8, number with blanks around") << with([](V& v) {
            v.modifying = true;
            v.number = " 8 ";
        }) << none;
    }
    void problems()
    {
        QFETCH(UserFormValues, values);
        QFETCH(QStringList, boxes);
        QStringList shown;
        for (const UserProblem& problem : userProblems(values))
            shown << box(problem.control, problem.title, problem.text);
        QCOMPARE(shown, boxes);
    }
};

QTEST_APPLESS_MAIN(TestUserValidation)
#include "tst_user_validation.moc"
