#include "FrmFng.h"

#include "BoxText.h"
#include "CloseScreen.h"
#include "FingerNames.h"
#include "FingerprintComponent.h"
#include "FingerprintStore.h"
#include "KeyFilters.h"
#include "Messages.h"
#include "ScreenRegistry.h"
#include "ui_FrmFng.h"
#include "WholeNumber.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QStyle>

FrmFng::FrmFng(ConsoleContext& context, QWidget* parent)
    : FrmFng(context, ConsoleReader::libfprintReaders()(), parent)
{
}

FrmFng::FrmFng(ConsoleContext& context, std::unique_ptr<FingerprintComponent> reader,
               QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(new Ui::FrmFng)
    , reader_(new ConsoleReader(std::move(reader), this))
{
    ui_->setupUi(this);
    ui_->BtnFind->setIcon(QIcon::fromTheme(
        QStringLiteral("edit-find"), style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    // A number box: letters are refused as they are typed.
    KeyDigits(ui_->TbUsr);
    ui_->TbUsr->installEventFilter(this);
    connect(ui_->BtnFind, &QPushButton::clicked, this, &FrmFng::BtnFind_Click);
    connect(ui_->BtnAdd, &QPushButton::clicked, this, &FrmFng::BtnAdd_Click);
    connect(ui_->BtnDel, &QPushButton::clicked, this, &FrmFng::BtnDel_Click);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &FrmFng::BtnClose_Click);
    connect(reader_, &ConsoleReader::imageAcquired, this, &FrmFng::Reader_ImageAcquired);
    Form_Load();
}

FrmFng::~FrmFng()
{
    // The reader is closed while the screen still stands (see ConsoleReader).
    reader_->release();
    ui_->TbUsr->removeEventFilter(this);
    delete ui_;
}

void FrmFng::Form_Load()
{
    context_.skin.applySkin(this);
    ui_->CmbFing->addItems(fingerNames());
    ui_->CmbFing->setCurrentIndex(-1);
    showLogo();
    // Without a reader the screen still lists and deletes fingers; no image ever arrives.
    reader_->InitReader();
}

bool FrmFng::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->TbUsr && event->type() == QEvent::FocusOut) {
        // Moving to another control of the open screen, not to another window or a popup.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible())
            TbUsr_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void FrmFng::closeEvent(QCloseEvent* event)
{
    const bool hadReader = reader_->isOpen();
    reader_->release();
    event->accept();
    if (hadReader)
        Q_EMIT readerReleased();
}

void FrmFng::TbUsr_LostFocus()
{
    FindUsr();
}

void FrmFng::FindUsr()
{
    const QString text = ui_->TbUsr->text();
    if (text.trimmed().isEmpty())
        return;
    lookedUp_ = text;
    // A text that is no number (pasted past the key filter) names no user; it is not sent.
    const std::optional<int> number = wholeNumber(text);
    const std::optional<QString> name =
        number ? FingerprintStore::userName(context_.db, *number) : std::nullopt;
    if (!name) {
        ui_->BtnAdd->setEnabled(false);
        ui_->BtnDel->setEnabled(false);
        ui_->LblDUsr->setText(QStringLiteral("Usuario NO registrado."));
        // The fingers of the employee shown before are not this number's.
        ui_->LstFinger->clear();
        return;
    }
    ui_->BtnAdd->setEnabled(true);
    ui_->BtnDel->setEnabled(true);
    ui_->LblDUsr->setText(*name);
    GetFingers();
}

void FrmFng::GetFingers()
{
    const std::optional<int> user = wholeNumber(ui_->TbUsr->text());
    if (!user)
        return;
    ui_->LstFinger->clear();
    for (const int finger : FingerprintStore::enrolledFingers(context_.db, *user)) {
        auto* item = new QListWidgetItem(fingerName(finger), ui_->LstFinger);
        item->setData(Qt::UserRole, finger);
    }
}

void FrmFng::catchUpWithTbUsr()
{
    if (ui_->TbUsr->text() != lookedUp_)
        FindUsr();
}

QList<int> FrmFng::listedFingers() const
{
    QList<int> fingers;
    for (int row = 0; row < ui_->LstFinger->count(); ++row)
        fingers << ui_->LstFinger->item(row)->data(Qt::UserRole).toInt();
    return fingers;
}

void FrmFng::BtnFind_Click()
{
    search_ = OpenUserSearch(context_, this, ui_->TbUsr, [this] { FindUsr(); });
}

void FrmFng::BtnAdd_Click()
{
    catchUpWithTbUsr();
    if (!ui_->BtnAdd->isEnabled())
        return;
    const EnrolmentForm form{LastQuality, ui_->CmbFing->currentIndex(), listedFingers(),
                             ui_->TbUsr->text()};
    if (const std::optional<EnrolmentProblem> problem = enrolmentProblem(form)) {
        showProblem(*problem);
        return;
    }
    GetFingerP();
}

void FrmFng::GetFingerP()
{
    const int user = wholeNumber(ui_->TbUsr->text()).value_or(0);
    const int finger = ui_->CmbFing->currentIndex();
    ReaderAdapter& capture = reader_->adapter();
    const QByteArray feature = capture.Template.left(capture.TemplateSize);
    if (FingerprintStore::addFinger(context_.db, user, finger, feature) ==
        FingerprintStore::AddResult::AlreadyStored) {
        // Stored meanwhile (by another console): the list shows it now.
        GetFingers();
        showProblem(sameFingerTwice());
        return;
    }
    auto* item = new QListWidgetItem(ui_->CmbFing->currentText(), ui_->LstFinger);
    item->setData(Qt::UserRole, finger);
    ui_->LblCalidad->clear();
    showLogo();
    // Before the box: an image taken while it is open is a new capture and stays storable.
    LastQuality = kCaptureStored;
    ShowInfo(QStringLiteral("La huella ha sido Registrada Correctamente."),
             QStringLiteral("Registro Exitoso"));
}

void FrmFng::BtnDel_Click()
{
    catchUpWithTbUsr();
    if (!ui_->BtnDel->isEnabled())
        return;
    QListWidgetItem* item = ui_->LstFinger->currentItem();
    const std::optional<int> user = wholeNumber(ui_->TbUsr->text());
    if (!item || !item->isSelected() || !user)
        return;
    if (!AskYesNo(QStringLiteral("¿Está seguro de eliminar la huella seleccionada?"),
                  QStringLiteral("¿Eliminar Huella?")))
        return;
    FingerprintStore::deleteFinger(context_.db, *user, item->data(Qt::UserRole).toInt());
    delete item;
    ShowInfo(QStringLiteral("La huella digital ha sido eliminada satisfactoriamente."),
             QStringLiteral("Registro Eliminado"));
}

void FrmFng::BtnClose_Click()
{
    closeScreen(this);
}

void FrmFng::Reader_ImageAcquired(int width, int height, const QByteArray& raw, int resolution)
{
    LastQuality = reader_->TakeImage(ui_->img, ui_->LblCalidad, width, height, raw, resolution);
}

void FrmFng::showProblem(const EnrolmentProblem& problem)
{
    if (problem.showLogo)
        showLogo();
    ShowError(problem.text, problem.title);
    switch (problem.focus) {
    case EnrolmentProblem::Focus::Finger:
        ui_->CmbFing->setFocus();
        break;
    case EnrolmentProblem::Focus::User:
        ui_->TbUsr->setFocus();
        break;
    case EnrolmentProblem::Focus::None:
        break;
    }
}

void FrmFng::showLogo()
{
    ConsoleReader::ShowLogo(ui_->img, context_.programFolder);
}
