#pragma once
// The personal message window: shows one pending message of the employee who just punched and
// waits until he acknowledges it ("&Enterado"), presses Escape or lets 50 seconds pass. Only the
// acknowledgement marks the message received.

#include "TerminalMessages.h"

#include <QDialog>
#include <QTimer>

struct AppContext;

namespace Ui {
class FrmMensajes;
}

class FrmMensajes : public QDialog
{
    Q_OBJECT
public:
    FrmMensajes(AppContext& context, const PersonalMessage& message, QWidget* parent = nullptr);
    ~FrmMensajes() override;

    Ui::FrmMensajes* ui() const { return ui_; }
    QTimer& TmrInicio() { return tmrInicio_; }
    QTimer& TmrCierra() { return tmrCierra_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void CmdEnterado_Click();
    void TmrInicio_Timer();
    void TmrCierra_Timer();

    AppContext& context_;
    PersonalMessage message_;
    Ui::FrmMensajes* ui_;
    QTimer tmrInicio_;
    QTimer tmrCierra_;
};
