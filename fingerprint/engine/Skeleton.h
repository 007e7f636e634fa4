#pragma once
// Binarisation of the enhanced image and thinning of the ridges to one pixel.

#include "Plane.h"
#include "Segmentation.h"

#include <cstdint>
#include <vector>

namespace fp {

struct Skeleton
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> on; // 1 = ridge centre line

    bool at(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && on[y * width + x] != 0;
    }
    // The eight neighbours as a bit set, ring order E, SE, S, SW, W, NW, N, NE.
    int neighbours(int x, int y) const;
};

// Offsets of the ring order used by Skeleton::neighbours().
inline constexpr int kRingDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
inline constexpr int kRingDy[8] = {0, 1, 1, 1, 0, -1, -1, -1};

// Crossing number of a neighbour bit set: 1 = ridge ending, 3 = bifurcation.
int crossingNumber(int ring);

// Ridges (enhanced > 0 inside the finger) thinned to 8-connected lines, with
// spurs and fragments shorter than `minLength` pixels removed.
Skeleton skeletonise(const Plane& enhanced, const ForegroundMask& mask, int minLength);

// Follows the line from (x, y), first step to (nextX, nextY), for at most `steps`
// pixels or until a junction or an end; returns the pixels walked (excluding the start).
std::vector<std::pair<int, int>> followRidge(const Skeleton& skeleton, int x, int y, int nextX,
                                             int nextY, int steps);

} // namespace fp
