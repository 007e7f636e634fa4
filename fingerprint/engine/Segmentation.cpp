#include "Segmentation.h"

#include <algorithm>
#include <cmath>

namespace fp {

bool ForegroundMask::at(float x, float y) const
{
    if (x < 0 || y < 0)
        return false;
    const int cx = static_cast<int>(x) / cell;
    const int cy = static_cast<int>(y) / cell;
    return cx < cols && cy < rows && inside[cy * cols + cx] != 0;
}

bool ForegroundMask::interior(float x, float y, int margin) const
{
    const int x0 = static_cast<int>(std::floor((x - margin) / cell));
    const int y0 = static_cast<int>(std::floor((y - margin) / cell));
    const int x1 = static_cast<int>(std::floor((x + margin) / cell)) + 1;
    const int y1 = static_cast<int>(std::floor((y + margin) / cell)) + 1;
    if (x0 < 0 || y0 < 0 || x1 > cols || y1 > rows)
        return false;
    const int stride = cols + 1;
    const int sum = integral[y1 * stride + x1] - integral[y0 * stride + x1] -
                    integral[y1 * stride + x0] + integral[y0 * stride + x0];
    return sum == (x1 - x0) * (y1 - y0);
}

int ForegroundMask::areaPixels() const
{
    return static_cast<int>(std::count(inside.begin(), inside.end(), 1)) * cell * cell;
}

namespace {

constexpr int kKeptRegionShare = 4; // regions of at least a quarter of the largest
constexpr int kClosingCells = 2;    // gaps up to about a ridge period are closed

// Local grey-level deviation per cell over a window of a few ridge periods.
std::vector<float> cellDeviation(const Plane& grey, int cell, int cols, int rows)
{
    Plane sum(cols, rows), squares(cols, rows);
    for (int y = 0; y < rows * cell; ++y)
        for (int x = 0; x < cols * cell; ++x) {
            const float v = grey.at(x, y);
            sum.at(x / cell, y / cell) += v;
            squares.at(x / cell, y / cell) += v * v;
        }
    gaussianBlur(sum, 2.0f);
    gaussianBlur(squares, 2.0f);
    std::vector<float> deviation(sum.data.size());
    const float n = static_cast<float>(cell * cell);
    for (std::size_t i = 0; i < deviation.size(); ++i) {
        const float mean = sum.data[i] / n;
        deviation[i] = std::sqrt(std::max(0.0f, squares.data[i] / n - mean * mean));
    }
    return deviation;
}

// Majority vote over the 5x5 cell neighbourhood smooths ragged borders.
void majoritySmooth(std::vector<std::uint8_t>& cells, int cols, int rows)
{
    std::vector<std::uint8_t> out(cells.size());
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            int votes = 0, total = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= cols || ny >= rows)
                        continue;
                    ++total;
                    votes += cells[ny * cols + nx];
                }
            out[y * cols + x] = 2 * votes > total ? 1 : 0;
        }
    cells.swap(out);
}

// Closing (dilation then erosion) by a square of 2r+1 cells: fills the notches and
// narrow gaps that smudges and faint patches cut into the finger's outline, so
// that minutiae near them are not taken for edge effects.
void closeGaps(std::vector<std::uint8_t>& cells, int cols, int rows, int r)
{
    auto pass = [&](std::uint8_t keep) {
        // keep = 1: dilation (any finger cell nearby), 0: erosion (any background).
        std::vector<std::uint8_t> out(cells.size());
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x) {
                bool found = false;
                for (int dy = -r; dy <= r && !found; ++dy)
                    for (int dx = -r; dx <= r && !found; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        // Outside the image counts as finger for the erosion, so a
                        // finger touching the border keeps its cells there.
                        const std::uint8_t v = nx < 0 || ny < 0 || nx >= cols || ny >= rows
                                                   ? static_cast<std::uint8_t>(1 - keep)
                                                   : cells[ny * cols + nx];
                        found = v == keep;
                    }
                out[y * cols + x] = found ? keep : static_cast<std::uint8_t>(1 - keep);
            }
        cells.swap(out);
    };
    pass(1);
    pass(0);
}

// Labels 4-connected regions of cells equal to `value`; returns the label per cell (-1 other).
std::vector<int> labelRegions(const std::vector<std::uint8_t>& cells, int cols, int rows,
                              std::uint8_t value, std::vector<int>& sizes)
{
    std::vector<int> label(cells.size(), -1);
    std::vector<int> stack;
    for (int start = 0; start < static_cast<int>(cells.size()); ++start) {
        if (cells[start] != value || label[start] >= 0)
            continue;
        const int id = static_cast<int>(sizes.size());
        sizes.push_back(0);
        stack.push_back(start);
        label[start] = id;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++sizes[id];
            const int x = i % cols, y = i / cols;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& p : next) {
                if (p[0] < 0 || p[1] < 0 || p[0] >= cols || p[1] >= rows)
                    continue;
                const int j = p[1] * cols + p[0];
                if (cells[j] == value && label[j] < 0) {
                    label[j] = id;
                    stack.push_back(j);
                }
            }
        }
    }
    return label;
}

// Keeps the large finger regions (a smudged band may cut the finger in two, while
// specks of dirt stay small) and fills the holes inside them.
void keepLargeRegions(std::vector<std::uint8_t>& cells, int cols, int rows)
{
    std::vector<int> sizes;
    const std::vector<int> label = labelRegions(cells, cols, rows, 1, sizes);
    if (sizes.empty())
        return;
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = label[i] >= 0 && sizes[label[i]] * kKeptRegionShare >= largest ? 1 : 0;

    std::vector<int> holeSizes;
    const std::vector<int> hole = labelRegions(cells, cols, rows, 0, holeSizes);
    std::vector<std::uint8_t> touchesBorder(holeSizes.size(), 0);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            if ((x == 0 || y == 0 || x == cols - 1 || y == rows - 1) && hole[y * cols + x] >= 0)
                touchesBorder[hole[y * cols + x]] = 1;
    for (std::size_t i = 0; i < cells.size(); ++i)
        if (hole[i] >= 0 && !touchesBorder[hole[i]])
            cells[i] = 1;
}

} // namespace

ForegroundMask segmentForeground(const Plane& grey, const OrientationField& orientation,
                                 Sensitivity sensitivity)
{
    ForegroundMask mask;
    mask.cell = orientation.cell;
    mask.cols = orientation.cols;
    mask.rows = orientation.rows;
    const std::size_t n = static_cast<std::size_t>(mask.cols) * mask.rows;

    const std::vector<float> deviation = cellDeviation(grey, mask.cell, mask.cols, mask.rows);
    std::vector<float> sorted = deviation;
    const std::size_t p90 = sorted.size() * 9 / 10;
    std::nth_element(sorted.begin(), sorted.begin() + p90, sorted.end());
    // Ridges give a strong grey-level swing relative to the best part of the image
    // and, unlike sensor noise, a dominant direction.
    const float minDeviation = std::max(8.0f, 0.3f * sorted[p90]);
    constexpr float kMinCoherence = 0.25f;
    // Faint prints: little contrast, but a clear direction over a larger area. Sensor
    // noise stays below a steadiness of about 0.15 (0.4 at the very most).
    const bool faint = sensitivity == Sensitivity::Faint;
    const float faintDeviation = faint ? 2.0f : 3.0f;
    const float minSteadiness = faint ? 0.25f : 0.6f;

    mask.inside.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        mask.inside[i] =
            (deviation[i] >= minDeviation && orientation.coherence[i] >= kMinCoherence) ||
                    (deviation[i] >= faintDeviation && orientation.steadiness[i] >= minSteadiness)
                ? 1
                : 0;
    majoritySmooth(mask.inside, mask.cols, mask.rows);
    closeGaps(mask.inside, mask.cols, mask.rows, kClosingCells);
    keepLargeRegions(mask.inside, mask.cols, mask.rows);

    const int stride = mask.cols + 1;
    mask.integral.assign(static_cast<std::size_t>(stride) * (mask.rows + 1), 0);
    for (int y = 0; y < mask.rows; ++y) {
        int row = 0;
        for (int x = 0; x < mask.cols; ++x) {
            row += mask.inside[y * mask.cols + x];
            mask.integral[(y + 1) * stride + x + 1] = mask.integral[y * stride + x + 1] + row;
        }
    }
    return mask;
}

float meanCoherence(const ForegroundMask& mask, const OrientationField& orientation)
{
    double sum = 0;
    int count = 0;
    for (std::size_t i = 0; i < mask.inside.size(); ++i)
        if (mask.inside[i]) {
            sum += orientation.coherence[i];
            ++count;
        }
    return count > 0 ? static_cast<float>(sum / count) : 0.0f;
}

} // namespace fp
