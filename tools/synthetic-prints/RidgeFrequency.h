#pragma once
// Ridge period (pixels from one ridge to the next at 500 dpi): about 9 pixels,
// drifting slowly over the finger and a little wider towards the tip and the crease.

#include "FingerShape.h"
#include "Grid.h"
#include "Random.h"

namespace synth {

inline constexpr float kMinRidgePeriod = 6.5f;
inline constexpr float kMaxRidgePeriod = 12.0f;

Grid ridgePeriodField(const FingerShape& shape, int width, int height, Rng& rng);

} // namespace synth
