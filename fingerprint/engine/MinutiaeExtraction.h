#pragma once
// Ridge endings and bifurcations on the skeleton, with direction and quality,
// cleaned of the false ones that noise, breaks and the finger's edge produce.

#include "Engine.h"
#include "Orientation.h"
#include "Plane.h"
#include "Segmentation.h"
#include "Skeleton.h"

#include <vector>

namespace fp {

inline constexpr int kMaxMinutiae = 120;

// Minutiae in working pixels. Directions point into the ridge for endings and
// into the fork for bifurcations, so that an ending that becomes a bifurcation
// under different pressure keeps (about) its direction.
// Quality (0..100) is the local ridge coherence weighed by the ridge clarity: the
// strength of the enhanced ridge wave around the minutia against its typical
// strength over the finger, so minutiae in smudged or broken patches count less.
std::vector<Minutia> extractMinutiae(const Skeleton& skeleton, const Plane& enhanced,
                                     const OrientationField& orientation,
                                     const ForegroundMask& mask, float ridgePeriod);

} // namespace fp
