#pragma once
// How well two prints' ridge directions agree over their common finger area
// under an alignment: two impressions of one finger agree all over, an
// alignment that pairs minutiae of different fingers by chance seldom does.

#include "Alignment.h"
#include "LocalStructures.h"
#include "MatchDetail.h"

#include <cstdint>
#include <vector>

namespace fp {

// The query's finger cells that the reference covers too: their area
// (pixels), and how well the two prints' ridge directions agree there, the mean
// cosine of twice the angle between them over the cells where both are clear (1
// = parallel everywhere, 0 = unrelated); written to `detail`.
void compareAreas(const MatchTemplate& q, const MatchTemplate& r, const Motion& motion,
                  MatchDetail& detail);

// How much of a score an alignment keeps for the agreement of the ridge
// directions: all from full agreement (0.95), none below 0.6. Templates without
// directions, or a common area too small to say, keep it all.
float agreementFactor(const MatchDetail& detail);

// The query's cells the quick direction check looks at, found once per query:
// every other cell in each direction where the finger shows a clear ridge
// direction, row by row.
struct DirectionSamples
{
    std::vector<float> x, y;              // cell centres, pixels
    std::vector<std::uint8_t> directions; // codes, as TemplateData::directions

    void build(const TemplateData& query);
};

// Whether the ridge directions of the two prints agree under `motion` (or too
// little is common to tell): the agreement at least `bar`, judged on the query's
// samples alone (the cells where only the reference is clear count for nothing).
bool directionsAgree(const DirectionSamples& query, const MatchTemplate& r, const Motion& motion,
                     float bar);

} // namespace fp
