#include "MasterPrint.h"

#include "GaborBank.h"
#include "RidgeFrequency.h"

#include <algorithm>
#include <cstdint>

namespace synth {

namespace {

constexpr float kGain = 2.0f;            // growth per pass before clipping
constexpr float kGrownLevel = 0.5f;      // |value| of a grown pixel
constexpr double kGrowthStalled = 0.003; // share of newly grown pixels per pass at the end
constexpr double kMinGrownShare = 0.6;   // the rest are ridge flanks
constexpr int kMaxIterations = 40;
constexpr float kTexture = 0.1f;
constexpr int kMinSeeds = 12;
constexpr int kMaxSeeds = 30;
constexpr int kSettlingPasses = 2;
constexpr float kFingerMargin = 1.08f; // grow a little beyond the outline

constexpr int R = GaborBank::kRadius;

// The padded working plane: a border of kRadius zeros saves bounds checks.
struct Plane
{
    int width;
    int height;
    int stride;
    std::vector<float> values;

    Plane(int w, int h)
        : width(w)
        , height(h)
        , stride(w + 2 * R)
        , values(static_cast<std::size_t>(stride) * (h + 2 * R), 0.0f)
    {
    }
    float* origin(int x, int y)
    {
        return &values[static_cast<std::size_t>(y + R) * stride + x + R];
    }
    const float* origin(int x, int y) const
    {
        return &values[static_cast<std::size_t>(y + R) * stride + x + R];
    }
};

struct Pixel
{
    std::int32_t x;
    std::int32_t y;
    std::int32_t kernel;
    bool inside; // within the outline: counts for settling
};

float filterAt(const Plane& plane, const float* k, int x, int y)
{
    float sum = 0;
    for (int v = -R; v <= R; ++v) {
        const float* row = plane.origin(x - R, y + v);
        const float* weights = k + (v + R) * GaborBank::kSize;
        float partial = 0;
#pragma omp simd reduction(+ : partial)
        for (int u = 0; u < GaborBank::kSize; ++u)
            partial += weights[u] * row[u];
        sum += partial;
    }
    return sum;
}

void stampSeed(Plane& plane, const float* k, int x, int y, float sign)
{
    const float peak = k[R * GaborBank::kSize + R];
    for (int v = -R; v <= R; ++v) {
        for (int u = -R; u <= R; ++u) {
            const int px = x + u;
            const int py = y + v;
            if (px >= 0 && py >= 0 && px < plane.width && py < plane.height)
                *plane.origin(px, py) = sign * k[(v + R) * GaborBank::kSize + u + R] / peak;
        }
    }
}

} // namespace

Grid growMasterPrint(const Grid& orientation, const Grid& period, const FingerShape& shape,
                     Rng& rng, GrowthReport* report)
{
    static const GaborBank bank(kMinRidgePeriod, kMaxRidgePeriod);
    const int width = orientation.width;
    const int height = orientation.height;

    std::vector<Pixel> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float r = shape.radius(static_cast<float>(x), static_cast<float>(y));
            if (r < kFingerMargin)
                pixels.push_back(
                    {x, y, bank.index(orientation.at(x, y), period.at(x, y)), r < 1.0f});
        }
    }

    Plane current(width, height);
    Plane next(width, height);
    // Faint random texture everywhere: ridges start all over the finger, so
    // their endings and forks are scattered rather than lined up where the
    // fronts grown from a few seeds meet.
    for (const Pixel& p : pixels)
        *current.origin(p.x, p.y) = static_cast<float>(rng.uniform(-kTexture, kTexture));
    const int seeds = rng.uniformInt(kMinSeeds, kMaxSeeds);
    for (int i = 0; i < seeds && !pixels.empty(); ++i) {
        const Pixel& p = pixels[static_cast<std::size_t>(
            rng.uniformInt(0, static_cast<int>(pixels.size()) - 1))];
        stampSeed(current, bank.kernel(p.kernel), p.x, p.y, rng.uniform() < 0.5 ? -1.0f : 1.0f);
    }

    int iterations = 0;
    int settlingLeft = kSettlingPasses;
    double grownBefore = 0;
    const auto insideCount =
        std::count_if(pixels.begin(), pixels.end(), [](const Pixel& p) { return p.inside; });
    while (iterations < kMaxIterations && settlingLeft > 0) {
        std::int64_t grown = 0;
        for (const Pixel& p : pixels) {
            const float value =
                std::clamp(kGain * filterAt(current, bank.kernel(p.kernel), p.x, p.y), -1.0f, 1.0f);
            *next.origin(p.x, p.y) = value;
            if (p.inside && std::abs(value) > kGrownLevel)
                ++grown;
        }
        std::swap(current, next);
        ++iterations;
        // Growth stops once the ridges cover the finger; the pattern then only
        // drifts slowly, so a couple more passes settle it.
        const double share = static_cast<double>(grown) / std::max<std::int64_t>(insideCount, 1);
        if (share >= kMinGrownShare && share - grownBefore < kGrowthStalled)
            --settlingLeft;
        grownBefore = share;
    }

    // A last pass without clipping rounds the black-and-white pattern into
    // smooth ridge profiles, so that later pressure changes thin or thicken them.
    Grid master(width, height);
    for (const Pixel& p : pixels)
        master.at(p.x, p.y) = filterAt(current, bank.kernel(p.kernel), p.x, p.y);
    if (report) {
        report->iterations = iterations;
        report->seeds = seeds;
    }
    return master;
}

} // namespace synth
