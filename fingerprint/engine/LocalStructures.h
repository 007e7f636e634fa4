#pragma once
// Minutia neighbourhoods described in each minutia's own frame: for each of its
// nearest neighbours the distance, the bearing and the neighbour's direction,
// all relative to the minutia's direction. They do not change when the finger
// moves or turns, so two minutiae with similar neighbourhoods are candidates for
// the same point of the finger.
//
// Angles are kept in 1/256 turns (the template's own resolution), so that angle
// differences wrap by plain 8-bit arithmetic.

#include "TemplateFormat.h"

#include <cstdint>
#include <vector>

namespace fp {

inline constexpr int kNeighbours = 8;
// The minutiae of best quality, whose votes a comparison weighs first.
inline constexpr int kStrongestMinutiae = 32;
inline constexpr int kMinEdgeDistance = 6;   // pixels: closer neighbours are unstable
inline constexpr int kMaxEdgeDistance = 130; // pixels, about a quarter of a finger

struct MatchPoint
{
    float x = 0, y = 0;
    float angle = 0;          // radians, [0, 2 pi)
    std::uint8_t turn = 0;    // the same direction in 1/256 turns
    std::uint8_t type = 0;    // 0 ending, 1 bifurcation
    std::uint8_t quality = 0; // 0..100
};

// One neighbour seen from a minutia.
struct Edge
{
    std::uint8_t neighbour = 0; // index of the neighbour
    std::uint8_t distance = 0;  // pixels
    std::uint8_t bearing = 0;   // direction to the neighbour minus the minutia's, 1/256 turns
    std::uint8_t direction = 0; // neighbour's direction minus the minutia's, 1/256 turns
};

struct MatchTemplate
{
    TemplateData data;
    std::vector<MatchPoint> points;
    std::vector<Edge> edges;             // kNeighbours slots per point
    std::vector<std::uint8_t> edgeCount; // used slots per point
    std::vector<int> order;              // scratch: points by x ...
    std::vector<int> sortedX, sortedY;   // ... and their places in that order
    // The kStrongestMinutiae points of best quality (the earlier first among
    // equals), and the others, in order.
    std::vector<std::uint8_t> strongest, others;

    // Frees what only decoding needs (the minutiae as stored, the sweep order),
    // for a template kept in memory to be compared many times.
    void releaseDecodingBuffers();
};

// False when the bytes are not a template. `out` is reused between calls.
bool buildMatchTemplate(std::span<const std::uint8_t> bytes, MatchTemplate& out);

float wrapTwoPi(float a);
// |a - b| on the circle, [0, pi].
float angleGap(float a, float b);
// |a - b| on the circle in 1/256 turns, [0, 128].
inline int turnGap(std::uint8_t a, std::uint8_t b)
{
    const int d = static_cast<std::uint8_t>(a - b);
    return d > 128 ? 256 - d : d;
}

} // namespace fp
