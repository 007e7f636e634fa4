#pragma once
// The candidate pairs of a comparison: the minutia pairs whose neighbourhoods
// agree best (most edge votes), each weighed by how many of the others the
// alignment it gives would pair too. The true pairs of two impressions of one
// finger agree with each other; the best-voted pairs of two different fingers
// are scattered chance agreements that seldom do.

#include "LocalStructures.h"

#include <algorithm>
#include <cstdint>

namespace fp {

inline constexpr int kCandidateSeeds = 40; // best-voted minutia pairs weighed against each other
inline constexpr int kMinSeedVotes = 2;    // neighbour edges agreeing around a candidate pair
inline constexpr int kFullEdges = 4;       // agreeing neighbourhood edges that count in full
inline constexpr int kMaxCellVotes = kNeighbours * kNeighbours; // one per pair of edges

// A candidate pair: query minutia `query` for reference minutia `reference`.
struct Seed
{
    int votes;
    int query;
    int reference;
    int rank = 0;        // by votes, 0 the best
    float consensus = 0; // vote weight of the candidates that agree with its alignment
};

// Weight of a candidate pair's votes: a quarter per agreeing edge, in full from four.
inline float voteWeight(int votes)
{
    return 0.25f * static_cast<float>(std::min(votes, kFullEdges));
}

// The best-voted minutia pairs (at least kMinSeedVotes), best first, the earlier
// cell first among equals; returns how many. `votes` holds nq * nr cells (query
// minutia major) padded with zeros to a whole number of 16-byte groups.
int pickSeeds(const std::uint8_t* votes, int nq, int nr, Seed* seeds);

// Sets the consensus of each of the first `anchors` candidates (the best-voted,
// the only ones whose alignments are tried): the vote weight of the candidates
// (itself included, all `count` of them) that the alignment it gives would pair
// too. The others, never an alignment of their own, get 0.
void weighConsensus(const MatchTemplate& q, const MatchTemplate& r, Seed* seeds, int count,
                    int anchors);

} // namespace fp
