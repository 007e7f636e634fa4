#include "FrmLogin.h"

#include "BusyPointer.h"
#include "Connection.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "Placement.h"
#include "ui_FrmLogin.h"
#include "WholeNumber.h"

#include <QSqlQuery>

FrmLogin::FrmLogin(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmLogin)
{
    ui_->setupUi(this);
    KeyDigits(ui_->Text1);
    KeyUpper(ui_->Text2);
    connect(ui_->Command1, &QPushButton::clicked, this, &FrmLogin::Command1_Click);
    connect(ui_->Command2, &QPushButton::clicked, this, &FrmLogin::Command2_Click);
    Form_Load();
}

FrmLogin::~FrmLogin()
{
    delete ui_;
}

void FrmLogin::Form_Load()
{
    context_.skin.applySkin(this);
    adjustSize();
    centreOnScreen(this);
    LoginPending = true;
}

int FrmLogin::findAdministrator() const
{
    // The number box takes digits only, but a pasted text is refused here before any statement.
    const std::optional<int> number = wholeNumber(ui_->Text1->text());
    if (!number)
        return 0;
    QSqlQuery q = context_.db.query(
        QStringLiteral("SELECT * from KxUsuario WHERE Usuario=? AND Password=? and activo=0 and "
                       "administrador=1"),
        {*number, ui_->Text2->text()});
    if (q.isActive() && q.next())
        return q.value(QStringLiteral("Usuario")).toInt();
    return 0;
}

void FrmLogin::Command1_Click()
{
    int administrator = 0;
    {
        BusyPointer busy;
        administrator = findAdministrator();
    }
    if (administrator != 0) {
        LoginPending = false;
        context_.AdminUser = administrator;
        accept();
        return;
    }
    if (LoginAttempts > 2) {
        endConsole();
        return;
    }
    ShowError(QStringLiteral("Verifique su Usuario/Contraseña!!!"),
              QStringLiteral("Usuario/Contraseña NO encontrado"));
    ++LoginAttempts;
}

void FrmLogin::Command2_Click()
{
    reject();
}

void FrmLogin::reject()
{
    if (LoginPending) {
        endConsole();
        return;
    }
    QDialog::reject();
}

void FrmLogin::endConsole()
{
    LoginPending = false;
    CloseDatabase(context_);
    context_.EndProgram(0);
    QDialog::reject();
}
