// FrmClock: the fingerprint reader's events. One image per attempt: the capture stops when a
// finger is placed, the image is turned into a template, and lifting the finger verifies it.

#include "FingerprintComponent.h"
#include "FrmClock.h"
#include "MessageLine.h"
#include "ui_FrmClock.h"

void FrmClock::connectReader()
{
    FingerprintComponent& reader = *component_;
    connect(&reader, &FingerprintComponent::sensorPlugged, this, &FrmClock::sensorPlugged);
    connect(&reader, &FingerprintComponent::sensorUnplugged, this, &FrmClock::sensorUnplugged);
    connect(&reader, &FingerprintComponent::fingerPlaced, this, &FrmClock::fingerPlaced);
    connect(&reader, &FingerprintComponent::imageAcquired, this, &FrmClock::imageAcquired);
    connect(&reader, &FingerprintComponent::fingerRemoved, this, &FrmClock::fingerRemoved);
}

void FrmClock::startCapture()
{
    component_->startCaptureModule();
}

void FrmClock::stopCapture()
{
    component_->stopCaptureModule();
}

void FrmClock::sensorPlugged(const QString& sensorId)
{
    component_->startCapture(sensorId);
}

void FrmClock::sensorUnplugged(const QString& sensorId)
{
    component_->stopCapture(sensorId);
}

void FrmClock::fingerPlaced(const QString&)
{
    if (!selection_.MayPunch || CheckInProgress)
        return;
    MessageLine::showText(ui_->LblMsg, QStringLiteral("Por favor quite su dedo del lector"));
    stopCapture();
}

void FrmClock::imageAcquired(const QString&, int width, int height, const QByteArray& raw,
                             int resolution)
{
    if (!selection_.MayPunch || CheckInProgress)
        return;
    MessageLine::showText(ui_->LblMsg, QStringLiteral("Procesando Imagen..."));
    ui_->LblMsg->repaint();
    adapter_.storeImage(width, height, raw, resolution);
    adapter_.ShowFingerImage(ui_->Img, false, 0);
    const int quality = adapter_.ExtractTemplate();
    ui_->LblCalidad->setText(ReaderAdapter::qualityText(quality));
    if (quality < 0) {
        // The attempt is abandoned: the screen is reset at once, and the error stays on the
        // message line until the usual 4-second reset.
        InitLabels();
        MessageLine::showRefusal(
            ui_->LblMsg, QStringLiteral("Ocurrio un Error al Procesar la Imagen, Trate de nuevo"));
        startScreenReset();
        ui_->TxtUsuario->setFocus();
        return;
    }
    adapter_.ShowFingerImage(ui_->Img, true, FingerprintComponent::kExtractionDetails);
}

void FrmClock::fingerRemoved(const QString&)
{
    if (!selection_.MayPunch || CheckInProgress)
        return;
    MessageLine::showText(ui_->LblMsg, QStringLiteral("Verificando Huella Digital, Espere..."));
    ui_->LblMsg->repaint();
    VerifyFingerprint();
}
