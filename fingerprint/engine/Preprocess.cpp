#include "Preprocess.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace fp {

float workingScale(int dpi)
{
    if (dpi <= 0)
        return 1.0f;
    const float scale = static_cast<float>(kWorkingDpi) / static_cast<float>(dpi);
    return std::abs(scale - 1.0f) < 0.05f ? 1.0f : scale;
}

Plane toWorkingPlane(const GrayImage& image, float& scale)
{
    scale = workingScale(image.dpi);

    Plane source(image.width, image.height);
    for (std::size_t i = 0; i < source.data.size(); ++i)
        source.data[i] = image.pixels[i];
    if (scale == 1.0f)
        return source;

    const int w = std::max(1, static_cast<int>(std::lround(image.width * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(image.height * scale)));
    Plane out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.at(x, y) = source.sample((x + 0.5f) / scale - 0.5f, (y + 0.5f) / scale - 0.5f);
    return out;
}

Plane normaliseContrast(const Plane& grey)
{
    // A window of about two ridge periods follows uneven pressure and lighting.
    // Running sums of grey levels and their squares, over the window's rows per
    // column and then along the row, give the local mean and deviation.
    constexpr int kRadius = 12;
    const int w = grey.width;
    const int h = grey.height;
    Plane out(w, h);
    std::vector<double> columns(w, 0.0), columnSquares(w, 0.0);
    auto addRow = [&](int y, double sign) {
        for (int x = 0; x < w; ++x) {
            const double v = grey.at(x, y);
            columns[x] += sign * v;
            columnSquares[x] += sign * v * v;
        }
    };
    for (int y = 0; y < std::min(kRadius, h); ++y)
        addRow(y, 1);
    for (int y = 0; y < h; ++y) {
        if (y + kRadius < h)
            addRow(y + kRadius, 1);
        if (y - kRadius - 1 >= 0)
            addRow(y - kRadius - 1, -1);
        const int rows = std::min(h, y + kRadius + 1) - std::max(0, y - kRadius);
        double sum = 0, squares = 0;
        for (int x = 0; x < std::min(kRadius, w); ++x) {
            sum += columns[x];
            squares += columnSquares[x];
        }
        for (int x = 0; x < w; ++x) {
            if (x + kRadius < w) {
                sum += columns[x + kRadius];
                squares += columnSquares[x + kRadius];
            }
            if (x - kRadius - 1 >= 0) {
                sum -= columns[x - kRadius - 1];
                squares -= columnSquares[x - kRadius - 1];
            }
            const double n = static_cast<double>(rows) *
                             (std::min(w, x + kRadius + 1) - std::max(0, x - kRadius));
            const double mean = sum / n;
            const double variance = std::max(0.0, squares / n - mean * mean);
            const float deviation = std::max(static_cast<float>(std::sqrt(variance)), 4.0f);
            out.at(x, y) =
                std::clamp((static_cast<float>(mean) - grey.at(x, y)) / deviation, -3.0f, 3.0f);
        }
    }
    return out;
}

} // namespace fp
