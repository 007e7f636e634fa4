#include "LibfprintSensor.h"

#include <fprint.h>
#include <memory>
#include <QDebug>
#include <QPointer>
#include <QTimer>

namespace {

// Resolution used when the driver does not tell one.
constexpr int kDefaultResolution = 500;
// Pause before capturing again after a capture failed for a reason other than
// the user's touch, so a failing reader cannot keep the loop busy.
constexpr int kRetryAfterFailureMs = 1000;

using SensorGuard = QPointer<LibfprintSensor>;

} // namespace

// GLib calls back with plain pointers; each asynchronous request carries a
// guard so that a reply arriving after the sensor is gone is simply dropped.
struct LibfprintSensor::GlibCallbacks
{
    static void opened(GObject* source, GAsyncResult* result, gpointer data)
    {
        std::unique_ptr<SensorGuard> guard(static_cast<SensorGuard*>(data));
        GError* error = nullptr;
        const bool ok = fp_device_open_finish(FP_DEVICE(source), result, &error);
        if (*guard)
            (*guard)->openDone(ok, error);
        g_clear_error(&error);
    }

    static void captured(GObject* source, GAsyncResult* result, gpointer data)
    {
        std::unique_ptr<SensorGuard> guard(static_cast<SensorGuard*>(data));
        GError* error = nullptr;
        FpImage* image = fp_device_capture_finish(FP_DEVICE(source), result, &error);
        if (*guard)
            (*guard)->captureDone(image, error);
        g_clear_object(&image);
        g_clear_error(&error);
    }

    static void closed(GObject* source, GAsyncResult* result, gpointer)
    {
        GError* error = nullptr;
        fp_device_close_finish(FP_DEVICE(source), result, &error);
        g_clear_error(&error);
    }

    static void fingerStatus(GObject*, GParamSpec*, gpointer sensor)
    {
        static_cast<LibfprintSensor*>(sensor)->fingerStatusChanged();
    }

    static void removed(FpDevice*, gpointer sensor)
    {
        static_cast<LibfprintSensor*>(sensor)->deviceRemoved();
    }
};

LibfprintSensor::LibfprintSensor(FpDevice* device, QObject* parent)
    : QObject(parent)
    , device_(FP_DEVICE(g_object_ref(device)))
    , id_(idOf(device))
{
    g_signal_connect(device_, "notify::finger-status", G_CALLBACK(GlibCallbacks::fingerStatus),
                     this);
    g_signal_connect(device_, "removed", G_CALLBACK(GlibCallbacks::removed), this);
}

LibfprintSensor::~LibfprintSensor()
{
    g_signal_handlers_disconnect_by_data(device_, this);
    if (captureCancellable_)
        g_cancellable_cancel(captureCancellable_);
    g_clear_object(&captureCancellable_);
    g_object_unref(device_);
}

QString LibfprintSensor::idOf(FpDevice* device)
{
    return QStringLiteral("%1:%2").arg(QString::fromUtf8(fp_device_get_driver(device)),
                                       QString::fromUtf8(fp_device_get_device_id(device)));
}

bool LibfprintSensor::deliversImages(FpDevice* device)
{
    return fp_device_has_feature(device, FP_DEVICE_FEATURE_CAPTURE);
}

void LibfprintSensor::open()
{
    if (opening_ || open_ || gone_)
        return;
    opening_ = true;
    fp_device_open(device_, nullptr, GlibCallbacks::opened, new SensorGuard(this));
}

void LibfprintSensor::openDone(bool ok, GError* error)
{
    opening_ = false;
    if (!ok) {
        qWarning().noquote() << QStringLiteral("Fingerprint reader %1 could not be opened: %2")
                                    .arg(id_, QString::fromUtf8(error ? error->message : "?"));
        return;
    }
    open_ = true;
    if (closing_)
        return;
    Q_EMIT opened();
    settle();
}

void LibfprintSensor::setCapturing(bool on)
{
    wantCapture_ = on;
    settle();
}

// Starts a capture when one is wanted and possible, or cancels the running
// one when it is no longer wanted and no touch is under way.
void LibfprintSensor::settle()
{
    if (closing_)
        return;
    if (!wantCapture_ || gone_) {
        if (touch_.mayCancelCapture() && captureCancellable_)
            g_cancellable_cancel(captureCancellable_);
        return;
    }
    if (open_ && !retryScheduled_ && !unplugPending_ && touch_.mayStartCapture())
        startCapture();
}

void LibfprintSensor::startCapture()
{
    g_clear_object(&captureCancellable_);
    captureCancellable_ = g_cancellable_new();
    touch_.captureStarted();
    fp_device_capture(device_, TRUE, captureCancellable_, GlibCallbacks::captured,
                      new SensorGuard(this));
}

bool LibfprintSensor::hasWholeImage(FpImage* image)
{
    gsize size = 0;
    fp_image_get_data(image, &size);
    return size > 0 && size == gsize(fp_image_get_width(image)) * fp_image_get_height(image);
}

LibfprintSensor::Image LibfprintSensor::imageOf(FpImage* image)
{
    gsize size = 0;
    const guchar* pixels = fp_image_get_data(image, &size);
    Image result;
    result.width = int(fp_image_get_width(image));
    result.height = int(fp_image_get_height(image));
    result.raw = QByteArray(reinterpret_cast<const char*>(pixels), qsizetype(size));
    const double ppmm = fp_image_get_ppmm(image);
    result.resolution = ppmm > 0 ? qRound(ppmm * 25.4) : kDefaultResolution;
    return result;
}

void LibfprintSensor::captureDone(FpImage* image, GError* error)
{
    g_clear_object(&captureCancellable_);
    const bool withImage = image && !closing_ && hasWholeImage(image);
    bool failed = false;
    if (!image && error) {
        if (g_error_matches(error, FP_DEVICE_ERROR, FP_DEVICE_ERROR_REMOVED)) {
            gone_ = true;
        } else if (error->domain == FP_DEVICE_RETRY ||
                   g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
            // The touch was not good enough, or the capture was stopped.
        } else {
            failed = true;
            qWarning().noquote() << QStringLiteral("Fingerprint reader %1: capture failed: %2")
                                        .arg(id_, QString::fromUtf8(error->message));
        }
    }
    const QList<TouchSequence::Report> reports = touch_.captureFinished(withImage);
    if (closing_)
        return;

    const QPointer<LibfprintSensor> self(this);
    delivery_.post(deliveriesOf(reports, withImage ? imageOf(image) : Image{}));
    if (!self)
        return;
    if (unplugPending_) {
        announceUnplug();
    } else if (failed) {
        retryScheduled_ = true;
        QTimer::singleShot(kRetryAfterFailureMs, this, [this] {
            retryScheduled_ = false;
            settle();
        });
    } else {
        settle();
    }
}

void LibfprintSensor::fingerStatusChanged()
{
    const FpFingerStatusFlags status = fp_device_get_finger_status(device_);
    const bool present = (status & FP_FINGER_STATUS_PRESENT) != 0;
    waitingForFinger_ = (status & FP_FINGER_STATUS_NEEDED) != 0 && !present;
    if (closing_)
        return;
    const QPointer<LibfprintSensor> self(this);
    delivery_.post(deliveriesOf(touch_.fingerStatus(present), Image{}));
    if (self)
        settle();
}

void LibfprintSensor::deviceRemoved()
{
    gone_ = true;
    waitingForFinger_ = false;
    if (closing_)
        return;
    if (touch_.captureRunning()) {
        // The capture ends with an error shortly; the unplug follows it.
        unplugPending_ = true;
        if (captureCancellable_)
            g_cancellable_cancel(captureCancellable_);
        return;
    }
    announceUnplug();
}

void LibfprintSensor::announceUnplug()
{
    unplugPending_ = false;
    if (open_) {
        open_ = false;
        fp_device_close(device_, nullptr, GlibCallbacks::closed, nullptr);
    }
    // A finger still on a reader that went away has left it too.
    QList<std::function<void()>> deliveries = deliveriesOf(touch_.fingerStatus(false), Image{});
    deliveries.append([this] { Q_EMIT unplugged(); });
    delivery_.post(deliveries);
}

QList<std::function<void()>>
LibfprintSensor::deliveriesOf(const QList<TouchSequence::Report>& reports, const Image& image)
{
    QList<std::function<void()>> deliveries;
    for (const TouchSequence::Report r : reports) {
        switch (r) {
        case TouchSequence::Report::FingerPlaced:
            deliveries.append([this] { Q_EMIT fingerPlaced(); });
            break;
        case TouchSequence::Report::ImageAcquired:
            deliveries.append([this, image] {
                Q_EMIT imageAcquired(image.width, image.height, image.raw, image.resolution);
            });
            break;
        case TouchSequence::Report::FingerRemoved:
            deliveries.append([this] { Q_EMIT fingerRemoved(); });
            break;
        }
    }
    return deliveries;
}

void LibfprintSensor::closeNow()
{
    closing_ = true;
    wantCapture_ = false;
    if (captureCancellable_)
        g_cancellable_cancel(captureCancellable_);
    // The replies to the cancelled capture and to a pending open arrive on
    // GLib's default context; wait for them so the device can be closed.
    while (touch_.captureRunning() || opening_)
        g_main_context_iteration(nullptr, TRUE);
    if (open_) {
        open_ = false;
        GError* error = nullptr;
        fp_device_close_sync(device_, nullptr, &error);
        g_clear_error(&error);
    }
}
