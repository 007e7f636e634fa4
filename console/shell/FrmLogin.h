#pragma once
// The administrator's login: only an active administrator with his password gets into the
// console. Three failures are told; the fourth, a cancel or closing the dialog ends the console.

#include "ConsoleContext.h"

#include <QDialog>

namespace Ui {
class FrmLogin;
}

class FrmLogin : public QDialog
{
    Q_OBJECT
public:
    explicit FrmLogin(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmLogin() override;

    bool LoginPending = true;
    int LoginAttempts = 0;

    Ui::FrmLogin* ui() const { return ui_; }

public slots:
    // Closing the dialog in any way while the login is pending ends the console.
    void reject() override;

private:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    // The administrator's number for these credentials, or 0 when they are refused.
    int findAdministrator() const;
    void endConsole();

    ConsoleContext& context_;
    Ui::FrmLogin* ui_;
};
