#include "PairScore.h"

#include "AreaComparison.h"
#include "CandidatePairs.h"
#include "EdgeIndex.h"

#include <algorithm>
#include <cmath>

namespace fp {

namespace {

constexpr float kMinExpectedPairs = 16.0f;  // so that a few pairs in a sliver never score high
constexpr float kTypeMismatchWeight = 0.5f; // a pair of an ending and a bifurcation
constexpr float kConfidentPairs = 8.0f;     // fewer are weak evidence however well they fit
constexpr int kFullSupport = 2; // paired neighbours that support a pair in full (edges: kFullEdges)
// A pair's agreeing edges are counted from the reference minutia's nearest
// neighbours only (each against all of the query minutia's, so that a neighbour
// moved a place down the query's list still counts): the farthest agrees by
// chance more often. Counting it raised the highest scores between different
// fingers from 22 to 26 and lowered none of the equal error rates.
constexpr int kSupportEdges = 7;
constexpr float kFullQuality = 60.0f;     // minutia quality that counts in full ...
constexpr float kLowQualityWeight = 0.3f; // ... and the least weight
// Supported pairs that chance gives per minutia pair per pixel of common area:
// the pairing tolerance area (about 12 px around, directions mostly agree as
// ridges run alike) times the chance that chance pairs lie next to each other
// (regular ridges make that likely; measured on impostor pairs).
constexpr float kChancePairArea = 500.0f;
// A print read with the faint rule: the filter draws clean ridges along the right
// flow over ink too faint to show where they really end, so part of its minutiae
// are guesses that look sound to every quality measure. Two fingers of like flow
// then pair more of them than the chance term expects, and such a comparison
// counts a quarter: about twice the pairs beyond chance for the same score.
constexpr float kFaintRuleWeight = 0.25f;

// Minutiae of each print that fall inside the other print's finger area, each
// weighted by its quality: doubtful minutiae are often missing from the other print.
float qualityWeight(const MatchPoint& p)
{
    return std::clamp(static_cast<float>(p.quality) * (1.0f / kFullQuality), kLowQualityWeight,
                      1.0f);
}

void overlapCounts(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion, float& inQ,
                   float& inR)
{
    inQ = inR = 0;
    for (const MatchPoint& p : q.points) {
        float x, y;
        motion.invert(p.x, p.y, x, y);
        inQ += r.data.areaAt(x, y) ? qualityWeight(p) : 0.0f;
    }
    for (const MatchPoint& p : r.points) {
        float x, y;
        motion.apply(p.x, p.y, x, y);
        inR += q.data.areaAt(x, y) ? qualityWeight(p) : 0.0f;
    }
}

} // namespace

float supportedPairs(const MatchTemplate& q, const MatchTemplate& r,
                     const std::vector<MatchPair>& pairs, const std::uint8_t* votes, int stride,
                     std::vector<int>& queryOf)
{
    queryOf.assign(r.points.size(), -1);
    for (const MatchPair& p : pairs)
        queryOf[p.reference] = p.query;
    float n = 0;
    for (const MatchPair& p : pairs) {
        const Edge* qEdges = &q.edges[static_cast<std::size_t>(p.query) * kNeighbours];
        const Edge* rEdges = &r.edges[static_cast<std::size_t>(p.reference) * kNeighbours];
        const int qCount = q.edgeCount[p.query];
        int paired = 0;
        for (int e = 0; e < r.edgeCount[p.reference] && paired < kFullSupport; ++e) {
            const int partner = queryOf[rEdges[e].neighbour];
            if (partner >= 0 && std::any_of(qEdges, qEdges + qCount, [&](const Edge& edge) {
                    return edge.neighbour == partner;
                }))
                ++paired;
        }
        // The votes counted every edge of the reference minutia: take off the farthest.
        int agreeing = votes[p.query * stride + p.reference];
        for (int e = kSupportEdges; e < r.edgeCount[p.reference]; ++e)
            for (int k = 0; k < qCount; ++k)
                agreeing -= edgesAgree(qEdges[k], rEdges[e]) ? 1 : 0;
        const float weight =
            0.5f * (static_cast<float>(paired) / kFullSupport + voteWeight(agreeing));
        // An ending seen as a bifurcation happens (ink, pressure) but is weaker evidence.
        n += q.points[p.query].type == r.points[p.reference].type ? weight
                                                                  : kTypeMismatchWeight * weight;
    }
    return n;
}

int scorePairing(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                 float n, MatchDetail& detail)
{
    const MatchTemplate& q = query.templ;
    if (n < kMinSupported)
        return 0;
    overlapCounts(q, r, motion, detail.inQuery, detail.inReference);
    // The common area is at most the query's finger area, so chance gives at
    // least this many pairs: when that leaves none beyond it, the score is 0
    // whatever the ridge directions say, and they are not compared.
    if (n <=
        kChancePairArea * detail.inQuery * detail.inReference / std::max(query.fingerArea, 1.0f))
        return 0;
    compareAreas(q, r, motion, detail);
    const float a = std::max({detail.inQuery, n, kMinExpectedPairs});
    const float b = std::max({detail.inReference, n, kMinExpectedPairs});
    const float chance =
        kChancePairArea * detail.inQuery * detail.inReference / std::max(detail.commonArea, 1.0f);
    const float beyond = std::max(0.0f, n - chance);
    // Few pairs are weak evidence however well they fit.
    const float certainty = std::min(1.0f, n / kConfidentPairs);
    const float guessed = q.data.faintRule || r.data.faintRule ? kFaintRuleWeight : 1.0f;
    return static_cast<int>(std::lround(100.0f * guessed * certainty * agreementFactor(detail) *
                                        beyond * beyond / std::sqrt(a * b)));
}

} // namespace fp
