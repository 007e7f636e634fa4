#include "RidgeFourier.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace fp {

namespace {

constexpr int kWindow = 32; // pixels per window side
constexpr int kStep = 16;   // pixels between window centres
// The band read, in frequency bins of the window: periods of 15 px down to 5 px.
constexpr float kMinRadius = kWindow / 15.0f;
constexpr float kMaxRadius = kWindow / 5.0f;
constexpr int kMaxBin = 6;       // the highest bin inside kMaxRadius
constexpr int kLanes = 8;        // bins 0..kMaxBin, padded
constexpr int kColumnLanes = 16; // bins -kMaxBin..kMaxBin, padded

// Raised-cosine window and the transform's factors e^(-2 pi i k n / kWindow).
struct Tables
{
    std::array<float, kWindow> window{};
    // The factors by sample, the bins side by side (padded to eight), so that one
    // pass over a row sums every bin at once.
    std::array<std::array<float, kLanes>, kWindow> reBySample{}, imBySample{};
    // Down the columns, for ky = -kMaxBin .. kMaxBin side by side (padded): the
    // factor of |ky|, conjugated for negative ky.
    std::array<std::array<float, kColumnLanes>, kWindow> columnRe{}, columnIm{};

    Tables()
    {
        const double pi = std::numbers::pi;
        for (int n = 0; n < kWindow; ++n) {
            window[n] = static_cast<float>(0.5 - 0.5 * std::cos(2 * pi * (n + 0.5) / kWindow));
            for (int k = 0; k <= kMaxBin; ++k) {
                const auto re = static_cast<float>(std::cos(2 * pi * k * n / kWindow));
                const auto im = static_cast<float>(-std::sin(2 * pi * k * n / kWindow));
                reBySample[n][k] = re;
                imBySample[n][k] = im;
                columnRe[n][kMaxBin + k] = re;
                columnIm[n][kMaxBin + k] = im;
                if (k > 0) {
                    columnRe[n][kMaxBin - k] = re;
                    columnIm[n][kMaxBin - k] = -im;
                }
            }
        }
    }
};

const Tables& tables()
{
    static const Tables t;
    return t;
}

bool inBand(int kx, int ky)
{
    const float r2 = static_cast<float>(kx * kx + ky * ky);
    return r2 >= kMinRadius * kMinRadius && r2 <= kMaxRadius * kMaxRadius;
}

// Doubled ridge direction of the window centred at (cx, cy), as a unit vector; (0, 0)
// when the window holds no energy in the band. Only the band's bins are computed
// (the real input's spectrum is symmetric, so kx >= 0 suffices): rows first, then
// columns.
void readWindow(const Plane& image, int cx, int cy, float& cos2, float& sin2)
{
    const Tables& t = tables();
    const int x0 = cx - kWindow / 2, y0 = cy - kWindow / 2;
    std::array<std::array<float, kLanes>, kWindow> rowRe{}, rowIm{};
    for (int y = 0; y < kWindow; ++y) {
        // The row's windowed samples first (0 outside the image), then every
        // bin's sum over them in order, all bins in one pass, the eight sums side
        // by side in registers.
        std::array<float, kWindow> samples{};
        if (y0 + y >= 0 && y0 + y < image.height)
            for (int x = std::max(0, -x0); x < std::min(kWindow, image.width - x0); ++x)
                samples[x] = image.at(x0 + x, y0 + y) * t.window[x] * t.window[y];
#if defined(__SSE2__)
        __m128 re0 = _mm_setzero_ps(), re1 = re0, im0 = re0, im1 = re0;
        for (int x = 0; x < kWindow; ++x) {
            const __m128 v = _mm_set1_ps(samples[x]);
            re0 = _mm_add_ps(re0, _mm_mul_ps(v, _mm_loadu_ps(&t.reBySample[x][0])));
            re1 = _mm_add_ps(re1, _mm_mul_ps(v, _mm_loadu_ps(&t.reBySample[x][4])));
            im0 = _mm_add_ps(im0, _mm_mul_ps(v, _mm_loadu_ps(&t.imBySample[x][0])));
            im1 = _mm_add_ps(im1, _mm_mul_ps(v, _mm_loadu_ps(&t.imBySample[x][4])));
        }
        _mm_storeu_ps(&rowRe[y][0], re0);
        _mm_storeu_ps(&rowRe[y][4], re1);
        _mm_storeu_ps(&rowIm[y][0], im0);
        _mm_storeu_ps(&rowIm[y][4], im1);
#else
        std::array<float, kLanes> sr{}, si{};
        for (int x = 0; x < kWindow; ++x)
            for (int k = 0; k < kLanes; ++k) {
                sr[k] += samples[x] * t.reBySample[x][k];
                si[k] += samples[x] * t.imBySample[x][k];
            }
        rowRe[y] = sr;
        rowIm[y] = si;
#endif
    }
    constexpr int kBins = 2 * kMaxBin + 1;
    std::array<std::array<float, kBins>, kMaxBin + 1> power{};
    float peak = 0;
    int peakX = 0, peakY = 0;
    for (int kx = 0; kx <= kMaxBin; ++kx) {
        // The column sums of every ky at once, each over the rows in order; those
        // outside the band are not looked at.
        std::array<float, kColumnLanes> sr{}, si{};
        for (int y = 0; y < kWindow; ++y) {
            const float a = rowRe[y][kx], b = rowIm[y][kx];
            for (int lane = 0; lane < kColumnLanes; ++lane) {
                const float wr = t.columnRe[y][lane], wi = t.columnIm[y][lane];
                sr[lane] += a * wr - b * wi;
                si[lane] += a * wi + b * wr;
            }
        }
        for (int ky = -kMaxBin; ky <= kMaxBin; ++ky) {
            if ((kx == 0 && ky <= 0) || !inBand(kx, ky))
                continue;
            const int lane = ky + kMaxBin;
            const float p = sr[lane] * sr[lane] + si[lane] * si[lane];
            power[kx][ky + kMaxBin] = p;
            if (p > peak) {
                peak = p;
                peakX = kx;
                peakY = ky;
            }
        }
    }
    // The direction of the peak, refined by the bins next to it (the window spreads
    // a ridge pattern's energy over about two bins each way); a bin near the peak's
    // mirror image (-kx, -ky) is the same frequency.
    float vx = 0, vy = 0;
    for (int kx = 0; kx <= kMaxBin; ++kx)
        for (int ky = -kMaxBin; ky <= kMaxBin; ++ky) {
            const float p = power[kx][ky + kMaxBin];
            const int near = std::min((kx - peakX) * (kx - peakX) + (ky - peakY) * (ky - peakY),
                                      (kx + peakX) * (kx + peakX) + (ky + peakY) * (ky + peakY));
            if (p <= 0 || near > 2)
                continue;
            const float phi = std::atan2(static_cast<float>(ky), static_cast<float>(kx));
            vx += p * std::cos(2 * phi);
            vy += p * std::sin(2 * phi);
        }
    const float len = std::sqrt(vx * vx + vy * vy);
    // The frequency runs across the ridges; the ridges at a right angle to it.
    cos2 = len > 0 ? -vx / len : 0.0f;
    sin2 = len > 0 ? -vy / len : 0.0f;
}

} // namespace

RidgeFourier computeRidgeFourier(const Plane& normalised, int cell, int cols, int rows)
{
    RidgeFourier spectrum;
    spectrum.cell = cell;
    spectrum.cols = cols;
    spectrum.rows = rows;
    const std::size_t n = static_cast<std::size_t>(cols) * rows;
    spectrum.cos2.assign(n, 1);
    spectrum.sin2.assign(n, 0);
    spectrum.agreement.assign(n, 0);

    const int windowCols = std::max(1, (normalised.width + kStep - 1) / kStep);
    const int windowRows = std::max(1, (normalised.height + kStep - 1) / kStep);
    Plane vx(windowCols, windowRows), vy(windowCols, windowRows);
    for (int wy = 0; wy < windowRows; ++wy)
        for (int wx = 0; wx < windowCols; ++wx)
            readWindow(normalised, wx * kStep + kStep / 2, wy * kStep + kStep / 2, vx.at(wx, wy),
                       vy.at(wx, wy));
    // Mean of the unit vectors over about 3 x 3 windows: its length is the agreement.
    gaussianBlur(vx, 1.0f);
    gaussianBlur(vy, 1.0f);

    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            // The cell's centre in window coordinates.
            const float wx = ((static_cast<float>(x) + 0.5f) * cell - kStep / 2.0f) / kStep;
            const float wy = ((static_cast<float>(y) + 0.5f) * cell - kStep / 2.0f) / kStep;
            const float c = vx.sample(wx, wy), s = vy.sample(wx, wy);
            const float len = std::sqrt(c * c + s * s);
            const std::size_t i = static_cast<std::size_t>(y) * cols + x;
            if (len > 1e-6f) {
                spectrum.cos2[i] = c / len;
                spectrum.sin2[i] = s / len;
            }
            spectrum.agreement[i] = len;
        }
    return spectrum;
}

} // namespace fp
