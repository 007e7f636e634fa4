#pragma once
// The master fingerprint: the finger's whole ridge pattern, grown from random
// seeds on a faint random texture by filtering again and again with the Gabor
// filter that suits each pixel's ridge direction and period, and pushing the
// result towards black and white. Where fronts grown from different seeds meet out of step,
// and where the period forces a ridge in or out, ridges end or fork: the
// minutiae come out of the growth itself.

#include "FingerShape.h"
#include "Grid.h"
#include "Random.h"

namespace synth {

struct GrowthReport
{
    int iterations = 0;
    int seeds = 0;
};

// Ridges > 0, valleys < 0 (about -1.3..1.3), on the canvas of the fields.
Grid growMasterPrint(const Grid& orientation, const Grid& period, const FingerShape& shape,
                     Rng& rng, GrowthReport* report = nullptr);

} // namespace synth
