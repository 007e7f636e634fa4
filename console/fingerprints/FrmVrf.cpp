#include "FrmVrf.h"

#include "BusyPointer.h"
#include "CloseScreen.h"
#include "FingerprintComponent.h"
#include "Messages.h"
#include "ui_FrmVrf.h"

#include <QCloseEvent>
#include <QTimer>

FrmVrf::FrmVrf(ConsoleContext& context, QWidget* parent)
    : FrmVrf(context, ConsoleReader::libfprintReaders()(), parent)
{
}

FrmVrf::FrmVrf(ConsoleContext& context, std::unique_ptr<FingerprintComponent> reader,
               QWidget* parent)
    : QWidget(parent)
    , context_(context)
    , ui_(new Ui::FrmVrf)
    , reader_(new ConsoleReader(std::move(reader), this))
{
    ui_->setupUi(this);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &FrmVrf::BtnClose_Click);
    connect(reader_, &ConsoleReader::imageAcquired, this, &FrmVrf::Reader_ImageAcquired);
    connect(reader_, &ConsoleReader::fingerRemoved, this, &FrmVrf::Reader_FingerRemoved);
    Form_Load();
}

FrmVrf::~FrmVrf()
{
    // The reader is closed while the screen still stands (see ConsoleReader).
    reader_->release();
    delete ui_;
}

void FrmVrf::Form_Load()
{
    context_.skin.applySkin(this);
    if (reader_->InitReader() >= 0)
        return;
    // Without a reader there is nothing to verify: this screen closes, the console goes on
    // (other screens may hold unsaved work).
    readerFailed_ = true;
    reader_->release();
    ShowError(QStringLiteral("No fue posible Inicializar el scanner de Huella Digital. ") +
                  QStringLiteral("No es posible continuar"),
              QStringLiteral("Scanner no detectado"));
    QTimer::singleShot(0, this, [this] { closeScreen(this); });
}

void FrmVrf::closeEvent(QCloseEvent* event)
{
    reader_->release();
    event->accept();
    Q_EMIT readerReleased();
}

void FrmVrf::Reader_ImageAcquired(int width, int height, const QByteArray& raw, int resolution)
{
    reader_->TakeImage(ui_->img, ui_->LblCalidad, width, height, raw, resolution);
}

void FrmVrf::Reader_FingerRemoved()
{
    IdentifyFinger();
}

void FrmVrf::IdentifyFinger()
{
    int score = 0;
    if (IdentifyAllUsers(score) < 1) {
        ui_->LblDNom->setText(QStringLiteral("huella No Identificada"));
        return;
    }
    reader_->adapter().ShowFingerImage(ui_->img, true, FingerprintComponent::kMatchDetails);
}

int FrmVrf::IdentifyAllUsers(int& score)
{
    score = 0;
    if (!reader_->isOpen() || !reader_->adapter().HasTemplate())
        return FingerprintGallery::kNoTemplate;
    ReaderAdapter& capture = reader_->adapter();
    const QByteArray templ = capture.Template.left(capture.TemplateSize);
    OwnerSearch found;
    {
        // The first search, and the first after KxFingerP changed, reads every template.
        BusyPointer busy;
        found = identifyOwner(context_.db, gallery_, templ);
    }
    score = found.match.score;
    if (found.match.result < 1)
        return found.match.result;
    // The component keeps the paired minutiae of its last match for drawing them.
    FingerprintComponent& component = reader_->component();
    int drawn = 0;
    if (component.prepareQuery(templ) >= 0)
        component.match(found.match.reference, drawn);
    if (found.name) {
        ui_->LblDNom->setText(*found.name);
    } else {
        ui_->LblDNom->setText(QStringLiteral("Usuario No Localizado!!"));
        ShowError(QStringLiteral("Usuario No Localizado"), QStringLiteral("Error"));
    }
    return found.match.result;
}

void FrmVrf::BtnClose_Click()
{
    closeScreen(this);
}
