#include "RidgeFrequency.h"

#include "SmoothNoise.h"

#include <algorithm>

namespace synth {

Grid ridgePeriodField(const FingerShape& shape, int width, int height, Rng& rng)
{
    const float mean = static_cast<float>(rng.clippedNormal(9.2, 0.5, 8.3, 10.3));
    const float drift = static_cast<float>(rng.uniform(0.3, 0.7));
    const float edgeWidening = static_cast<float>(rng.uniform(0.3, 0.9));
    const SmoothNoiseFunction noise(static_cast<float>(width) * 0.6f, rng, 5);
    Grid period(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float fx = static_cast<float>(x);
            const float fy = static_cast<float>(y);
            const float r = std::min(shape.radius(fx, fy), 1.2f);
            const float value = mean + drift * noise(fx, fy) + edgeWidening * r * r;
            period.at(x, y) = std::clamp(value, kMinRidgePeriod, kMaxRidgePeriod);
        }
    }
    return period;
}

} // namespace synth
