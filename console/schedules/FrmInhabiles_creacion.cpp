#include "FrmInhabiles_creacion.h"

#include "BusyPointer.h"
#include "FrmInhabiles.h"
#include "HolidayStore.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "Placement.h"
#include "ui_FrmInhabiles_creacion.h"

namespace {

const QString kSave = QStringLiteral("&Guardar");
const QString kModify = QStringLiteral("&Modificar");
const QString kSaveTitle = QStringLiteral("Guardar Día");

} // namespace

FrmInhabiles_creacion::FrmInhabiles_creacion(ConsoleContext& context, FrmInhabiles& list)
    : QDialog(&list)
    , context_(context)
    , list_(list)
    , ui_(new Ui::FrmInhabiles_creacion)
{
    ui_->setupUi(this);
    KeyUpper(ui_->TxtComentarios);
    connect(ui_->CmdGuardar, &QPushButton::clicked, this, &FrmInhabiles_creacion::CmdGuardar_Click);
    connect(ui_->CmdBorrar, &QPushButton::clicked, this, &FrmInhabiles_creacion::CmdBorrar_Click);
    Form_Load();
}

FrmInhabiles_creacion::~FrmInhabiles_creacion()
{
    delete ui_;
}

void FrmInhabiles_creacion::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    ui_->DpFecha->setDate(list_.SelectedDay);
    const std::optional<HolidayStore::Holiday> day =
        HolidayStore::on(context_.db, list_.SelectedDay);
    if (day) {
        ui_->CmdGuardar->setText(kModify);
        ui_->CmdBorrar->setEnabled(true);
        DayId = day->dia;
        ui_->TxtComentarios->setText(day->nombre);
    } else {
        ui_->CmdGuardar->setText(kSave);
        ui_->CmdBorrar->setEnabled(false);
        DayId = 0;
        ui_->TxtComentarios->clear();
    }
}

bool FrmInhabiles_creacion::modifying() const
{
    return ui_->CmdGuardar->text() == kModify;
}

void FrmInhabiles_creacion::CmdGuardar_Click()
{
    BusyPointer busy;
    save();
}

void FrmInhabiles_creacion::save()
{
    const QDate date = ui_->DpFecha->date();
    // A description of blanks only names nothing.
    const QString comentarios = ui_->TxtComentarios->text().trimmed();
    if (comentarios.isEmpty()) {
        ShowError(QStringLiteral("Falta el Comentario para el Día"),
                  QStringLiteral("Registro Incompleto"));
        ui_->TxtComentarios->setFocus();
        return;
    }
    if (HolidayStore::dateTaken(context_.db, date, modifying() ? DayId : 0)) {
        ShowError(QStringLiteral("Ya existe un Día Inhábil registrado para el %1.")
                      .arg(date.toString(QStringLiteral("dd/MM/yyyy"))),
                  QStringLiteral("Día Duplicado"));
        ui_->DpFecha->setFocus();
        return;
    }
    if (!modifying()) {
        if (!HolidayStore::add(context_.db, date, comentarios, context_.AdminUser))
            return;
        ShowInfo(QStringLiteral("Día Guardado Correctamente"), kSaveTitle);
    } else {
        if (!HolidayStore::change(context_.db, DayId, date, comentarios, context_.AdminUser))
            return;
        ShowInfo(QStringLiteral("Día Modificado Correctamente"), kSaveTitle);
    }
    list_.Carga_Dias();
    close();
}

void FrmInhabiles_creacion::CmdBorrar_Click()
{
    if (!modifying())
        return;
    if (!AskYesNo(QStringLiteral("¿Está seguro de Eliminar el Día?"), QStringLiteral("Borrar Día")))
        return;
    if (!HolidayStore::remove(context_.db, DayId))
        return;
    ShowInfo(QStringLiteral("Día Eliminado Correctamente!!"), QStringLiteral("Día Borrado"));
    list_.Carga_Dias();
    close();
}
