#pragma once
// A float image used by every processing stage, plus the few filters they share.

#include <vector>

namespace fp {

struct Plane
{
    int width = 0;
    int height = 0;
    std::vector<float> data;

    Plane() = default;
    Plane(int w, int h, float value = 0.0f)
        : width(w)
        , height(h)
        , data(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), value)
    {
    }

    float& at(int x, int y) { return data[static_cast<std::size_t>(y) * width + x]; }
    float at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Value at the nearest pixel inside the plane.
    float clampedAt(int x, int y) const;
    // Bilinear interpolation, clamped at the borders.
    float sample(float x, float y) const;
};

// Separable Gaussian blur in place; borders are extended.
void gaussianBlur(Plane& plane, float sigma);

// Mean over the (2r+1)^2 window around each pixel, the window clipped to the plane.
Plane boxMean(const Plane& plane, int radius);

} // namespace fp
