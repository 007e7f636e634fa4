#include "FrmUbicaciones.h"

#include "FrmUbicaciones_creacion.h"
#include "ui_FrmUbicaciones.h"

FrmUbicaciones::FrmUbicaciones(ConsoleContext& context, QWidget* parent)
    : CatalogList(context, locationCatalog(), parent)
    , ui_(new Ui::FrmUbicaciones)
{
    ui_->setupUi(this);
    bind(ui_->iGrid1, ui_->CmdNuevo);
}

FrmUbicaciones::~FrmUbicaciones()
{
    delete ui_;
}

CatalogEdit* FrmUbicaciones::createEditor()
{
    return new FrmUbicaciones_creacion(context_, *this);
}
