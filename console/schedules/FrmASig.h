#pragma once
// The schedule assignment screen: one employee at a time gets a fixed schedule, or the two
// schedules he alternates week by week. A rotating employee's pair is written in two presses
// of "&Asignar" (odd weeks first) and the screen does not close between them. The month calendar
// shows which schedule applies in the week of a clicked date.

#include "ConsoleContext.h"
#include "FrmSrc.h"

#include <optional>
#include <QPointer>
#include <QWidget>

namespace Ui {
class FrmASig;
}

class FrmASig : public QWidget
{
    Q_OBJECT
public:
    explicit FrmASig(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmASig() override;

    // Looks up the user whose number is in TbUsr.
    void FindUsr();
    // Reloads the list of schedules.
    void LoadHours();
    // Shows the user's assigned schedules in TxtHorario1 and TxtHorario2.
    void GetHours();
    // Writes one assignment row for the looked-up user and the picked schedule.
    void AddHour();

    // Rows written for the current user since he was looked up.
    int AssignCount = 0;
    // The user looked up, none before a look-up finds one.
    std::optional<int> user() const { return user_; }

    Ui::FrmASig* ui() const { return ui_; }
    // The search dialog while it is open.
    FrmSrc* searchDialog() const { return search_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void BtnFind_Click();
    void BtnAdd_Click();
    void BtnBorrar_Click();
    void CtrlMes_Click(const QDate& date);

    bool rotating() const;
    void lockUser(bool locked);
    // Forgets the user shown: nothing can be assigned or deleted until the next look-up.
    void forgetUser();

    ConsoleContext& context_;
    Ui::FrmASig* ui_;
    std::optional<int> user_;
    QPointer<FrmSrc> search_;
};
