#pragma once
// Comparison of two templates. Neighbourhood edges of the reference that agree
// with edges of the query (looked up in the query's edge index) vote for pairs of
// minutiae; where the prints hold many minutiae, the votes between the strongest
// of both are cast and weighed first, and most other fingers end there. The
// best-voted pairs are weighed against each other: when too few of
// them agree with any one alignment, or the ridge directions of the prints do not
// agree under the alignment most of them agree with, the reference is rejected at
// once (most other fingers end there). The alignments they agree with most are the
// candidates: each is paired roughly, the best few are paired one to one within tolerance
// boxes that widen with the distance from the anchor (skin stretches) and refined
// by a least-squares fit. A pair counts by how many of its neighbourhood edges
// agree and how many of its neighbours are paired with its partner's neighbours;
// the supported pairs beyond those chance gives at the density of minutiae are set
// against the quality-weighted minutiae both prints show in their common area.

#include "Engine.h"
#include "LocalStructures.h"
#include "MatchDetail.h"
#include "Pairing.h"
#include "PreparedTemplate.h"

#include <vector>

namespace fp {

// Buffers reused between comparisons.
struct MatchScratch
{
    std::vector<std::uint8_t> votes;
    PairingScratch pairing;
    std::vector<MatchPair> found, again;
    std::vector<int> queryOf; // per reference minutia: its paired query minutia or -1
};

// Score >= 0 and the pairs behind it (indices into the two minutia lists).
int matchTemplates(const PreparedTemplate& query, const MatchTemplate& reference,
                   MatchScratch& scratch, std::vector<MatchPair>& pairs,
                   MatchDetail* detail = nullptr);

// Above the highest score between different fingers seen on the public
// evaluation sets (15) and on ten generated sets of 20 fingers (21).
inline constexpr int kDefaultThreshold = 25;

} // namespace fp
