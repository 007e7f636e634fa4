#include "GlibEventBridge.h"

#include <glib.h>
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

GlibEventBridge::GlibEventBridge(QObject* parent)
    : QObject(parent)
{
    if (qtRunsGlibContext())
        return;
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &GlibEventBridge::dispatchPending);
    timer_.start();
}

bool GlibEventBridge::qtRunsGlibContext()
{
    // Qt's GLib dispatcher runs the default context in the main thread only;
    // other threads get a context of their own.
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const bool mainThread =
        QCoreApplication::instance() && QThread::currentThread() == qApp->thread();
    return mainThread && dispatcher && dispatcher->inherits("QEventDispatcherGlib");
}

void GlibEventBridge::dispatchPending()
{
    // Bounded, so that a busy context cannot starve Qt's own events.
    for (int i = 0; i < 64 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
}
