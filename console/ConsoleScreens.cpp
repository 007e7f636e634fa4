#include "ConsoleScreens.h"

#include "FrmDepartamentos.h"
#include "FrmMain.h"
#include "FrmUbicaciones.h"
#include "FrmUsr.h"
#include "FrmASig.h"
#include "FrmHor.h"
#include "FrmInhabiles.h"

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
    main.registerScreen(
        QStringLiteral("CmdHor"), ScreenKind::Child,
        [](FrmMain& m, QWidget* parent) { return new FrmHor(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdAsig"), ScreenKind::Child,
        [](FrmMain& m, QWidget* parent) { return new FrmASig(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdDias"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmInhabiles(m.context(), parent); });
}
