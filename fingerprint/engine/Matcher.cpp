#include "Matcher.h"

#include <algorithm>
#include <cmath>

namespace fp {

namespace {

constexpr int kMaxSeeds = 30;
constexpr float kMinSeedSimilarity = 1.5f;    // neighbours agreeing around a candidate pair
constexpr float kAngleTolerance = 0.35f;      // radians, 20 degrees
constexpr float kPlaceTolerance = 8.0f;       // pixels at the anchor ...
constexpr float kPlaceToleranceSlope = 0.04f; // ... plus this much per pixel away from it
constexpr float kMinExpectedPairs = 10.0f;    // so that a few pairs in a sliver never score high
constexpr float kEnoughPairs = 50.0f;
constexpr float kConfidentPairs = 8.0f;

struct Seed
{
    float similarity;
    int query;
    int reference;
};

// Rigid motion taking reference coordinates to query coordinates.
struct Motion
{
    float rotation = 0;
    float cos = 1, sin = 0;
    float tx = 0, ty = 0;

    void apply(float x, float y, float& ox, float& oy) const
    {
        ox = cos * x - sin * y + tx;
        oy = sin * x + cos * y + ty;
    }
    void invert(float x, float y, float& ox, float& oy) const
    {
        const float dx = x - tx, dy = y - ty;
        ox = cos * dx + sin * dy;
        oy = -sin * dx + cos * dy;
    }
};

Motion motionFromPair(const MatchPoint& q, const MatchPoint& r)
{
    Motion m;
    m.rotation = q.angle - r.angle;
    m.cos = std::cos(m.rotation);
    m.sin = std::sin(m.rotation);
    m.tx = q.x - (m.cos * r.x - m.sin * r.y);
    m.ty = q.y - (m.sin * r.x + m.cos * r.y);
    return m;
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

struct Candidate
{
    float cost;
    int query;
    int reference;
};

// One-to-one pairing of minutiae that agree in place and direction under `motion`;
// the place tolerance grows with the distance from (ax, ay).
std::vector<MatchPair> pairMinutiae(const MatchTemplate& q, const MatchTemplate& r,
                                    const Motion& motion, float ax, float ay,
                                    std::vector<Candidate>& candidates)
{
    candidates.clear();
    for (int j = 0; j < static_cast<int>(r.points.size()); ++j) {
        const MatchPoint& rp = r.points[j];
        float x, y;
        motion.apply(rp.x, rp.y, x, y);
        const float angle = rp.angle + motion.rotation;
        const float tolerance = kPlaceTolerance + kPlaceToleranceSlope * std::hypot(x - ax, y - ay);
        for (int i = 0; i < static_cast<int>(q.points.size()); ++i) {
            const MatchPoint& qp = q.points[i];
            const float dx = qp.x - x, dy = qp.y - y;
            if (std::abs(dx) > tolerance || std::abs(dy) > tolerance)
                continue;
            const float d = std::hypot(dx, dy);
            if (d > tolerance)
                continue;
            const float da = angleGap(qp.angle, angle);
            if (da > kAngleTolerance)
                continue;
            candidates.push_back({d / tolerance + da / kAngleTolerance, i, j});
        }
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.cost < b.cost; });
    std::vector<MatchPair> pairs;
    std::vector<char> usedQ(q.points.size(), 0), usedR(r.points.size(), 0);
    for (const Candidate& c : candidates) {
        if (usedQ[c.query] || usedR[c.reference])
            continue;
        usedQ[c.query] = usedR[c.reference] = 1;
        pairs.push_back({c.query, c.reference});
    }
    return pairs;
}

// Minutiae of each print that fall inside the other print's finger area.
void overlapCounts(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion, int& inQ,
                   int& inR)
{
    inQ = inR = 0;
    for (const MatchPoint& p : q.points) {
        float x, y;
        motion.invert(p.x, p.y, x, y);
        inQ += r.data.areaAt(x, y) ? 1 : 0;
    }
    for (const MatchPoint& p : r.points) {
        float x, y;
        motion.apply(p.x, p.y, x, y);
        inR += q.data.areaAt(x, y) ? 1 : 0;
    }
}

int scorePairing(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                 std::size_t pairCount)
{
    int inQ, inR;
    overlapCounts(q, r, motion, inQ, inR);
    // Minutiae expected to pair: between those inside the overlap (the estimate
    // of the overlap is rough) and all of them; beyond kEnoughPairs more pairs add
    // no certainty, so large prints with many minutiae are not held back.
    const float n = static_cast<float>(pairCount);
    auto expected = [n](int inside, std::size_t all) {
        const float middle = 0.5f * static_cast<float>(inside + static_cast<int>(all));
        return std::max({std::min(middle, kEnoughPairs), n, kMinExpectedPairs});
    };
    const float a = expected(inQ, q.points.size());
    const float b = expected(inR, r.points.size());
    // Few pairs are weak evidence however well they fit.
    const float certainty = std::min(1.0f, n / kConfidentPairs);
    return static_cast<int>(std::lround(1000.0f * n * n / (a * b) * certainty));
}

std::vector<Seed> findSeeds(const MatchTemplate& q, const MatchTemplate& r)
{
    std::vector<Seed> seeds;
    for (int i = 0; i < static_cast<int>(q.points.size()); ++i)
        for (int j = 0; j < static_cast<int>(r.points.size()); ++j) {
            const float s = localSimilarity(q, i, r, j);
            if (s >= kMinSeedSimilarity)
                seeds.push_back({s, i, j});
        }
    const std::size_t keep = std::min<std::size_t>(seeds.size(), kMaxSeeds);
    std::partial_sort(seeds.begin(), seeds.begin() + keep, seeds.end(),
                      [](const Seed& a, const Seed& b) { return a.similarity > b.similarity; });
    seeds.resize(keep);
    return seeds;
}

} // namespace

int matchTemplates(const MatchTemplate& query, const MatchTemplate& reference,
                   std::vector<MatchPair>& pairs)
{
    pairs.clear();
    if (query.points.size() < 3 || reference.points.size() < 3)
        return 0;
    const std::vector<Seed> seeds = findSeeds(query, reference);
    int best = 0;
    std::vector<Candidate> scratch;
    std::vector<Motion> tried;
    for (const Seed& seed : seeds) {
        const MatchPoint& anchor = query.points[seed.query];
        const Motion first = motionFromPair(anchor, reference.points[seed.reference]);
        // Seeds of one alignment give (nearly) the same pairing: try it once.
        const bool seen = std::any_of(tried.begin(), tried.end(), [&](const Motion& m) {
            return angleGap(m.rotation, first.rotation) < 0.1f &&
                   std::abs(m.tx - first.tx) < 8.0f && std::abs(m.ty - first.ty) < 8.0f;
        });
        if (seen)
            continue;
        tried.push_back(first);
        std::vector<MatchPair> found =
            pairMinutiae(query, reference, first, anchor.x, anchor.y, scratch);
        Motion motion = first;
        if (found.size() >= 3) {
            // Spread the alignment error over all pairs instead of the anchor alone.
            const Motion refined = fitMotion(query, reference, found);
            float cx = 0, cy = 0;
            for (const MatchPair& p : found) {
                cx += query.points[p.query].x;
                cy += query.points[p.query].y;
            }
            cx /= static_cast<float>(found.size());
            cy /= static_cast<float>(found.size());
            std::vector<MatchPair> again = pairMinutiae(query, reference, refined, cx, cy, scratch);
            if (again.size() >= found.size()) {
                found.swap(again);
                motion = refined;
            }
        }
        const int score = scorePairing(query, reference, motion, found.size());
        if (score > best) {
            best = score;
            pairs = found;
        }
    }
    return best;
}

} // namespace fp
