#include "ConsoleScreens.h"

#include "FingerprintScreens.h"
#include "FrmDepartamentos.h"
#include "FrmMain.h"
#include "FrmUbicaciones.h"
#include "FrmUsr.h"

void registerScreens(FrmMain& main)
{
    main.registerScreen(
        QStringLiteral("CmdUsr"), ScreenKind::Child,
        [](FrmMain& m, QWidget* parent) { return new FrmUsr(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdDepartamentos"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmDepartamentos(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdUbicaciones"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmUbicaciones(m.context(), parent); });
    registerFingerprintScreens(main);
}
