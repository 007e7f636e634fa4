#include "Enhancement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr int kAngleSteps = 24;
constexpr int kPeriodSteps = static_cast<int>(kMaxRidgePeriod - kMinRidgePeriod) + 1;
constexpr int kRun = 8;             // output pixels filtered together
constexpr float kShortAlong = 0.5f; // periods of the envelope along the ridge
constexpr float kLongAlong = 0.8f;

struct Kernel
{
    int radius = 0;
    std::vector<float> taps; // (2r+1)^2, row by row
};

Kernel makeKernel(float ridgeAngle, float period, float along)
{
    const float sigmaAcross = 0.4f * period + 0.5f;
    const float sigmaAlong = along * period;
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

std::vector<Kernel> makeBank(float along)
{
    std::vector<Kernel> kernels;
    for (int p = 0; p < kPeriodSteps; ++p)
        for (int a = 0; a < kAngleSteps; ++a)
            kernels.push_back(makeKernel(a * std::numbers::pi_v<float> / kAngleSteps,
                                         kMinRidgePeriod + p, along));
    return kernels;
}

const std::vector<Kernel>& kernelBank(Envelope envelope)
{
    static const std::vector<Kernel> shortBank = makeBank(kShortAlong);
    static const std::vector<Kernel> longBank = makeBank(kLongAlong);
    return envelope == Envelope::Long ? longBank : shortBank;
}

// The bank's kernel for the ridge direction and period at a pixel.
int kernelIndex(const OrientationField& orientation, const RidgePeriod& period, float x, float y)
{
    const float angle = orientation.angleAt(x, y);
    const int a = static_cast<int>(std::lround(angle / std::numbers::pi_v<float> * kAngleSteps)) %
                  kAngleSteps;
    const int p = std::clamp(static_cast<int>(std::lround(period.at(x, y) - kMinRidgePeriod)), 0,
                             kPeriodSteps - 1);
    return p * kAngleSteps + a;
}

} // namespace

Plane enhanceRidges(const Plane& normalised, const OrientationField& orientation,
                    const RidgePeriod& period, const ForegroundMask& mask, Envelope envelope)
{
    const std::vector<Kernel>& bank = kernelBank(envelope);
    int maxRadius = 0;
    for (const Kernel& k : bank)
        maxRadius = std::max(maxRadius, k.radius);

    // Zero padding is neutral for the zero-mean normalised image; the extra run on
    // the right lets the last run of a row read past the image.
    const int pw = normalised.width + 2 * maxRadius + kRun;
    Plane padded(pw, normalised.height + 2 * maxRadius);
    for (int y = 0; y < normalised.height; ++y)
        std::copy_n(&normalised.data[static_cast<std::size_t>(y) * normalised.width],
                    normalised.width, &padded.at(maxRadius, y + maxRadius));

    // Each finger pixel takes the kernel of its own direction and period. A row is
    // filtered kRun pixels at a time from its first pixel not yet filtered, with
    // that pixel's kernel, and every pixel of the run that takes the same kernel
    // is done too (mostly all of them): a fixed-length run of independent sums
    // lets the compiler use vector instructions, and starting where the kernel
    // changes wastes fewer lanes than runs at fixed places.
    Plane out(normalised.width, normalised.height);
    std::vector<int> chosen(normalised.width);
    for (int y = 0; y < normalised.height; ++y) {
        const float fy = static_cast<float>(y);
        for (int x = 0; x < normalised.width; ++x) {
            const float fx = static_cast<float>(x);
            chosen[x] = mask.at(fx, fy) ? kernelIndex(orientation, period, fx, fy) : -1;
        }
        for (int x0 = 0; x0 < normalised.width; ++x0) {
            const int index = chosen[x0];
            if (index < 0)
                continue;
            const Kernel& k = bank[index];
            const int side = 2 * k.radius + 1;
            float acc[kRun] = {};
            for (int ky = 0; ky < side; ++ky) {
                const float* row =
                    &padded.data[static_cast<std::size_t>(y + maxRadius - k.radius + ky) * pw + x0 +
                                 maxRadius - k.radius];
                const float* taps = &k.taps[static_cast<std::size_t>(ky) * side];
#pragma GCC unroll 4
                for (int kx = 0; kx < side; ++kx) {
                    const float tap = taps[kx];
                    for (int i = 0; i < kRun; ++i)
                        acc[i] += row[kx + i] * tap;
                }
            }
            for (int i = 0; i < std::min(kRun, normalised.width - x0); ++i)
                if (chosen[x0 + i] == index) {
                    out.at(x0 + i, y) = acc[i];
                    chosen[x0 + i] = -1;
                }
        }
    }
    return out;
}

} // namespace fp
