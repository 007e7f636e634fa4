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
    // Bilinear interpolation, clamped at the borders. Inline: the ridge-period
    // stage samples every block's profile point by point.
    float sample(float x, float y) const
    {
        // floor() without a library call; ax, ay exactly as x - floor(x).
        int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
        x0 -= static_cast<float>(x0) > x;
        y0 -= static_cast<float>(y0) > y;
        const float ax = x - static_cast<float>(x0);
        const float ay = y - static_cast<float>(y0);
        float v00, v10, v01, v11;
        if (x0 >= 0 && y0 >= 0 && x0 + 1 < width && y0 + 1 < height) {
            const float* p = &data[static_cast<std::size_t>(y0) * width + x0];
            v00 = p[0];
            v10 = p[1];
            v01 = p[width];
            v11 = p[width + 1];
        } else {
            v00 = clampedAt(x0, y0);
            v10 = clampedAt(x0 + 1, y0);
            v01 = clampedAt(x0, y0 + 1);
            v11 = clampedAt(x0 + 1, y0 + 1);
        }
        const float top = v00 * (1 - ax) + v10 * ax;
        const float bottom = v01 * (1 - ax) + v11 * ax;
        return top * (1 - ay) + bottom * ay;
    }
};

// Separable Gaussian blur in place; borders are extended.
void gaussianBlur(Plane& plane, float sigma);

// Mean over the (2r+1)^2 window around each pixel, the window clipped to the plane.
Plane boxMean(const Plane& plane, int radius);

} // namespace fp
