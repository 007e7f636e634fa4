#pragma once
// What the reader adapter needs from a family of fingerprint readers.
//
// A back-end keeps its readers ("sensors", named by an id text) and reports
// what happens on them through the signals, always from the Qt event loop.
// Promises every back-end keeps:
//  - sensorPlugged is reported for each usable sensor when reporting starts
//    and for each one that arrives while reporting runs;
//  - a touch is reported as fingerPlaced, then imageAcquired, then
//    fingerRemoved, never interleaved and never nested inside another
//    report's handler of the same sensor; a touch the reader could not image
//    is reported with an empty image (width and height 0, no pixels);
//  - stopping (reporting or one sensor's capture) while a finger is on the
//    sensor still completes that touch.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class ReaderBackend : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts the back-end's library; negative on failure. Having no reader
    // plugged is not a failure: readers arrive as sensorPlugged reports.
    virtual int open() = 0;

    // Sensors start (or stop) reporting.
    virtual void startReporting() = 0;
    virtual void stopReporting() = 0;

    // Begins (or ends) capturing touches on one sensor.
    virtual void startCapture(const QString& sensorId) = 0;
    virtual void stopCapture(const QString& sensorId) = 0;

    // Usable sensors known right now.
    virtual QStringList sensors() const = 0;

    // True while the sensor waits for a finger to be placed.
    virtual bool isWaitingForFinger(const QString& sensorId) const = 0;

Q_SIGNALS:
    void sensorPlugged(const QString& sensorId);
    void sensorUnplugged(const QString& sensorId);
    void fingerPlaced(const QString& sensorId);
    void fingerRemoved(const QString& sensorId);
    void imageAcquired(const QString& sensorId, int width, int height, const QByteArray& raw,
                       int resolution);
};
