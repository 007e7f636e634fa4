#include "FrmASig.h"

#include "AssignmentRules.h"
#include "AssignmentStore.h"
#include "BoxText.h"
#include "FrmSrc.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "ScheduleStore.h"
#include "ScreenRegistry.h"
#include "ui_FrmASig.h"
#include "WholeNumber.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QStyle>

namespace {

const QString kRotating = QStringLiteral("Horario Rotativo por Semana");
const QString kFixed = QStringLiteral("Horario Fijo");

} // namespace

FrmASig::FrmASig(ConsoleContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(new Ui::FrmASig)
{
    ui_->setupUi(this);
    ui_->BtnFind->setIcon(QIcon::fromTheme(
        QStringLiteral("edit-find"), style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    KeyUpper(ui_->TbUsr);
    ui_->TbUsr->installEventFilter(this);
    connect(ui_->BtnFind, &QPushButton::clicked, this, &FrmASig::BtnFind_Click);
    connect(ui_->BtnAdd, &QPushButton::clicked, this, &FrmASig::BtnAdd_Click);
    connect(ui_->BtnBorrar, &QPushButton::clicked, this, &FrmASig::BtnBorrar_Click);
    connect(ui_->CtrlMes, &QCalendarWidget::clicked, this, &FrmASig::CtrlMes_Click);
    connect(ui_->CtrlMes, &QCalendarWidget::activated, this, &FrmASig::CtrlMes_Click);
    Form_Load();
}

FrmASig::~FrmASig()
{
    ui_->TbUsr->removeEventFilter(this);
    delete ui_;
}

void FrmASig::Form_Load()
{
    context_.skin.applySkin(this);
    ui_->CtrlMes->setSelectedDate(context_.clock.today());
    forgetUser();
    LoadHours();
}

bool FrmASig::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->TbUsr && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            FindUsr();
    }
    return QWidget::eventFilter(watched, event);
}

void FrmASig::LoadHours()
{
    ui_->CmbHor->clear();
    for (const ScheduleStore::Entry& entry : ScheduleStore::list(context_.db))
        ui_->CmbHor->addItem(entry.name, entry.horario);
    // The administrator picks the schedule: none is taken for granted.
    ui_->CmbHor->setCurrentIndex(-1);
}

bool FrmASig::rotating() const
{
    return ui_->LblTipo->text() == kRotating;
}

void FrmASig::lockUser(bool locked)
{
    ui_->TbUsr->setEnabled(!locked);
    ui_->BtnFind->setEnabled(!locked);
}

void FrmASig::forgetUser()
{
    user_.reset();
    AssignCount = 0;
    ui_->LblTipo->clear();
    ui_->BtnAdd->setEnabled(false);
    ui_->BtnBorrar->setEnabled(false);
    ui_->TxtHorario1->clear();
    ui_->TxtHorario2->clear();
    ui_->TxtHorario->clear();
}

void FrmASig::FindUsr()
{
    const QString text = ui_->TbUsr->text();
    if (text.trimmed().isEmpty())
        return;
    // Each look-up starts from empty boxes, so nothing of the user shown before remains.
    forgetUser();
    // Letters are typeable in the box; a text that is no number is refused quietly.
    const std::optional<int> number = wholeNumber(text);
    if (!number) {
        ui_->LblDUsr->clear();
        return;
    }
    const std::optional<AssignmentStore::User> found =
        AssignmentStore::findUser(context_.db, *number);
    if (!found) {
        ui_->LblDUsr->setText(QStringLiteral("Usuario NO registrado."));
        return;
    }
    user_ = *number;
    ui_->BtnAdd->setEnabled(true);
    ui_->BtnBorrar->setEnabled(true);
    AssignCount = 0;
    ui_->LblDUsr->setText(found->name);
    if (found->rotating) {
        ui_->LblTipo->setText(kRotating);
        ui_->LblHorario1->setText(QStringLiteral("Semana Inicial"));
        ui_->LblHorario2->setText(QStringLiteral("Semana Complementaria"));
        ui_->LblHorario2->show();
        ui_->TxtHorario2->show();
    } else {
        ui_->LblTipo->setText(kFixed);
        ui_->LblHorario1->setText(QStringLiteral("Horario Fijo"));
        ui_->LblHorario2->hide();
        ui_->TxtHorario2->hide();
    }
    ui_->LblHorario1->show();
    ui_->TxtHorario1->show();
    GetHours();
}

void FrmASig::GetHours()
{
    if (!user_)
        return;
    for (const AssignmentStore::Assigned& row : AssignmentStore::assigned(context_.db, *user_)) {
        if (row.orden == AssignmentRules::kFixedOrder ||
            row.orden == AssignmentRules::kOddWeekOrder)
            ui_->TxtHorario1->setText(row.name);
        else
            ui_->TxtHorario2->setText(row.name);
    }
}

void FrmASig::BtnAdd_Click()
{
    // Leaving the number box looks its user up first.
    lockUser(true);
    if (!user_) {
        lockUser(false);
        return;
    }
    if (ui_->CmbHor->currentIndex() < 0) {
        ShowError(QStringLiteral("No se ha seleccionado un horario para registrar."),
                  QStringLiteral("Sin Horario"));
        // The user stays locked only while his rotation is half written.
        lockUser(rotating() && AssignCount == 1);
        ui_->CmbHor->setFocus();
        return;
    }
    AddHour();
}

void FrmASig::AddHour()
{
    if (!user_ || ui_->CmbHor->currentIndex() < 0)
        return;
    const int key = ui_->CmbHor->currentData().toInt();
    const QString name = ui_->CmbHor->currentText();
    const AssignmentRules::Step step = AssignmentRules::nextStep(rotating(), AssignCount);
    if (!AssignmentStore::assign(context_.db, *user_, key, step.orden, step.clearFirst)) {
        lockUser(rotating() && AssignCount == 1);
        return;
    }
    AssignCount = step.assignCount;
    if (step.orden == AssignmentRules::kEvenWeekOrder) {
        ui_->TxtHorario2->setText(name);
    } else {
        ui_->TxtHorario1->setText(name);
        ui_->TxtHorario2->clear();
    }
    lockUser(step.userLocked);
    ShowInfo(QStringLiteral("Los datos han sido registrados correctamente."),
             QStringLiteral("Datos guardados"));
    GetHours();
}

void FrmASig::BtnBorrar_Click()
{
    if (!user_)
        return;
    if (!AskYesNo(
            QStringLiteral("Se dispone a Borrar el Horario Actual del Usuario, ¿Está seguro?"),
            QStringLiteral("¿Borrar Horario?")))
        return;
    ui_->TxtHorario1->clear();
    ui_->TxtHorario2->clear();
    AssignCount = 0;
    if (!AssignmentStore::clear(context_.db, *user_))
        return;
    // Nothing is half written any more: another user may be looked up.
    lockUser(false);
    ShowInfo(QStringLiteral("Horario Eliminado Correctamente"), QStringLiteral("Borrar Horario"));
}

void FrmASig::CtrlMes_Click(const QDate& date)
{
    if (ui_->TxtHorario2->isHidden())
        return;
    const std::optional<int> week = AssignmentStore::weekOf(context_.db, date);
    if (!week)
        return;
    ui_->TxtHorario->setText(AssignmentRules::orderOfWeek(*week) == AssignmentRules::kEvenWeekOrder
                                 ? ui_->TxtHorario2->text()
                                 : ui_->TxtHorario1->text());
}

void FrmASig::BtnFind_Click()
{
    search_ = OpenUserSearch(context_, this, ui_->TbUsr, [this] { FindUsr(); });
}

void FrmASig::closeEvent(QCloseEvent* event)
{
    if (rotating() && AssignCount == 1) {
        ShowError(QStringLiteral("No se puede salir sin Completar el Horario del Usuario"),
                  QStringLiteral("Horario Incompleto"));
        event->ignore();
        return;
    }
    event->accept();
}
