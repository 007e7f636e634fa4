#pragma once
// The editing screen of one permission: its period picked in the month view (at most 100
// days), its kind, reason and authoriser. "&Guardar" stores a new permission, "&Modificar"
// changes the one opened; "&Borrar" deletes it. After a save or a delete the list is reloaded
// and the screen closes; a refused save keeps everything typed.

#include "ConsoleContext.h"

#include <QDialog>

class FrmPermisos;
class QRadioButton;

namespace Ui {
class FrmPermisos_creacion;
}

class FrmPermisos_creacion : public QDialog
{
    Q_OBJECT
public:
    // `permiso` 0 opens a new permission for the context's ChosenUser.
    FrmPermisos_creacion(ConsoleContext& context, FrmPermisos& list, int permiso);
    ~FrmPermisos_creacion() override;

    // The kind code of the selected option button (1 to 7).
    int Lee_Tipo() const;

    void CmdGuardar_Click();
    void CmdBorrar_Click();

    Ui::FrmPermisos_creacion* ui() const { return ui_; }

private:
    void Form_Load();
    void Mes_Picked();
    void showPeriod();
    bool modifying() const;
    QList<QRadioButton*> kindButtons() const; // in kind order, 1 to 7

    ConsoleContext& context_;
    FrmPermisos& list_;
    Ui::FrmPermisos_creacion* ui_;
    int permiso_ = 0;
    int usuario_ = 0;
};
