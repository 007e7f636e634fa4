#pragma once
// The query's minutiae filed by place, so that a pairing finds the minutiae
// near a point of the query without looking at all of them.

#include "LocalStructures.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fp {

// The query's minutiae filed in square cells, for pairing by place where the
// raster below does not reach (wide tolerances, places off the raster).
class PointGrid
{
public:
    static constexpr int kCell = 24; // pixels

    void build(const std::vector<MatchPoint>& points);
    // Calls visit(i) for the points in the cells touching the square x, y +- r.
    template <typename Visit> void near(float x, float y, float r, Visit&& visit) const
    {
        const int c0 = std::max(0, static_cast<int>((x - r) / kCell));
        const int c1 = std::min(cols_ - 1, static_cast<int>((x + r) / kCell));
        const int r0 = std::max(0, static_cast<int>((y - r) / kCell));
        const int r1 = std::min(rows_ - 1, static_cast<int>((y + r) / kCell));
        if (x + r < 0 || y + r < 0)
            return;
        for (int row = r0; row <= r1; ++row)
            for (int col = c0; col <= c1; ++col) {
                const int cell = row * cols_ + col;
                for (int at = offsets_[cell]; at < offsets_[cell + 1]; ++at)
                    visit(static_cast<int>(indices_[at]));
            }
    }

private:
    int cols_ = 0, rows_ = 0;
    std::vector<int> offsets_;
    std::vector<std::uint8_t> indices_;
};

// For each square of a fine raster over the query, the minutiae within kReach
// pixels of it: the points near a place are one short list to read, where the
// grid above has up to nine cells to visit (a branch predictor's despair).
class PointReach
{
public:
    static constexpr int kSquare = 8;      // pixels
    static constexpr float kReach = 24.0f; // pixels

    void build(const std::vector<MatchPoint>& points);
    // Calls visit(i) for every point within kReach of (x, y), and maybe a few
    // more; false, visiting none, when (x, y) lies outside the raster.
    template <typename Visit> bool near(float x, float y, Visit&& visit) const
    {
        if (x < 0 || y < 0)
            return false;
        const int col = static_cast<int>(x) / kSquare, row = static_cast<int>(y) / kSquare;
        if (col >= cols_ || row >= rows_)
            return false;
        const int square = row * cols_ + col;
        for (std::uint32_t at = offsets_[square]; at < offsets_[square + 1]; ++at)
            visit(static_cast<int>(indices_[at]));
        return true;
    }

private:
    int cols_ = 0, rows_ = 0;
    std::vector<std::uint32_t> offsets_;
    std::vector<std::uint8_t> indices_;
};

} // namespace fp
