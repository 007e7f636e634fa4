#include "FrmUsr.h"

#include "BoxText.h"
#include "FrmSrc.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "ScreenRegistry.h"
#include "ui_FrmUsr.h"
#include "WholeNumber.h"

#include <QFocusEvent>
#include <QSqlQuery>
#include <QStyle>

namespace {

const QString kRegister = QStringLiteral("&Registrar");
const QString kModify = QStringLiteral("&Modificar");

int flag(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

QDate dateOr(const QVariant& value, const QDate& fallback)
{
    const QDate date = value.toDate();
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
    QSqlQuery q =
        context_.db.query(QStringLiteral("select departamento,Nombre_departamento from Kxdepart"));
    while (q.next())
        ui_->CmbDep->addItem(q.value(1).toString(), q.value(0).toInt());
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
    QSqlQuery q =
        context_.db.query(QStringLiteral("select * from KXUsuario where Usuario = ?"), {*number});
    if (!q.isActive() || !q.next()) {
        ui_->BtnReg->setText(kRegister);
        ui_->BtnDel->setEnabled(false);
        CleanData();
        return;
    }
    ui_->BtnReg->setText(kModify);
    ui_->BtnDel->setEnabled(true);
    const QDate today = context_.clock.today();
    SelectedDepartment = q.value(QStringLiteral("departamento")).toInt();
    ShowDepartmentName();
    ui_->TbNomb->setText(q.value(QStringLiteral("Nombre")).toString());
    ui_->TxtCorreo->setText(q.value(QStringLiteral("Correo")).toString());
    ui_->DTPIngreso->setDate(dateOr(q.value(QStringLiteral("Fecha_Ingreso")), today));
    ui_->ChkAdmin->setChecked(q.value(QStringLiteral("administrador")).toInt() == 1);
    ui_->ChkMultiple->setChecked(q.value(QStringLiteral("Chequeo_Multiple")).toInt() == 1);
    ui_->TxtContra->setText(q.value(QStringLiteral("Password")).toString());
    ui_->TxtVeri->setText(ui_->TxtContra->text());
    if (q.value(QStringLiteral("activo")).toInt() != 0) {
        ui_->ChkStat->setChecked(true);
        ui_->DTPBaja->setDate(dateOr(q.value(QStringLiteral("Fecha_Baja")), today));
    } else {
        ui_->ChkStat->setChecked(false);
    }
    ChkStat_Click();
    ui_->ChkCheca->setChecked(q.value(QStringLiteral("Puede_checar_clave")).toInt() != 0);
    ui_->ChkRotativo->setChecked(q.value(QStringLiteral("Horario_rotativo")).toInt() != 0);
    context_.skin.applySkin(this);
}

void FrmUsr::ShowDepartmentName()
{
    QSqlQuery q = context_.db.query(
        QStringLiteral("select Nombre_departamento from Kxdepart where departamento=?"),
        {SelectedDepartment});
    QComboBox* box = ui_->CmbDep;
    if (!q.isActive() || !q.next()) {
        // Not the department of the user shown before: the box asks for one instead.
        box->setCurrentIndex(-1);
        box->clearEditText();
        return;
    }
    const int entry = box->findData(SelectedDepartment);
    if (entry >= 0)
        box->setCurrentIndex(entry);
    else
        box->setEditText(q.value(0).toString());
}

void FrmUsr::FindDepartmentByName()
{
    const QVariant found = context_.db.scalar(
        QStringLiteral("select departamento from Kxdepart where Nombre_departamento=?"),
        {ui_->CmbDep->currentText()});
    SelectedDepartment = found.isValid() ? found.toInt() : 0;
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
    auto* search = new FrmSrc(context_, this);
    search_ = search;
    connect(search, &QDialog::finished, this, [this] {
        if (context_.SelectedUser.isEmpty())
            return;
        // The whole number, even one longer than the box lets a person type: cut short it
        // would load another user.
        putWholeText(ui_->TbUsr, context_.SelectedUser);
        FindUsr();
    });
    showModal(search);
}

bool FrmUsr::validate()
{
    ui_->TbUsr->setText(ui_->TbUsr->text().trimmed());
    ui_->TbNomb->setText(ui_->TbNomb->text().trimmed());
    bool valid = true;
    // A new user's number may be empty (the database assigns it); a user being changed needs
    // his number.
    if (modifying() && !wholeNumber(ui_->TbUsr->text())) {
        ShowError(QStringLiteral("El número de usuario no es válido"),
                  QStringLiteral("Usuario incorrecto"));
        ui_->TbUsr->setFocus();
        valid = false;
    }
    if (valid && ui_->TbNomb->text().isEmpty()) {
        ShowError(QStringLiteral("Es necesario introducir un nombre válido antes de registrar un "
                                 "usuario."),
                  QStringLiteral("Nombre incorrecto"));
        ui_->TbNomb->setFocus();
        valid = false;
    }
    if (valid && ui_->TxtCorreo->text().isEmpty()) {
        ShowError(QStringLiteral("Es necesario introducir un correo Electronico válido antes de "
                                 "registrar un usuario."),
                  QStringLiteral("E-mail incorrecto"));
        ui_->TxtCorreo->setFocus();
        valid = false;
    }
    if (valid && selectedDepartmentIndex() < 0) {
        FindDepartmentByName();
        if (SelectedDepartment == 0) {
            ShowError(QStringLiteral("Es necesario seleccionar un departamento."),
                      QStringLiteral("Sin Departamento"));
            ui_->CmbDep->setFocus();
            valid = false;
        }
    }
    // Checked even after another failure, so its message may follow another one.
    const QString password = ui_->TxtContra->text().trimmed();
    if (password != ui_->TxtVeri->text().trimmed() || (valid && password.isEmpty())) {
        ShowError(QStringLiteral("La Confirmación de la contraseña no coincide"),
                  QStringLiteral("Verifique la contraseña"));
        ui_->TxtVeri->setFocus();
        valid = false;
    }
    return valid;
}

void FrmUsr::BtnReg_Click()
{
    if (validate())
        SaveData();
}

void FrmUsr::SaveData()
{
    const bool existing = modifying();
    const int index = selectedDepartmentIndex();
    const int department = index >= 0 ? ui_->CmbDep->itemData(index).toInt() : SelectedDepartment;
    SqlValues values{
        {QStringLiteral("Nombre"), ui_->TbNomb->text()},
        {QStringLiteral("Departamento"), department},
        {QStringLiteral("Fecha_Ingreso"), ui_->DTPIngreso->date()},
        {QStringLiteral("Password"), ui_->TxtContra->text().trimmed().toUpper()},
        {QStringLiteral("Correo"), ui_->TxtCorreo->text().trimmed().toUpper()},
    };
    if (ui_->ChkStat->isChecked()) {
        values.append({QStringLiteral("activo"), 1});
        values.append({QStringLiteral("fecha_baja"), ui_->DTPBaja->date()});
    } else {
        values.append({QStringLiteral("activo"), 0}); // the stored leaving date stays
    }
    values.append({QStringLiteral("Administrador"), flag(ui_->ChkAdmin)});
    values.append({QStringLiteral("Puede_checar_clave"), flag(ui_->ChkCheca)});
    values.append({QStringLiteral("Chequeo_Multiple"), flag(ui_->ChkMultiple)});
    values.append({QStringLiteral("Horario_rotativo"), flag(ui_->ChkRotativo)});

    // The user number is never written: a new user's number comes from the database.
    if (existing) {
        const std::optional<int> number = wholeNumber(ui_->TbUsr->text());
        const bool found =
            number &&
            context_.db
                .scalar(QStringLiteral("select Usuario from KxUsuario where usuario=?"), {*number})
                .isValid();
        if (!found) {
            ShowError(QStringLiteral("El Usuario ya no existe; los cambios no se guardaron."),
                      QStringLiteral("Usuario incorrecto"));
            ui_->BtnReg->setText(kRegister);
            ui_->BtnDel->setEnabled(false);
            return;
        }
        if (context_.db.updateRow(QStringLiteral("KxUsuario"), values, QStringLiteral("usuario=?"),
                                  {*number}) < 0)
            return;
    } else if (context_.db.insertRow(QStringLiteral("KxUsuario"), values) < 0) {
        return;
    }
    ShowInfo(QStringLiteral("Los Datos Fueron ") +
                 (existing ? QStringLiteral("Modificados") : QStringLiteral("Registrados")) +
                 QStringLiteral(" Correctamente."),
             QStringLiteral("Registro exitoso."));
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
    // All four or none: a failure part-way cannot leave half a user behind.
    static const QStringList statements{
        QStringLiteral("delete from KxUsuario where Usuario = ?"),
        QStringLiteral("delete from KxEvento where Usuario = ?"),
        QStringLiteral("delete from KxFingerP where Usuario = ?"),
        QStringLiteral("delete from Kxhorario_personal where Usuario = ?"),
    };
    Db& db = context_.db;
    if (!db.transaction())
        return;
    for (const QString& statement : statements) {
        if (db.exec(statement, {*number}) < 0) {
            db.rollback();
            return;
        }
    }
    if (!db.commit())
        return;
    ShowInfo(QStringLiteral("El Usuario y todos sus movimientos fueron eliminados."),
             QStringLiteral("Registro eliminado"));
    ui_->TbUsr->clear();
    CleanData();
}
