#pragma once
// The reports screen's filter: keep or drop the employees of a department and/or those with
// events entered at a location, and show the result in the reports screen's grid.

#include "ConsoleContext.h"

#include <QDialog>

namespace Ui {
class FrmReportes_Filtro;
}
class FrmReportes;

class FrmReportes_Filtro : public QDialog
{
    Q_OBJECT
public:
    FrmReportes_Filtro(ConsoleContext& context, FrmReportes& reports, QWidget* parent = nullptr);
    ~FrmReportes_Filtro() override;

    Ui::FrmReportes_Filtro* ui() const { return ui_; }

    void CmdAceptar_Click();

private:
    void Form_Load();

    ConsoleContext& context_;
    FrmReportes& reports_;
    Ui::FrmReportes_Filtro* ui_;
};
