#include "MinutiaeExtraction.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kMinQuality = 20; // coherence below 0.2: no reliable ridge flow
// A print with fewer minutiae than kWantedMinutiae at kMinQuality (faint, or its
// ridges broken into dots) is filled up to that many with the best of those from
// kFillQuality: with a dozen minutiae two impressions seldom share enough to
// show they are one finger, and the matcher counts low-quality minutiae at less
// than full weight among the common ones it compares the pairs with.
constexpr int kWantedMinutiae = 30;
constexpr int kFillQuality = 15;
// Ridges at least this share of their typical strength around a minutia count as clear.
constexpr float kClearShare = 0.5f;

float wrapAngle(float a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

// Absolute difference of two directions, [0, pi].
float angleDistance(float a, float b)
{
    const float d = std::abs(wrapAngle(a - b));
    return d > kPi ? 2 * kPi - d : d;
}

float meanDirection(float a, float b)
{
    return wrapAngle(std::atan2(std::sin(a) + std::sin(b), std::cos(a) + std::cos(b)));
}

// Direction from (x, y) to the end of a followed branch; NaN when too short.
float branchDirection(const Skeleton& s, int x, int y, int k, int length)
{
    const auto path = followRidge(s, x, y, x + kRingDx[k], y + kRingDy[k], length);
    if (path.size() < 3)
        return std::nanf("");
    const auto& [ex, ey] = path.back();
    return wrapAngle(std::atan2(static_cast<float>(ey - y), static_cast<float>(ex - x)));
}

// One starting neighbour per branch leaving a junction (prefer the 4-neighbour).
std::vector<int> branchStarts(int ring)
{
    std::vector<int> starts;
    int first = 0;
    while (first < 8 && ((ring >> first) & 1))
        ++first; // start scanning right after a gap
    for (int i = 0; i < 8; ++i) {
        const int k = (first + i) % 8;
        if (!((ring >> k) & 1))
            continue;
        const int prev = (k + 7) % 8;
        if ((ring >> prev) & 1) {
            // Same run as the previous one: prefer an orthogonal neighbour.
            if (k % 2 == 0 && !starts.empty())
                starts.back() = k;
            continue;
        }
        starts.push_back(k);
    }
    return starts;
}

// Direction traced on the skeleton, refined with the smoother orientation field.
bool minutiaDirection(const Skeleton& s, const OrientationField& field, int x, int y, int type,
                      int length, float& direction)
{
    const int ring = s.neighbours(x, y);
    float traced = 0;
    if (type == 0) {
        traced = branchDirection(s, x, y, std::countr_zero(static_cast<unsigned>(ring)), length);
    } else {
        const std::vector<int> starts = branchStarts(ring);
        if (starts.size() != 3)
            return false;
        float branch[3];
        for (int i = 0; i < 3; ++i)
            branch[i] = branchDirection(s, x, y, starts[i], length);
        // The two branches closest in direction form the fork.
        float best = 10;
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j) {
                if (std::isnan(branch[i]) || std::isnan(branch[j]))
                    continue;
                const float d = angleDistance(branch[i], branch[j]);
                if (d < best) {
                    best = d;
                    traced = meanDirection(branch[i], branch[j]);
                }
            }
        if (best > 9)
            return false;
    }
    if (std::isnan(traced))
        return false;
    float ridge = field.angleAt(static_cast<float>(x), static_cast<float>(y));
    if (angleDistance(ridge, traced) > kPi / 2)
        ridge += kPi;
    direction = angleDistance(ridge, traced) < kPi / 4 ? wrapAngle(ridge) : traced;
    return true;
}

float distance(const Minutia& a, const Minutia& b)
{
    return std::hypot(static_cast<float>(a.x - b.x), static_cast<float>(a.y - b.y));
}

// Marks minutiae that come from breaks, bridges, spurs and holes: pairs that are
// closer than real minutiae usually are, with the geometry of those faults.
std::vector<bool> spuriousPairs(const std::vector<Minutia>& m, float period)
{
    std::vector<bool> bad(m.size(), false);
    for (std::size_t i = 0; i < m.size(); ++i)
        for (std::size_t j = i + 1; j < m.size(); ++j) {
            const float d = distance(m[i], m[j]);
            if (d > 2 * period)
                continue;
            bool remove = d < 0.75f * period;
            if (m[i].type != m[j].type || m[i].type == 1)
                remove = remove || d < period; // spur, bridge or hole
            if (m[i].type == 0 && m[j].type == 0 &&
                angleDistance(m[i].angle, m[j].angle) > 0.75f * kPi) {
                // Two ends facing each other across a gap: a broken ridge.
                const float gap = std::atan2(static_cast<float>(m[j].y - m[i].y),
                                             static_cast<float>(m[j].x - m[i].x));
                remove = remove || angleDistance(gap, m[i].angle + kPi) < kPi / 4;
            }
            if (remove)
                bad[i] = bad[j] = true;
        }
    return bad;
}

// Mean absolute enhanced value over the square of half side `radius` around (x, y).
float ridgeStrength(const Plane& enhanced, int x, int y, int radius)
{
    float sum = 0;
    int count = 0;
    for (int v = std::max(0, y - radius); v <= std::min(enhanced.height - 1, y + radius); ++v)
        for (int u = std::max(0, x - radius); u <= std::min(enhanced.width - 1, x + radius); ++u) {
            sum += std::abs(enhanced.at(u, v));
            ++count;
        }
    return count > 0 ? sum / count : 0.0f;
}

// Median of the ridge strength over the finger, sampled on a grid of one period.
float typicalStrength(const Plane& enhanced, const ForegroundMask& mask, int step)
{
    std::vector<float> samples;
    for (int y = step; y < enhanced.height; y += step)
        for (int x = step; x < enhanced.width; x += step)
            if (mask.interior(static_cast<float>(x), static_cast<float>(y), step))
                samples.push_back(ridgeStrength(enhanced, x, y, step / 2));
    if (samples.empty())
        return 0;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

} // namespace

std::vector<Minutia> extractMinutiae(const Skeleton& skeleton, const Plane& enhanced,
                                     const OrientationField& orientation,
                                     const ForegroundMask& mask, float ridgePeriod)
{
    const int window = std::max(2, static_cast<int>(std::lround(ridgePeriod)));
    const float typical = typicalStrength(enhanced, mask, window);
    const int margin = static_cast<int>(std::lround(1.2f * ridgePeriod));
    const int traceLength = static_cast<int>(std::lround(1.2f * ridgePeriod));
    std::vector<Minutia> found;
    for (int y = 0; y < skeleton.height; ++y)
        for (int x = 0; x < skeleton.width; ++x) {
            if (!skeleton.on[y * skeleton.width + x])
                continue;
            const int cn = crossingNumber(skeleton.neighbours(x, y));
            if (cn != 1 && cn != 3)
                continue;
            if (!mask.interior(static_cast<float>(x), static_cast<float>(y), margin))
                continue;
            Minutia m;
            m.x = x;
            m.y = y;
            m.type = cn == 1 ? 0 : 1;
            if (!minutiaDirection(skeleton, orientation, x, y, m.type, traceLength, m.angle))
                continue;
            const float coherence =
                orientation.coherenceAt(static_cast<float>(x), static_cast<float>(y));
            const float clarity = typical > 0
                                      ? std::min(1.0f, ridgeStrength(enhanced, x, y, window) /
                                                           (kClearShare * typical))
                                      : 1.0f;
            m.quality =
                std::clamp(static_cast<int>(std::lround(100 * coherence * clarity)), 0, 100);
            // Specks on the ridges leave the gradients little common direction even
            // where the ridges run clearly: such a minutia is kept, at the lowest
            // quality, when the local spectrum shows steady ridges around it.
            const float spectral =
                orientation.spectralCoherenceAt(static_cast<float>(x), static_cast<float>(y));
            if (m.quality < kMinQuality && 100 * spectral * clarity >= kMinQuality)
                m.quality = kMinQuality;
            found.push_back(m);
        }

    const std::vector<bool> bad = spuriousPairs(found, ridgePeriod);
    std::vector<Minutia> kept;
    for (std::size_t i = 0; i < found.size(); ++i)
        if (!bad[i] && found[i].quality >= kFillQuality)
            kept.push_back(found[i]);
    std::stable_sort(kept.begin(), kept.end(),
                     [](const Minutia& a, const Minutia& b) { return a.quality > b.quality; });
    const auto clear = static_cast<std::size_t>(std::count_if(
        kept.begin(), kept.end(), [](const Minutia& m) { return m.quality >= kMinQuality; }));
    kept.resize(std::max(clear, std::min<std::size_t>(kept.size(), kWantedMinutiae)));
    if (kept.size() > static_cast<std::size_t>(kMaxMinutiae))
        kept.resize(kMaxMinutiae);
    return kept;
}

} // namespace fp
