#pragma once
// The locations' broadcast messages: the message of the chosen location, and saving one text
// as the message of the selected locations or of all of them. Each location keeps one message.

#include "ConsoleContext.h"

#include <QDialog>

class RowsModel;

namespace Ui {
class FrmMUbicacion;
}

class FrmMUbicacion : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMUbicacion(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmMUbicacion() override;

    // Shows the message of the location in that row of iGrid1.
    void iGrid1_Click(int row);
    void CmdGuardar_Click();

    // The location numbers selected in iGrid1.
    QList<int> selectedLocations() const;

    Ui::FrmMUbicacion* ui() const { return ui_; }
    RowsModel* locations() const { return locations_; }

private:
    void Form_Load();

    ConsoleContext& context_;
    Ui::FrmMUbicacion* ui_;
    RowsModel* locations_;
};
