#pragma once
// A rigid alignment of the reference print onto the query and the tolerances
// within which a reference minutia, so aligned, pairs with a query minutia.

#include "LocalStructures.h"
#include "TemplateFormat.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace fp {

inline constexpr float kAngleTolerance = 0.45f;      // radians, 26 degrees
inline constexpr int kAngleToleranceTurns = 18;      // the same in whole 1/256 turns
inline constexpr float kPlaceTolerance = 8.0f;       // pixels at the anchor ...
inline constexpr float kPlaceToleranceSlope = 0.04f; // ... plus this much per pixel away from it

// Rigid motion taking reference coordinates to query coordinates.
struct Motion
{
    float rotation = 0;
    std::uint8_t turn = 0; // the rotation in 1/256 turns, for motions taken from one pair
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

// The alignment that lays reference minutia r on query minutia q.
inline Motion motionFromPair(const MatchPoint& q, const MatchPoint& r)
{
    Motion m;
    m.rotation = q.angle - r.angle;
    m.turn = static_cast<std::uint8_t>(q.turn - r.turn);
    // Directions are whole 1/256 turns, so the rotation is one too: its cosine
    // and sine come from a table rather than from the maths library.
    static const auto table = [] {
        std::array<std::array<float, 2>, 256> t{};
        for (int k = 0; k < 256; ++k) {
            const double a = 2 * std::numbers::pi * k / 256;
            t[k] = {static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a))};
        }
        return t;
    }();
    m.cos = table[m.turn][0];
    m.sin = table[m.turn][1];
    m.tx = q.x - (m.cos * r.x - m.sin * r.y);
    m.ty = q.y - (m.sin * r.x + m.cos * r.y);
    return m;
}

// How far a minutia may lie from its partner: more the farther it is from the anchor (ax, ay).
inline float placeTolerance(float x, float y, float ax, float ay)
{
    return kPlaceTolerance +
           kPlaceToleranceSlope * std::sqrt((x - ax) * (x - ax) + (y - ay) * (y - ay));
}

// For each of the n query points (xs[k], ys[k]), the index of the reference's
// area cell under it once `motion` lays the reference on the query
// (TemplateData::cellAt), or -1.
void referenceCellsUnder(const TemplateData& reference, const Motion& motion, const float* xs,
                         const float* ys, int n, int* under);

// The same for the centre of every `step`-th cell of row cy of the query's area
// (cell k at column k * step). `under` holds a place for each.
void referenceCellsUnderRow(const TemplateData& query, const TemplateData& reference,
                            const Motion& motion, int cy, int step, int* under);

} // namespace fp
