#include "FrmDepartamentos.h"

#include "FrmDepartamentos_creacion.h"
#include "ui_FrmDepartamentos.h"

FrmDepartamentos::FrmDepartamentos(ConsoleContext& context, QWidget* parent)
    : CatalogList(context, departmentCatalog(), parent)
    , ui_(new Ui::FrmDepartamentos)
{
    ui_->setupUi(this);
    bind(ui_->iGrid1, ui_->CmdNuevo);
}

FrmDepartamentos::~FrmDepartamentos()
{
    delete ui_;
}

CatalogEdit* FrmDepartamentos::createEditor()
{
    return new FrmDepartamentos_creacion(context_, *this);
}
