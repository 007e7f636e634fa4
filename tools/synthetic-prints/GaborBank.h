#pragma once
// Even Gabor filters tuned to each quantised ridge direction and period:
// the space-variant filter that grows ridges along the orientation field.

#include <vector>

namespace synth {

class GaborBank
{
public:
    static constexpr int kRadius = 6;
    static constexpr int kSize = 2 * kRadius + 1;
    static constexpr int kDirections = 32;
    static constexpr float kPeriodStep = 0.5f;

    GaborBank(float minPeriod, float maxPeriod);

    // Index of the filter nearest to a ridge direction (radians, any value) and period.
    int index(float angle, float period) const;
    // kSize x kSize weights, row by row; a ridge pattern of unit amplitude
    // that matches the filter gives a response of 1.
    const float* kernel(int index) const
    {
        return &weights_[static_cast<std::size_t>(index) * kSize * kSize];
    }

private:
    float minPeriod_;
    int periods_;
    std::vector<float> weights_;
};

} // namespace synth
