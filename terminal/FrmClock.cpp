#include "FrmClock.h"

#include "Connection.h"
#include "Messages.h"
#include "VersionCheck.h"
#include "ui_FrmClock.h"

#include <QCloseEvent>
#include <QDir>
#include <QLocale>
#include <QSqlQuery>

namespace {

const QString kTitle = QStringLiteral("Reloj Velandro");

QLocale terminalLocale()
{
    return QLocale(QLocale::Spanish, QLocale::Mexico);
}

} // namespace

QString FrmClock::versionText()
{
    return QStringLiteral("                 Versión BETA 1.1(18/12/2008)");
}

FrmClock::FrmClock(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), ui_(new Ui::FrmClock)
{
    ui_->setupUi(this);
    setWindowTitle(kTitle);
    ui_->LblMsg->setAutoFillBackground(true);

    tmrClock_.setInterval(8000);
    connect(&tmrClock_, &QTimer::timeout, this, &FrmClock::RefreshClock);
    tmrMsg_.setInterval(4000);
    tmrMsg_.setSingleShot(true);
    connect(&tmrMsg_, &QTimer::timeout, this, &FrmClock::TmrMsg_Timer);
    connect(ui_->CmdFecha, &QPushButton::clicked, this, &FrmClock::CmdFecha_Click);
}

FrmClock::~FrmClock()
{
    delete ui_;
}

qint16 FrmClock::currentDayOfWeek() const
{
    // Qt counts Monday = 1 ... Sunday = 7; the terminal counts Sunday = 1 ... Saturday = 7.
    return qint16(context_.clock.today().dayOfWeek() % 7 + 1);
}

bool FrmClock::Form_Load()
{
    context_.skin.applySkin(this);
    DayOfWeek = currentDayOfWeek();
    LogoPath = QDir(context_.programFolder).filePath(QStringLiteral("log.jpg"));

    if (InitReader() < 0) {
        ShowError(QStringLiteral("No fue posible Inicializar el scanner de Huella Digital. ") +
                      QStringLiteral("No es posible continuar"),
                  QStringLiteral("Scanner no detectado"));
        return false;
    }
    if (!ConnectDatabase(context_))
        return false;
    ExitAllowed = true;

    setWindowTitle(windowTitle() + versionText());
    context_.ProgramVersion = kProgramVersion;
    switch (CheckVersion(context_.db, kTerminalProgram, context_.ProgramVersion)) {
    case VersionOutcome::NewerMustClose:
        return false;
    case VersionOutcome::NewerAvailable:
        setWindowTitle(windowTitle() + newerVersionCaptionSuffix());
        break;
    case VersionOutcome::Current:
        break;
    }
    SyncServerClock();
    ShowLocation();
    ShowLocationMessage();
    InitLabels();
    InitRecentChecks();
    tmrClock_.start();
    return true;
}

void FrmClock::InitLabels()
{
    ui_->LblMsg->setText(QStringLiteral("Ingrese su Numero de Usuario"));
    ui_->LblMsg->setPalette(QPalette());
    ui_->TxtUsuario->clear();
    ui_->TxtClave->clear();
    ui_->LblClave->hide();
    ui_->TxtClave->hide();
    ui_->LblNombre->clear();
    ui_->LblHorario->clear();
    ui_->LblPermisos->clear();
    ui_->LblCalidad->clear();
    showLogo();
    ui_->iGrid1->hide();
    ClearDayDisplay();
}

void FrmClock::showLogo()
{
    const QPixmap logo(LogoPath);
    if (logo.isNull())
        ui_->Img->clear();
    else
        ui_->Img->setPixmap(logo.scaled(ui_->Img->size(), Qt::KeepAspectRatio,
                                        Qt::SmoothTransformation));
}

void FrmClock::SyncServerClock()
{
    if (context_.clock.syncWithServer(context_.db))
        RefreshClock();
}

void FrmClock::RefreshClock()
{
    const QDateTime now = context_.clock.now();
    const QLocale locale = terminalLocale();
    ui_->CmdFecha->setText(locale.toString(now.date(), QLocale::LongFormat));
    ui_->LblTime->setText(locale.toString(now.time(), QStringLiteral("hh:mm AP")));
}

void FrmClock::ShowLocation()
{
    QSqlQuery q = context_.db.query(
        QStringLiteral("Select Nombre_sucursal from KxSucursales where sucursal=?"),
        {context_.LocationNumber});
    if (q.isActive() && q.next()) {
        setWindowTitle(kTitle + QStringLiteral("       Ubicación:") + q.value(0).toString() +
                       QStringLiteral("                | ") + versionText());
        ui_->TxtUsuario->setEnabled(true);
    } else {
        setWindowTitle(kTitle + QStringLiteral("       Ubicación NO Configurada!!!") +
                       QStringLiteral("                       | ") + versionText());
        ui_->TxtUsuario->setEnabled(false);
    }
}

void FrmClock::CmdFecha_Click()
{
    SyncServerClock();
}

void FrmClock::TmrMsg_Timer()
{
    tmrMsg_.stop();
    InitLabels();
    DayOfWeek = currentDayOfWeek();
}

void FrmClock::closeEvent(QCloseEvent* event)
{
    if (!ExitAllowed || CheckInProgress) {
        event->ignore();
        return;
    }
    if (!AskYesNo(QStringLiteral("¿Está seguro de Salir del Sistema?"),
                  QStringLiteral("Salir del sistema"))) {
        event->ignore();
        return;
    }
    StopCapture();
    CloseDatabase(context_);
    event->accept();
}

int FrmClock::InitReader()
{
    return 0;
}

void FrmClock::StopCapture() {}

void FrmClock::ShowLocationMessage() {}

void FrmClock::InitRecentChecks() {}

void FrmClock::ClearDayDisplay() {}
