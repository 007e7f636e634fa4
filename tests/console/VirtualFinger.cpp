#include "VirtualFinger.h"

#include "ConsoleReader.h"
#include "FingerprintComponent.h"

#include <QSignalSpy>
#include <QtTest>

namespace testing {

VirtualFinger::VirtualFinger()
    : client_(std::make_unique<VirtualReaderClient>())
{
    qputenv("FP_VIRTUAL_IMAGE", folder_.filePath(QStringLiteral("reader.sock")).toLocal8Bit());
}

VirtualFinger::~VirtualFinger()
{
    client_.reset();
    qunsetenv("FP_VIRTUAL_IMAGE");
}

bool VirtualFinger::readyFor(ConsoleReader& reader)
{
    if (client_->socketPath().isEmpty())
        client_->connectTo(folder_.filePath(QStringLiteral("reader.sock")));
    return QTest::qWaitFor(
        [&] {
            if (!reader.isOpen() || !client_->isConnected())
                return false;
            const QStringList sensors = reader.component().sensors();
            return !sensors.isEmpty() && reader.component().isWaitingForFinger(sensors.first());
        },
        kTimeout);
}

bool VirtualFinger::touch(ConsoleReader& reader, const QImage& picture)
{
    if (!readyFor(reader))
        return false;
    QSignalSpy lifted(&reader, &ConsoleReader::fingerRemoved);
    if (!client_->touch(picture))
        return false;
    return QTest::qWaitFor([&] { return !lifted.isEmpty(); }, kTimeout);
}

} // namespace testing
