#include "LocalStructures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kMinDistance = 6.0f;   // closer neighbours are unstable
constexpr float kMaxDistance = 130.0f; // about a quarter of a finger

// Tolerances between corresponding neighbours.
float distanceTolerance(float d)
{
    return 6.0f + 0.08f * d;
}
constexpr float kBearingTolerance = 0.35f;
constexpr float kDirectionTolerance = 0.45f;

} // namespace

float wrapTwoPi(float a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

float angleGap(float a, float b)
{
    const float d = wrapTwoPi(a - b);
    return d > kPi ? 2 * kPi - d : d;
}

bool buildMatchTemplate(std::span<const std::uint8_t> bytes, MatchTemplate& out)
{
    if (!decodeTemplate(bytes, out.data))
        return false;
    const std::size_t n = out.data.minutiae.size();
    out.points.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Minutia& m = out.data.minutiae[i];
        out.points[i] = {static_cast<float>(m.x), static_cast<float>(m.y), wrapTwoPi(m.angle),
                         m.type};
    }
    out.neighbours.assign(n * kNeighbours, Neighbour{});
    out.neighbourCount.assign(n, 0);
    std::vector<Neighbour> all;
    for (std::size_t i = 0; i < n; ++i) {
        const MatchPoint& p = out.points[i];
        all.clear();
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i)
                continue;
            const MatchPoint& q = out.points[j];
            const float d = std::hypot(q.x - p.x, q.y - p.y);
            if (d < kMinDistance || d > kMaxDistance)
                continue;
            all.push_back({d, wrapTwoPi(std::atan2(q.y - p.y, q.x - p.x) - p.angle),
                           wrapTwoPi(q.angle - p.angle), static_cast<int>(j)});
        }
        const std::size_t keep = std::min<std::size_t>(all.size(), kNeighbours);
        std::partial_sort(
            all.begin(), all.begin() + keep, all.end(),
            [](const Neighbour& a, const Neighbour& b) { return a.distance < b.distance; });
        std::copy_n(all.begin(), keep, out.neighbours.begin() + i * kNeighbours);
        out.neighbourCount[i] = static_cast<int>(keep);
    }
    return true;
}

float localSimilarity(const MatchTemplate& query, int i, const MatchTemplate& reference, int j)
{
    const Neighbour* qn = &query.neighbours[static_cast<std::size_t>(i) * kNeighbours];
    const Neighbour* rn = &reference.neighbours[static_cast<std::size_t>(j) * kNeighbours];
    const int qc = query.neighbourCount[i];
    const int rc = reference.neighbourCount[j];
    unsigned used = 0;
    float similarity = 0;
    for (int a = 0; a < qc; ++a) {
        const float tolerance = distanceTolerance(qn[a].distance);
        float best = 1.0f;
        int bestIndex = -1;
        for (int b = 0; b < rc; ++b) {
            if (used & (1u << b))
                continue;
            const float dd = std::abs(qn[a].distance - rn[b].distance) / tolerance;
            if (dd >= 1.0f) {
                if (rn[b].distance > qn[a].distance)
                    break; // sorted by distance: the rest are further off
                continue;
            }
            const float db = angleGap(qn[a].bearing, rn[b].bearing) / kBearingTolerance;
            const float dr = angleGap(qn[a].direction, rn[b].direction) / kDirectionTolerance;
            const float error = std::max({dd, db, dr});
            if (error < best) {
                best = error;
                bestIndex = b;
            }
        }
        if (bestIndex >= 0) {
            used |= 1u << bestIndex;
            similarity += 1.0f - 0.5f * best;
        }
    }
    return similarity;
}

} // namespace fp
