#pragma once
// The manual events list: a calendar to pick the day, the active employees, and the chosen
// employee's event of that day with the trail of its manual changes. "&Nuevo" and a
// double-click on the event open the editing screen for the chosen employee and day.

#include "ConsoleContext.h"

#include <QDate>
#include <QDialog>
#include <QPointer>

class FrmEventos_manuales_creacion;

namespace Ui {
class FrmEventos_manuales;
}

class FrmEventos_manuales : public QDialog
{
    Q_OBJECT
public:
    explicit FrmEventos_manuales(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmEventos_manuales() override;

    // Reloads the chosen user's event and trail of the calendar's day; does nothing while no user
    // is chosen in this screen.
    void Carga_Eventos();

    void iGrid1_DblClick(int row);
    void iGrid2_DblClick(int row);
    void CmdAgregar_Click();

    // The day the editing screen works on.
    QDate ChosenDay;

    Ui::FrmEventos_manuales* ui() const { return ui_; }
    FrmEventos_manuales_creacion* editor() const;

private:
    void Form_Load();
    void Calendario_Click();
    void showEditor();
    void showTrail(int user, const QDate& day);

    ConsoleContext& context_;
    Ui::FrmEventos_manuales* ui_;
    int chosenRow_ = -1; // the row of the user chosen in this screen
    QPointer<FrmEventos_manuales_creacion> editor_;
};
