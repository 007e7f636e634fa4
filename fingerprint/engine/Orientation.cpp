#include "Orientation.h"

#include "RidgeFourier.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fp {

int OrientationField::cellIndex(float x, float y) const
{
    const int cx = std::clamp(static_cast<int>(x) / cell, 0, cols - 1);
    const int cy = std::clamp(static_cast<int>(y) / cell, 0, rows - 1);
    return cy * cols + cx;
}

float OrientationField::angleAt(float x, float y) const
{
    // Bilinear weights between the four nearest cell centres.
    const float gx = std::clamp(x / cell - 0.5f, 0.0f, static_cast<float>(cols - 1));
    const float gy = std::clamp(y / cell - 0.5f, 0.0f, static_cast<float>(rows - 1));
    const int x0 = static_cast<int>(gx);
    const int y0 = static_cast<int>(gy);
    const int x1 = std::min(x0 + 1, cols - 1);
    const int y1 = std::min(y0 + 1, rows - 1);
    const float ax = gx - x0;
    const float ay = gy - y0;
    auto mix = [&](const std::vector<float>& v) {
        return (v[y0 * cols + x0] * (1 - ax) + v[y0 * cols + x1] * ax) * (1 - ay) +
               (v[y1 * cols + x0] * (1 - ax) + v[y1 * cols + x1] * ax) * ay;
    };
    float a = 0.5f * std::atan2(mix(sin2), mix(cos2));
    if (a < 0)
        a += std::numbers::pi_v<float>;
    return a;
}

float OrientationField::coherenceAt(float x, float y) const
{
    return coherence[cellIndex(x, y)];
}

float OrientationField::spectralCoherenceAt(float x, float y) const
{
    return spectralCoherence[cellIndex(x, y)];
}

namespace {

// Sums of the gradient tensor components over each cell.
struct CellTensors
{
    Plane xx, yy, xy;
};

CellTensors cellTensors(const Plane& image, int cell, int cols, int rows)
{
    CellTensors t{Plane(cols, rows), Plane(cols, rows), Plane(cols, rows)};
    for (int y = 1; y + 1 < image.height; ++y) {
        const int cy = std::min(y / cell, rows - 1);
        for (int x = 1; x + 1 < image.width; ++x) {
            const int cx = std::min(x / cell, cols - 1);
            // Sobel operator.
            const float gx =
                (image.at(x + 1, y - 1) + 2 * image.at(x + 1, y) + image.at(x + 1, y + 1)) -
                (image.at(x - 1, y - 1) + 2 * image.at(x - 1, y) + image.at(x - 1, y + 1));
            const float gy =
                (image.at(x - 1, y + 1) + 2 * image.at(x, y + 1) + image.at(x + 1, y + 1)) -
                (image.at(x - 1, y - 1) + 2 * image.at(x, y - 1) + image.at(x + 1, y - 1));
            t.xx.at(cx, cy) += gx * gx;
            t.yy.at(cx, cy) += gy * gy;
            t.xy.at(cx, cy) += gx * gy;
        }
    }
    return t;
}

} // namespace

OrientationField computeOrientation(const Plane& normalised)
{
    OrientationField field;
    field.cols = std::max(1, normalised.width / field.cell);
    field.rows = std::max(1, normalised.height / field.cell);
    const std::size_t n = static_cast<std::size_t>(field.cols) * field.rows;
    field.angle.assign(n, 0);
    field.coherence.assign(n, 0);
    field.steadiness.assign(n, 0);
    field.cos2.assign(n, 1);
    field.sin2.assign(n, 0);

    Plane smooth = normalised;
    gaussianBlur(smooth, 1.0f);
    const CellTensors raw = cellTensors(smooth, field.cell, field.cols, field.rows);

    // Fine scale (about one ridge period) for coherence, i.e. local quality.
    CellTensors fine = raw;
    gaussianBlur(fine.xx, 1.5f);
    gaussianBlur(fine.yy, 1.5f);
    gaussianBlur(fine.xy, 1.5f);
    // Coarse scale for the direction that steers enhancement and minutiae.
    CellTensors coarse = raw;
    gaussianBlur(coarse.xx, 3.0f);
    gaussianBlur(coarse.yy, 3.0f);
    gaussianBlur(coarse.xy, 3.0f);

    for (std::size_t i = 0; i < n; ++i) {
        const float fxx = fine.xx.data[i], fyy = fine.yy.data[i], fxy = fine.xy.data[i];
        const float fEnergy = fxx + fyy;
        field.coherence[i] =
            fEnergy > 1e-6f ? std::sqrt((fxx - fyy) * (fxx - fyy) + 4 * fxy * fxy) / fEnergy : 0;

        const float vx = coarse.xx.data[i] - coarse.yy.data[i];
        const float vy = 2 * coarse.xy.data[i];
        const float len = std::sqrt(vx * vx + vy * vy);
        const float energy = coarse.xx.data[i] + coarse.yy.data[i];
        field.steadiness[i] = energy > 1e-6f ? len / energy : 0;
        // The gradient is across the ridges; the ridge runs at a right angle.
        float gradient = 0.5f * std::atan2(vy, vx);
        float ridge = gradient + std::numbers::pi_v<float> / 2;
        if (ridge >= std::numbers::pi_v<float>)
            ridge -= std::numbers::pi_v<float>;
        field.angle[i] = ridge;
        if (len > 1e-9f) {
            field.cos2[i] = std::cos(2 * ridge);
            field.sin2[i] = std::sin(2 * ridge);
        }
    }

    // The agreement of the spectral peaks is about 0.3 for unrelated directions and
    // 0.9 and more along steady ridges; mapped to 0 .. 0.6, the coherence of fairly
    // clear gradients.
    constexpr float kChanceAgreement = 0.3f;
    constexpr float kSteadyAgreement = 0.9f;
    constexpr float kSteadyCoherence = 0.6f;
    const RidgeFourier spectrum =
        computeRidgeFourier(normalised, field.cell, field.cols, field.rows);
    field.spectralCoherence.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        field.spectralCoherence[i] =
            kSteadyCoherence * std::clamp((spectrum.agreement[i] - kChanceAgreement) /
                                              (kSteadyAgreement - kChanceAgreement),
                                          0.0f, 1.0f);
    return field;
}

} // namespace fp
