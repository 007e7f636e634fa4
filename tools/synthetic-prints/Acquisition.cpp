#include "Acquisition.h"

#include "SmoothNoise.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

Grid crossFilter(const Grid& in, bool dilate)
{
    Grid out(in.width, in.height);
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            float v = in.at(x, y);
            const float n[4] = {
                in.at(std::max(x - 1, 0), y), in.at(std::min(x + 1, in.width - 1), y),
                in.at(x, std::max(y - 1, 0)), in.at(x, std::min(y + 1, in.height - 1))};
            for (float w : n)
                v = dilate ? std::max(v, w) : std::min(v, w);
            // Half a step: whole steps change ridges too coarsely at 500 dpi.
            out.at(x, y) = 0.5f * (in.at(x, y) + v);
        }
    }
    return out;
}

std::vector<float> gaussianTaps(float sigma)
{
    const int radius = std::max(1, static_cast<int>(std::ceil(2.5f * sigma)));
    std::vector<float> taps(2 * radius + 1);
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        taps[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
        sum += taps[i + radius];
    }
    for (float& t : taps)
        t /= sum;
    return taps;
}

Grid blurred(const Grid& in, float sigma)
{
    if (sigma < 0.2f)
        return in;
    const std::vector<float> taps = gaussianTaps(sigma);
    const int radius = static_cast<int>(taps.size() / 2);
    Grid rows(in.width, in.height);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += taps[i + radius] * in.at(std::clamp(x + i, 0, in.width - 1), y);
            rows.at(x, y) = sum;
        }
    Grid out(in.width, in.height);
    for (int y = 0; y < in.height; ++y)
        for (int x = 0; x < in.width; ++x) {
            float sum = 0;
            for (int i = -radius; i <= radius; ++i)
                sum += taps[i + radius] * rows.at(x, std::clamp(y + i, 0, in.height - 1));
            out.at(x, y) = sum;
        }
    return out;
}

} // namespace

AcquisitionSettings AcquisitionSettings::random(Rng& rng)
{
    auto f = [](double v) { return static_cast<float>(v); };
    AcquisitionSettings s;
    const double pressure = rng.clippedNormal(0.0, 0.45, -1.0, 1.0); // < 0 light, > 0 heavy
    s.threshold = f(-0.35 * pressure + rng.normal(0.0, 0.08));
    s.sharpness = f(rng.uniform(2.5, 5.0));
    s.morphology = pressure > 0.6 ? 1 : (pressure < -0.6 ? -1 : 0);
    s.contactScale = f(std::clamp(0.95 + 0.08 * pressure + rng.normal(0.0, 0.04), 0.75, 1.05));
    s.contactEdge = f(rng.uniform(0.06, 0.2));
    s.dryness = f(std::clamp(rng.uniform(0.0, 0.7) - 0.3 * pressure, 0.0, 1.0));
    s.background = f(rng.uniform(215.0, 250.0));
    s.backgroundTilt = f(rng.normal(0.0, 8.0));
    s.contrast = f(rng.uniform(130.0, 200.0));
    s.blur = f(rng.uniform(0.5, 1.1));
    s.noise = f(rng.uniform(2.0, 8.0));
    return s;
}

float inkOf(float ridge, const AcquisitionSettings& settings)
{
    return 1.0f / (1.0f + std::exp(-settings.sharpness * (ridge - settings.threshold)));
}

void applyPressure(Grid& ink, int steps)
{
    for (int i = 0; i < std::abs(steps); ++i)
        ink = crossFilter(ink, steps > 0);
}

void addDryness(Grid& ink, float dryness, Rng& rng)
{
    if (dryness <= 0)
        return;
    // Patches where the skin barely marks.
    const SmoothNoiseFunction patches(18.0f, rng, 8);
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x) {
            const float fade =
                std::max(0.0f, patches(static_cast<float>(x), static_cast<float>(y)));
            ink.at(x, y) *= 1.0f - 0.7f * dryness * fade;
        }
    // Pores and specks: small light spots on the ridges.
    const int pores = static_cast<int>(dryness * ink.width * ink.height / 60.0f);
    for (int i = 0; i < pores; ++i) {
        const float cx = static_cast<float>(rng.uniform(0, ink.width));
        const float cy = static_cast<float>(rng.uniform(0, ink.height));
        const float radius = static_cast<float>(rng.uniform(0.6, 1.6));
        const float depth = static_cast<float>(rng.uniform(0.4, 0.9));
        const int reach = static_cast<int>(std::ceil(radius * 2));
        for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
            for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
                if (x < 0 || y < 0 || x >= ink.width || y >= ink.height)
                    continue;
                const float d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
                ink.at(x, y) *= 1.0f - depth * std::exp(-d2);
            }
    }
}

GrayPicture sensorPicture(const Grid& ink, const AcquisitionSettings& settings, Rng& rng)
{
    const Grid soft = blurred(ink, settings.blur);
    GrayPicture picture;
    picture.width = ink.width;
    picture.height = ink.height;
    picture.pixels.resize(soft.values.size());
    const float tiltAngle = static_cast<float>(rng.uniform(0.0, 6.2831853));
    const float tx = std::cos(tiltAngle) / ink.width;
    const float ty = std::sin(tiltAngle) / ink.height;
    for (int y = 0; y < ink.height; ++y)
        for (int x = 0; x < ink.width; ++x) {
            const float ground = settings.background +
                                 settings.backgroundTilt *
                                     ((x - ink.width / 2.0f) * tx + (y - ink.height / 2.0f) * ty);
            const float grey = ground - settings.contrast * soft.at(x, y) +
                               static_cast<float>(rng.normal(0.0, settings.noise));
            picture.pixels[static_cast<std::size_t>(y) * ink.width + x] =
                static_cast<std::uint8_t>(std::clamp(std::lround(grey), 0L, 255L));
        }
    return picture;
}

} // namespace synth
