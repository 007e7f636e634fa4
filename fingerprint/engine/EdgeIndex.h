#pragma once
// The query's neighbourhood edges filed for look-up by the reference's edges:
// the votes for minutia pairs whose neighbourhoods agree.

#include "LocalStructures.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fp {

// The query's edges filed by quantised (distance, bearing, direction), each in
// every bin its tolerance box touches, so that a reference edge finds all its
// compatible query edges by looking in its own bin only. Besides the index of
// all the edges, those of the query's strongest minutiae
// (MatchTemplate::strongest) and of the others are filed apart, so that the
// votes between the strongest minutiae of both prints, which turn most other
// fingers away, can be cast first and alone.
class EdgeIndex
{
public:
    void build(const MatchTemplate& query);

    // Adds one vote to votes[i * stride + j] for every query edge of point i that
    // agrees with an edge of reference point j. Returns the number of votes cast.
    int vote(const MatchTemplate& reference, std::uint8_t* votes, int stride) const;
    // The same for the pairs of points that are both among their print's
    // strongest minutiae ...
    int voteStrongest(const MatchTemplate& reference, std::uint8_t* votes, int stride) const;
    // ... and for all the others: together, every vote.
    int voteRest(const MatchTemplate& reference, std::uint8_t* votes, int stride) const;

private:
    // Query edges filed in each bin, one array per field so that sixteen entries
    // of a bin are tested at once: the edge's point, its distance range
    // (tolerance resolved), bearing and direction. Each array carries kPadding
    // spare bytes at its end for the last whole-register loads.
    struct Table
    {
        static constexpr std::size_t kPadding = 16;
        // Per bin, into the arrays below: at most 255 points x 8 edges x 30 bins.
        std::vector<std::uint16_t> offsets;
        std::vector<std::uint8_t> point, minDistance, maxDistance, bearing, direction;

        // Files the edges of the given query points.
        void build(const MatchTemplate& query, std::span<const std::uint8_t> points);
        // Votes for the edges of the given reference points.
        int vote(const MatchTemplate& reference, std::span<const std::uint8_t> points,
                 std::uint8_t* votes, int stride) const;
    };
    Table all_, strongest_, others_;
};

// Whether a reference edge agrees with a query edge, by the rule the edge index
// applies: the distance within 5 px + 8 % of the query edge's, the bearing within
// 18 degrees and the neighbour's direction within 22 degrees.
bool edgesAgree(const Edge& query, const Edge& reference);

} // namespace fp
