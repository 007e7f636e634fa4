#include "RidgeFrequency.h"

#include <algorithm>
#include <cmath>

namespace fp {

float RidgePeriod::at(float x, float y) const
{
    const int bx = std::clamp(static_cast<int>(x) / block, 0, cols - 1);
    const int by = std::clamp(static_cast<int>(y) / block, 0, rows - 1);
    return period[by * cols + bx];
}

namespace {

// Period of the grey-level profile across the ridges around (cx, cy); 0 if unclear.
float blockPeriod(const Plane& image, float cx, float cy, float ridgeAngle)
{
    constexpr int kAcross = 32; // samples across the ridges
    constexpr int kAlong = 8;   // half length averaged along the ridges
    const float dx = std::cos(ridgeAngle), dy = std::sin(ridgeAngle);
    const float nx = -dy, ny = dx;
    float signature[kAcross];
    for (int t = 0; t < kAcross; ++t) {
        const float u = t - kAcross / 2.0f;
        float sum = 0;
        for (int s = -kAlong; s <= kAlong; ++s)
            sum += image.sample(cx + u * nx + s * dx, cy + u * ny + s * dy);
        signature[t] = sum / (2 * kAlong + 1);
    }
    float smooth[kAcross];
    for (int t = 0; t < kAcross; ++t)
        smooth[t] = (signature[std::max(t - 1, 0)] + 2 * signature[t] +
                     signature[std::min(t + 1, kAcross - 1)]) /
                    4;
    int first = -1, last = -1, peaks = 0;
    float high = smooth[0], low = smooth[0];
    for (int t = 0; t < kAcross; ++t) {
        high = std::max(high, smooth[t]);
        low = std::min(low, smooth[t]);
    }
    if (high - low < 0.5f) // contrast-normalised units: no clear ridge pattern
        return 0;
    for (int t = 1; t + 1 < kAcross; ++t)
        if (smooth[t] > smooth[t - 1] && smooth[t] >= smooth[t + 1]) {
            if (first < 0)
                first = t;
            last = t;
            ++peaks;
        }
    if (peaks < 2)
        return 0;
    const float period = static_cast<float>(last - first) / (peaks - 1);
    return period >= kMinRidgePeriod && period <= kMaxRidgePeriod ? period : 0;
}

} // namespace

RidgePeriod computeRidgePeriod(const Plane& normalised, const OrientationField& orientation,
                               const ForegroundMask& mask)
{
    RidgePeriod result;
    result.cols = std::max(1, (normalised.width + result.block - 1) / result.block);
    result.rows = std::max(1, (normalised.height + result.block - 1) / result.block);
    const int n = result.cols * result.rows;
    std::vector<float> raw(n, 0);
    std::vector<float> valid;
    for (int by = 0; by < result.rows; ++by)
        for (int bx = 0; bx < result.cols; ++bx) {
            const float cx = bx * result.block + result.block / 2.0f;
            const float cy = by * result.block + result.block / 2.0f;
            if (!mask.at(cx, cy))
                continue;
            raw[by * result.cols + bx] =
                blockPeriod(normalised, cx, cy, orientation.angleAt(cx, cy));
            if (raw[by * result.cols + bx] > 0)
                valid.push_back(raw[by * result.cols + bx]);
        }
    if (!valid.empty()) {
        std::nth_element(valid.begin(), valid.begin() + valid.size() / 2, valid.end());
        result.median = valid[valid.size() / 2];
    }

    // Smooth with the valid neighbours; blocks without an estimate borrow them, and
    // estimates far from the neighbourhood are replaced.
    result.period.assign(n, result.median);
    for (int by = 0; by < result.rows; ++by)
        for (int bx = 0; bx < result.cols; ++bx) {
            float sum = 0;
            int count = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const int x = bx + dx, y = by + dy;
                    if (x < 0 || y < 0 || x >= result.cols || y >= result.rows)
                        continue;
                    const float v = raw[y * result.cols + x];
                    if (v > 0) {
                        sum += v;
                        ++count;
                    }
                }
            if (count >= 3)
                result.period[by * result.cols + bx] = sum / count;
        }
    for (float& p : result.period)
        p = std::clamp(p, kMinRidgePeriod, kMaxRidgePeriod);
    return result;
}

} // namespace fp
