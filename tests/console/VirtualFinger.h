#pragma once
// A finger on libfprint's virtual image reader, for the console's fingerprint screens. Made
// before the screen opens its reader: the reader then listens on this finger's socket.

#include "VirtualReaderClient.h"

#include <memory>
#include <QImage>
#include <QTemporaryDir>

class ConsoleReader;

namespace testing {

class VirtualFinger
{
public:
    static constexpr int kTimeout = 20000;

    VirtualFinger();
    ~VirtualFinger();

    // Connects to the reader and waits until a screen's reader waits for a finger.
    bool readyFor(ConsoleReader& reader);
    // One touch; returns once the screen has handled the finger being lifted.
    bool touch(ConsoleReader& reader, const QImage& picture);

    VirtualReaderClient& client() { return *client_; }

private:
    QTemporaryDir folder_;
    std::unique_ptr<VirtualReaderClient> client_;
};

} // namespace testing
