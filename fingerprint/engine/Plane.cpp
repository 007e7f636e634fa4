#include "Plane.h"

#include <algorithm>
#include <cmath>

namespace fp {

float Plane::clampedAt(int x, int y) const
{
    return at(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
}

namespace {

std::vector<float> gaussianKernel(float sigma)
{
    const int radius = std::max(1, static_cast<int>(std::ceil(3.0f * sigma)));
    std::vector<float> kernel(2 * radius + 1);
    float sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        kernel[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
        sum += kernel[i + radius];
    }
    for (float& k : kernel)
        k /= sum;
    return kernel;
}

} // namespace

void gaussianBlur(Plane& plane, float sigma)
{
    if (sigma <= 0 || plane.data.empty())
        return;
    const std::vector<float> kernel = gaussianKernel(sigma);
    const int radius = static_cast<int>(kernel.size() / 2);
    const int w = plane.width;
    const int h = plane.height;
    std::vector<float> line;

    // Horizontally a row at a time: each tap is added to the whole row in turn
    // (contiguous, vectorisable), every pixel summing its taps in the same order.
    line.resize(w + 2 * radius);
    std::vector<float> sum(w);
    for (int y = 0; y < h; ++y) {
        for (int i = 0; i < w + 2 * radius; ++i)
            line[i] = plane.at(std::clamp(i - radius, 0, w - 1), y);
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int k = 0; k <= 2 * radius; ++k) {
            const float weight = kernel[k];
            const float* src = &line[k];
            for (int x = 0; x < w; ++x)
                sum[x] += weight * src[x];
        }
        std::copy(sum.begin(), sum.end(), &plane.data[static_cast<std::size_t>(y) * w]);
    }
    // Vertically row by row (contiguous, vectorisable), with the source rows still
    // needed kept in a ring of 2r+1 rows.
    const int ringRows = 2 * radius + 1;
    std::vector<float> ring(static_cast<std::size_t>(ringRows) * w);
    auto slot = [&](int row) {
        return &ring[static_cast<std::size_t>((row + ringRows) % ringRows) * w];
    };
    auto load = [&](int row) {
        const float* from = &plane.data[static_cast<std::size_t>(std::clamp(row, 0, h - 1)) * w];
        std::copy_n(from, w, slot(row + radius));
    };
    for (int row = -radius; row < radius; ++row)
        load(row);
    for (int y = 0; y < h; ++y) {
        load(y + radius);
        float* out = &plane.data[static_cast<std::size_t>(y) * w];
        std::fill_n(out, w, 0.0f);
        for (int k = 0; k <= 2 * radius; ++k) {
            const float* src = slot(y + k);
            const float weight = kernel[k];
            for (int x = 0; x < w; ++x)
                out[x] += weight * src[x];
        }
    }
}

Plane boxMean(const Plane& plane, int radius)
{
    const int w = plane.width;
    const int h = plane.height;
    Plane out(w, h);
    if (plane.data.empty())
        return out;
    // Running sums: over the rows of the window for every column, then along the row.
    std::vector<double> columns(w, 0.0);
    for (int y = 0; y < std::min(radius, h); ++y)
        for (int x = 0; x < w; ++x)
            columns[x] += plane.at(x, y);
    for (int y = 0; y < h; ++y) {
        const int enter = y + radius, leave = y - radius - 1;
        if (enter < h)
            for (int x = 0; x < w; ++x)
                columns[x] += plane.at(x, enter);
        if (leave >= 0)
            for (int x = 0; x < w; ++x)
                columns[x] -= plane.at(x, leave);
        const int rowsIn = std::min(h, y + radius + 1) - std::max(0, y - radius);
        double sum = 0;
        for (int x = 0; x < std::min(radius, w); ++x)
            sum += columns[x];
        for (int x = 0; x < w; ++x) {
            if (x + radius < w)
                sum += columns[x + radius];
            if (x - radius - 1 >= 0)
                sum -= columns[x - radius - 1];
            const int colsIn = std::min(w, x + radius + 1) - std::max(0, x - radius);
            out.at(x, y) = static_cast<float>(sum / (static_cast<double>(colsIn) * rowsIn));
        }
    }
    return out;
}

} // namespace fp
