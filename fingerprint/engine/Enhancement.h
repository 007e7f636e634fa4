#pragma once
// Contextual filtering: each finger pixel is filtered with an even Gabor kernel
// tuned to the local ridge direction and period, which joins broken ridges and
// removes noise between them.

#include "Orientation.h"
#include "Plane.h"
#include "RidgeFrequency.h"
#include "Segmentation.h"

namespace fp {

// Positive on ridges, negative in valleys, 0 outside the finger.
Plane enhanceRidges(const Plane& normalised, const OrientationField& orientation,
                    const RidgePeriod& period, const ForegroundMask& mask,
                    Sensitivity sensitivity = Sensitivity::Normal);

} // namespace fp
