#pragma once
// The reports screen: a report from the catalogue, a range of days and the employees picked in
// the grid (all current employees, or those the filter dialog kept); "&Ejecutar" fills the
// report's working table for them and hands the report over to be shown.

#include "ConsoleContext.h"
#include "FrmView.h"
#include "ReportStore.h"

#include <optional>
#include <QPointer>
#include <QWidget>

namespace Ui {
class FrmReportes;
}
class FrmReportes_Filtro;

class FrmReportes : public QWidget
{
    Q_OBJECT
public:
    explicit FrmReportes(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmReportes() override;

    // What the report viewer is given after a run.
    struct ViewerInput
    {
        QString layoutPath; // the program's folder + "/Reportes/" + the layout file
        QString formula;    // the catalogue's selection formula, empty when none
        QString title;      // name + " del Día: " + first day + " Al Día: " + last day
    };

    // Fills iGrid1 with the active users.
    void Carga_Usuarios();
    // Fills iGrid1 with the given rows, as Carga_Usuarios does.
    void fillUsers(const QList<ReportStore::UserRow>& rows);

    // The employees whose row is selected, in grid order.
    QList<int> selectedUsers() const;

    const std::optional<ReportStore::ReportDefinition>& chosenReport() const { return report_; }
    const ViewerInput& viewerInput() const { return viewerInput_; }
    // Rows the last run wrote to the working table.
    int rowsWritten() const { return rowsWritten_; }
    // The viewer opened by the last run, while it is open.
    FrmView* viewer() const { return viewer_; }

    Ui::FrmReportes* ui() const { return ui_; }
    // The filter dialog while it is open.
    FrmReportes_Filtro* filterDialog() const;

    void CmbReportes_Click();
    void ChkSeleccion_Click(bool checked);
    void BtnFiltrar_Click();
    void BtnEjecutar_Click();

private:
    void Form_Load();
    // Shows the report of the run just made: the one place where the viewer is opened.
    void ShowReport();

    ConsoleContext& context_;
    Ui::FrmReportes* ui_;
    std::optional<ReportStore::ReportDefinition> report_;
    ViewerInput viewerInput_;
    int rowsWritten_ = 0;
    QPointer<FrmReportes_Filtro> filter_;
    QPointer<FrmView> viewer_;
};
