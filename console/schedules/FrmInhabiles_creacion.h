#pragma once
// The dialog of one non-working day: opened for the list's SelectedDay, it registers a day for
// that date ("&Guardar"), or changes ("&Modificar") or deletes ("&Eliminar") the one registered.
// A date holds at most one non-working day.

#include "ConsoleContext.h"

#include <QDialog>

class FrmInhabiles;

namespace Ui {
class FrmInhabiles_creacion;
}

class FrmInhabiles_creacion : public QDialog
{
    Q_OBJECT
public:
    FrmInhabiles_creacion(ConsoleContext& context, FrmInhabiles& list);
    ~FrmInhabiles_creacion() override;

    // The key of the day loaded when the dialog opened; 0 when registering.
    int DayId = 0;

    Ui::FrmInhabiles_creacion* ui() const { return ui_; }

    void CmdGuardar_Click();
    void CmdBorrar_Click();

private:
    void Form_Load();
    bool modifying() const;
    void save();

    ConsoleContext& context_;
    FrmInhabiles& list_;
    Ui::FrmInhabiles_creacion* ui_;
};
