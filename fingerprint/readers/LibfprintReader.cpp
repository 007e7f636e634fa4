#include "LibfprintReader.h"

#include "FingerprintStatus.h"
#include "GlibEventBridge.h"
#include "LibfprintSensor.h"

#include <fprint.h>
#include <QDebug>
#include <QPointer>

struct LibfprintReader::GlibCallbacks
{
    static void added(FpContext*, FpDevice* device, gpointer reader)
    {
        static_cast<LibfprintReader*>(reader)->deviceAdded(device);
    }

    static void removed(FpContext*, FpDevice* device, gpointer reader)
    {
        static_cast<LibfprintReader*>(reader)->deviceRemoved(device);
    }
};

LibfprintReader::LibfprintReader(QObject* parent)
    : ReaderBackend(parent)
{
}

LibfprintReader::~LibfprintReader()
{
    if (!context_)
        return;
    g_signal_handlers_disconnect_by_data(context_, this);
    const QList<LibfprintSensor*> sensors = sensors_.values();
    sensors_.clear();
    for (LibfprintSensor* sensor : sensors) {
        disconnect(sensor, nullptr, this, nullptr);
        sensor->closeNow();
        delete sensor;
    }
    g_object_unref(context_);
}

int LibfprintReader::open()
{
    if (context_)
        return FingerprintStatus::Ok;
    context_ = fp_context_new();
    if (!context_)
        return FingerprintStatus::ReaderLibraryFailed;
    bridge_ = new GlibEventBridge(this);
    g_signal_connect(context_, "device-added", G_CALLBACK(GlibCallbacks::added), this);
    g_signal_connect(context_, "device-removed", G_CALLBACK(GlibCallbacks::removed), this);
    // Reports the readers present now through device-added, then watches for more.
    fp_context_enumerate(context_);
    return FingerprintStatus::Ok;
}

void LibfprintReader::deviceAdded(FpDevice* device)
{
    const QString id = LibfprintSensor::idOf(device);
    if (!LibfprintSensor::deliversImages(device)) {
        if (!warnedAbout_.contains(id)) {
            warnedAbout_.insert(id);
            qWarning().noquote()
                << QStringLiteral(
                       "Fingerprint reader %1 (%2) cannot deliver images; it is ignored.")
                       .arg(id, QString::fromUtf8(fp_device_get_name(device)));
        }
        return;
    }
    if (sensors_.contains(device))
        return;
    auto* sensor = new LibfprintSensor(device, this);
    sensors_.insert(device, sensor);
    connect(sensor, &LibfprintSensor::opened, this, [this, sensor] { onSensorOpened(sensor); });
    connect(sensor, &LibfprintSensor::unplugged, this,
            [this, sensor] { onSensorUnplugged(sensor); });
    connect(sensor, &LibfprintSensor::fingerPlaced, this,
            [this, sensor] { Q_EMIT fingerPlaced(sensor->id()); });
    connect(sensor, &LibfprintSensor::fingerRemoved, this,
            [this, sensor] { Q_EMIT fingerRemoved(sensor->id()); });
    connect(sensor, &LibfprintSensor::imageAcquired, this,
            [this, sensor](int width, int height, const QByteArray& raw, int resolution) {
                Q_EMIT imageAcquired(sensor->id(), width, height, raw, resolution);
            });
    sensor->open();
}

void LibfprintReader::deviceRemoved(FpDevice* device)
{
    LibfprintSensor* sensor = sensors_.take(device);
    if (!sensor)
        return;
    if (announced_.remove(sensor->id()))
        Q_EMIT sensorUnplugged(sensor->id());
    sensor->deleteLater();
}

void LibfprintReader::onSensorOpened(LibfprintSensor* sensor)
{
    if (!reporting_)
        return;
    announced_.insert(sensor->id());
    Q_EMIT sensorPlugged(sensor->id());
}

void LibfprintReader::onSensorUnplugged(LibfprintSensor* sensor)
{
    if (announced_.remove(sensor->id()))
        Q_EMIT sensorUnplugged(sensor->id());
}

void LibfprintReader::startReporting()
{
    reporting_ = true;
    // Handlers may change the set of sensors: walk a guarded copy.
    const QList<QPointer<LibfprintSensor>> sensors = guardedSensors();
    for (const QPointer<LibfprintSensor>& sensor : sensors) {
        if (reporting_ && sensor && sensor->isOpen() && !sensor->isGone()) {
            announced_.insert(sensor->id());
            Q_EMIT sensorPlugged(sensor->id());
        }
    }
}

void LibfprintReader::stopReporting()
{
    reporting_ = false;
    announced_.clear();
    const QList<QPointer<LibfprintSensor>> sensors = guardedSensors();
    for (const QPointer<LibfprintSensor>& sensor : sensors) {
        if (sensor)
            sensor->setCapturing(false);
    }
}

void LibfprintReader::startCapture(const QString& sensorId)
{
    LibfprintSensor* sensor = sensorById(sensorId);
    if (reporting_ && sensor)
        sensor->setCapturing(true);
}

void LibfprintReader::stopCapture(const QString& sensorId)
{
    if (LibfprintSensor* sensor = sensorById(sensorId))
        sensor->setCapturing(false);
}

QStringList LibfprintReader::sensors() const
{
    QStringList ids;
    for (const LibfprintSensor* sensor : sensors_) {
        if (sensor->isOpen() && !sensor->isGone())
            ids.append(sensor->id());
    }
    ids.sort();
    return ids;
}

bool LibfprintReader::isWaitingForFinger(const QString& sensorId) const
{
    const LibfprintSensor* sensor = sensorById(sensorId);
    return sensor && sensor->isWaitingForFinger();
}

QList<QPointer<LibfprintSensor>> LibfprintReader::guardedSensors() const
{
    QList<QPointer<LibfprintSensor>> guarded;
    for (LibfprintSensor* sensor : sensors_)
        guarded.append(sensor);
    return guarded;
}

LibfprintSensor* LibfprintReader::sensorById(const QString& sensorId) const
{
    for (LibfprintSensor* sensor : sensors_) {
        if (sensor->id() == sensorId)
            return sensor;
    }
    return nullptr;
}
