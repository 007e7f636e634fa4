#pragma once
// One touch of a finger on the reader.

#include "Acquisition.h"
#include "Finger.h"
#include "SkinDistortion.h"

#include <cstdint>

namespace synth {

struct Impression
{
    GrayPicture picture;
    SkinPlacement placement;
    AcquisitionSettings settings;
};

// Touch number `number` of a finger: the same finger, seed and number give the same picture.
Impression makeImpression(const Finger& finger, int number);

// A touch with the given placement and settings (no randomness but the noise from `rng`).
Impression takeImpression(const Finger& finger, const SkinPlacement& placement,
                          const AcquisitionSettings& settings, Rng& rng);

} // namespace synth
