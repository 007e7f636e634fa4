#pragma once
// One reader found by libfprint: opening it, capturing touches while asked
// to, and turning its finger status and captured images into touch reports
// in the order TouchSequence gives them. A touch without a usable image is
// reported with an empty image (width and height 0, no pixels).

#include "SerialDelivery.h"
#include "TouchSequence.h"

#include <QByteArray>
#include <QObject>
#include <QString>

typedef struct _FpDevice FpDevice;
typedef struct _FpImage FpImage;
typedef struct _GCancellable GCancellable;
typedef struct _GError GError;

class LibfprintSensor : public QObject
{
    Q_OBJECT

public:
    // Keeps a reference to the device for its whole life.
    explicit LibfprintSensor(FpDevice* device, QObject* parent = nullptr);
    ~LibfprintSensor() override;

    // The sensor id of a device: driver and device id, e.g. "virtual_image:0".
    static QString idOf(FpDevice* device);
    // True when the device can hand over images of the finger.
    static bool deliversImages(FpDevice* device);

    QString id() const { return id_; }
    bool isOpen() const { return open_; }
    bool isGone() const { return gone_; }
    bool isWaitingForFinger() const { return waitingForFinger_; }

    // Opens the device; opened() follows when it is ready.
    void open();

    // Captures touch after touch while on. Turning it off keeps a touch that
    // is under way: its image and removal are still reported.
    void setCapturing(bool on);

    // Cancels any capture and closes the device before returning, without
    // reporting anything more. Used when the reader library shuts down.
    void closeNow();

Q_SIGNALS:
    void opened();
    void unplugged();
    void fingerPlaced();
    void fingerRemoved();
    void imageAcquired(int width, int height, const QByteArray& raw, int resolution);

private:
    struct GlibCallbacks;
    friend struct GlibCallbacks;

    struct Image
    {
        int width = 0;
        int height = 0;
        QByteArray raw;
        int resolution = 0;
    };

    void openDone(bool ok, GError* error);
    void captureDone(FpImage* image, GError* error);
    void fingerStatusChanged();
    void deviceRemoved();
    void announceUnplug();
    void settle();
    void startCapture();
    QList<std::function<void()>> deliveriesOf(const QList<TouchSequence::Report>& reports,
                                              const Image& image);
    static bool hasWholeImage(FpImage* image);
    static Image imageOf(FpImage* image);

    FpDevice* device_ = nullptr;
    QString id_;
    GCancellable* captureCancellable_ = nullptr;
    TouchSequence touch_;
    SerialDelivery delivery_;
    bool opening_ = false;
    bool open_ = false;
    bool gone_ = false;
    bool closing_ = false;
    bool wantCapture_ = false;
    bool waitingForFinger_ = false;
    bool unplugPending_ = false;
    bool retryScheduled_ = false;
};
