#pragma once
// The hourglass pointer for the lifetime of the object: shown on slow work, restored after it.

#include <QApplication>
#include <QCursor>

class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
