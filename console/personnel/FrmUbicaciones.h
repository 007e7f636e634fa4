#pragma once
// The locations list screen.

#include "CatalogList.h"

namespace Ui {
class FrmUbicaciones;
}

class FrmUbicaciones : public CatalogList
{
    Q_OBJECT
public:
    explicit FrmUbicaciones(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmUbicaciones() override;

    Ui::FrmUbicaciones* ui() const { return ui_; }

protected:
    CatalogEdit* createEditor() override;

private:
    Ui::FrmUbicaciones* ui_;
};
