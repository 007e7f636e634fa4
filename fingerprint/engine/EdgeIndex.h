#pragma once
// The query's neighbourhood edges filed for look-up by the reference's edges:
// the votes for minutia pairs whose neighbourhoods agree.

#include "LocalStructures.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fp {

// The query's edges filed by quantised (distance, bearing, direction), each in
// every bin its tolerance box touches, so that a reference edge finds all its
// compatible query edges by looking in its own bin only.
class EdgeIndex
{
public:
    void build(const MatchTemplate& query);

    // Adds one vote to votes[i * stride + j] for every query edge of point i that
    // agrees with an edge of reference point j. Returns the number of votes cast.
    int vote(const MatchTemplate& reference, std::uint8_t* votes, int stride) const;

private:
    // The query edges filed in each bin, one array per field so that sixteen
    // entries of a bin are tested at once: the edge's point, its distance range
    // (tolerance resolved), bearing and direction. Each array carries kPadding
    // spare bytes at its end for the last whole-register loads.
    static constexpr std::size_t kPadding = 16;
    std::vector<std::uint32_t> offsets_; // per bin, into the arrays below
    std::vector<std::uint8_t> point_, minDistance_, maxDistance_, bearing_, direction_;
};

// Whether a reference edge agrees with a query edge, by the rule the edge index
// applies: the distance within 5 px + 8 % of the query edge's, the bearing within
// 18 degrees and the neighbour's direction within 22 degrees.
bool edgesAgree(const Edge& query, const Edge& reference);

} // namespace fp
