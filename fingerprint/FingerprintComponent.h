#pragma once
// The fingerprint reader component both programs use: reader events, image
// pictures, template extraction and matching.
//
// Operations, in the order the programs use them:
//   initialise()                       the reader library (negative = error;
//                                      no reader plugged is not an error)
//   startCaptureModule()/stop...()     sensors start/stop reporting; on start
//                                      each usable sensor is reported plugged
//   startCapture(id)/stopCapture(id)   capturing touches on one sensor
//   picture(...)                       raw image -> QImage
//   extractTemplate(...)               quality 0..2 (negative = error) and the
//                                      template, at most kMaxTemplateSize bytes
//   pictureWithDetails(...)            the image with the template's minutiae
//   prepareQuery(...)/match(...)       1 = match, 0 = no match, negative = error
//
// Events carry the sensor id first. A touch is reported as fingerPlaced,
// imageAcquired, fingerRemoved in that order; stopping the capture module or
// the sensor's capture after fingerPlaced still delivers that touch's image
// before its removal. A touch the reader could not image (a smudge, a blank
// or too short touch) comes with an empty image (0 x 0, no pixels), which
// extraction refuses, so the attempt fails instead of reusing an earlier
// image. Everything is delivered from the Qt event loop.

#include "Engine.h"

#include <memory>
#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class ReaderBackend;

class FingerprintComponent : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxTemplateSize = int(fp::kMaxTemplateSize);
    // Context values of pictureWithDetails().
    static constexpr int kExtractionDetails = -1;
    static constexpr int kMatchDetails = 0;

    // Reads fingers through libfprint (created by initialise()).
    explicit FingerprintComponent(QObject* parent = nullptr);
    // Reads fingers through the given back-end.
    explicit FingerprintComponent(std::unique_ptr<ReaderBackend> backend,
                                  QObject* parent = nullptr);
    // Closes the reader; a libfprint reader runs the event loop while it waits
    // for the device: an owner destroys it while the owner is still whole and no
    // longer listening (see FrmClock's destructor).
    ~FingerprintComponent() override;

    int initialise();
    bool isInitialised() const { return initialised_; }

    int startCaptureModule();
    void stopCaptureModule();
    void startCapture(const QString& sensorId);
    void stopCapture(const QString& sensorId);

    // Usable sensors now, and whether one is waiting for a finger.
    QStringList sensors() const;
    bool isWaitingForFinger(const QString& sensorId) const;

    // The picture of a raw image; null when the raw image is invalid.
    QImage picture(const QByteArray& raw, int width, int height) const;

    // Extracts the template of a raw image into templ (emptied on error).
    // Returns the quality 0 (poor), 1 (medium), 2 (high), or negative.
    int extractTemplate(const QByteArray& raw, int width, int height, int resolution,
                        QByteArray& templ) const;

    // The picture with the template's minutiae drawn over it. context
    // kExtractionDetails shows the extracted minutiae; kMatchDetails shows
    // which of them the last successful comparison paired, when templ is the
    // query of that comparison. Null when the raw image is invalid.
    QImage pictureWithDetails(const QByteArray& templ, const QByteArray& raw, int width, int height,
                              int resolution, int context) const;

    // Prepares the query compared by match(); 0, or negative when it is not
    // a valid template.
    int prepareQuery(const QByteArray& templ);

    // Compares the prepared query with one reference. Returns 1 (match),
    // 0 (no match) or negative (no query prepared, reference invalid);
    // score receives the similarity (0 on error).
    int match(const QByteArray& reference, int& score);

Q_SIGNALS:
    void sensorPlugged(const QString& sensorId);
    void sensorUnplugged(const QString& sensorId);
    void fingerPlaced(const QString& sensorId);
    void fingerRemoved(const QString& sensorId);
    void imageAcquired(const QString& sensorId, int width, int height, const QByteArray& raw,
                       int resolution);

private:
    void attach(ReaderBackend* backend);

    std::unique_ptr<ReaderBackend> backend_;
    bool initialised_ = false;
    fp::PreparedQuery query_;
    QByteArray preparedTemplate_;
    // The query and the pairs of the last comparison that matched.
    QByteArray matchedQuery_;
    QSet<int> matchedMinutiae_;
};
