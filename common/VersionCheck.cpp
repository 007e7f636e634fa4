#include "VersionCheck.h"

#include "Db.h"
#include "Messages.h"

#include <QSqlQuery>
#include <QWidget>

VersionOutcome CheckVersion(Db& db, int program, float programVersion)
{
    const QString sql =
        QStringLiteral("select Version,cierra from Version_actual where Programa=%1")
            .arg(program == kConsoleProgram ? 1 : 2);
    QSqlQuery q = db.query(sql);
    if (!q.isActive() || !q.next())
        return VersionOutcome::Current;
    // Compare in hundredths so that 1.0 stored as DECIMAL equals the program's 1.0.
    const qint64 released = qRound64(q.value(0).toDouble() * 100);
    const qint64 own = qRound64(double(programVersion) * 100);
    const bool mustClose = q.value(1).toInt() == 1;
    if (released <= own)
        return VersionOutcome::Current;
    const QString text =
        program == kConsoleProgram
            ? QStringLiteral("Existe una Nueva versión del Sistema, consulte con Sistemas")
            : QStringLiteral("Ya Existe una Nueva versión del Sistema, consulte con Sistemas");
    ShowError(text, QStringLiteral("Nueva Versión Disponible"));
    return mustClose ? VersionOutcome::NewerMustClose : VersionOutcome::NewerAvailable;
}

QString newerVersionCaptionSuffix()
{
    return QStringLiteral(" Existe una Nueva Versión Disponible!!!");
}

bool CheckVersionOfWindow(Db& db, int program, QWidget* window, float programVersion)
{
    switch (CheckVersion(db, program, programVersion)) {
    case VersionOutcome::NewerMustClose:
        return false;
    case VersionOutcome::NewerAvailable:
        window->setWindowTitle(window->windowTitle() + newerVersionCaptionSuffix());
        break;
    case VersionOutcome::Current:
        break;
    }
    return true;
}
