#pragma once
// Pairing the minutiae of two prints under an alignment, and the alignment
// that fits a pairing best.

#include "Alignment.h"
#include "Engine.h"
#include "LocalStructures.h"
#include "PreparedTemplate.h"

#include <cstdint>
#include <vector>

namespace fp {

// Buffers of the one-to-one pairing, reused between comparisons.
struct PairingScratch
{
    struct Candidate
    {
        float cost;
        int query;
        int reference;
    };
    std::vector<Candidate> candidates;
    std::vector<std::uint8_t> usedQ, usedR;
};

// Least-squares rotation and translation over the pairs.
Motion fitMotion(const MatchTemplate& q, const MatchTemplate& r,
                 const std::vector<MatchPair>& pairs);

// One-to-one pairing of minutiae that agree in place and direction under `motion`;
// the place tolerance grows with the distance from (ax, ay).
void pairMinutiae(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                  float ax, float ay, PairingScratch& s, std::vector<MatchPair>& pairs);

// Quick estimate of the supported pairs under `motion` (taken from one pair): each
// reference minutia takes its best-supported query minutia in tolerance (a
// quarter per vote of `votes`, nq x stride cells, in full from four), without
// the one-to-one rule.
float quickSupport(const PreparedTemplate& query, const MatchTemplate& r, const Motion& motion,
                   float ax, float ay, const std::uint8_t* votes, int stride);

} // namespace fp
