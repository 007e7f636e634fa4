#pragma once
// The department edit dialog.

#include "CatalogEdit.h"

namespace Ui {
class FrmDepartamentos_creacion;
}

class FrmDepartamentos_creacion : public CatalogEdit
{
    Q_OBJECT
public:
    FrmDepartamentos_creacion(ConsoleContext& context, CatalogList& list);
    ~FrmDepartamentos_creacion() override;

    Ui::FrmDepartamentos_creacion* ui() const { return ui_; }

private:
    Ui::FrmDepartamentos_creacion* ui_;
};
