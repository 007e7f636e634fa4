#pragma once
// The order of one sensor's touch reports.
//
// A reader library may tell that the finger left before it hands over the
// image of that touch (the image is still being processed). The sequence
// holds the removal back until the capture of the touch has finished, so a
// touch always reads: placed, image, removed. A touch the reader could not
// turn into an image (a smudge, a swipe too short) still gets its image
// report, for an empty image, so the program learns that the attempt failed
// instead of going on with the image of an earlier touch. The sequence also
// says when a capture may be started or cancelled without losing a touch.

#include <QList>

class TouchSequence
{
public:
    enum class Report
    {
        FingerPlaced,
        ImageAcquired,
        FingerRemoved
    };

    // A capture was requested from the reader.
    void captureStarted();

    // The reader says whether a finger is on the sensor; returns what to report now.
    QList<Report> fingerStatus(bool present);

    // The running capture ended, with or without an image; returns what to
    // report now. ImageAcquired without an image stands for an empty image.
    QList<Report> captureFinished(bool withImage);

    bool captureRunning() const { return captureRunning_; }
    bool fingerOn() const { return fingerOn_; }

    // No finger on the sensor and no touch waiting for its image.
    bool idle() const { return !fingerOn_ && !removalPending_; }

    // A capture may start when none runs and no finger is on the sensor.
    bool mayStartCapture() const { return !captureRunning_ && !fingerOn_; }

    // A running capture may be cancelled only while no touch is under way.
    bool mayCancelCapture() const { return captureRunning_ && idle(); }

private:
    bool captureRunning_ = false;
    bool fingerOn_ = false;
    bool removalPending_ = false;
};
