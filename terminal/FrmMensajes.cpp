#include "FrmMensajes.h"

#include "AppContext.h"
#include "TerminalFormat.h"
#include "ui_FrmMensajes.h"

#include <QGuiApplication>
#include <QScreen>

FrmMensajes::FrmMensajes(AppContext& context, const PersonalMessage& message, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , message_(message)
    , ui_(new Ui::FrmMensajes)
{
    ui_->setupUi(this);
    setModal(true);
    tmrInicio_.setInterval(1000);
    tmrInicio_.setSingleShot(true);
    connect(&tmrInicio_, &QTimer::timeout, this, &FrmMensajes::TmrInicio_Timer);
    tmrCierra_.setInterval(50000);
    connect(&tmrCierra_, &QTimer::timeout, this, &FrmMensajes::TmrCierra_Timer);
    connect(ui_->CmdEnterado, &QPushButton::clicked, this, &FrmMensajes::CmdEnterado_Click);
    Form_Load();
}

FrmMensajes::~FrmMensajes()
{
    delete ui_;
}

void FrmMensajes::Form_Load()
{
    context_.skin.applySkin(this);
    ui_->txtPara->setText(message_.MessageRecipient);
    ui_->TxtFecha->setText(TerminalFormat::dateTime(message_.MessageSentAt));
    ui_->TxtDe->setText(message_.MessageSender);
    ui_->TxtAsunto->setText(message_.MessageSubject);
    ui_->TxtMensaje->setPlainText(message_.MessageBody);
    tmrInicio_.start();
    tmrCierra_.start();
}

void FrmMensajes::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        move(free.center() - rect().center());
    }
}

void FrmMensajes::TmrInicio_Timer()
{
    tmrInicio_.stop();
    ui_->CmdEnterado->setFocus();
}

void FrmMensajes::CmdEnterado_Click()
{
    tmrCierra_.stop();
    TerminalMessages::acknowledge(context_.db, message_.MessageNumber);
    accept();
}

void FrmMensajes::TmrCierra_Timer()
{
    tmrCierra_.stop();
    reject();
}
