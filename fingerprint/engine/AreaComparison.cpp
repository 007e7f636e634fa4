#include "AreaComparison.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

// Agreement of the ridge directions over the common area (mean cos of twice the
// angle between): genuine alignments mostly reach 0.9 and more; most impostor
// alignments stay below 0.8.
constexpr float kNoAgreement = 0.6f;
constexpr float kFullAgreement = 0.95f;
constexpr int kMinDirectionCells = 8;

// cos and sin of twice each difference of direction codes dq - dr, at dq - dr +
// kDirectionSteps: codes are 0 to kNoDirection, so no remainder is needed.
using DoubleAngles = std::array<std::array<float, 2>, 2 * kNoDirection + 1>;
const DoubleAngles& doubleAngles()
{
    static_assert(kNoDirection == kDirectionSteps);
    static const auto table = [] {
        DoubleAngles t{};
        for (int k = 0; k < static_cast<int>(t.size()); ++k) {
            const int d = k % kDirectionSteps;
            const float a = 2.0f * static_cast<float>(d) * std::numbers::pi_v<float> /
                            static_cast<float>(kDirectionSteps);
            t[k] = {std::cos(a), std::sin(a)};
        }
        return t;
    }();
    return table;
}

// The running sums of the agreement of the ridge directions under one motion.
struct Agreement
{
    const DoubleAngles& angles = doubleAngles();
    float c2, s2; // cos and sin of twice the rotation
    float sum = 0;
    int compared = 0;

    explicit Agreement(const Motion& motion)
        : c2(std::cos(2 * motion.rotation))
        , s2(std::sin(2 * motion.rotation))
    {
    }

    // Adds a query cell of direction dq over reference cell j (-1: none) of e:
    // without branches (whether a cell is common and clear is a coin toss to the
    // branch predictor near the edge of the finger); adding 0 for the others
    // leaves the sum as it would be without them. The reference direction turned
    // by the motion: cos 2(dq - dr - rotation).
    void add(const TemplateData& e, int dq, int j)
    {
        const int at = std::max(j, 0);
        const int dr = e.directions[at];
        const bool clear =
            (j >= 0) & (e.area[at] != 0) & (dq != kNoDirection) & (dr != kNoDirection);
        const auto& t = angles[dq - dr + kDirectionSteps];
        sum += clear ? t[0] * c2 + t[1] * s2 : 0.0f;
        compared += clear;
    }
    float mean() const { return compared > 0 ? sum / static_cast<float>(compared) : 0.0f; }
};

} // namespace

void compareAreas(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                  MatchDetail& detail)
{
    const TemplateData& d = q.data;
    const TemplateData& e = r.data;
    detail.commonArea = 0;
    detail.directionCells = 0;
    detail.directionAgreement = 0;
    if (e.area.empty()) // no reference cell for any query cell to fall on
        return;
    const bool directions = !d.directions.empty() && !e.directions.empty();
    Agreement agreement(motion);
    int cells = 0;
    std::array<int, kMaxAreaCells> under; // per cell of a query row: the reference cell under it
    for (int cy = 0; cy < d.areaRows; ++cy) {
        referenceCellsUnderRow(d, e, motion, cy, 1, under.data());
        for (int cx = 0; cx < d.areaCols; ++cx) {
            const int i = cy * d.areaCols + cx;
            const int j = std::max(under[cx], 0);
            const bool common = (d.area[i] != 0) & (under[cx] >= 0) & (e.area[j] != 0);
            cells += common;
            if (directions)
                agreement.add(e, d.area[i] != 0 ? d.directions[i] : kNoDirection, under[cx]);
        }
    }
    const int side = d.areaCell;
    detail.commonArea = static_cast<float>(cells * side * side);
    detail.directionCells = agreement.compared;
    detail.directionAgreement = agreement.mean();
}

float agreementFactor(const MatchDetail& detail)
{
    if (detail.directionCells < kMinDirectionCells)
        return 1.0f;
    const float t = std::clamp(
        (detail.directionAgreement - kNoAgreement) / (kFullAgreement - kNoAgreement), 0.0f, 1.0f);
    return t * t;
}

void DirectionSamples::build(const TemplateData& query)
{
    x.clear();
    y.clear();
    directions.clear();
    if (query.directions.empty())
        return;
    const float side = static_cast<float>(query.areaCell);
    for (int cy = 0; cy < query.areaRows; cy += 2)
        for (int cx = 0; cx < query.areaCols; cx += 2) {
            const int i = cy * query.areaCols + cx;
            if (query.area[i] == 0 || query.directions[i] == kNoDirection)
                continue;
            x.push_back((static_cast<float>(cx) + 0.5f) * side);
            y.push_back((static_cast<float>(cy) + 0.5f) * side);
            directions.push_back(query.directions[i]);
        }
}

bool directionsAgree(const DirectionSamples& query, const MatchTemplate& r, const Motion& motion,
                     float bar)
{
    const TemplateData& e = r.data;
    if (e.area.empty() || e.directions.empty())
        return true; // nothing to tell
    Agreement agreement(motion);
    std::array<int, kMaxAreaCells> under;
    const int n = static_cast<int>(query.directions.size());
    for (int first = 0; first < n; first += kMaxAreaCells) {
        const int count = std::min(kMaxAreaCells, n - first);
        referenceCellsUnder(e, motion, query.x.data() + first, query.y.data() + first, count,
                            under.data());
        for (int k = 0; k < count; ++k)
            agreement.add(e, query.directions[first + k], under[k]);
    }
    return agreement.compared < kMinDirectionCells || agreement.mean() >= bar;
}

} // namespace fp
