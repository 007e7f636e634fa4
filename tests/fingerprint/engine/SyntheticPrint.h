#pragma once
// Fingerprint-like test images the tests generate themselves: a plane ridge wave
// whose phase winds once around each planted point, which makes a ridge ending
// or a bifurcation there. The pattern can be drawn rotated, shifted and scaled.

#include "Engine.h"

#include <QPointF>
#include <vector>

struct SyntheticPrint
{
    int width = 300;
    int height = 300;
    float period = 9.0f;           // pixels between ridges at 500 dpi
    float ridgeAngle = 0.5f;       // radians
    float bend = 0.0f;             // curvature of the ridge flow
    std::vector<QPointF> minutiae; // planted points, pattern coordinates
    float rotation = 0.0f;         // radians, applied about the image centre
    QPointF shift;                 // pixels, applied after the rotation
    float scale = 1.0f;            // output pixels per pattern pixel
    unsigned noiseSeed = 1;
    int noise = 12; // grey levels of uniform noise

    fp::GrayImage render() const;
    // Where a planted point lands in the rendered image.
    QPointF imagePoint(QPointF patternPoint) const;
};

// A print with planted minutiae spread over the finger, different for each `finger`.
SyntheticPrint syntheticFinger(int finger);
