#include "FrmUbicaciones_creacion.h"

#include "ui_FrmUbicaciones_creacion.h"

FrmUbicaciones_creacion::FrmUbicaciones_creacion(ConsoleContext& context, CatalogList& list)
    : CatalogEdit(context, locationCatalog(), list)
    , ui_(new Ui::FrmUbicaciones_creacion)
{
    ui_->setupUi(this);
    bind(ui_->TxtNombre, ui_->CmdGuardar, ui_->CmdBorrar);
}

FrmUbicaciones_creacion::~FrmUbicaciones_creacion()
{
    delete ui_;
}
