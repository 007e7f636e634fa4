#include "ConsoleScreens.h"

#include "FingerprintScreens.h"
#include "FrmASig.h"
#include "FrmDepartamentos.h"
#include "FrmEventos_manuales.h"
#include "FrmHor.h"
#include "FrmInhabiles.h"
#include "FrmMain.h"
#include "FrmMPersonales.h"
#include "FrmMUbicacion.h"
#include "FrmPermisos.h"
#include "FrmReportes.h"
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
    main.registerScreen(
        QStringLiteral("msgper"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmMPersonales(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("cmdGenerales"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmMUbicacion(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdDyn"), ScreenKind::Child,
        [](FrmMain& m, QWidget* parent) { return new FrmReportes(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("cmdPermisos"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmPermisos(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdCheck"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmEventos_manuales(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdHor"), ScreenKind::Child,
        [](FrmMain& m, QWidget* parent) { return new FrmHor(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdAsig"), ScreenKind::Child,
        [](FrmMain& m, QWidget* parent) { return new FrmASig(m.context(), parent); });
    main.registerScreen(
        QStringLiteral("CmdDias"), ScreenKind::Modal,
        [](FrmMain& m, QWidget* parent) { return new FrmInhabiles(m.context(), parent); });
    registerFingerprintScreens(main);
}
