#include "FrmEventos_manuales_creacion.h"

#include "FrmEventos_manuales.h"
#include "ManualEventStore.h"
#include "Messages.h"
#include "Placement.h"
#include "ui_FrmEventos_manuales_creacion.h"

namespace {

const QString kSave = QStringLiteral("&Guardar");
const QString kChange = QStringLiteral("&Cambiar");
const QTime kNoMark(0, 0, 0);

QTime pickerTime(const EventRules::OptionalTime& mark)
{
    return mark ? *mark : kNoMark;
}

} // namespace

using namespace EventRules;

FrmEventos_manuales_creacion::FrmEventos_manuales_creacion(ConsoleContext& context,
                                                           FrmEventos_manuales& list, int user,
                                                           const QDate& day)
    : QDialog(&list)
    , context_(context)
    , list_(list)
    , ui_(new Ui::FrmEventos_manuales_creacion)
    , user_(user)
    , day_(day)
{
    ui_->setupUi(this);
    connect(ui_->CmdGuardar, &QPushButton::clicked, this,
            &FrmEventos_manuales_creacion::CmdGuardar_Click);
    Form_Load();
}

FrmEventos_manuales_creacion::~FrmEventos_manuales_creacion()
{
    delete ui_;
}

void FrmEventos_manuales_creacion::Form_Load()
{
    context_.skin.applySkin(this);
    placeWhenShown(this);
    // The calendar only shows the day being edited.
    ui_->Calendario->setDateRange(day_, day_);
    ui_->Calendario->setSelectedDate(day_);
    Calcula_Orden();
    Busca_Horario();
    const auto stored = ManualEventStore::eventOfDay(context_.db, user_, day_);
    if (!stored) {
        Limpia_Horas();
        return;
    }
    ui_->CmdGuardar->setText(kChange);
    EventNumber = stored->evento;
    ui_->DPEntrada->setTime(pickerTime(stored->marks.entrada));
    ui_->DPSalida->setTime(pickerTime(stored->marks.salida));
    ui_->DPEComida->setTime(pickerTime(stored->marks.salidaBreak));
    ui_->DPRComida->setTime(pickerTime(stored->marks.regresoBreak));
}

void FrmEventos_manuales_creacion::Limpia_Horas()
{
    ui_->CmdGuardar->setText(kSave);
    for (QTimeEdit* picker : {ui_->DPEntrada, ui_->DPEComida, ui_->DPRComida, ui_->DPSalida})
        picker->setTime(kNoMark);
}

void FrmEventos_manuales_creacion::Calcula_Orden()
{
    RotationOrder = ManualEventStore::rotationOrder(context_.db, user_, day_);
}

void FrmEventos_manuales_creacion::Busca_Horario()
{
    const auto schedule = ManualEventStore::schedule(context_.db, user_, RotationOrder);
    if (!schedule) {
        ui_->LblHorario->setText(Text::kNoSchedule);
        ScheduleNumber = 0;
        return;
    }
    ui_->LblHorario->setText(Text::kSchedule + schedule->nombre);
    ScheduleNumber = schedule->horario;
}

Marks FrmEventos_manuales_creacion::marks() const
{
    return Marks{markOf(ui_->DPEntrada->time()), markOf(ui_->DPEComida->time()),
                 markOf(ui_->DPRComida->time()), markOf(ui_->DPSalida->time())};
}

void FrmEventos_manuales_creacion::CmdGuardar_Click()
{
    const bool creating = ui_->CmdGuardar->text() == kSave;
    const Marks day = marks();
    if (sequenceOf(day) == Sequence::Wrong) {
        ShowError(creating ? Text::kWrongNew : Text::kWrongChange, Text::kWrongTitle);
    } else {
        ManualEventStore::Request request;
        request.usuario = user_;
        request.day = day_;
        request.marks = day;
        request.horario = ScheduleNumber;
        request.location = context_.LocationNumber;
        request.administrator = context_.AdminUser;
        const ManualEventStore::Result result = ManualEventStore::save(context_.db, request);
        if (result.done == ManualEventStore::Done::Created)
            ShowInfo(Text::kCreated, Text::kCreatedTitle);
        else if (result.done == ManualEventStore::Done::Changed)
            ShowInfo(Text::kChanged, Text::kChangedTitle);
    }
    list_.Carga_Eventos();
    close();
}
