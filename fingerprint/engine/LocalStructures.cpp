#include "LocalStructures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kMinDistance = 6;   // closer neighbours are unstable
constexpr int kMaxDistance = 130; // about a quarter of a finger

// Tolerances between corresponding edges: skin stretches, so the distance
// tolerance grows with the distance.
int distanceTolerance(int d)
{
    return 5 + (d * 2) / 25; // 5 px + 8 %
}
constexpr int kBearingTolerance = 13;   // 1/256 turns, 18 degrees
constexpr int kDirectionTolerance = 16; // 22 degrees

// Bins of the edge index.
constexpr int kDistanceBin = 4;
constexpr int kDistanceBins = (kMaxDistance + 5 + kMaxDistance * 2 / 25) / kDistanceBin + 1;
constexpr int kAngleBinShift = 3; // 32 bins of 8/256 turns
constexpr int kAngleBins = 256 >> kAngleBinShift;
constexpr int kBins = kDistanceBins * kAngleBins * kAngleBins;

int binOf(int distanceBin, int bearingBin, int directionBin)
{
    return (distanceBin * kAngleBins + bearingBin) * kAngleBins + directionBin;
}

// atan2 within 0.002 rad, in 1/256 turns.
std::uint8_t turnOf(float y, float x)
{
    const float ax = std::abs(x), ay = std::abs(y);
    const float big = std::max(ax, ay);
    if (big == 0)
        return 0;
    const float a = std::min(ax, ay) / big;
    const float s = a * a;
    float r = ((-0.0464964749f * s + 0.15931422f) * s - 0.327622764f) * s * a + a;
    if (ay > ax)
        r = kPi / 2 - r;
    if (x < 0)
        r = kPi - r;
    if (y < 0)
        r = -r;
    return static_cast<std::uint8_t>(static_cast<int>(std::lround(r * (128 / kPi))) & 0xff);
}

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

void MatchTemplate::releaseDecodingBuffers()
{
    std::vector<Minutia>().swap(data.minutiae);
    std::vector<int>().swap(order);
    points.shrink_to_fit();
    edges.shrink_to_fit();
    edgeCount.shrink_to_fit();
}

bool buildMatchTemplate(std::span<const std::uint8_t> bytes, MatchTemplate& out)
{
    if (!decodeTemplate(bytes, out.data))
        return false;
    const std::size_t n = out.data.minutiae.size();
    out.points.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Minutia& m = out.data.minutiae[i];
        // Decoded directions are whole 1/256 turns in [0, 2 pi).
        const int turn = static_cast<int>(m.angle * (128 / kPi) + 0.5f) & 0xff;
        out.points[i] = {static_cast<float>(m.x),
                         static_cast<float>(m.y),
                         static_cast<float>(turn) * (kPi / 128),
                         static_cast<std::uint8_t>(turn),
                         static_cast<std::uint8_t>(m.type),
                         static_cast<std::uint8_t>(m.quality)};
    }
    out.edges.assign(n * kNeighbours, Edge{});
    out.edgeCount.assign(n, 0);
    // The nearest neighbours by squared integer distance, kept sorted by insertion;
    // the points are swept in order of x from each point outwards until the x
    // gap alone exceeds the farthest neighbour kept.
    constexpr int kMin2 = kMinDistance * kMinDistance, kMax2 = kMaxDistance * kMaxDistance;
    std::vector<int>& order = out.order;
    order.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = static_cast<int>(i);
    const std::vector<Minutia>& ms = out.data.minutiae;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return ms[a].x < ms[b].x; });
    int nearD2[kNeighbours];
    int nearIndex[kNeighbours];
    for (std::size_t at = 0; at < n; ++at) {
        const std::size_t i = static_cast<std::size_t>(order[at]);
        const int px = ms[i].x, py = ms[i].y;
        int kept = 0;
        auto consider = [&](int j) {
            const int dx = ms[j].x - px, dy = ms[j].y - py;
            const int d2 = dx * dx + dy * dy;
            if (d2 < kMin2 || d2 > kMax2)
                return;
            if (kept == kNeighbours && d2 >= nearD2[kNeighbours - 1])
                return;
            int slot = kept < kNeighbours ? kept++ : kNeighbours - 1;
            while (slot > 0 && nearD2[slot - 1] > d2) {
                nearD2[slot] = nearD2[slot - 1];
                nearIndex[slot] = nearIndex[slot - 1];
                --slot;
            }
            nearD2[slot] = d2;
            nearIndex[slot] = j;
        };
        auto bound = [&] { return kept == kNeighbours ? nearD2[kNeighbours - 1] : kMax2; };
        // Outwards in x, nearer side first, so that the bound tightens early.
        std::size_t right = at + 1, left = at;
        for (;;) {
            const int dr = right < n ? ms[order[right]].x - px : kMaxDistance + 1;
            const int dl = left > 0 ? px - ms[order[left - 1]].x : kMaxDistance + 1;
            const int dx = std::min(dr, dl);
            if (dx * dx > bound())
                break;
            consider(dr <= dl ? order[right++] : order[--left]);
        }
        const MatchPoint& p = out.points[i];
        Edge* e = &out.edges[i * kNeighbours];
        for (int k = 0; k < kept; ++k) {
            const MatchPoint& q = out.points[nearIndex[k]];
            e[k].neighbour = static_cast<std::uint8_t>(nearIndex[k]);
            e[k].distance =
                static_cast<std::uint8_t>(std::sqrt(static_cast<float>(nearD2[k])) + 0.5f);
            e[k].bearing = static_cast<std::uint8_t>(turnOf(q.y - p.y, q.x - p.x) - p.turn);
            e[k].direction = static_cast<std::uint8_t>(q.turn - p.turn);
        }
        out.edgeCount[i] = static_cast<std::uint8_t>(kept);
    }
    return true;
}

void EdgeIndex::build(const MatchTemplate& query)
{
    // Each edge goes in every bin its tolerance box touches; counted first, then filed.
    auto forEachBin = [](const Edge& e, auto&& visit) {
        const int tolerance = distanceTolerance(e.distance);
        const int d0 = std::max(0, e.distance - tolerance) / kDistanceBin;
        const int d1 = std::min(kDistanceBins - 1, (e.distance + tolerance) / kDistanceBin);
        const int b0 = e.bearing - kBearingTolerance, b1 = e.bearing + kBearingTolerance;
        const int r0 = e.direction - kDirectionTolerance, r1 = e.direction + kDirectionTolerance;
        for (int d = d0; d <= d1; ++d)
            for (int b = b0 >> kAngleBinShift; b <= b1 >> kAngleBinShift; ++b)
                for (int r = r0 >> kAngleBinShift; r <= r1 >> kAngleBinShift; ++r)
                    visit(binOf(d, b & (kAngleBins - 1), r & (kAngleBins - 1)));
    };
    offsets_.assign(kBins + 1, 0);
    const std::size_t n = query.points.size();
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < query.edgeCount[i]; ++k)
            forEachBin(query.edges[i * kNeighbours + k], [&](int bin) { ++offsets_[bin + 1]; });
    for (int b = 0; b < kBins; ++b)
        offsets_[b + 1] += offsets_[b];
    entries_.resize(offsets_[kBins]);
    std::vector<std::uint32_t> fill(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < query.edgeCount[i]; ++k) {
            const Edge& e = query.edges[i * kNeighbours + k];
            forEachBin(e, [&](int bin) {
                const int tolerance = distanceTolerance(e.distance);
                entries_[fill[bin]++] = {
                    static_cast<std::uint8_t>(i),
                    static_cast<std::uint8_t>(std::max(0, e.distance - tolerance)),
                    static_cast<std::uint8_t>(std::min(255, e.distance + tolerance)), e.bearing,
                    e.direction};
            });
        }
}

int EdgeIndex::vote(const MatchTemplate& reference, std::uint8_t* votes, int stride) const
{
    if (offsets_.empty())
        return 0;
    int cast = 0;
    const std::size_t n = reference.points.size();
    for (std::size_t j = 0; j < n; ++j) {
        const Edge* edges = &reference.edges[j * kNeighbours];
        for (int k = 0; k < reference.edgeCount[j]; ++k) {
            const Edge& e = edges[k];
            const int bin = binOf(e.distance / kDistanceBin, e.bearing >> kAngleBinShift,
                                  e.direction >> kAngleBinShift);
            // Branch-free: most entries of a bin agree, and a miss adds nothing.
            for (std::uint32_t at = offsets_[bin]; at < offsets_[bin + 1]; ++at) {
                const Entry& q = entries_[at];
                const int agrees =
                    static_cast<int>(e.distance >= q.minDistance) &
                    static_cast<int>(e.distance <= q.maxDistance) &
                    static_cast<int>(std::abs(static_cast<std::int8_t>(q.bearing - e.bearing)) <=
                                     kBearingTolerance) &
                    static_cast<int>(std::abs(static_cast<std::int8_t>(
                                         q.direction - e.direction)) <= kDirectionTolerance);
                // At most one vote per pair of edges: a cell stays far below 255.
                votes[q.point * stride + static_cast<int>(j)] += static_cast<std::uint8_t>(agrees);
                cast += agrees;
            }
        }
    }
    return cast;
}

} // namespace fp
