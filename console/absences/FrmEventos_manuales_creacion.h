#pragma once
// The editing screen of one employee's event of one day: the four marks (arrival, meal out,
// meal back, exit) in time pickers where 00:00:00 means no mark, and the day's schedule found
// by its rotation order. "&Guardar" creates the event, "&Cambiar" changes the one loaded; every
// save, refused or not, reloads the list and closes the screen.

#include "ConsoleContext.h"
#include "EventRules.h"

#include <QDate>
#include <QDialog>

class FrmEventos_manuales;

namespace Ui {
class FrmEventos_manuales_creacion;
}

class FrmEventos_manuales_creacion : public QDialog
{
    Q_OBJECT
public:
    FrmEventos_manuales_creacion(ConsoleContext& context, FrmEventos_manuales& list, int user,
                                 const QDate& day);
    ~FrmEventos_manuales_creacion() override;

    // "&Guardar" and every picker at 00:00:00.
    void Limpia_Horas();
    // The schedule order of the day (0, 1 or 2).
    void Calcula_Orden();
    // The schedule of the user for that order, shown in LblHorario.
    void Busca_Horario();
    void CmdGuardar_Click();

    int RotationOrder = 0;
    int ScheduleNumber = 0; // 0 without a schedule
    int EventNumber = 0;    // the event loaded, 0 when creating

    Ui::FrmEventos_manuales_creacion* ui() const { return ui_; }

private:
    void Form_Load();
    EventRules::Marks marks() const;

    ConsoleContext& context_;
    FrmEventos_manuales& list_;
    Ui::FrmEventos_manuales_creacion* ui_;
    int user_;
    QDate day_;
};
