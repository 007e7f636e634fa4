#include "ConsoleReader.h"

#include "FingerprintComponent.h"
#include "FingerprintStatus.h"
#include "Messages.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>

ConsoleReader::Factory ConsoleReader::libfprintReaders()
{
    return [] { return std::make_unique<FingerprintComponent>(); };
}

ConsoleReader::ConsoleReader(std::unique_ptr<FingerprintComponent> component, QObject* parent)
    : QObject(parent)
    , component_(std::move(component))
    , adapter_(std::make_unique<ReaderAdapter>(*component_))
{
    FingerprintComponent& reader = *component_;
    // Sensors that arrive are captured on at once; finger placed needs nothing here.
    connect(&reader, &FingerprintComponent::sensorPlugged, this,
            [this](const QString& sensor) { component_->startCapture(sensor); });
    connect(&reader, &FingerprintComponent::sensorUnplugged, this,
            [this](const QString& sensor) { component_->stopCapture(sensor); });
    connect(&reader, &FingerprintComponent::imageAcquired, this,
            [this](const QString&, int width, int height, const QByteArray& raw, int resolution) {
                Q_EMIT imageAcquired(width, height, raw, resolution);
            });
    connect(&reader, &FingerprintComponent::fingerRemoved, this,
            [this](const QString&) { Q_EMIT fingerRemoved(); });
}

ConsoleReader::~ConsoleReader()
{
    release();
}

int ConsoleReader::InitReader()
{
    if (!component_)
        return FingerprintStatus::NotInitialised;
    return adapter_->InitReaderAndCapture();
}

void ConsoleReader::release()
{
    if (!component_)
        return;
    component_->disconnect(this);
    component_->stopCaptureModule();
    adapter_.reset();
    component_.reset();
}

int ConsoleReader::TakeImage(QLabel* img, QLabel* quality, int width, int height,
                             const QByteArray& raw, int resolution)
{
    adapter_->storeImage(width, height, raw, resolution);
    adapter_->ShowFingerImage(img, false, 0);
    const int code = adapter_->ExtractTemplate();
    quality->setText(ReaderAdapter::qualityText(code));
    if (code < 0) {
        ShowError(QStringLiteral("Ocurrio un Error, Trate de nuevo"),
                  QStringLiteral("Trate de Nuevo"));
        return code;
    }
    adapter_->ShowFingerImage(img, true, FingerprintComponent::kExtractionDetails);
    return code;
}

void ConsoleReader::ShowLogo(QLabel* img, const QString& programFolder)
{
    const QPixmap logo(QDir(programFolder).filePath(QStringLiteral("log.jpg")));
    if (logo.isNull()) {
        img->clear();
        return;
    }
    img->setPixmap(logo.scaled(img->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
