#pragma once
// Ridge flow read from the local spectrum: in windows of about three ridge periods,
// the direction of the strongest energy in the ridge frequency band (periods of 5
// to 15 px). Ridges put theirs in a narrow peak at one over the period, while
// specks and blotches spread theirs over every frequency and direction; so where
// dotted or speckled ridges leave the gradients little common direction (low
// coherence), the peaks of neighbouring windows still agree.

#include "Plane.h"

#include <vector>

namespace fp {

struct RidgeFourier
{
    int cell = 4; // pixels per cell side (the orientation field's grid)
    int cols = 0;
    int rows = 0;
    std::vector<float> cos2; // doubled ridge direction of the peaks around the cell
    std::vector<float> sin2;
    // How well the peaks of the windows around the cell agree: about 0.3 or less for
    // unrelated directions (noise), near 1 where the ridges run steadily.
    std::vector<float> agreement;
};

// `normalised` is the contrast-normalised plane; the result is on cells of `cell`
// pixels, `cols` x `rows` of them.
RidgeFourier computeRidgeFourier(const Plane& normalised, int cell, int cols, int rows);

} // namespace fp
