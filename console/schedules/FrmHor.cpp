#include "FrmHor.h"

#include "KeyFilters.h"
#include "Messages.h"
#include "ScheduleStore.h"
#include "ScheduleValidation.h"
#include "ui_FrmHor.h"
#include "WholeNumber.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

using ScheduleValidation::Control;

namespace {

const QString kRegister = QStringLiteral("&Registrar");
const QString kModify = QStringLiteral("&Modificar");
// What both minute fields hold on a fresh editor.
const QString kDefaultMinutes = QStringLiteral("15");

template <typename T> T* control(QWidget* form, const char* prefix, int n)
{
    return form->findChild<T*>(QString::fromLatin1(prefix) + QString::number(n));
}

// A stored time into a masked field; an empty text leaves the field's place-holders.
void showTime(QLineEdit* field, const QString& time)
{
    if (time.isEmpty())
        field->clear();
    else
        field->setText(time);
}

} // namespace

FrmHor::FrmHor(ConsoleContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(new Ui::FrmHor)
{
    ui_->setupUi(this);
    for (int n = 1; n <= 7; ++n) {
        chkdia_[n - 1] = control<QCheckBox>(this, "Chkdia", n);
        chkcom_[n - 1] = control<QCheckBox>(this, "Chkcom", n);
        entrada_[n - 1] = control<QLineEdit>(this, "TxtEntrada", n);
        salida_[n - 1] = control<QLineEdit>(this, "TxtSalida", n);
        comidaSalida_[n - 1] = control<QLineEdit>(this, "TxtCSalida", n);
        comidaRegreso_[n - 1] = control<QLineEdit>(this, "TxtCRegreso", n);
        connect(Chkdia(n), &QCheckBox::toggled, this, [this, n] { Chkdia_Click(n); });
    }
    KeyUpper(ui_->CmbHor);
    // A new name that begins like an existing one stays as typed, not completed to that one.
    ui_->CmbHor->setCompleter(nullptr);
    // Only digits, also when pasted: the columns hold 0 to 999 minutes.
    for (QLineEdit* minutes : {ui_->TxtRetardo, ui_->TxtCheca}) {
        KeyDigits(minutes);
        minutes->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,3}")), minutes));
    }
    ui_->CmbHor->installEventFilter(this);
    connect(ui_->CmbHor, &QComboBox::activated, this, &FrmHor::CmbHor_Click);
    connect(ui_->BtnReg, &QPushButton::clicked, this, &FrmHor::BtnReg_Click);
    connect(ui_->BtnNuevo, &QPushButton::clicked, this, &FrmHor::BtnNuevo_Click);
    connect(ui_->BtnDel, &QPushButton::clicked, this, &FrmHor::BtnDel_Click);
    Form_Load();
}

FrmHor::~FrmHor()
{
    ui_->CmbHor->removeEventFilter(this);
    delete ui_;
}

void FrmHor::Form_Load()
{
    context_.skin.applySkin(this);
    LoadHours();
    CleanData();
    setMode(std::nullopt);
}

bool FrmHor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->CmbHor && event->type() == QEvent::FocusOut) {
        // Moving to another control of the open screen, not to the list's popup, another window
        // or the screen closing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            FindHour();
    }
    return QWidget::eventFilter(watched, event);
}

void FrmHor::LoadHours()
{
    ui_->CmbHor->clear();
    for (const ScheduleStore::Entry& entry : ScheduleStore::list(context_.db))
        ui_->CmbHor->addItem(entry.name, entry.horario);
    CleanData();
}

int FrmHor::pickedIndex() const
{
    const int index = ui_->CmbHor->currentIndex();
    if (index < 0 || ui_->CmbHor->itemText(index) != ui_->CmbHor->currentText())
        return -1;
    return index;
}

void FrmHor::FindHour()
{
    const int index = pickedIndex();
    if (index >= 0) {
        const int key = ui_->CmbHor->itemData(index).toInt();
        const std::optional<ScheduleStore::Schedule> schedule =
            ScheduleStore::load(context_.db, key);
        if (!schedule) {
            // Deleted meanwhile at another console.
            setMode(std::nullopt);
            CleanData();
        } else {
            for (int n = 1; n <= 7; ++n) {
                const ScheduleStore::Day& day = schedule->days[n - 1];
                Chkdia(n)->setChecked(!day.entrada.isEmpty());
                showTime(TxtEntrada(n), day.entrada);
                showTime(TxtSalida(n), day.entrada.isEmpty() ? QString() : day.salida);
                Chkcom(n)->setChecked(!day.salidaBreak.isEmpty());
                showTime(TxtCSalida(n), day.salidaBreak);
                showTime(TxtCRegreso(n), day.salidaBreak.isEmpty() ? QString() : day.regresoBreak);
            }
            ui_->TxtRetardo->setText(QString::number(schedule->toleranciaRetardo));
            ui_->TxtCheca->setText(QString::number(schedule->checaAntes));
            setMode(key);
        }
    }
    context_.skin.applySkin(this);
}

void FrmHor::CleanData()
{
    for (int n = 1; n <= 7; ++n) {
        Chkcom(n)->setChecked(false);
        Chkdia(n)->setChecked(false);
    }
    ui_->CmbHor->setCurrentIndex(-1);
    ui_->CmbHor->setEditText(QString());
    ui_->TxtCheca->setText(kDefaultMinutes);
    ui_->TxtRetardo->setText(kDefaultMinutes);
    for (int n = 1; n <= 7; ++n)
        for (QLineEdit* field : {TxtEntrada(n), TxtSalida(n), TxtCSalida(n), TxtCRegreso(n)})
            field->setEnabled(false);
}

void FrmHor::CmbHor_Click()
{
    FindHour();
    context_.skin.applySkin(this);
}

void FrmHor::Chkdia_Click(int n)
{
    const bool works = Chkdia(n)->isChecked();
    for (QLineEdit* field : {TxtEntrada(n), TxtSalida(n), TxtCSalida(n), TxtCRegreso(n)})
        field->setEnabled(works);
}

bool FrmHor::modifying() const
{
    return ui_->BtnReg->text() == kModify;
}

void FrmHor::setMode(std::optional<int> schedule)
{
    loaded_ = schedule;
    ui_->BtnReg->setText(schedule ? kModify : kRegister);
    // Only a loaded schedule can be deleted.
    ui_->BtnDel->setEnabled(schedule.has_value());
}

bool FrmHor::validate()
{
    ScheduleValidation::ScheduleValues values;
    values.registering = !modifying();
    // The name is saved trimmed and cut to the column's length, in either mode.
    values.name = ScheduleValidation::normalizedName(ui_->CmbHor->currentText());
    if (values.name != ui_->CmbHor->currentText())
        ui_->CmbHor->setEditText(values.name);
    for (int n = 1; n <= 7; ++n) {
        ScheduleValidation::DayValues& day = values.days[n - 1];
        day.works = Chkdia(n)->isChecked();
        day.entrada = TxtEntrada(n)->displayText();
        day.salida = TxtSalida(n)->displayText();
        day.meal = Chkcom(n)->isChecked();
        day.comidaSalida = TxtCSalida(n)->displayText();
        day.comidaRegreso = TxtCRegreso(n)->displayText();
    }
    values.retardo = ui_->TxtRetardo->text();
    values.checa = ui_->TxtCheca->text();
    const std::optional<ScheduleValidation::Problem> problem =
        ScheduleValidation::firstProblem(values);
    if (!problem)
        return true;
    ShowError(problem->text, problem->title);
    QWidget* focus = nullptr;
    switch (problem->control) {
    case Control::Name:
        focus = ui_->CmbHor;
        break;
    case Control::Entrada:
        focus = TxtEntrada(problem->day);
        break;
    case Control::Salida:
        focus = TxtSalida(problem->day);
        break;
    case Control::ComidaSalida:
        focus = TxtCSalida(problem->day);
        break;
    case Control::ComidaRegreso:
        focus = TxtCRegreso(problem->day);
        break;
    case Control::Retardo:
        focus = ui_->TxtRetardo;
        break;
    case Control::Checa:
        focus = ui_->TxtCheca;
        break;
    }
    // A meal break on a day that is not worked has its fields disabled: the day's box, which
    // enables them, takes the focus.
    if (!focus->isEnabled())
        focus = Chkdia(problem->day);
    focus->setFocus();
    return false;
}

void FrmHor::BtnReg_Click()
{
    if (validate())
        SaveData();
}

void FrmHor::SaveData()
{
    ScheduleStore::Schedule schedule;
    schedule.name = ui_->CmbHor->currentText();
    for (int n = 1; n <= 7; ++n) {
        ScheduleStore::Day& day = schedule.days[n - 1];
        if (Chkdia(n)->isChecked()) {
            day.entrada = TxtEntrada(n)->displayText();
            day.salida = TxtSalida(n)->displayText();
        }
        if (Chkcom(n)->isChecked()) {
            day.salidaBreak = TxtCSalida(n)->displayText();
            day.regresoBreak = TxtCRegreso(n)->displayText();
        }
    }
    schedule.toleranciaRetardo = wholeNumber(ui_->TxtRetardo->text()).value_or(0);
    schedule.checaAntes = wholeNumber(ui_->TxtCheca->text()).value_or(0);
    if (modifying() && loaded_) {
        schedule.horario = *loaded_;
        if (!ScheduleStore::change(context_.db, schedule))
            return;
        ShowInfo(QStringLiteral("Los Datos Fueron modificados Correctamente."),
                 QStringLiteral("Registro exitoso."));
    } else if (!modifying()) {
        if (ScheduleStore::add(context_.db, schedule) < 0)
            return;
        ShowInfo(QStringLiteral("Los Datos Fueron registrados Correctamente."),
                 QStringLiteral("Registro exitoso."));
    }
}

void FrmHor::BtnNuevo_Click()
{
    CleanData();
    setMode(std::nullopt);
    ui_->CmbHor->setFocus();
}

void FrmHor::BtnDel_Click()
{
    if (!loaded_)
        return;
    if (!AskYesNo(QStringLiteral("Cuando se elimina un horario, este es removido de todos los "
                                 "usuarios al los cuales se les asignó. ¿Está seguro de eliminar "
                                 "el registro actual?"),
                  QStringLiteral("¿Borrar Horario?")))
        return;
    if (!ScheduleStore::remove(context_.db, *loaded_))
        return;
    ShowInfo(QStringLiteral("El horario fue eliminado."), QStringLiteral("Registro eliminado"));
    LoadHours();
    CleanData();
    setMode(std::nullopt);
}
