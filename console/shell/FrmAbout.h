#pragma once
// The about box of the console.

#include "ConsoleContext.h"

#include <QDialog>

namespace Ui {
class FrmAbout;
}

class FrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit FrmAbout(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmAbout() override;

    Ui::FrmAbout* ui() const { return ui_; }

private:
    void Form_Load();
    void BtnClose_Click();

    ConsoleContext& context_;
    Ui::FrmAbout* ui_;
};
