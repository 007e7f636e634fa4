#pragma once

namespace fp {

// What the best alignment found, for tuning and analysis.
struct MatchDetail
{
    bool endedEarly = false;      // rejected before any pairing (votes, consensus, directions)
    int votes = 0;                // agreeing neighbourhood edges
    int pairs = 0;                // paired minutiae of the best alignment
    float supported = 0;          // of which supported by their neighbourhoods (weighted)
    float inQuery = 0;            // query minutiae inside the common area (quality weighted)
    float inReference = 0;        // reference minutiae inside the common area
    float commonArea = 0;         // pixels
    int directionCells = 0;       // common cells where both prints show a clear direction
    float directionAgreement = 0; // mean cos of twice the angle between the directions there
    float rotation = 0;           // radians, reference onto query
};

} // namespace fp
