#pragma once

#include "AreaComparison.h"
#include "EdgeIndex.h"
#include "LocalStructures.h"
#include "PointIndex.h"

#include <cstdint>
#include <span>

namespace fp {

// Everything about the query that does not depend on the reference.
struct PreparedTemplate
{
    MatchTemplate templ;
    EdgeIndex edges;
    PointGrid grid;
    PointReach reach;
    DirectionSamples directions;
    float fingerArea = 0; // pixels: the most any reference can have in common with it

    bool build(std::span<const std::uint8_t> bytes);
};

} // namespace fp
