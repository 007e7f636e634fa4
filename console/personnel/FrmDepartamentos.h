#pragma once
// The departments list screen.

#include "CatalogList.h"

namespace Ui {
class FrmDepartamentos;
}

class FrmDepartamentos : public CatalogList
{
    Q_OBJECT
public:
    explicit FrmDepartamentos(ConsoleContext& context, QWidget* parent = nullptr);
    ~FrmDepartamentos() override;

    Ui::FrmDepartamentos* ui() const { return ui_; }

protected:
    CatalogEdit* createEditor() override;

private:
    Ui::FrmDepartamentos* ui_;
};
