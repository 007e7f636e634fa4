#pragma once
// The checks of the users screen before it saves, as a rule on the values the screen holds.

#include <QList>
#include <QString>

struct UserFormValues
{
    bool modifying = false;       // the screen shows an existing user ("&Modificar")
    QString number;               // TbUsr
    QString name;                 // TbNomb
    QString email;                // TxtCorreo
    bool departmentKnown = false; // CmbDep: a list entry is chosen, or the typed name is one
    QString password;             // TxtContra
    QString confirmation;         // TxtVeri
};

struct UserProblem
{
    QString control; // objectName of the control that takes the focus
    QString title;
    QString text;
};

// The problems in the order their boxes are shown; none means the user may be saved.
// The number, name, e-mail and department are checked in this order up to the first failure;
// the password check follows in any case, so a second box can follow the first.
QList<UserProblem> userProblems(const UserFormValues& values);
