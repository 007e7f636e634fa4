#include "Enhancement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr int kAngleSteps = 24;
constexpr int kPeriodSteps = static_cast<int>(kMaxRidgePeriod - kMinRidgePeriod) + 1;

struct Kernel
{
    int radius = 0;
    std::vector<float> taps; // (2r+1)^2, row by row
};

Kernel makeKernel(float ridgeAngle, float period)
{
    const float sigmaAcross = 0.4f * period + 0.5f;
    const float sigmaAlong = 0.5f * period;
    Kernel k;
    k.radius = static_cast<int>(std::ceil(2.0f * std::max(sigmaAcross, sigmaAlong)));
    const int side = 2 * k.radius + 1;
    k.taps.resize(static_cast<std::size_t>(side) * side);
    const float c = std::cos(ridgeAngle), s = std::sin(ridgeAngle);
    double mean = 0;
    for (int y = -k.radius; y <= k.radius; ++y)
        for (int x = -k.radius; x <= k.radius; ++x) {
            const float along = x * c + y * s;
            const float across = -x * s + y * c;
            const float envelope = std::exp(-0.5f * (across * across / (sigmaAcross * sigmaAcross) +
                                                     along * along / (sigmaAlong * sigmaAlong)));
            const float value =
                envelope * std::cos(2 * std::numbers::pi_v<float> * across / period);
            k.taps[(y + k.radius) * side + x + k.radius] = value;
            mean += value;
        }
    // No response to a uniform grey level.
    mean /= static_cast<double>(k.taps.size());
    double norm = 0;
    for (float& t : k.taps) {
        t -= static_cast<float>(mean);
        norm += std::abs(t);
    }
    for (float& t : k.taps)
        t /= static_cast<float>(norm);
    return k;
}

const std::vector<Kernel>& kernelBank()
{
    static const std::vector<Kernel> bank = [] {
        std::vector<Kernel> kernels;
        for (int p = 0; p < kPeriodSteps; ++p)
            for (int a = 0; a < kAngleSteps; ++a)
                kernels.push_back(
                    makeKernel(a * std::numbers::pi_v<float> / kAngleSteps, kMinRidgePeriod + p));
        return kernels;
    }();
    return bank;
}

} // namespace

Plane enhanceRidges(const Plane& normalised, const OrientationField& orientation,
                    const RidgePeriod& period, const ForegroundMask& mask)
{
    const std::vector<Kernel>& bank = kernelBank();
    int maxRadius = 0;
    for (const Kernel& k : bank)
        maxRadius = std::max(maxRadius, k.radius);

    // Zero padding is neutral for the zero-mean normalised image.
    const int pw = normalised.width + 2 * maxRadius;
    Plane padded(pw, normalised.height + 2 * maxRadius);
    for (int y = 0; y < normalised.height; ++y)
        std::copy_n(&normalised.data[static_cast<std::size_t>(y) * normalised.width],
                    normalised.width, &padded.at(maxRadius, y + maxRadius));

    Plane out(normalised.width, normalised.height);
    for (int y = 0; y < normalised.height; ++y)
        for (int x = 0; x < normalised.width; ++x) {
            if (!mask.at(static_cast<float>(x), static_cast<float>(y)))
                continue;
            const float angle = orientation.angleAt(static_cast<float>(x), static_cast<float>(y));
            int a = static_cast<int>(std::lround(angle / std::numbers::pi_v<float> * kAngleSteps));
            a %= kAngleSteps;
            const int p = std::clamp(
                static_cast<int>(std::lround(
                    period.at(static_cast<float>(x), static_cast<float>(y)) - kMinRidgePeriod)),
                0, kPeriodSteps - 1);
            const Kernel& k = bank[p * kAngleSteps + a];
            const int side = 2 * k.radius + 1;
            float acc = 0;
            for (int ky = 0; ky < side; ++ky) {
                const float* row =
                    &padded.data[static_cast<std::size_t>(y + maxRadius - k.radius + ky) * pw + x +
                                 maxRadius - k.radius];
                const float* taps = &k.taps[static_cast<std::size_t>(ky) * side];
                for (int kx = 0; kx < side; ++kx)
                    acc += row[kx] * taps[kx];
            }
            out.at(x, y) = acc;
        }
    return out;
}

} // namespace fp
