#include "Preprocess.h"

#include <algorithm>
#include <cmath>

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
    constexpr int kRadius = 12;
    const Plane mean = boxMean(grey, kRadius);
    Plane squares = grey;
    for (float& v : squares.data)
        v *= v;
    const Plane meanSquares = boxMean(squares, kRadius);

    Plane out(grey.width, grey.height);
    for (std::size_t i = 0; i < out.data.size(); ++i) {
        const float variance = std::max(0.0f, meanSquares.data[i] - mean.data[i] * mean.data[i]);
        const float deviation = std::max(std::sqrt(variance), 4.0f);
        out.data[i] = std::clamp((mean.data[i] - grey.data[i]) / deviation, -3.0f, 3.0f);
    }
    return out;
}

} // namespace fp
