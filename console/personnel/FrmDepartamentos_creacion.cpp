#include "FrmDepartamentos_creacion.h"

#include "ui_FrmDepartamentos_creacion.h"

FrmDepartamentos_creacion::FrmDepartamentos_creacion(ConsoleContext& context, CatalogList& list)
    : CatalogEdit(context, departmentCatalog(), list)
    , ui_(new Ui::FrmDepartamentos_creacion)
{
    ui_->setupUi(this);
    bind(ui_->TxtNombre, ui_->CmdGuardar, ui_->CmdBorrar);
}

FrmDepartamentos_creacion::~FrmDepartamentos_creacion()
{
    delete ui_;
}
