#pragma once
// Contextual filtering: each finger pixel is filtered with an even Gabor kernel
// tuned to the local ridge direction and period, which joins broken ridges and
// removes noise between them.

#include "Orientation.h"
#include "Plane.h"
#include "RidgeFrequency.h"
#include "Segmentation.h"

namespace fp {

// How far along the ridge the filter reaches: half a period keeps minutiae sharp;
// 0.8 period joins ridges that a faint finger left as rows of dots.
enum class Envelope
{
    Short,
    Long
};

// Positive on ridges, negative in valleys, 0 outside the finger.
Plane enhanceRidges(const Plane& normalised, const OrientationField& orientation,
                    const RidgePeriod& period, const ForegroundMask& mask,
                    Envelope envelope = Envelope::Short);

} // namespace fp
