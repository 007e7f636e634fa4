#include "CandidatePairs.h"

#include "Alignment.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fp {

namespace {

// Calls visit(cell) for every cell of at least `least` votes (least >= 1), in order.
template <typename Visit>
void forCellsFrom(const std::uint8_t* votes, int cells, int least, Visit&& visit)
{
#if defined(__SSE2__)
    // Most cells hold 0 or 1 votes: sixteen of them are looked at in one test.
    const __m128i below = _mm_set1_epi8(static_cast<char>(least - 1));
    for (int at = 0; at < cells; at += 16) {
        const __m128i group = _mm_loadu_si128(reinterpret_cast<const __m128i*>(votes + at));
        // Cells hold at most 64 votes, so a signed compare will do.
        for (unsigned many = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpgt_epi8(group, below)));
             many != 0; many &= many - 1)
            visit(at + std::countr_zero(many));
    }
#else
    for (int cell = 0; cell < cells; ++cell)
        if (votes[cell] >= least)
            visit(cell);
#endif
}

// The most votes in a cell.
int mostVotes(const std::uint8_t* votes, int cells)
{
#if defined(__SSE2__)
    __m128i most = _mm_setzero_si128();
    for (int at = 0; at < cells; at += 16)
        most = _mm_max_epu8(most, _mm_loadu_si128(reinterpret_cast<const __m128i*>(votes + at)));
    alignas(16) std::uint8_t lanes[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), most);
    return *std::max_element(lanes, lanes + 16);
#else
    return cells > 0 ? *std::max_element(votes, votes + cells) : 0;
#endif
}

// How many cells hold at least `least` votes (least >= 1).
int cellsFrom(const std::uint8_t* votes, int cells, int least)
{
#if defined(__SSE2__)
    const __m128i below = _mm_set1_epi8(static_cast<char>(least - 1));
    const __m128i one = _mm_set1_epi8(1);
    __m128i sum = _mm_setzero_si128();
    for (int at = 0; at < cells; at += 16) {
        const __m128i group = _mm_loadu_si128(reinterpret_cast<const __m128i*>(votes + at));
        // Cells hold at most 64 votes, so a signed compare will do.
        const __m128i hits = _mm_and_si128(_mm_cmpgt_epi8(group, below), one);
        sum = _mm_add_epi64(sum, _mm_sad_epu8(hits, _mm_setzero_si128()));
    }
    return _mm_cvtsi128_si32(sum) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(sum, sum));
#else
    return static_cast<int>(
        std::count_if(votes, votes + cells, [least](std::uint8_t v) { return v >= least; }));
#endif
}

} // namespace

int pickSeeds(const std::uint8_t* votes, int nq, int nr, Seed* seeds)
{
    // The best kCandidateSeeds cells, the earlier first among equals: every cell
    // above a cut value and the earliest cells at it. The cut is found by
    // counting the cells from each vote count down, then those kept are filed in
    // place, best first.
    const int cells = nq * nr;
    std::array<int, kMaxCellVotes + 1> next{}; // where the next cell of each vote count goes
    int above = 0, cut = 0, atCut = 0;
    for (int v = mostVotes(votes, cells); v >= kMinSeedVotes; --v) {
        const int atLeast = cellsFrom(votes, cells, v);
        next[v] = above;
        cut = v;
        atCut = std::min(atLeast, kCandidateSeeds) - above;
        above = std::min(atLeast, kCandidateSeeds);
        if (atLeast >= kCandidateSeeds)
            break;
    }
    if (above == 0)
        return 0;
    forCellsFrom(votes, cells, cut, [&](int cell) {
        const int v = votes[cell];
        if (v == cut) {
            if (atCut == 0)
                return;
            --atCut;
        }
        const int k = next[v]++;
        seeds[k] = Seed{v, cell / nr, cell % nr, k};
    });
    return above;
}

void weighConsensus(const MatchTemplate& q, const MatchTemplate& r, Seed* seeds, int count,
                    int anchors)
{
    // The candidates side by side, in whole groups of four (padding weighs
    // nothing), so that each alignment is tested on four of them at once and
    // without branches: whether a candidate lands on its partner is a coin toss
    // to a branch predictor. This is where most other fingers are turned away,
    // so it is the hottest loop of a search among many templates.
    constexpr int kLanes = (kCandidateSeeds + 3) / 4 * 4;
    struct alignas(16) Lanes
    {
        float qx[kLanes], qy[kLanes], rx[kLanes], ry[kLanes], weight[kLanes];
        std::int32_t qTurn[kLanes], rTurn[kLanes], qPoint[kLanes], rPoint[kLanes];
    } l{};
    const int padded = (count + 3) / 4 * 4;
    for (int b = 0; b < padded; ++b) {
        if (b >= count) {
            l.qPoint[b] = l.rPoint[b] = -1;
            continue;
        }
        const MatchPoint& qp = q.points[seeds[b].query];
        const MatchPoint& rp = r.points[seeds[b].reference];
        l.qx[b] = qp.x, l.qy[b] = qp.y, l.qTurn[b] = qp.turn, l.qPoint[b] = seeds[b].query;
        l.rx[b] = rp.x, l.ry[b] = rp.y, l.rTurn[b] = rp.turn, l.rPoint[b] = seeds[b].reference;
        l.weight[b] = voteWeight(seeds[b].votes);
    }
    for (int a = 0; a < count; ++a) {
        if (a >= anchors) {
            seeds[a].consensus = 0;
            continue;
        }
        const Motion m = motionFromPair(q.points[seeds[a].query], r.points[seeds[a].reference]);
        float weight = l.weight[a];
#if defined(__SSE2__)
        // Another candidate agrees when, under this one's alignment, it lands on
        // its partner within the pairing tolerance, in place and direction, and
        // shares no minutia with this one (the same arithmetic as the plain
        // loop below, four lanes at a time).
        const __m128 cos = _mm_set1_ps(m.cos), sin = _mm_set1_ps(m.sin);
        const __m128 tx = _mm_set1_ps(m.tx), ty = _mm_set1_ps(m.ty);
        const __m128 ax = _mm_set1_ps(l.qx[a]), ay = _mm_set1_ps(l.qy[a]);
        const __m128i turn = _mm_set1_epi32(m.turn);
        const __m128i qa = _mm_set1_epi32(l.qPoint[a]), ra = _mm_set1_epi32(l.rPoint[a]);
        __m128 sum = _mm_setzero_ps();
        for (int b = 0; b < padded; b += 4) {
            const __m128 rx = _mm_load_ps(l.rx + b), ry = _mm_load_ps(l.ry + b);
            const __m128 x = _mm_add_ps(_mm_sub_ps(_mm_mul_ps(cos, rx), _mm_mul_ps(sin, ry)), tx);
            const __m128 y = _mm_add_ps(_mm_add_ps(_mm_mul_ps(sin, rx), _mm_mul_ps(cos, ry)), ty);
            const __m128 ex = _mm_sub_ps(x, ax), ey = _mm_sub_ps(y, ay);
            const __m128 tolerance = _mm_add_ps(
                _mm_set1_ps(kPlaceTolerance),
                _mm_mul_ps(_mm_set1_ps(kPlaceToleranceSlope),
                           _mm_sqrt_ps(_mm_add_ps(_mm_mul_ps(ex, ex), _mm_mul_ps(ey, ey)))));
            const __m128 dx = _mm_sub_ps(_mm_load_ps(l.qx + b), x);
            const __m128 dy = _mm_sub_ps(_mm_load_ps(l.qy + b), y);
            const __m128 inPlace = _mm_cmple_ps(_mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy)),
                                                _mm_mul_ps(tolerance, tolerance));
            // (q - r - turn) mod 256 within the tolerance either way round.
            const __m128i gap = _mm_and_si128(
                _mm_sub_epi32(
                    _mm_sub_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(l.qTurn + b)),
                                  _mm_load_si128(reinterpret_cast<const __m128i*>(l.rTurn + b))),
                    turn),
                _mm_set1_epi32(255));
            const __m128i inTurn =
                _mm_or_si128(_mm_cmplt_epi32(gap, _mm_set1_epi32(kAngleToleranceTurns + 1)),
                             _mm_cmpgt_epi32(gap, _mm_set1_epi32(255 - kAngleToleranceTurns)));
            const __m128i shared = _mm_or_si128(
                _mm_cmpeq_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(l.qPoint + b)), qa),
                _mm_cmpeq_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(l.rPoint + b)),
                                ra));
            const __m128 lands =
                _mm_and_ps(inPlace, _mm_castsi128_ps(_mm_andnot_si128(shared, inTurn)));
            sum = _mm_add_ps(sum, _mm_and_ps(lands, _mm_load_ps(l.weight + b)));
        }
        // Weights are whole quarters: the sum is exact in any order.
        alignas(16) float part[4];
        _mm_store_ps(part, sum);
        weight += part[0] + part[1] + part[2] + part[3];
#else
        auto agrees = [&](int b) {
            float x, y;
            m.apply(l.rx[b], l.ry[b], x, y);
            const float tolerance = placeTolerance(x, y, l.qx[a], l.qy[a]);
            const float dx = l.qx[b] - x, dy = l.qy[b] - y;
            return dx * dx + dy * dy <= tolerance * tolerance &&
                   turnGap(static_cast<std::uint8_t>(l.qTurn[b]),
                           static_cast<std::uint8_t>(l.rTurn[b] + m.turn)) <=
                       kAngleToleranceTurns &&
                   l.qPoint[b] != l.qPoint[a] && l.rPoint[b] != l.rPoint[a];
        };
        for (int b = 0; b < count; ++b)
            if (agrees(b))
                weight += l.weight[b];
#endif
        seeds[a].consensus = weight;
    }
}

} // namespace fp
