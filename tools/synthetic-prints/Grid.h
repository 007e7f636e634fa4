#pragma once
// A plane of floats, row by row: the working form of every stage's picture or field.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace synth {

struct Grid
{
    int width = 0;
    int height = 0;
    std::vector<float> values;

    Grid() = default;
    Grid(int w, int h, float fill = 0.0f)
        : width(w)
        , height(h)
        , values(static_cast<std::size_t>(w) * h, fill)
    {
    }

    float& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
    float at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }

    // Bilinear value at a fractional position; `outside` beyond the edges.
    float sample(float x, float y, float outside) const
    {
        if (!(x >= 0.0f && y >= 0.0f && x <= width - 1.0f && y <= height - 1.0f))
            return outside;
        const int x0 = std::min(static_cast<int>(x), width - 2);
        const int y0 = std::min(static_cast<int>(y), height - 2);
        const float fx = x - x0;
        const float fy = y - y0;
        const float* row = &values[static_cast<std::size_t>(y0) * width + x0];
        const float top = row[0] + fx * (row[1] - row[0]);
        const float bottom = row[width] + fx * (row[width + 1] - row[width]);
        return top + fy * (bottom - top);
    }
};

} // namespace synth
