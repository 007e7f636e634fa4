#pragma once
// The location edit dialog.

#include "CatalogEdit.h"

namespace Ui {
class FrmUbicaciones_creacion;
}

class FrmUbicaciones_creacion : public CatalogEdit
{
    Q_OBJECT
public:
    FrmUbicaciones_creacion(ConsoleContext& context, CatalogList& list);
    ~FrmUbicaciones_creacion() override;

    Ui::FrmUbicaciones_creacion* ui() const { return ui_; }

private:
    Ui::FrmUbicaciones_creacion* ui_;
};
