#pragma once
// The users screen: one employee at a time. Typing (or choosing) a user number loads him and
// switches to "&Modificar"; an unknown number clears the screen for "&Registrar"ing a new one,
// whose number the database assigns and the success box tells. Deleting a user also deletes his
// events, fingerprints and schedule assignments. The rows go through UserStore; the checks
// before saving are userProblems (UserValidation).

#include "ConsoleContext.h"
#include "FrmSrc.h"
#include "UserStore.h"

#include <QPointer>
#include <QWidget>

namespace Ui {
class FrmUsr;
}

class FrmUsr : public QWidget
{
    Q_OBJECT
public:
    explicit FrmUsr(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmUsr() override;

    // Loads the user whose number is in TbUsr.
    void FindUsr();
    // Resets every field but TbUsr to the new-user state.
    void CleanData();
    // Writes the screen to the database (after BtnReg_Click's validation).
    void SaveData();
    // CmbDep shows the name of SelectedDepartment.
    void ShowDepartmentName();
    // SelectedDepartment = the department named in CmbDep, or 0.
    void FindDepartmentByName();

    // The loaded user's department, or the one found for a typed name.
    int SelectedDepartment = 0;

    Ui::FrmUsr* ui() const { return ui_; }
    // The search dialog while it is open.
    FrmSrc* searchDialog() const { return search_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void TbUsr_LostFocus();
    void BtnFind_Click();
    void BtnReg_Click();
    void BtnDel_Click();
    void ChkStat_Click();

    bool modifying() const;
    // The list entry of CmbDep that is selected and shown, or -1.
    int selectedDepartmentIndex() const;
    bool validate();
    // The user as the screen shows him.
    UserRecord screenUser() const;

    ConsoleContext& context_;
    Ui::FrmUsr* ui_;
    QPointer<FrmSrc> search_;
};
