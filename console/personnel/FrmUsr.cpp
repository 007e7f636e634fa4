#include "FrmUsr.h"

#include "BoxText.h"
#include "CharacterLimit.h"
#include "FrmSrc.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "ScreenRegistry.h"
#include "ui_FrmUsr.h"
#include "UserStore.h"
#include "UserValidation.h"
#include "WholeNumber.h"

#include <QFocusEvent>
#include <QStyle>

namespace {

const QString kRegister = QStringLiteral("&Registrar");
const QString kModify = QStringLiteral("&Modificar");

QDate dateOr(const QDate& date, const QDate& fallback)
{
    return date.isValid() ? date : fallback;
}

} // namespace

FrmUsr::FrmUsr(ConsoleContext& context, QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(new Ui::FrmUsr)
{
    ui_->setupUi(this);
    ui_->BtnFind->setIcon(QIcon::fromTheme(
        QStringLiteral("edit-find"), style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    KeyUpper(ui_->TbUsr);
    KeyUpper(ui_->TbNomb);
    for (QLineEdit* box : {ui_->TbNomb, ui_->TxtContra, ui_->TxtVeri, ui_->TxtCorreo})
        limitCharacters(box);
    ui_->TbUsr->installEventFilter(this);
    connect(ui_->BtnFind, &QPushButton::clicked, this, &FrmUsr::BtnFind_Click);
    connect(ui_->BtnReg, &QPushButton::clicked, this, &FrmUsr::BtnReg_Click);
    connect(ui_->BtnDel, &QPushButton::clicked, this, &FrmUsr::BtnDel_Click);
    connect(ui_->ChkStat, &QCheckBox::toggled, this, &FrmUsr::ChkStat_Click);
    Form_Load();
}

FrmUsr::~FrmUsr()
{
    ui_->TbUsr->removeEventFilter(this);
    delete ui_;
}

void FrmUsr::Form_Load()
{
    context_.skin.applySkin(this);
    ui_->CmbDep->clear();
    for (const Department& department : UserStore::departments(context_.db))
        ui_->CmbDep->addItem(department.name, department.number);
    CleanData();
}

bool FrmUsr::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->TbUsr && event->type() == QEvent::FocusOut) {
        // Moving to another control of the open screen, not to another window or a popup, and
        // not the screen closing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            TbUsr_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void FrmUsr::TbUsr_LostFocus()
{
    FindUsr();
}

bool FrmUsr::modifying() const
{
    return ui_->BtnReg->text() == kModify;
}

void FrmUsr::FindUsr()
{
    const QString text = ui_->TbUsr->text();
    if (text.trimmed().isEmpty())
        return;
    // Letters are typeable in the box; a text that is no number is refused quietly.
    const std::optional<int> number = wholeNumber(text);
    if (!number)
        return;
    const std::optional<UserRecord> user = UserStore::load(context_.db, *number);
    if (!user) {
        ui_->BtnReg->setText(kRegister);
        ui_->BtnDel->setEnabled(false);
        CleanData();
        return;
    }
    ui_->BtnReg->setText(kModify);
    ui_->BtnDel->setEnabled(true);
    const QDate today = context_.clock.today();
    SelectedDepartment = user->department;
    ShowDepartmentName();
    ui_->TbNomb->setText(user->name);
    ui_->TxtCorreo->setText(user->email);
    ui_->DTPIngreso->setDate(dateOr(user->joined, today));
    ui_->ChkAdmin->setChecked(user->administrator);
    ui_->ChkMultiple->setChecked(user->multipleChecks);
    ui_->TxtContra->setText(user->password);
    ui_->TxtVeri->setText(ui_->TxtContra->text());
    ui_->ChkStat->setChecked(user->hasLeft);
    if (user->hasLeft)
        ui_->DTPBaja->setDate(dateOr(user->leftOn, today));
    ChkStat_Click();
    ui_->ChkCheca->setChecked(user->checksWithPassword);
    ui_->ChkRotativo->setChecked(user->rotatingSchedule);
    context_.skin.applySkin(this);
}

void FrmUsr::ShowDepartmentName()
{
    const std::optional<QString> name = UserStore::departmentName(context_.db, SelectedDepartment);
    QComboBox* box = ui_->CmbDep;
    if (!name) {
        // Not the department of the user shown before: the box asks for one instead.
        box->setCurrentIndex(-1);
        box->clearEditText();
        return;
    }
    const int entry = box->findData(SelectedDepartment);
    if (entry >= 0)
        box->setCurrentIndex(entry);
    else
        box->setEditText(*name);
}

void FrmUsr::FindDepartmentByName()
{
    SelectedDepartment = UserStore::departmentByName(context_.db, ui_->CmbDep->currentText());
}

int FrmUsr::selectedDepartmentIndex() const
{
    const QComboBox* box = ui_->CmbDep;
    const int index = box->currentIndex();
    return index >= 0 && box->itemText(index) == box->currentText() ? index : -1;
}

void FrmUsr::CleanData()
{
    ui_->TbNomb->clear();
    ui_->TxtContra->clear();
    ui_->TxtVeri->clear();
    ui_->TxtCorreo->clear();
    ui_->CmbDep->setCurrentIndex(-1);
    ui_->CmbDep->clearEditText();
    ui_->ChkStat->setChecked(false);
    ChkStat_Click();
    ui_->ChkCheca->setChecked(false);
    ui_->ChkAdmin->setChecked(false);
    ui_->ChkMultiple->setChecked(false);
    ui_->ChkRotativo->setChecked(false);
    ui_->BtnReg->setText(kRegister);
    const QDate today = context_.clock.today();
    ui_->DTPIngreso->setDate(today);
    ui_->DTPBaja->setDate(today);
    ui_->BtnDel->setEnabled(false);
}

void FrmUsr::ChkStat_Click()
{
    ui_->DTPBaja->setEnabled(ui_->ChkStat->isChecked());
}

void FrmUsr::BtnFind_Click()
{
    search_ = OpenUserSearch(context_, this, ui_->TbUsr, [this] { FindUsr(); });
}

bool FrmUsr::validate()
{
    ui_->TbUsr->setText(ui_->TbUsr->text().trimmed());
    ui_->TbNomb->setText(ui_->TbNomb->text().trimmed());
    // A typed department name counts when it is a department's.
    if (selectedDepartmentIndex() < 0)
        FindDepartmentByName();
    const QList<UserProblem> problems = userProblems({
        .modifying = modifying(),
        .number = ui_->TbUsr->text(),
        .name = ui_->TbNomb->text(),
        .email = ui_->TxtCorreo->text(),
        .departmentKnown = selectedDepartmentIndex() >= 0 || SelectedDepartment != 0,
        .password = ui_->TxtContra->text(),
        .confirmation = ui_->TxtVeri->text(),
    });
    for (const UserProblem& problem : problems) {
        ShowError(problem.text, problem.title);
        if (auto* control = findChild<QWidget*>(problem.control))
            control->setFocus();
    }
    return problems.isEmpty();
}

void FrmUsr::BtnReg_Click()
{
    if (validate())
        SaveData();
}

UserRecord FrmUsr::screenUser() const
{
    UserRecord user;
    const int index = selectedDepartmentIndex();
    user.name = ui_->TbNomb->text();
    user.department = index >= 0 ? ui_->CmbDep->itemData(index).toInt() : SelectedDepartment;
    user.joined = ui_->DTPIngreso->date();
    user.password = ui_->TxtContra->text();
    user.email = ui_->TxtCorreo->text();
    user.hasLeft = ui_->ChkStat->isChecked();
    user.leftOn = ui_->DTPBaja->date();
    user.administrator = ui_->ChkAdmin->isChecked();
    user.checksWithPassword = ui_->ChkCheca->isChecked();
    user.multipleChecks = ui_->ChkMultiple->isChecked();
    user.rotatingSchedule = ui_->ChkRotativo->isChecked();
    return user;
}

void FrmUsr::SaveData()
{
    Db& db = context_.db;
    const UserRecord user = screenUser();
    QString done;
    if (modifying()) {
        const std::optional<int> number = wholeNumber(ui_->TbUsr->text());
        if (!number || !UserStore::exists(db, *number)) {
            ShowError(QStringLiteral("El Usuario ya no existe; los cambios no se guardaron."),
                      QStringLiteral("Usuario incorrecto"));
            ui_->BtnReg->setText(kRegister);
            ui_->BtnDel->setEnabled(false);
            return;
        }
        if (!UserStore::update(db, *number, user))
            return;
        done = QStringLiteral("Los Datos Fueron Modificados Correctamente.");
    } else {
        // A number typed for a new user is not used: the box says the one he was given.
        const qint64 number = UserStore::insert(db, user);
        if (number < 0)
            return;
        done = QStringLiteral("Los Datos Fueron Registrados Correctamente.\n"
                              "Número de usuario asignado: %1")
                   .arg(number);
    }
    ShowInfo(done, QStringLiteral("Registro exitoso."));
    ui_->TbUsr->clear();
    CleanData();
}

void FrmUsr::BtnDel_Click()
{
    const std::optional<int> number = wholeNumber(ui_->TbUsr->text());
    if (!number)
        return;
    if (!AskYesNo(QStringLiteral("Cuando se eliminan usuarios, se borrarán todas sus huellas, "
                                 "registros y horarios asignados. ¿Está seguro de eliminar el "
                                 "registro actual?"),
                  QStringLiteral("¿Borrar Usuario?")))
        return;
    if (!UserStore::remove(context_.db, *number))
        return;
    ShowInfo(QStringLiteral("El Usuario y todos sus movimientos fueron eliminados."),
             QStringLiteral("Registro eliminado"));
    ui_->TbUsr->clear();
    CleanData();
}
