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

} // namespace

void compareAreas(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                  MatchDetail& detail, int step)
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

float agreementFactor(const MatchDetail& detail)
{
    if (detail.directionCells < kMinDirectionCells)
        return 1.0f;
    const float t = std::clamp(
        (detail.directionAgreement - kNoAgreement) / (kFullAgreement - kNoAgreement), 0.0f, 1.0f);
    return t * t;
}

bool directionsAgree(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                     float bar)
{
    MatchDetail d;
    compareAreas(q, r, motion, d, 2);
    return d.directionCells < kMinDirectionCells || d.directionAgreement >= bar;
}

} // namespace fp
