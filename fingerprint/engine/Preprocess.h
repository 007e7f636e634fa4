#pragma once
// First stage: the reader's grey bytes become a float plane at the working
// resolution, and a contrast-normalised copy with ridges positive.

#include "Engine.h"
#include "Plane.h"

namespace fp {

inline constexpr int kWorkingDpi = 500;

// Working pixels per source pixel for a resolution (1 when close to kWorkingDpi).
float workingScale(int dpi);

// Grey levels at kWorkingDpi; `scale` receives working pixels per source pixel.
Plane toWorkingPlane(const GrayImage& image, float& scale);

// Local zero mean / unit deviation, sign flipped so that (dark) ridges are positive.
Plane normaliseContrast(const Plane& grey);

} // namespace fp
