#pragma once
// Plays the finger on libfprint's virtual image reader.
//
// The reader listens on the unix socket named by FP_VIRTUAL_IMAGE once the
// program using it has opened it. Its protocol is a stream of native 32-bit
// integer pairs: "width height" followed by width * height 8-bit grey pixels
// is an image; "-4 1" / "-4 0" put the finger on / take it off; "-3 0" turns
// off the reader's own habit of wrapping each image in on/off reports; "-5 0"
// makes the reader disappear. The reader reads only while it captures, and
// drops what arrives while it does not.
//
// The client keeps trying to connect until the reader is up, and again
// whenever the connection drops.

#include <QImage>
#include <QLocalSocket>
#include <QObject>
#include <QTimer>

class VirtualReaderClient : public QObject
{
    Q_OBJECT

public:
    // The reader refuses images larger than this in either direction.
    static constexpr int kMaxSide = 5000;

    explicit VirtualReaderClient(QObject* parent = nullptr);
    ~VirtualReaderClient() override;

    // Connects to the reader's socket, retrying until it answers.
    void connectTo(const QString& socketPath);
    void disconnectFromReader();

    QString socketPath() const { return socketPath_; }
    bool isConnected() const;

    // Each returns false when the message could not be sent.
    bool placeFinger();
    bool removeFinger();
    bool sendImage(int width, int height, const QByteArray& pixels);
    bool sendImage(const QImage& picture);
    // One whole touch: finger on, the image, finger off.
    bool touch(const QImage& picture);
    // Makes the reader disappear from the program that uses it.
    bool unplug();

    void setRetryInterval(int milliseconds) { retry_.setInterval(milliseconds); }

Q_SIGNALS:
    void connected();
    void disconnected();

private:
    bool send(const QByteArray& bytes);
    static QByteArray pair(qint32 first, qint32 second);
    void tryConnect();

    QLocalSocket socket_;
    QTimer retry_;
    QString socketPath_;
};
