#include "Plane.h"

#include <algorithm>
#include <cmath>

namespace fp {

float Plane::clampedAt(int x, int y) const
{
    return at(std::clamp(x, 0, width - 1), std::clamp(y, 0, height - 1));
}

float Plane::sample(float x, float y) const
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const float ax = x - fx;
    const float ay = y - fy;
    const float top = clampedAt(x0, y0) * (1 - ax) + clampedAt(x0 + 1, y0) * ax;
    const float bottom = clampedAt(x0, y0 + 1) * (1 - ax) + clampedAt(x0 + 1, y0 + 1) * ax;
    return top * (1 - ay) + bottom * ay;
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

    line.resize(w + 2 * radius);
    for (int y = 0; y < h; ++y) {
        for (int i = 0; i < w + 2 * radius; ++i)
            line[i] = plane.at(std::clamp(i - radius, 0, w - 1), y);
        for (int x = 0; x < w; ++x) {
            float acc = 0;
            for (int k = 0; k <= 2 * radius; ++k)
                acc += kernel[k] * line[x + k];
            plane.at(x, y) = acc;
        }
    }
    line.resize(h + 2 * radius);
    for (int x = 0; x < w; ++x) {
        for (int i = 0; i < h + 2 * radius; ++i)
            line[i] = plane.at(x, std::clamp(i - radius, 0, h - 1));
        for (int y = 0; y < h; ++y) {
            float acc = 0;
            for (int k = 0; k <= 2 * radius; ++k)
                acc += kernel[k] * line[y + k];
            plane.at(x, y) = acc;
        }
    }
}

Plane boxMean(const Plane& plane, int radius)
{
    const int w = plane.width;
    const int h = plane.height;
    // Integral image with one extra row and column of zeros.
    std::vector<double> integral(static_cast<std::size_t>(w + 1) * (h + 1), 0.0);
    for (int y = 0; y < h; ++y) {
        double row = 0;
        for (int x = 0; x < w; ++x) {
            row += plane.at(x, y);
            integral[(y + 1) * (w + 1) + x + 1] = integral[y * (w + 1) + x + 1] + row;
        }
    }
    Plane out(w, h);
    for (int y = 0; y < h; ++y) {
        const int y0 = std::max(0, y - radius);
        const int y1 = std::min(h, y + radius + 1);
        for (int x = 0; x < w; ++x) {
            const int x0 = std::max(0, x - radius);
            const int x1 = std::min(w, x + radius + 1);
            const double sum = integral[y1 * (w + 1) + x1] - integral[y0 * (w + 1) + x1] -
                               integral[y1 * (w + 1) + x0] + integral[y0 * (w + 1) + x0];
            out.at(x, y) = static_cast<float>(sum / ((x1 - x0) * (y1 - y0)));
        }
    }
    return out;
}

} // namespace fp
