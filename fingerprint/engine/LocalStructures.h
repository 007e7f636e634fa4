#pragma once
// Minutia neighbourhoods described in each minutia's own frame (distance, bearing
// and relative direction of its nearest neighbours). They do not change under
// translation and rotation, so two minutiae with similar neighbourhoods are
// candidates for the same point of the finger.

#include "TemplateFormat.h"

#include <vector>

namespace fp {

inline constexpr int kNeighbours = 8;

struct MatchPoint
{
    float x = 0, y = 0;
    float angle = 0; // radians, [0, 2 pi)
    int type = 0;
};

struct Neighbour
{
    float distance = 0;
    float bearing = 0;   // direction to the neighbour minus the minutia's direction
    float direction = 0; // neighbour's direction minus the minutia's direction
    int index = 0;
};

struct MatchTemplate
{
    TemplateData data;
    std::vector<MatchPoint> points;
    std::vector<Neighbour> neighbours; // kNeighbours slots per point
    std::vector<int> neighbourCount;   // used slots per point
};

// False when the bytes are not a template.
bool buildMatchTemplate(std::span<const std::uint8_t> bytes, MatchTemplate& out);

// How many neighbours of query point i have a counterpart around reference point j,
// discounted by how far off they are; 0 .. kNeighbours.
float localSimilarity(const MatchTemplate& query, int i, const MatchTemplate& reference, int j);

float wrapTwoPi(float a);
// |a - b| on the circle, [0, pi].
float angleGap(float a, float b);

} // namespace fp
