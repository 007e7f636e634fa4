#include "FrmClock.h"

#include "Connection.h"
#include "FingerprintComponent.h"
#include "FrmUsuarios.h"
#include "KeyFilters.h"
#include "MessageLine.h"
#include "Messages.h"
#include "TerminalFormat.h"
#include "TerminalMessages.h"
#include "TerminalUsers.h"
#include "ui_FrmClock.h"
#include "VersionCheck.h"

#include <QCloseEvent>
#include <QDir>

namespace {

const QString kTitle = QStringLiteral("Reloj Velandro");

Ui::FrmClock* setUpForm(QWidget* form)
{
    auto* ui = new Ui::FrmClock;
    ui->setupUi(form);
    return ui;
}

} // namespace

QString FrmClock::versionText()
{
    return QStringLiteral("                 Versión BETA 1.1(18/12/2008)");
}

FrmClock::FrmClock(AppContext& context, QWidget* parent)
    : FrmClock(context, std::make_unique<FingerprintComponent>(), parent)
{
}

FrmClock::FrmClock(AppContext& context, std::unique_ptr<FingerprintComponent> reader,
                   QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(setUpForm(this))
    , component_(std::move(reader))
    , adapter_(*component_)
    , dayPanel_(*ui_, context.db, context.clock, selection_)
    , recorder_(context.db, context.clock, context.LocationNumber)
{
    setWindowTitle(kTitle);
    ui_->LblMsg->setAutoFillBackground(true);

    KeyDigits(ui_->TxtUsuario);
    KeyUpper(ui_->TxtClave);
    // Installed after the key filters, so it sees Enter before they turn it into a Tab.
    ui_->TxtUsuario->installEventFilter(this);
    ui_->TxtClave->installEventFilter(this);
    ui_->ImgUsers->installEventFilter(this);

    tmrClock_.setInterval(8000);
    connect(&tmrClock_, &QTimer::timeout, this, &FrmClock::RefreshClock);
    tmrMsg_.setInterval(4000);
    tmrMsg_.setSingleShot(true);
    connect(&tmrMsg_, &QTimer::timeout, this, &FrmClock::TmrMsg_Timer);
    connect(ui_->CmdFecha, &QPushButton::clicked, this, &FrmClock::CmdFecha_Click);
    connectReader();
}

FrmClock::~FrmClock()
{
    // Closing the reader runs the event loop while the reader library waits for
    // the device, and that loop may still deliver events to this screen's boxes.
    // So the screen stops listening first (reader, timers, the boxes' event
    // filters) and the reader is closed while the form still stands.
    component_->disconnect(this);
    tmrClock_.stop();
    tmrMsg_.stop();
    for (QObject* box :
         std::initializer_list<QObject*>{ui_->TxtUsuario, ui_->TxtClave, ui_->ImgUsers})
        box->removeEventFilter(this);
    component_.reset();
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
    selection_.DayOfWeek = currentDayOfWeek();
    LogoPath = QDir(context_.programFolder).filePath(QStringLiteral("log.jpg"));

    if (adapter_.InitReader() < 0) {
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
    if (!CheckVersionOfWindow(context_.db, kTerminalProgram, this, context_.ProgramVersion))
        return false;
    SyncServerClock();
    ShowLocation();
    ShowLocationMessage();
    InitLabels();
    dayPanel_.InitRecentChecks();
    tmrClock_.start();
    return true;
}

void FrmClock::InitLabels()
{
    // The selection ends with the screen: nobody may punch for it any more.
    selection_.MayPunch = false;
    stopCapture();
    MessageLine::showIdle(ui_->LblMsg, QStringLiteral("Ingrese su Numero de Usuario"));
    ui_->TxtUsuario->clear();
    ui_->TxtClave->clear();
    ui_->LblClave->hide();
    ui_->TxtClave->hide();
    clearPreviousUser();
}

void FrmClock::clearPreviousUser()
{
    ui_->LblNombre->clear();
    ui_->LblHorario->clear();
    ui_->LblPermisos->clear();
    ui_->LblCalidad->clear();
    showLogo();
    ui_->iGrid1->hide();
    dayPanel_.ClearDayDisplay();
}

void FrmClock::showLogo()
{
    const QPixmap logo(LogoPath);
    if (logo.isNull())
        ui_->Img->clear();
    else
        ui_->Img->setPixmap(
            logo.scaled(ui_->Img->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void FrmClock::SyncServerClock()
{
    if (context_.clock.syncWithServer(context_.db))
        RefreshClock();
}

void FrmClock::RefreshClock()
{
    const QDateTime now = context_.clock.now();
    ui_->CmdFecha->setText(TerminalFormat::longDate(now.date()));
    ui_->LblTime->setText(TerminalFormat::shortTime(now.time()));
}

void FrmClock::ShowLocation()
{
    const std::optional<QString> location =
        TerminalUsers::locationName(context_.db, context_.LocationNumber);
    locationKnown_ = location.has_value();
    if (locationKnown_) {
        setWindowTitle(kTitle + QStringLiteral("       Ubicación:") + *location +
                       QStringLiteral("                | ") + versionText());
        ui_->TxtUsuario->setEnabled(true);
    } else {
        setWindowTitle(kTitle + QStringLiteral("       Ubicación NO Configurada!!!") +
                       QStringLiteral("                       | ") + versionText());
        ui_->TxtUsuario->setEnabled(false);
    }
}

void FrmClock::ShowLocationMessage()
{
    ui_->TxtMensaje->setPlainText(
        TerminalMessages::locationMessage(context_.db, context_.LocationNumber));
}

void FrmClock::CmdFecha_Click()
{
    SyncServerClock();
}

void FrmClock::startScreenReset()
{
    tmrMsg_.start();
}

void FrmClock::TmrMsg_Timer()
{
    tmrMsg_.stop();
    InitLabels();
    selection_.DayOfWeek = currentDayOfWeek();
}

FrmUsuarios* FrmClock::OpenUserSearch()
{
    auto* search = new FrmUsuarios(context_.db, this);
    context_.skin.applySkin(search);
    connect(search, &FrmUsuarios::userChosen, this, &FrmClock::lookUpUser);
    search->show();
    return search;
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
    stopCapture();
    CloseDatabase(context_);
    event->accept();
}
