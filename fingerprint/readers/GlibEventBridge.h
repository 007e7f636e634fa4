#pragma once
// Lets GLib's default main context run inside Qt's event loop.
//
// libfprint reports everything through callbacks on GLib's default main
// context. On Debian, Qt's event dispatcher is GLib's own loop, so those
// callbacks already run inside Qt's loop and nothing is needed. When Qt runs
// without it (QT_NO_GLIB set, or a platform with its own dispatcher) the
// bridge dispatches the context's pending work from a short timer instead.

#include <QObject>
#include <QTimer>

class GlibEventBridge : public QObject
{
    Q_OBJECT

public:
    explicit GlibEventBridge(QObject* parent = nullptr);

    // True when Qt's event loop of this thread is GLib's default main context.
    static bool qtRunsGlibContext();

    // True when the bridge has to poll.
    bool polling() const { return timer_.isActive(); }

private:
    void dispatchPending();

    QTimer timer_;
};
