#pragma once
// The user search dialog: users whose names contain the typed text, refreshed on every key.
// Choosing one leaves his number in the context's SelectedUser; closing otherwise leaves it empty.

#include "ConsoleContext.h"

#include <functional>
#include <QDialog>

class QLineEdit;

namespace Ui {
class FrmSrc;
}

class FrmSrc : public QDialog
{
    Q_OBJECT
public:
    explicit FrmSrc(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmSrc() override;

    // Empties the grid: the header and one empty row.
    void InitStuff();
    // Fills the grid with the users whose names contain Criteria (at most 12 below 6 characters).
    void FindRow(const QString& Criteria);

    // True while the grid holds no result.
    bool FirstRow = true;

    Ui::FrmSrc* ui() const { return ui_; }

public slots:
    // "Cerrar", Escape or the window's close box: nothing chosen.
    void reject() override;

private:
    void Form_Load();
    void TbFnd_Change(const QString& text);
    void BtnSel_Click();
    void GrdFnd_DblClick();
    void BtnClose_Click();

    ConsoleContext& context_;
    Ui::FrmSrc* ui_;
};

// Opens the search over `owner` without blocking. When a user is chosen, his whole number goes
// into `box` (even one longer than the box lets a person type: cut short it would name another
// user) and `chosen` runs. Returns the dialog, which deletes itself when closed.
FrmSrc* OpenUserSearch(ConsoleContext& context, QWidget* owner, QLineEdit* box,
                       std::function<void()> chosen);
