#include "Pairing.h"

#include <algorithm>
#include <cmath>

namespace fp {

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

void pairMinutiae(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                  float ax, float ay, PairingScratch& s, std::vector<MatchPair>& pairs)
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
              [](const PairingScratch::Candidate& a, const PairingScratch::Candidate& b) {
                  return a.cost < b.cost;
              });
    pairs.clear();
    s.usedQ.assign(q.points.size(), 0);
    s.usedR.assign(r.points.size(), 0);
    for (const PairingScratch::Candidate& c : s.candidates) {
        if (s.usedQ[c.query] || s.usedR[c.reference])
            continue;
        s.usedQ[c.query] = s.usedR[c.reference] = 1;
        pairs.push_back({c.query, c.reference});
    }
}

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

} // namespace fp
