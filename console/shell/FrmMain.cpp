#include "FrmMain.h"

#include "Connection.h"
#include "DataSource.h"
#include "FrmAbout.h"
#include "FrmLogin.h"
#include "Messages.h"
#include "ui_FrmMain.h"
#include "VersionCheck.h"

#include <QCloseEvent>
#include <QDir>

QString FrmMain::versionText()
{
    return QStringLiteral("                    Versión:1.0      | (19/12/2008)");
}

QString FrmMain::caption()
{
    return QStringLiteral("Administrador de Reloj Velandro");
}

FrmMain::FrmMain(ConsoleContext& context, QWidget* parent)
    : QMainWindow(parent)
    , context_(context)
    , ui_(new Ui::FrmMain)
{
    ui_->setupUi(this);
    screens_ = new ScreenRegistry(*ui_->MdiArea, *this);
    ui_->CmdSep1->setSeparator(true);
    ui_->MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ui_->MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(ui_->CmdAzul, &QAction::triggered, this, &FrmMain::CmdAzul_Click);
    connect(ui_->CmdModerna, &QAction::triggered, this, &FrmMain::CmdModerna_Click);
    connect(ui_->cmdazu, &QAction::triggered, this, &FrmMain::cmdazu_Click);
    connect(ui_->CmdGris, &QAction::triggered, this, &FrmMain::CmdGris_Click);
    connect(ui_->cmdLinux, &QAction::triggered, this, &FrmMain::cmdLinux_Click);
    connect(ui_->CmdExit, &QAction::triggered, this, &FrmMain::CmdExit_Click);

    registerScreen(
        QStringLiteral("CmdAbout"), ScreenKind::Modal,
        [](FrmMain& main, QWidget* parent) { return new FrmAbout(main.context(), parent); });
}

FrmMain::~FrmMain()
{
    delete ui_;
}

bool FrmMain::Form_Load()
{
    if (!ChangeSkin(QStringLiteral("Msn2008.skn")))
        return false;
    setWindowTitle(caption() + versionText());
    if (!ConnectDatabase(context_))
        return false;
    if (!Login())
        return false;
    RegisterDataSource(context_.connectionString);

    context_.ProgramVersion = kProgramVersion;
    if (!CheckVersionOfWindow(context_.db, kConsoleProgram, this, context_.ProgramVersion))
        return false;
    return true;
}

bool FrmMain::Login()
{
    FrmLogin login(context_, this);
    return login.exec() == QDialog::Accepted;
}

void FrmMain::registerScreen(const QString& item, ScreenKind kind, Factory make)
{
    QAction* action = menuItem(item);
    Q_ASSERT_X(action, "registerScreen", qPrintable(item));
    if (!action)
        return;
    screens_->add(action, kind, [this, make](QWidget* parent) { return make(*this, parent); });
}

QWidget* FrmMain::openScreen(const QString& item)
{
    QAction* action = menuItem(item);
    if (!action || !action->isEnabled())
        return nullptr;
    action->trigger();
    return screens_->screen(action);
}

QAction* FrmMain::menuItem(const QString& item) const
{
    return findChild<QAction*>(item);
}

QMdiArea* FrmMain::clientArea() const
{
    return ui_->MdiArea;
}

QAction* FrmMain::fingerprintItem(int item) const
{
    switch (item) {
    case 0:
        return ui_->CmdVer;
    case 1:
        return ui_->CmdFng;
    default:
        return nullptr;
    }
}

void FrmMain::MnuDisable(int item)
{
    if (QAction* action = fingerprintItem(item))
        action->setEnabled(false);
}

void FrmMain::MnuEnable(int item)
{
    // An item whose screen is not part of this console stays disabled.
    if (QAction* action = fingerprintItem(item))
        action->setEnabled(screens_->has(action));
}

void FrmMain::MnuEnableAll()
{
    MnuEnable(0);
    MnuEnable(1);
}

bool FrmMain::ChangeSkin(const QString& fileName)
{
    const QString path = QDir(context_.programFolder).filePath(fileName);
    if (!context_.skin.loadSkin(path)) {
        ShowError(QStringLiteral("No se encontró el archivo de vista ") + path,
                  QStringLiteral("Error"));
        context_.EndProgram(1);
        return false;
    }
    context_.skin.applySkin(this);
    for (QWidget* screen : screens_->openChildren())
        context_.skin.applySkin(screen);
    return true;
}

void FrmMain::CmdAzul_Click()
{
    ChangeSkin(QStringLiteral("VistaBlueNew.skn"));
}

void FrmMain::CmdModerna_Click()
{
    ChangeSkin(QStringLiteral("Mxs61.skn"));
}

void FrmMain::cmdazu_Click()
{
    ChangeSkin(QStringLiteral("Msn2008.skn"));
}

void FrmMain::CmdGris_Click()
{
    ChangeSkin(QStringLiteral("GrayPlastic.skn"));
}

void FrmMain::cmdLinux_Click()
{
    ChangeSkin(QStringLiteral("LinuxUbuntu2.skn"));
}

void FrmMain::CmdExit_Click()
{
    close();
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    if (!AskYesNo(QStringLiteral("¿Está seguro de Salir del Sistema?"),
                  QStringLiteral("Salir del sistema"))) {
        event->ignore();
        return;
    }
    CloseDatabase(context_);
    RemoveDataSource(context_.connectionString);
    event->accept();
}
