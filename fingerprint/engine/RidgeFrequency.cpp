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

// Two readings of a block's ridge period (0 where unclear).
struct BlockReading
{
    float every = 0; // spacing of every maximum of the profile
    float clear = 0; // spacing of the maxima separated by a clear valley
};

// Maxima of a profile. With `depth` > 0, a maximum separated from the previous one
// by a dip shallower than `depth` belongs to the same ridge (a pore or a speck on
// it) and only the higher of the two counts. Returns the number of positions
// written to `peaks`.
int ridgeCentres(const float* profile, int n, float depth, int* peaks)
{
    int count = 0;
    float dip = profile[0];
    for (int t = 1; t + 1 < n; ++t) {
        dip = std::min(dip, profile[t]);
        if (!(profile[t] > profile[t - 1] && profile[t] >= profile[t + 1]))
            continue;
        if (count > 0 && std::min(profile[t], profile[peaks[count - 1]]) - dip < depth) {
            if (profile[t] > profile[peaks[count - 1]])
                peaks[count - 1] = t;
        } else {
            peaks[count++] = t;
        }
        dip = profile[t];
    }
    return count;
}

// Mean spacing of the peaks, 0 when there are too few or it is out of range.
float peakSpacing(const int* peaks, int count)
{
    if (count < 2)
        return 0;
    const float period =
        static_cast<float>(peaks[count - 1] - peaks[0]) / static_cast<float>(count - 1);
    return period >= kMinRidgePeriod && period <= kMaxRidgePeriod ? period : 0;
}

// Period of the grey-level profile across the ridges around (cx, cy).
BlockReading blockPeriod(const Plane& image, float cx, float cy, float ridgeAngle)
{
    constexpr int kAcross = 32; // samples across the ridges
    constexpr int kAlong = 8;   // half length averaged along the ridges
    // A valley is clear when it lies this share of the profile's swing below the
    // lower of the two ridges around it.
    constexpr float kClearValley = 0.15f;
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
    float high = smooth[0], low = smooth[0];
    for (int t = 0; t < kAcross; ++t) {
        high = std::max(high, smooth[t]);
        low = std::min(low, smooth[t]);
    }
    if (high - low < 0.5f) // contrast-normalised units: no clear ridge pattern
        return {};
    int peaks[kAcross];
    BlockReading reading;
    reading.every = peakSpacing(peaks, ridgeCentres(smooth, kAcross, 0.0f, peaks));
    reading.clear =
        peakSpacing(peaks, ridgeCentres(smooth, kAcross, kClearValley * (high - low), peaks));
    return reading;
}

} // namespace

RidgePeriod computeRidgePeriod(const Plane& normalised, const OrientationField& orientation,
                               const ForegroundMask& mask)
{
    RidgePeriod result;
    result.cols = std::max(1, (normalised.width + result.block - 1) / result.block);
    result.rows = std::max(1, (normalised.height + result.block - 1) / result.block);
    const int n = result.cols * result.rows;
    // Every maximum of the profile is a ridge centre on most prints. Where the
    // ridges carry pores or specks, their maxima split, and the readings of many
    // blocks fall to a fraction of the period (the enhancement then makes two
    // ridges of one, with a false bifurcation at each join): such a print is read
    // by the maxima separated by clear valleys. The two readings differ (by more
    // than a pixel) in at most 30 % of the blocks of the prints without pores seen
    // so far (faint or noisy profiles), and mostly in 30 to 55 % on pored ones. The
    // choice is made for the whole print, and gradually, so that impressions of one
    // finger near the limit are read alike; a single block's clear reading on its
    // own may as well join two faint ridges.
    constexpr float kPoredFrom = 0.3f; // share of blocks whose readings differ
    constexpr float kPoredFull = 0.5f;
    std::vector<BlockReading> readings(n);
    int read = 0, split = 0;
    for (int by = 0; by < result.rows; ++by)
        for (int bx = 0; bx < result.cols; ++bx) {
            const float cx = bx * result.block + result.block / 2.0f;
            const float cy = by * result.block + result.block / 2.0f;
            if (!mask.at(cx, cy))
                continue;
            const BlockReading r = blockPeriod(normalised, cx, cy, orientation.angleAt(cx, cy));
            readings[by * result.cols + bx] = r;
            if (r.every > 0 || r.clear > 0) {
                ++read;
                split += std::abs(r.every - r.clear) > 1.0f ? 1 : 0;
            }
        }
    const float share = read > 0 ? static_cast<float>(split) / static_cast<float>(read) : 0.0f;
    const float weight = std::clamp((share - kPoredFrom) / (kPoredFull - kPoredFrom), 0.0f, 1.0f);
    std::vector<float> raw(n, 0);
    std::vector<float> valid;
    for (int i = 0; i < n; ++i) {
        const BlockReading& r = readings[i];
        if (r.every > 0 && r.clear > 0)
            raw[i] = r.every + weight * (r.clear - r.every);
        else
            raw[i] = weight < 0.5f ? r.every : r.clear;
        if (raw[i] > 0)
            valid.push_back(raw[i]);
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
