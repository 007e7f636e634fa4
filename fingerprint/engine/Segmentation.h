#pragma once
// Foreground (finger) versus background, and the measured image quality.

#include "Orientation.h"
#include "Plane.h"

#include <cstdint>
#include <vector>

namespace fp {

struct ForegroundMask
{
    int cell = 4;
    int cols = 0;
    int rows = 0;
    std::vector<std::uint8_t> inside; // per cell, 1 = finger

    bool at(float x, float y) const;
    // True when the square of half side `margin` pixels around (x, y) is all finger.
    bool interior(float x, float y, int margin) const;
    int areaPixels() const;

    std::vector<int> integral; // summed-area table of `inside`, (cols+1) x (rows+1)
};

// How readily a cell counts as finger. `Faint` also takes cells of little contrast
// whose ridge direction is steady over a wide area; it is the second try for
// prints that the normal rule leaves without enough finger or minutiae. Blank and
// noise images stay background under both (no contrast, or no steady direction).
enum class Sensitivity
{
    Normal,
    Faint
};

ForegroundMask segmentForeground(const Plane& grey, const OrientationField& orientation,
                                 Sensitivity sensitivity = Sensitivity::Normal);

// Mean ridge coherence over the finger, 0..1; the basis of the quality code.
float meanCoherence(const ForegroundMask& mask, const OrientationField& orientation);

} // namespace fp
