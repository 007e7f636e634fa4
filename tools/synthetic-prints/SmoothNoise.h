#pragma once
// Slowly varying random fields: ridge period drift, dryness, contact border.

#include "Grid.h"
#include "Random.h"

namespace synth {

// A field of the given size with values in about [-1, 1] whose features are
// about `scale` pixels across (random cosine waves summed).
Grid smoothNoise(int width, int height, float scale, Rng& rng, int waves = 6);

// The same field as a function, for use at arbitrary points.
class SmoothNoiseFunction
{
public:
    SmoothNoiseFunction(float scale, Rng& rng, int waves = 6);
    float operator()(float x, float y) const;

private:
    struct Wave
    {
        float kx, ky, phase, weight;
    };
    std::vector<Wave> waves_;
};

} // namespace synth
