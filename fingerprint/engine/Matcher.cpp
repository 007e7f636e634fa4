#include "Matcher.h"

#include "Alignment.h"
#include "CandidatePairs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace fp {

namespace {

constexpr float kMinConsensus = 2.5f;       // less among the candidate pairs: not the same finger
constexpr int kAnchorSeeds = 20;            // the best-voted candidates may anchor an alignment ...
constexpr int kRoughAlignments = 8;         // ... and this many distinct ones are paired roughly
constexpr int kRefinedAlignments = 3;       // alignments refined and scored
constexpr int kMinVotes = 8;                // fewer in all: not the same finger
constexpr float kUsualRotation = 1.05f;     // radians, 60 degrees between two placements
constexpr float kMinExpectedPairs = 16.0f;  // so that a few pairs in a sliver never score high
constexpr float kTypeMismatchWeight = 0.5f; // a pair of an ending and a bifurcation
constexpr float kMinSupported = 3.0f;       // fewer supported pairs score 0
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
// Agreement of the ridge directions over the common area (mean cos of twice the
// angle between): genuine alignments mostly reach 0.9 and more; most impostor
// alignments stay below 0.8.
constexpr float kNoAgreement = 0.6f;
constexpr float kFullAgreement = 0.95f;
constexpr int kMinDirectionCells = 8;
// Scores vanish below kNoAgreement, but an alignment taken from one pair is
// rougher than a refined one: the alignment most candidates agree with must
// reach kSeedAgreement, or the reference is rejected at once ...
constexpr float kSeedAgreement = 0.5f;
// ... and an alignment is refined and scored only from kRefineAgreement (where
// the direction factor would keep less than a tenth of its score anyway).
constexpr float kRefineAgreement = 0.7f;

using Candidate = MatchScratch::Candidate;

// Adds item to items[0, count), kept best first by key and at most `capacity`
// long; an item no better than the last of a full list is left out.
template <typename T, typename Key>
void keepBest(T* items, int& count, int capacity, const T& item, Key key)
{
    if (count == capacity && key(item) <= key(items[capacity - 1]))
        return;
    int at = count < capacity ? count++ : capacity - 1;
    while (at > 0 && key(items[at - 1]) < key(item)) {
        items[at] = items[at - 1];
        --at;
    }
    items[at] = item;
}

// Least-squares rotation and translation over the pairs.
Motion fitMotion(const MatchTemplate& q, const MatchTemplate& r,
                 const std::vector<MatchPair>& pairs)
{
    float qx = 0, qy = 0, rx = 0, ry = 0;
    for (const MatchPair& p : pairs) {
        qx += q.points[p.query].x;
        qy += q.points[p.query].y;
        rx += r.points[p.reference].x;
        ry += r.points[p.reference].y;
    }
    const float n = static_cast<float>(pairs.size());
    qx /= n, qy /= n, rx /= n, ry /= n;
    float sxx = 0, sxy = 0;
    for (const MatchPair& p : pairs) {
        const float ax = r.points[p.reference].x - rx, ay = r.points[p.reference].y - ry;
        const float bx = q.points[p.query].x - qx, by = q.points[p.query].y - qy;
        sxx += ax * bx + ay * by;
        sxy += ax * by - ay * bx;
    }
    Motion m;
    m.rotation = std::atan2(sxy, sxx);
    m.cos = std::cos(m.rotation);
    m.sin = std::sin(m.rotation);
    m.tx = qx - (m.cos * rx - m.sin * ry);
    m.ty = qy - (m.sin * rx + m.cos * ry);
    return m;
}

// One-to-one pairing of minutiae that agree in place and direction under `motion`;
// the place tolerance grows with the distance from (ax, ay).
void pairMinutiae(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                  float ax, float ay, MatchScratch& s, std::vector<MatchPair>& pairs)
{
    const MatchTemplate& q = query.templ;
    s.candidates.clear();
    for (int j = 0; j < static_cast<int>(r.points.size()); ++j) {
        const MatchPoint& rp = r.points[j];
        float x, y;
        motion.apply(rp.x, rp.y, x, y);
        const float angle = rp.angle + motion.rotation;
        const float tolerance = placeTolerance(x, y, ax, ay);
        auto consider = [&](int i) {
            const MatchPoint& qp = q.points[i];
            const float dx = qp.x - x, dy = qp.y - y;
            const float d2 = dx * dx + dy * dy;
            if (d2 > tolerance * tolerance)
                return;
            const float da = angleGap(qp.angle, angle);
            if (da > kAngleTolerance)
                return;
            s.candidates.push_back({std::sqrt(d2) / tolerance + da / kAngleTolerance, i, j});
        };
        if (tolerance > PointReach::kReach || !query.reach.near(x, y, consider))
            query.grid.near(x, y, tolerance, consider);
    }
    std::sort(s.candidates.begin(), s.candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    pairs.clear();
    s.usedQ.assign(q.points.size(), 0);
    s.usedR.assign(r.points.size(), 0);
    for (const Candidate& c : s.candidates) {
        if (s.usedQ[c.query] || s.usedR[c.reference])
            continue;
        s.usedQ[c.query] = s.usedR[c.reference] = 1;
        pairs.push_back({c.query, c.reference});
    }
}

// Quick estimate of the supported pairs under `motion` (taken from one pair): each
// reference minutia takes its best-supported query minutia in tolerance, without
// the one-to-one rule.
float quickSupport(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                   float ax, float ay, const std::uint8_t* votes, int stride)
{
    const MatchTemplate& q = query.templ;
    float n = 0;
    for (int j = 0; j < static_cast<int>(r.points.size()); ++j) {
        const MatchPoint& rp = r.points[j];
        float x, y;
        motion.apply(rp.x, rp.y, x, y);
        const auto turn = static_cast<std::uint8_t>(rp.turn + motion.turn);
        const float tolerance = placeTolerance(x, y, ax, ay);
        int best = 0;
        // Without branches: whether a near minutia fits is a coin toss to the
        // branch predictor.
        auto consider = [&](int i) {
            const int v = votes[i * stride + j];
            const MatchPoint& qp = q.points[i];
            const float dx = qp.x - x, dy = qp.y - y;
            const bool fits = (v > best) & (dx * dx + dy * dy <= tolerance * tolerance) &
                              (turnGap(qp.turn, turn) <= kAngleToleranceTurns);
            best = fits ? v : best;
        };
        if (tolerance > PointReach::kReach || !query.reach.near(x, y, consider))
            query.grid.near(x, y, tolerance, consider);
        n += 0.25f * static_cast<float>(std::min(best, 4));
    }
    return n;
}

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

// A pair counts by the mean of two supports: how many of its neighbourhood edges
// agree (a quarter per edge, in full from four; see kSupportEdges) and how many
// of its neighbours are paired with neighbours of its partner (a half per
// neighbour, in full from two). The pairs of a genuine alignment lie in runs of paired
// neighbourhoods; an impostor alignment pairs scattered chance neighbours whose neighbourhoods
// seldom agree and whose neighbours are seldom paired with each other.
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

// The query's finger cells that the reference covers too (every `step`-th cell
// in each direction, each standing for step x step): their area (pixels), and
// how well the two prints' ridge directions agree there, the mean cosine
// of twice the angle between them over the cells where both are clear (1 =
// parallel everywhere, 0 = unrelated). Two impressions of one finger agree all
// over; an impostor alignment that pairs minutiae by chance seldom does.
void compareAreas(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                  MatchDetail& detail, int step = 1)
{
    // cos and sin of twice each difference of direction codes.
    static const auto table = [] {
        std::array<std::array<float, 2>, kDirectionSteps> t{};
        for (int d = 0; d < kDirectionSteps; ++d) {
            const float a = 2.0f * static_cast<float>(d) * std::numbers::pi_v<float> /
                            static_cast<float>(kDirectionSteps);
            t[d] = {std::cos(a), std::sin(a)};
        }
        return t;
    }();
    const TemplateData& d = q.data;
    const TemplateData& e = r.data;
    detail.commonArea = 0;
    detail.directionCells = 0;
    detail.directionAgreement = 0;
    if (e.area.empty()) // no reference cell for any query cell to fall on
        return;
    const bool directions = !d.directions.empty() && !e.directions.empty();
    const float c2 = std::cos(2 * motion.rotation), s2 = std::sin(2 * motion.rotation);
    int cells = 0, compared = 0;
    float agreement = 0;
    std::array<int, kMaxAreaCells> under; // per cell of a query row: the reference cell under it
    for (int cy = 0; cy < d.areaRows; cy += step) {
        referenceCellsUnderRow(d, e, motion, cy, step, under.data());
        // Without branches (whether a cell is common and clear is a coin toss to
        // the branch predictor near the edge of the finger); adding 0 for the
        // others leaves the sum as it would be without them.
        for (int cx = 0, k = 0; cx < d.areaCols; cx += step, ++k) {
            const int i = cy * d.areaCols + cx;
            const int j = std::max(under[k], 0);
            const bool common = (d.area[i] != 0) & (under[k] >= 0) & (e.area[j] != 0);
            cells += common;
            if (!directions)
                continue;
            const int dq = d.directions[i], dr = e.directions[j];
            const bool clear = common & (dq != kNoDirection) & (dr != kNoDirection);
            // The reference direction turned by the motion: cos 2(dq - dr - rotation).
            const auto& t = table[(dq - dr + kDirectionSteps) % kDirectionSteps];
            agreement += clear ? t[0] * c2 + t[1] * s2 : 0.0f;
            compared += clear;
        }
    }
    const int side = d.areaCell * step;
    detail.commonArea = static_cast<float>(cells * side * side);
    detail.directionCells = compared;
    detail.directionAgreement = compared > 0 ? agreement / static_cast<float>(compared) : 0.0f;
}

// How much of a score an alignment keeps for the agreement of the ridge
// directions: all from kFullAgreement, none below kNoAgreement. Templates without
// directions, or a common area too small to say, keep it all.
float agreementFactor(const MatchDetail& detail)
{
    if (detail.directionCells < kMinDirectionCells)
        return 1.0f;
    const float t = std::clamp(
        (detail.directionAgreement - kNoAgreement) / (kFullAgreement - kNoAgreement), 0.0f, 1.0f);
    return t * t;
}

// Whether the ridge directions of the two prints agree under `motion` (or too
// little is common to tell): the agreement at least `bar`, judged on every
// other cell in each direction.
bool directionsAgree(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                     float bar)
{
    MatchDetail d;
    compareAreas(q, r, motion, d, 2);
    return d.directionCells < kMinDirectionCells || d.directionAgreement >= bar;
}

// The supported pairs beyond those chance gives at this density of minutiae,
// m = n - chance, score m times the fraction m makes of the minutiae both prints
// show in their common area.
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

} // namespace

void PointGrid::build(const std::vector<MatchPoint>& points)
{
    float maxX = 0, maxY = 0;
    for (const MatchPoint& p : points) {
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    cols_ = static_cast<int>(maxX) / kCell + 1;
    rows_ = static_cast<int>(maxY) / kCell + 1;
    offsets_.assign(static_cast<std::size_t>(cols_) * rows_ + 1, 0);
    auto cellOf = [this](const MatchPoint& p) {
        return static_cast<int>(p.y) / kCell * cols_ + static_cast<int>(p.x) / kCell;
    };
    for (const MatchPoint& p : points)
        ++offsets_[cellOf(p) + 1];
    for (std::size_t c = 1; c < offsets_.size(); ++c)
        offsets_[c] += offsets_[c - 1];
    indices_.resize(points.size());
    std::vector<int> fill(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        indices_[fill[cellOf(points[i])]++] = static_cast<std::uint8_t>(i);
}

void PointReach::build(const std::vector<MatchPoint>& points)
{
    float maxX = 0, maxY = 0;
    for (const MatchPoint& p : points) {
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    cols_ = static_cast<int>(maxX + kReach) / kSquare + 1;
    rows_ = static_cast<int>(maxY + kReach) / kSquare + 1;
    // A point belongs to every square whose nearest pixel lies within kReach of it.
    auto forSquares = [this](const MatchPoint& p, auto&& visit) {
        const int c0 = std::max(0, static_cast<int>((p.x - kReach) / kSquare));
        const int c1 = std::min(cols_ - 1, static_cast<int>((p.x + kReach) / kSquare));
        const int r0 = std::max(0, static_cast<int>((p.y - kReach) / kSquare));
        const int r1 = std::min(rows_ - 1, static_cast<int>((p.y + kReach) / kSquare));
        for (int row = r0; row <= r1; ++row)
            for (int col = c0; col <= c1; ++col) {
                const float nx = std::clamp(p.x, static_cast<float>(col * kSquare),
                                            static_cast<float>((col + 1) * kSquare));
                const float ny = std::clamp(p.y, static_cast<float>(row * kSquare),
                                            static_cast<float>((row + 1) * kSquare));
                if ((nx - p.x) * (nx - p.x) + (ny - p.y) * (ny - p.y) <= kReach * kReach)
                    visit(row * cols_ + col);
            }
    };
    offsets_.assign(static_cast<std::size_t>(cols_) * rows_ + 1, 0);
    for (const MatchPoint& p : points)
        forSquares(p, [this](int square) { ++offsets_[square + 1]; });
    for (std::size_t c = 1; c < offsets_.size(); ++c)
        offsets_[c] += offsets_[c - 1];
    indices_.resize(offsets_.back());
    std::vector<std::uint32_t> fill(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        forSquares(points[i],
                   [&](int square) { indices_[fill[square]++] = static_cast<std::uint8_t>(i); });
}

bool PreparedTemplate::build(std::span<const std::uint8_t> bytes)
{
    if (!buildMatchTemplate(bytes, templ))
        return false;
    edges.build(templ);
    grid.build(templ.points);
    reach.build(templ.points);
    const auto cells = std::count_if(templ.data.area.begin(), templ.data.area.end(),
                                     [](std::uint8_t c) { return c != 0; });
    fingerArea = static_cast<float>(cells * templ.data.areaCell * templ.data.areaCell);
    return true;
}

int matchTemplates(const PreparedTemplate& prepared, const MatchTemplate& reference,
                   MatchScratch& s, std::vector<MatchPair>& pairs, MatchDetail* detail)
{
    pairs.clear();
    MatchDetail local;
    MatchDetail& out = detail ? *detail : local;
    out = {};
    out.endedEarly = true; // until the pairing starts
    const MatchTemplate& query = prepared.templ;
    const int nq = static_cast<int>(query.points.size());
    const int nr = static_cast<int>(reference.points.size());
    if (nq < 3 || nr < 3)
        return 0;
    // Padded with zeros to whole 16-byte groups for pickSeeds.
    s.votes.assign((static_cast<std::size_t>(nq) * nr + 15) & ~std::size_t{15}, 0);
    out.votes = prepared.edges.vote(reference, s.votes.data(), nr);
    if (out.votes < kMinVotes)
        return 0;

    Seed seeds[kCandidateSeeds];
    const int seedCount = pickSeeds(s.votes.data(), nq, nr, seeds);
    weighConsensus(query, reference, seeds, seedCount, kAnchorSeeds);
    // The alignments most candidates agree with come first. Only the anchors have
    // a consensus (the others, 0, stay behind them), so only they are ordered, by
    // a stable insertion sort: twenty at most, and no buffer to allocate.
    for (int k = 1; k < std::min(seedCount, kAnchorSeeds); ++k)
        for (int at = k; at > 0 && seeds[at - 1].consensus < seeds[at].consensus; --at)
            std::swap(seeds[at - 1], seeds[at]);
    // Too little agreement among the candidates: not the same finger. Neither is
    // it when the alignment most of them agree with turns the ridges across each other.
    if (seedCount == 0 || seeds[0].consensus < kMinConsensus ||
        !directionsAgree(
            query, reference,
            motionFromPair(query.points[seeds[0].query], reference.points[seeds[0].reference]),
            kSeedAgreement))
        return 0;
    out.endedEarly = false;

    // First pass: the distinct alignments of the best-voted anchors, most agreed
    // with first, each paired once around its anchor; the few with the most
    // supported pairs go on to the refined, scored pass.
    struct Alignment
    {
        Motion motion;
        float ax, ay; // anchor in the query
        float supported;
    };
    Alignment kept[kRefinedAlignments];
    int keptCount = 0;
    Motion tried[kRoughAlignments];
    int triedCount = 0;
    for (int k = 0; k < seedCount && triedCount < kRoughAlignments; ++k) {
        const Seed& seed = seeds[k];
        if (seed.rank >= kAnchorSeeds)
            continue;
        const MatchPoint& anchor = query.points[seed.query];
        const Motion first = motionFromPair(anchor, reference.points[seed.reference]);
        // Seeds of one alignment give (nearly) the same pairing: try it once.
        const bool seen = std::any_of(tried, tried + triedCount, [&](const Motion& m) {
            return angleGap(m.rotation, first.rotation) < 0.1f &&
                   std::abs(m.tx - first.tx) < 8.0f && std::abs(m.ty - first.ty) < 8.0f;
        });
        if (seen)
            continue;
        tried[triedCount++] = first;
        const float n =
            quickSupport(prepared, reference, first, anchor.x, anchor.y, s.votes.data(), nr);
        if (n >= kMinSupported)
            keepBest(kept, keptCount, kRefinedAlignments, Alignment{first, anchor.x, anchor.y, n},
                     [](const Alignment& a) { return a.supported; });
    }

    int best = 0;
    for (int k = 0; k < keptCount; ++k) {
        // Spread the alignment error over all pairs instead of the anchor alone.
        Motion motion = kept[k].motion;
        if (!directionsAgree(query, reference, motion, kRefineAgreement))
            continue;
        pairMinutiae(prepared, reference, motion, kept[k].ax, kept[k].ay, s, s.found);
        if (s.found.size() >= 3) {
            const Motion refined = fitMotion(query, reference, s.found);
            float cx = 0, cy = 0;
            for (const MatchPair& p : s.found) {
                cx += query.points[p.query].x;
                cy += query.points[p.query].y;
            }
            cx /= static_cast<float>(s.found.size());
            cy /= static_cast<float>(s.found.size());
            pairMinutiae(prepared, reference, refined, cx, cy, s, s.again);
            if (s.again.size() >= s.found.size()) {
                s.found.swap(s.again);
                motion = refined;
            }
        }
        const float n = supportedPairs(query, reference, s.found, s.votes.data(), nr, s.queryOf);
        MatchDetail d = out;
        int score = scorePairing(prepared, reference, motion, n, d);
        // Fingers are put on the reader roughly upright: a placement turned
        // further than kUsualRotation must show twice the evidence.
        if (angleGap(motion.rotation, 0.0f) > kUsualRotation)
            score /= 2;
        if (score > best || pairs.empty()) {
            best = score;
            pairs = s.found;
            d.pairs = static_cast<int>(s.found.size());
            d.supported = n;
            d.rotation = motion.rotation;
            out = d;
        }
    }
    return best;
}

} // namespace fp
