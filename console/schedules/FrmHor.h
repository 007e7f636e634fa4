#pragma once
// The schedules screen: the list of schedule names and an editor for one weekly timetable
// (working hours and meal break per weekday, lateness tolerance and early-exit minutes). Picking
// a name loads it for "&Modificar"; "&Nuevo" clears the editor for "&Registrar"ing another.

#include "ConsoleContext.h"

#include <array>
#include <optional>
#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace Ui {
class FrmHor;
}

class FrmHor : public QWidget
{
    Q_OBJECT
public:
    explicit FrmHor(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmHor() override;

    // Reloads the list of names and clears the editor.
    void LoadHours();
    // Loads the picked list entry into the editor; nothing when no entry is picked.
    void FindHour();
    // Writes the editor as a new schedule or over the loaded one, by the editor's mode.
    void SaveData();
    // Unticks every day, empties the name, sets both minute fields to "15" and disables the
    // time fields.
    void CleanData();

    // The schedule being modified, none while registering.
    std::optional<int> loadedSchedule() const { return loaded_; }

    Ui::FrmHor* ui() const { return ui_; }
    // Day N's controls (N = 1..7).
    QCheckBox* Chkdia(int n) const { return chkdia_[n - 1]; }
    QCheckBox* Chkcom(int n) const { return chkcom_[n - 1]; }
    QLineEdit* TxtEntrada(int n) const { return entrada_[n - 1]; }
    QLineEdit* TxtSalida(int n) const { return salida_[n - 1]; }
    QLineEdit* TxtCSalida(int n) const { return comidaSalida_[n - 1]; }
    QLineEdit* TxtCRegreso(int n) const { return comidaRegreso_[n - 1]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void CmbHor_Click();
    void Chkdia_Click(int n);
    void BtnReg_Click();
    void BtnNuevo_Click();
    void BtnDel_Click();

    bool modifying() const;
    // Switches to "&Registrar" with nothing loaded, or to "&Modificar" for `schedule`.
    void setMode(std::optional<int> schedule);
    // The list entry whose name the box shows, or -1 once the name has been edited.
    int pickedIndex() const;
    bool validate();

    ConsoleContext& context_;
    Ui::FrmHor* ui_;
    std::array<QCheckBox*, 7> chkdia_{};
    std::array<QCheckBox*, 7> chkcom_{};
    std::array<QLineEdit*, 7> entrada_{};
    std::array<QLineEdit*, 7> salida_{};
    std::array<QLineEdit*, 7> comidaSalida_{};
    std::array<QLineEdit*, 7> comidaRegreso_{};
    std::optional<int> loaded_;
};
