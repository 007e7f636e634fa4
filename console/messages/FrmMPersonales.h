#pragma once
// The personal messages screen: the employees, and the messages of the chosen one with the
// moment each was acknowledged at a terminal. "&Nuevo" opens the creation screen.

#include "ConsoleContext.h"

#include <QDialog>
#include <QPointer>

class FrmMPersonales_creacion;
class RowsModel;

namespace Ui {
class FrmMPersonales;
}

class FrmMPersonales : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMPersonales(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmMPersonales() override;

    // Shows the messages of the employee in that row of iGrid1.
    void iGrid1_Click(int row);
    void Command1_Click();

    Ui::FrmMPersonales* ui() const { return ui_; }
    RowsModel* employees() const { return employees_; }
    RowsModel* messages() const { return messages_; }
    // The creation screen while it is open.
    FrmMPersonales_creacion* creationScreen() const;

private:
    void Form_Load();
    void Carga_Mensajes();

    ConsoleContext& context_;
    Ui::FrmMPersonales* ui_;
    RowsModel* employees_;
    RowsModel* messages_;
    int chosenUser_ = 0;
    QPointer<FrmMPersonales_creacion> creation_;
};
