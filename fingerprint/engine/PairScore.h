#pragma once
// The score of a pairing: its pairs weighed by how well their neighbourhoods
// support them, beyond the pairs chance gives at the prints' density of minutiae,
// against the minutiae both prints show in their common area.

#include "Alignment.h"
#include "Engine.h"
#include "LocalStructures.h"
#include "MatchDetail.h"
#include "PreparedTemplate.h"

#include <cstdint>
#include <vector>

namespace fp {

inline constexpr float kMinSupported = 3.0f; // fewer supported pairs score 0

// A pair counts by the mean of two supports: how many of its neighbourhood edges
// agree (a quarter per edge, in full from four, counted from the reference
// minutia's 7 nearest neighbours; `votes` holds the agreeing edges of every
// neighbour, nq x stride cells) and how many of its neighbours are paired with
// neighbours of its partner (a half per neighbour, in full from two). The pairs
// of a genuine alignment lie in runs of paired neighbourhoods; an impostor
// alignment pairs scattered chance neighbours whose neighbourhoods seldom agree
// and whose neighbours are seldom paired with each other. `queryOf` is scratch.
float supportedPairs(const MatchTemplate& q, const MatchTemplate& r,
                     const std::vector<MatchPair>& pairs, const std::uint8_t* votes, int stride,
                     std::vector<int>& queryOf);

// The score of `n` supported pairs under `motion`, filling in the common area's
// part of `detail`: the supported pairs beyond those chance gives at this density
// of minutiae, m = n - chance, score m times the fraction m makes of the minutiae
// both prints show in their common area, times the agreement of the ridge
// directions there.
int scorePairing(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                 float n, MatchDetail& detail);

} // namespace fp
