#include "GaborBank.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace synth {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kSigmaAcross = 3.0f; // across the ridges: selects the period
constexpr float kSigmaAlong = 4.0f;  // along the ridges: carries them on

void makeKernel(float angle, float period, float* k)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const int n = GaborBank::kSize * GaborBank::kSize;
    std::vector<float> envelope(n);
    std::vector<float> wave(n);
    double envelopeSum = 0;
    double dc = 0;
    for (int v = -GaborBank::kRadius; v <= GaborBank::kRadius; ++v) {
        for (int u = -GaborBank::kRadius; u <= GaborBank::kRadius; ++u) {
            const int i = (v + GaborBank::kRadius) * GaborBank::kSize + u + GaborBank::kRadius;
            const float along = u * c + v * s;
            const float across = -u * s + v * c;
            envelope[i] = std::exp(-0.5f * (across * across / (kSigmaAcross * kSigmaAcross) +
                                            along * along / (kSigmaAlong * kSigmaAlong)));
            wave[i] = std::cos(2 * kPi * across / period);
            envelopeSum += envelope[i];
            dc += envelope[i] * wave[i];
        }
    }
    // No response to a flat area, unit response to a matching ridge pattern.
    const float offset = static_cast<float>(dc / envelopeSum);
    double matched = 0;
    for (int i = 0; i < n; ++i) {
        k[i] = envelope[i] * (wave[i] - offset);
        matched += k[i] * wave[i];
    }
    for (int i = 0; i < n; ++i)
        k[i] = static_cast<float>(k[i] / matched);
}

} // namespace

GaborBank::GaborBank(float minPeriod, float maxPeriod)
    : minPeriod_(minPeriod)
    , periods_(static_cast<int>(std::ceil((maxPeriod - minPeriod) / kPeriodStep)) + 1)
    , weights_(static_cast<std::size_t>(kDirections) * periods_ * kSize * kSize)
{
    for (int d = 0; d < kDirections; ++d)
        for (int p = 0; p < periods_; ++p)
            makeKernel(d * kPi / kDirections, minPeriod + p * kPeriodStep,
                       &weights_[static_cast<std::size_t>(d * periods_ + p) * kSize * kSize]);
}

int GaborBank::index(float angle, float period) const
{
    float turns = angle / kPi;
    turns -= std::floor(turns);
    const int d = static_cast<int>(std::lround(turns * kDirections)) % kDirections;
    const int p = std::clamp(static_cast<int>(std::lround((period - minPeriod_) / kPeriodStep)), 0,
                             periods_ - 1);
    return d * periods_ + p;
}

} // namespace synth
