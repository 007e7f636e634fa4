#pragma once
// A console screen's fingerprint reader: the component, the screen's own capture state, and what
// both fingerprint screens do alike (capturing on every sensor that arrives, and an image turned
// into a template with its quality shown).
//
// Closing a reader runs the event loop while the reader library waits for the device. So a
// screen releases its reader when it closes, while the screen is still whole: the reader stops
// reporting to the screen first, then stops its capture module and closes. Nothing is reported
// after release(), and a released reader is free for the other fingerprint screen.

#include "FingerprintComponent.h"
#include "ReaderAdapter.h"

#include <functional>
#include <memory>
#include <QByteArray>
#include <QObject>
#include <QString>

class QLabel;

class ConsoleReader : public QObject
{
    Q_OBJECT
public:
    // Makes the component a screen reads fingers through.
    using Factory = std::function<std::unique_ptr<FingerprintComponent>()>;
    // The readers libfprint offers.
    static Factory libfprintReaders();

    explicit ConsoleReader(std::unique_ptr<FingerprintComponent> component,
                           QObject* parent = nullptr);
    ~ConsoleReader() override;

    // Starts the reader library and then the capture module; returns the status, negative when
    // either failed.
    int InitReader();
    // Stops the capture module and closes the reader.
    void release();
    bool isOpen() const { return component_ != nullptr; }

    // The capture state and the component. Only while the reader is open.
    ReaderAdapter& adapter() { return *adapter_; }
    FingerprintComponent& component() { return *component_; }

    // The image event: keeps the image and shows it in `img`, extracts its template and writes
    // the quality text into `quality`. A failed extraction shows its error box; otherwise the
    // image is shown again with the template's details. Returns the quality (negative: error).
    int TakeImage(QLabel* img, QLabel* quality, int width, int height, const QByteArray& raw,
                  int resolution);

    // Shows the program's logo in `img`, as the image box does while it holds no finger.
    static void ShowLogo(QLabel* img, const QString& programFolder);

Q_SIGNALS:
    void imageAcquired(int width, int height, const QByteArray& raw, int resolution);
    void fingerRemoved();

private:
    std::unique_ptr<FingerprintComponent> component_;
    std::unique_ptr<ReaderAdapter> adapter_;
};
