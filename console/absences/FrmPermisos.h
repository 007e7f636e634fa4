#pragma once
// The permissions list: the active employees; double-clicking one lists his permissions that
// begin between the two filter dates, of the kinds whose boxes are checked. "&Nuevo" and a
// double-click on a permission open the editing screen.

#include "ConsoleContext.h"

#include <QDialog>
#include <QPointer>

class FrmPermisos_creacion;
class QCheckBox;

namespace Ui {
class FrmPermisos;
}

class FrmPermisos : public QDialog
{
    Q_OBJECT
public:
    explicit FrmPermisos(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmPermisos() override;

    // Reloads the chosen user's permissions (empty while no user is chosen in this screen).
    void Carga_Eventos();

    void iGrid1_DblClick(int row);
    void iGrid2_DblClick(int row);
    void BtnNuevo_Click();

    // The permission the editing screen opens; 0 for a new one.
    int ChosenPermission = 0;

    Ui::FrmPermisos* ui() const { return ui_; }
    // The editing screen while it is open.
    FrmPermisos_creacion* editor() const;

private:
    void Form_Load();
    void showEditor();
    QList<QCheckBox*> filterBoxes() const; // in kind order, 1 to 7

    ConsoleContext& context_;
    Ui::FrmPermisos* ui_;
    int chosenRow_ = -1; // the row of the user chosen in this screen
    QPointer<FrmPermisos_creacion> editor_;
};
