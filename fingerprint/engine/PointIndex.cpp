#include "PointIndex.h"

namespace fp {

void PointGrid::build(const std::vector<MatchPoint>& points)
{
    float maxX = 0, maxY = 0;
    for (const MatchPoint& p : points) {
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    cols_ = static_cast<int>(maxX) / kCell + 1;
    rows_ = static_cast<int>(maxY) / kCell + 1;
    offsets_.assign(static_cast<std::size_t>(cols_) * rows_ + 1, 0);
    auto cellOf = [this](const MatchPoint& p) {
        return static_cast<int>(p.y) / kCell * cols_ + static_cast<int>(p.x) / kCell;
    };
    for (const MatchPoint& p : points)
        ++offsets_[cellOf(p) + 1];
    for (std::size_t c = 1; c < offsets_.size(); ++c)
        offsets_[c] += offsets_[c - 1];
    indices_.resize(points.size());
    std::vector<int> fill(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        indices_[fill[cellOf(points[i])]++] = static_cast<std::uint8_t>(i);
}

void PointReach::build(const std::vector<MatchPoint>& points)
{
    float maxX = 0, maxY = 0;
    for (const MatchPoint& p : points) {
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    cols_ = static_cast<int>(maxX + kReach) / kSquare + 1;
    rows_ = static_cast<int>(maxY + kReach) / kSquare + 1;
    // A point belongs to every square whose nearest pixel lies within kReach of it.
    auto forSquares = [this](const MatchPoint& p, auto&& visit) {
        const int c0 = std::max(0, static_cast<int>((p.x - kReach) / kSquare));
        const int c1 = std::min(cols_ - 1, static_cast<int>((p.x + kReach) / kSquare));
        const int r0 = std::max(0, static_cast<int>((p.y - kReach) / kSquare));
        const int r1 = std::min(rows_ - 1, static_cast<int>((p.y + kReach) / kSquare));
        for (int row = r0; row <= r1; ++row)
            for (int col = c0; col <= c1; ++col) {
                const float nx = std::clamp(p.x, static_cast<float>(col * kSquare),
                                            static_cast<float>((col + 1) * kSquare));
                const float ny = std::clamp(p.y, static_cast<float>(row * kSquare),
                                            static_cast<float>((row + 1) * kSquare));
                if ((nx - p.x) * (nx - p.x) + (ny - p.y) * (ny - p.y) <= kReach * kReach)
                    visit(row * cols_ + col);
            }
    };
    offsets_.assign(static_cast<std::size_t>(cols_) * rows_ + 1, 0);
    for (const MatchPoint& p : points)
        forSquares(p, [this](int square) { ++offsets_[square + 1]; });
    for (std::size_t c = 1; c < offsets_.size(); ++c)
        offsets_[c] += offsets_[c - 1];
    indices_.resize(offsets_.back());
    std::vector<std::uint32_t> fill(offsets_.begin(), offsets_.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        forSquares(points[i],
                   [&](int square) { indices_[fill[square]++] = static_cast<std::uint8_t>(i); });
}

} // namespace fp
