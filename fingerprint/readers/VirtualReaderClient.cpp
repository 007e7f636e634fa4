#include "VirtualReaderClient.h"

#include "FingerImage.h"

namespace {

constexpr qint32 kSetAutomaticFinger = -3;
constexpr qint32 kFingerStatus = -4;
constexpr qint32 kRemoveDevice = -5;

} // namespace

VirtualReaderClient::VirtualReaderClient(QObject* parent)
    : QObject(parent)
{
    // Ticks while not connected; each tick tries again unless an attempt runs.
    retry_.setInterval(200);
    connect(&retry_, &QTimer::timeout, this, &VirtualReaderClient::tryConnect);
    connect(&socket_, &QLocalSocket::connected, this, [this] {
        retry_.stop();
        // Finger on and off are sent explicitly around each image.
        send(pair(kSetAutomaticFinger, 0));
        Q_EMIT connected();
    });
    connect(&socket_, &QLocalSocket::disconnected, this, [this] {
        Q_EMIT disconnected();
        if (!socketPath_.isEmpty())
            retry_.start();
    });
}

VirtualReaderClient::~VirtualReaderClient()
{
    // The socket says goodbye while it is destroyed; nobody listens by then.
    socket_.disconnect(this);
}

void VirtualReaderClient::connectTo(const QString& socketPath)
{
    disconnectFromReader();
    socketPath_ = socketPath;
    retry_.start();
    tryConnect();
}

void VirtualReaderClient::disconnectFromReader()
{
    socketPath_.clear();
    retry_.stop();
    socket_.abort();
}

void VirtualReaderClient::tryConnect()
{
    if (socketPath_.isEmpty() || socket_.state() != QLocalSocket::UnconnectedState)
        return;
    socket_.connectToServer(socketPath_);
}

bool VirtualReaderClient::isConnected() const
{
    return socket_.state() == QLocalSocket::ConnectedState;
}

QByteArray VirtualReaderClient::pair(qint32 first, qint32 second)
{
    QByteArray bytes;
    bytes.append(reinterpret_cast<const char*>(&first), sizeof first);
    bytes.append(reinterpret_cast<const char*>(&second), sizeof second);
    return bytes;
}

bool VirtualReaderClient::send(const QByteArray& bytes)
{
    if (!isConnected())
        return false;
    return socket_.write(bytes) == bytes.size();
}

bool VirtualReaderClient::placeFinger()
{
    return send(pair(kFingerStatus, 1));
}

bool VirtualReaderClient::removeFinger()
{
    return send(pair(kFingerStatus, 0));
}

bool VirtualReaderClient::sendImage(int width, int height, const QByteArray& pixels)
{
    if (width > kMaxSide || height > kMaxSide || !FingerImage::isValidRaw(pixels, width, height))
        return false;
    return send(pair(width, height) + pixels);
}

bool VirtualReaderClient::sendImage(const QImage& picture)
{
    return sendImage(picture.width(), picture.height(), FingerImage::rawFromPicture(picture));
}

bool VirtualReaderClient::touch(const QImage& picture)
{
    const QByteArray pixels = FingerImage::rawFromPicture(picture);
    if (picture.width() > kMaxSide || picture.height() > kMaxSide ||
        !FingerImage::isValidRaw(pixels, picture.width(), picture.height()))
        return false;
    return send(pair(kFingerStatus, 1) + pair(picture.width(), picture.height()) + pixels +
                pair(kFingerStatus, 0));
}

bool VirtualReaderClient::unplug()
{
    return send(pair(kRemoveDevice, 0));
}
