#pragma once
// Readers driven by libfprint 2: USB readers that deliver images, and
// libfprint's virtual image reader when FP_VIRTUAL_IMAGE names a socket
// (the variable is read when open() creates the library's context).
//
// Readers that cannot deliver images (match-on-chip readers) are left alone;
// each is named once in a warning. The sensor id is "<driver>:<device id>".

#include "ReaderBackend.h"

#include <QHash>
#include <QPointer>
#include <QSet>

class GlibEventBridge;
class LibfprintSensor;

typedef struct _FpContext FpContext;
typedef struct _FpDevice FpDevice;

class LibfprintReader : public ReaderBackend
{
    Q_OBJECT

public:
    explicit LibfprintReader(QObject* parent = nullptr);
    ~LibfprintReader() override;

    int open() override;
    void startReporting() override;
    void stopReporting() override;
    void startCapture(const QString& sensorId) override;
    void stopCapture(const QString& sensorId) override;
    QStringList sensors() const override;
    bool isWaitingForFinger(const QString& sensorId) const override;

private:
    struct GlibCallbacks;
    friend struct GlibCallbacks;

    void deviceAdded(FpDevice* device);
    void deviceRemoved(FpDevice* device);
    void onSensorOpened(LibfprintSensor* sensor);
    void onSensorUnplugged(LibfprintSensor* sensor);
    LibfprintSensor* sensorById(const QString& sensorId) const;
    QList<QPointer<LibfprintSensor>> guardedSensors() const;

    FpContext* context_ = nullptr;
    GlibEventBridge* bridge_ = nullptr;
    QHash<FpDevice*, LibfprintSensor*> sensors_;
    QSet<QString> announced_;   // reported plugged since reporting started
    QSet<QString> warnedAbout_; // readers named as unable to deliver images
    bool reporting_ = false;
};
