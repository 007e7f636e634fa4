#pragma once
// The non-working days screen: the registered days by date and a month calendar. Clicking a
// date, or double-clicking a day of the grid, opens that date's dialog to register, change or
// delete its non-working day.

#include "ConsoleContext.h"
#include "FrmInhabiles_creacion.h"
#include "HolidayGrid.h"

#include <QDate>
#include <QDialog>
#include <QPointer>

namespace Ui {
class FrmInhabiles;
}

class FrmInhabiles : public QDialog
{
    Q_OBJECT
public:
    explicit FrmInhabiles(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmInhabiles() override;

    // Reloads the grid from the database.
    void Carga_Dias();

    // The date whose dialog opens next.
    QDate SelectedDay;

    Ui::FrmInhabiles* ui() const { return ui_; }
    HolidayGrid& grid() { return grid_; }
    // The day dialog while it is open.
    FrmInhabiles_creacion* editor() const { return editor_; }

    void Mes_Click(const QDate& date);
    // Grid rows count from 0 here; a row outside the grid does nothing.
    void iGrid1_DblClick(int row);

private:
    void Form_Load();
    void openDay();

    ConsoleContext& context_;
    Ui::FrmInhabiles* ui_;
    HolidayGrid grid_;
    QPointer<FrmInhabiles_creacion> editor_;
};
