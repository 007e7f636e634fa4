#include "SmoothNoise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

SmoothNoiseFunction::SmoothNoiseFunction(float scale, Rng& rng, int waves)
{
    const double twoPi = 2.0 * std::numbers::pi;
    double sumOfSquares = 0;
    for (int i = 0; i < waves; ++i) {
        const double direction = rng.uniform(0.0, twoPi);
        const double k = twoPi / (scale * rng.uniform(1.0, 2.5));
        const double weight = rng.uniform(0.5, 1.0);
        waves_.push_back({static_cast<float>(k * std::cos(direction)),
                          static_cast<float>(k * std::sin(direction)),
                          static_cast<float>(rng.uniform(0.0, twoPi)), static_cast<float>(weight)});
        sumOfSquares += weight * weight;
    }
    // A sum of cosines has variance sum(w^2)/2: scale it to a spread of 0.5, so
    // that values stay mostly within [-1, 1] whatever the number of waves.
    const auto norm = static_cast<float>(0.5 / std::sqrt(std::max(1e-9, sumOfSquares / 2)));
    for (auto& wave : waves_)
        wave.weight *= norm;
}

float SmoothNoiseFunction::operator()(float x, float y) const
{
    float sum = 0;
    for (const auto& wave : waves_)
        sum += wave.weight * std::cos(wave.kx * x + wave.ky * y + wave.phase);
    return std::clamp(sum, -1.0f, 1.0f);
}

Grid smoothNoise(int width, int height, float scale, Rng& rng, int waves)
{
    const SmoothNoiseFunction noise(scale, rng, waves);
    Grid grid(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            grid.at(x, y) = noise(static_cast<float>(x), static_cast<float>(y));
    return grid;
}

} // namespace synth
