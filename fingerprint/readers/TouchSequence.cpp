#include "TouchSequence.h"

void TouchSequence::captureStarted()
{
    captureRunning_ = true;
}

QList<TouchSequence::Report> TouchSequence::fingerStatus(bool present)
{
    if (present) {
        // A new touch cannot begin before the previous one has been reported
        // whole; the running capture still belongs to the previous touch.
        if (fingerOn_ || removalPending_)
            return {};
        fingerOn_ = true;
        return {Report::FingerPlaced};
    }
    if (!fingerOn_)
        return {};
    fingerOn_ = false;
    if (captureRunning_) {
        removalPending_ = true;
        return {};
    }
    return {Report::FingerRemoved};
}

QList<TouchSequence::Report> TouchSequence::captureFinished(bool withImage)
{
    captureRunning_ = false;
    QList<Report> reports;
    if (withImage || !idle())
        reports.append(Report::ImageAcquired);
    if (removalPending_) {
        removalPending_ = false;
        reports.append(Report::FingerRemoved);
    }
    return reports;
}
