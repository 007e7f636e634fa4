#include "FrmPermisos_creacion.h"

#include "FrmPermisos.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "PermissionStore.h"
#include "Placement.h"
#include "ui_FrmPermisos_creacion.h"

namespace {

const QString kSave = QStringLiteral("&Guardar");
const QString kModify = QStringLiteral("&Modificar");

} // namespace

using namespace PermissionRules;

FrmPermisos_creacion::FrmPermisos_creacion(ConsoleContext& context, FrmPermisos& list, int permiso)
    : QDialog(&list)
    , context_(context)
    , list_(list)
    , ui_(new Ui::FrmPermisos_creacion)
    , permiso_(permiso)
{
    ui_->setupUi(this);
    ui_->Mes->setMaximumDays(kMaxPeriodDays);
    KeyUpper(ui_->TxtMotivo);
    KeyUpper(ui_->TxtAutoriza);
    connect(ui_->Mes, &MonthRangeCalendar::rangePicked, this, &FrmPermisos_creacion::Mes_Picked);
    connect(ui_->CmdGuardar, &QPushButton::clicked, this, &FrmPermisos_creacion::CmdGuardar_Click);
    connect(ui_->CmdBorrar, &QPushButton::clicked, this, &FrmPermisos_creacion::CmdBorrar_Click);
    Form_Load();
}

FrmPermisos_creacion::~FrmPermisos_creacion()
{
    delete ui_;
}

void FrmPermisos_creacion::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    setWindowTitle(QStringLiteral("Programación de Evento Para: ") + context_.ChosenUserName);
    const QDate today = context_.clock.today();
    ui_->Mes->setRange(today, today);
    const auto stored = PermissionStore::read(context_.db, permiso_);
    if (!stored) {
        permiso_ = 0;
        usuario_ = context_.ChosenUser;
        ui_->CmdGuardar->setText(kSave);
        ui_->CmdBorrar->setEnabled(false);
        ui_->OpcTarde->setChecked(true);
        return;
    }
    usuario_ = stored->usuario;
    ui_->CmdGuardar->setText(kModify);
    ui_->CmdBorrar->setEnabled(true);
    ui_->Mes->setRange(stored->entry.period.start, stored->entry.period.end);
    ui_->TxtMotivo->setText(stored->entry.motivo);
    ui_->TxtAutoriza->setText(stored->entry.autoriza);
    showPeriod();
    const QList<QRadioButton*> kinds = kindButtons();
    const int tipo = stored->tipo;
    kinds[(tipo >= kLateArrival && tipo <= kSickLeave ? tipo : kSickLeave) - 1]->setChecked(true);
}

bool FrmPermisos_creacion::modifying() const
{
    return ui_->CmdGuardar->text() != kSave;
}

void FrmPermisos_creacion::Mes_Picked()
{
    showPeriod();
}

void FrmPermisos_creacion::showPeriod()
{
    const Period period{ui_->Mes->startDay(), ui_->Mes->endDay()};
    ui_->LblPeriodo->setText(periodLabel(period));
    ui_->LblDias->setText(daysLabel(period));
}

QList<QRadioButton*> FrmPermisos_creacion::kindButtons() const
{
    return {ui_->OpcTarde, ui_->OpcTemprano, ui_->OpcSinGoce,    ui_->OpcConGoce,
            ui_->OpcVaca,  ui_->OpcSancion,  ui_->OpcIncapacidad};
}

int FrmPermisos_creacion::Lee_Tipo() const
{
    const QList<QRadioButton*> kinds = kindButtons();
    for (int index = 0; index < kinds.size(); ++index)
        if (kinds[index]->isChecked())
            return index + 1;
    return kLateArrival;
}

void FrmPermisos_creacion::CmdGuardar_Click()
{
    PermissionStore::Permission permission;
    permission.permiso = modifying() ? permiso_ : 0;
    permission.usuario = usuario_;
    permission.entry = Entry{Period{ui_->Mes->startDay(), ui_->Mes->endDay()},
                             ui_->TxtMotivo->text(), ui_->TxtAutoriza->text()};
    permission.tipo = Lee_Tipo();
    switch (PermissionStore::save(context_.db, permission, context_.AdminUser)) {
    case PermissionStore::Outcome::Overlap:
        ShowError(Text::kOverlap, Text::kOverlapTitle);
        return;
    case PermissionStore::Outcome::Incomplete:
        ShowError(Text::kMissing, Text::kMissingTitle);
        if (ui_->TxtMotivo->text().trimmed().isEmpty())
            ui_->TxtMotivo->setFocus();
        else
            ui_->TxtAutoriza->setFocus();
        return;
    case PermissionStore::Outcome::Gone:
        ShowError(Text::kGone, Text::kGoneTitle);
        break;
    case PermissionStore::Outcome::Failed:
        return;
    case PermissionStore::Outcome::Saved:
        ShowInfo(permission.permiso == 0 ? Text::kSaved : Text::kChanged, Text::kSavedTitle);
        break;
    }
    list_.Carga_Eventos();
    close();
}

void FrmPermisos_creacion::CmdBorrar_Click()
{
    if (!modifying() || permiso_ == 0)
        return;
    if (!AskYesNo(Text::kDeleteQuestion, Text::kDeleteTitle))
        return;
    if (!PermissionStore::remove(context_.db, permiso_))
        return;
    ShowInfo(Text::kDeleted, Text::kDeletedTitle);
    list_.Carga_Eventos();
    close();
}
