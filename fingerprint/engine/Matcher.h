#pragma once
// Comparison of two templates: candidate alignments from similar minutia
// neighbourhoods, then, for each, the pairing of all minutiae within tolerance
// boxes that widen with the distance from the alignment's anchor (skin stretches),
// refined once by a least-squares fit. The best pairing is scored against the
// minutiae that lie where both prints overlap.

#include "Engine.h"
#include "LocalStructures.h"

#include <vector>

namespace fp {

// Score >= 0 and the pairs behind it (indices into the two minutia lists).
int matchTemplates(const MatchTemplate& query, const MatchTemplate& reference,
                   std::vector<MatchPair>& pairs);

// Above every impostor score seen on the public evaluation sets, with a margin.
inline constexpr int kDefaultThreshold = 250;

} // namespace fp
