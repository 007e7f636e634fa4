#include "EdgeIndex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fp {

namespace {

// Tolerances between corresponding edges: skin stretches, so the distance
// tolerance grows with the distance.
constexpr int distanceTolerance(int d)
{
    return 5 + (d * 2) / 25; // 5 px + 8 %
}
constexpr int kBearingTolerance = 13;   // 1/256 turns, 18 degrees
constexpr int kDirectionTolerance = 16; // 22 degrees

// Bins of the edge index, coarse enough that the index of a query stays small
// (about 10 KB of bin offsets): a look-up per reference edge at a random bin of
// a larger one missed the processor's nearest cache more often than the extra
// entries of a coarser bin cost to test (8 px x 16/256 turns x 32/256 turns
// against 4 px x 8/256 x 8/256: 16 to 18 % more comparisons per second on the
// public sets, 7 % on generated prints). Neighbours mostly run alike, so the
// direction needs fewer bins than the bearing.
constexpr int kDistanceBin = 8;
constexpr int kDistanceBins = (kMaxEdgeDistance + 5 + kMaxEdgeDistance * 2 / 25) / kDistanceBin + 1;
constexpr int kBearingShift = 4;   // 16 bins of 16/256 turns
constexpr int kDirectionShift = 5; // 8 bins of 32/256 turns: most neighbours run alike
constexpr int kBearingBins = 256 >> kBearingShift;
constexpr int kDirectionBins = 256 >> kDirectionShift;
constexpr int kBins = kDistanceBins * kBearingBins * kDirectionBins;

// The bins one edge can touch (a tolerance of +-t over bins of b touches at most
// (2t + b - 1) / b + 1 of them), and so the most entries a table holds: its
// offsets are 16-bit.
constexpr int binsTouched(int t, int b)
{
    return (2 * t + b - 1) / b + 1;
}
constexpr int kMostBinsPerEdge = binsTouched(distanceTolerance(kMaxEdgeDistance), kDistanceBin) *
                                 binsTouched(kBearingTolerance, 1 << kBearingShift) *
                                 binsTouched(kDirectionTolerance, 1 << kDirectionShift);
static_assert(255 * kNeighbours * kMostBinsPerEdge + 16 <= 65535);

int binOf(int distanceBin, int bearingBin, int directionBin)
{
    return (distanceBin * kBearingBins + bearingBin) * kDirectionBins + directionBin;
}

// Every point index: the points of a whole template are its first n.
constexpr auto kEveryPoint = [] {
    std::array<std::uint8_t, 256> points{};
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = static_cast<std::uint8_t>(i);
    return points;
}();

std::span<const std::uint8_t> everyPoint(const MatchTemplate& templ)
{
    return {kEveryPoint.data(), templ.points.size()};
}

} // namespace

void EdgeIndex::build(const MatchTemplate& query)
{
    all_.build(query, everyPoint(query));
    strongest_.build(query, query.strongest);
    others_.build(query, query.others);
}

void EdgeIndex::Table::build(const MatchTemplate& query, std::span<const std::uint8_t> points)
{
    // Each edge goes in every bin its tolerance box touches; counted first, then filed.
    auto forEachBin = [](const Edge& e, auto&& visit) {
        const int tolerance = distanceTolerance(e.distance);
        const int d0 = std::max(0, e.distance - tolerance) / kDistanceBin;
        const int d1 = std::min(kDistanceBins - 1, (e.distance + tolerance) / kDistanceBin);
        const int b0 = e.bearing - kBearingTolerance, b1 = e.bearing + kBearingTolerance;
        const int r0 = e.direction - kDirectionTolerance, r1 = e.direction + kDirectionTolerance;
        for (int d = d0; d <= d1; ++d)
            for (int b = b0 >> kBearingShift; b <= b1 >> kBearingShift; ++b)
                for (int r = r0 >> kDirectionShift; r <= r1 >> kDirectionShift; ++r)
                    visit(binOf(d, b & (kBearingBins - 1), r & (kDirectionBins - 1)));
    };
    offsets.assign(kBins + 1, 0);
    for (const std::uint8_t i : points)
        for (int k = 0; k < query.edgeCount[i]; ++k)
            forEachBin(query.edges[i * kNeighbours + k], [&](int bin) { ++offsets[bin + 1]; });
    for (int b = 0; b < kBins; ++b)
        offsets[b + 1] += offsets[b];
    const std::size_t total = offsets[kBins] + kPadding;
    for (auto* field : {&point, &minDistance, &maxDistance, &bearing, &direction})
        field->assign(total, 0);
    std::vector<std::uint16_t> fill(offsets.begin(), offsets.end() - 1);
    for (const std::uint8_t i : points)
        for (int k = 0; k < query.edgeCount[i]; ++k) {
            const Edge& e = query.edges[i * kNeighbours + k];
            const int tolerance = distanceTolerance(e.distance);
            forEachBin(e, [&](int bin) {
                const std::uint16_t at = fill[bin]++;
                point[at] = i;
                minDistance[at] = static_cast<std::uint8_t>(std::max(0, e.distance - tolerance));
                maxDistance[at] = static_cast<std::uint8_t>(std::min(255, e.distance + tolerance));
                bearing[at] = e.bearing;
                direction[at] = e.direction;
            });
        }
}

namespace {

// The index's arrays as plain pointers, read once per vote: the votes are bytes,
// which the compiler must assume could overwrite the vectors' own pointers.
struct IndexFields
{
    const std::uint8_t *point, *minDistance, *maxDistance, *bearing, *direction;
};

// One bit per entry at, at + 1, ... at + 15 that agrees with reference edge e.
inline unsigned agreeing(const IndexFields& f, const Edge& e, std::uint32_t at)
{
#if defined(__SSE2__)
    auto load = [at](const std::uint8_t* field) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + at));
    };
    auto splat = [](int value) { return _mm_set1_epi8(static_cast<char>(value)); };
    // Unsigned bytes: x >= lo when max(x, lo) == x, x <= hi when min(x, hi) == x.
    const __m128i d = splat(e.distance);
    const __m128i inRange = _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(d, load(f.minDistance)), d),
                                          _mm_cmpeq_epi8(_mm_min_epu8(d, load(f.maxDistance)), d));
    // |q - v| <= t on the circle of 256: (q - v + t) mod 256 <= 2 t.
    auto near = [&](__m128i q, int value, int tolerance) {
        const __m128i shifted = _mm_add_epi8(_mm_sub_epi8(q, splat(value)), splat(tolerance));
        return _mm_cmpeq_epi8(_mm_min_epu8(shifted, splat(2 * tolerance)), shifted);
    };
    const __m128i all = _mm_and_si128(
        inRange, _mm_and_si128(near(load(f.bearing), e.bearing, kBearingTolerance),
                               near(load(f.direction), e.direction, kDirectionTolerance)));
    return static_cast<unsigned>(_mm_movemask_epi8(all));
#else
    unsigned mask = 0;
    for (unsigned k = 0; k < 16; ++k) {
        const std::uint32_t q = at + k;
        const bool agrees =
            e.distance >= f.minDistance[q] && e.distance <= f.maxDistance[q] &&
            std::abs(static_cast<std::int8_t>(f.bearing[q] - e.bearing)) <= kBearingTolerance &&
            std::abs(static_cast<std::int8_t>(f.direction[q] - e.direction)) <= kDirectionTolerance;
        mask |= static_cast<unsigned>(agrees) << k;
    }
    return mask;
#endif
}

// Set bits of a 16-bit mask by a table of bytes: generic x86-64 has no popcount
// instruction, and the library's takes some twenty.
inline int bitsIn(unsigned mask)
{
    static constexpr auto kBits = [] {
        std::array<std::uint8_t, 256> t{};
        for (unsigned b = 0; b < 256; ++b)
            t[b] = static_cast<std::uint8_t>(std::popcount(b));
        return t;
    }();
    return kBits[mask & 0xffu] + kBits[mask >> 8];
}

} // namespace

bool edgesAgree(const Edge& query, const Edge& reference)
{
    return std::abs(reference.distance - query.distance) <= distanceTolerance(query.distance) &&
           std::abs(static_cast<std::int8_t>(reference.bearing - query.bearing)) <=
               kBearingTolerance &&
           std::abs(static_cast<std::int8_t>(reference.direction - query.direction)) <=
               kDirectionTolerance;
}

int EdgeIndex::vote(const MatchTemplate& reference, std::uint8_t* votes, int stride) const
{
    return all_.vote(reference, everyPoint(reference), votes, stride);
}

int EdgeIndex::voteStrongest(const MatchTemplate& reference, std::uint8_t* votes, int stride) const
{
    return strongest_.vote(reference, reference.strongest, votes, stride);
}

int EdgeIndex::voteRest(const MatchTemplate& reference, std::uint8_t* votes, int stride) const
{
    return others_.vote(reference, reference.strongest, votes, stride) +
           all_.vote(reference, reference.others, votes, stride);
}

int EdgeIndex::Table::vote(const MatchTemplate& reference, std::span<const std::uint8_t> points,
                           std::uint8_t* votes, int stride) const
{
    constexpr std::uint32_t kFixedLanes = 8;
    if (offsets.empty() || points.empty())
        return 0;
    const IndexFields fields{point.data(), minDistance.data(), maxDistance.data(), bearing.data(),
                             direction.data()};
    const std::uint16_t* bins = offsets.data();
    const auto rowStep = static_cast<std::size_t>(stride);
    int cast = 0;
    for (const std::uint8_t j : points) {
        const Edge* edges = &reference.edges[static_cast<std::size_t>(j) * kNeighbours];
        std::uint8_t* column = votes + j;
        for (int k = 0; k < reference.edgeCount[j]; ++k) {
            const Edge& e = edges[k];
            const int bin = binOf(e.distance / kDistanceBin, e.bearing >> kBearingShift,
                                  e.direction >> kDirectionShift);
            const std::uint32_t end = bins[bin + 1];
            for (std::uint32_t at = bins[bin]; at < end; at += 16) {
                // Every entry adds its bit, agreeing or not: a branch on each would
                // be mispredicted as often as not. At most one vote per pair of
                // edges, so a cell stays far below 255. Lanes are added eight or
                // sixteen at a time (those past the bin's end with their bit
                // cleared): most bins hold fewer than eight, and a loop that ends
                // at a different lane each time is mispredicted at its end. The
                // lanes are unrolled, each reading its own bit, and the votes cast
                // are counted once per sixteen.
                unsigned agree = agreeing(fields, e, at);
                const std::uint8_t* pointAt = fields.point + at;
                const std::uint32_t lanes = std::min<std::uint32_t>(16, end - at);
                if (lanes < 16)
                    agree &= (1u << lanes) - 1;
                cast += bitsIn(agree);
                auto addLane = [&](std::uint32_t lane) {
                    column[pointAt[lane] * rowStep] +=
                        static_cast<std::uint8_t>((agree >> lane) & 1u);
                };
#pragma GCC unroll 8
                for (std::uint32_t lane = 0; lane < kFixedLanes; ++lane)
                    addLane(lane);
                if (lanes > kFixedLanes) {
#pragma GCC unroll 8
                    for (std::uint32_t lane = kFixedLanes; lane < 16; ++lane)
                        addLane(lane);
                }
            }
        }
    }
    return cast;
}

} // namespace fp
