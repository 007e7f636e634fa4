#pragma once
// Local ridge period (pixels between ridge centres) from oriented signatures.

#include "Orientation.h"
#include "Plane.h"
#include "Segmentation.h"

#include <vector>

namespace fp {

inline constexpr float kMinRidgePeriod = 5.0f;
inline constexpr float kMaxRidgePeriod = 15.0f;

struct RidgePeriod
{
    int block = 16;
    int cols = 0;
    int rows = 0;
    std::vector<float> period; // pixels, within [kMinRidgePeriod, kMaxRidgePeriod]
    float median = 9.0f;

    float at(float x, float y) const;
};

RidgePeriod computeRidgePeriod(const Plane& normalised, const OrientationField& orientation,
                               const ForegroundMask& mask);

} // namespace fp
