#pragma once
// The creation of personal messages: one subject and text, due from a chosen day, sent to the
// employees selected in the grid or to all of them at once.

#include "ConsoleContext.h"

#include <QDialog>

class RowsModel;

namespace Ui {
class FrmMPersonales_creacion;
}

class FrmMPersonales_creacion : public QDialog
{
    Q_OBJECT
public:
    FrmMPersonales_creacion(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmMPersonales_creacion() override;

    void OpcSeleccion_Click();
    void OpcTodos_Click();
    void BtnAceptar_Click();

    // The user numbers the message would go to now.
    QList<int> recipients() const;

    Ui::FrmMPersonales_creacion* ui() const { return ui_; }
    RowsModel* employees() const { return employees_; }

signals:
    // The messages were stored; the screen closes next.
    void messagesSent();

private:
    void Form_Load();

    ConsoleContext& context_;
    Ui::FrmMPersonales_creacion* ui_;
    RowsModel* employees_;
};
