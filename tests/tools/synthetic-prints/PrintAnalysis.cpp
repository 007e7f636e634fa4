#include "PrintAnalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int kBlock = 16;
constexpr double kRidgeBlockSpread = 15; // grey standard deviation of a block with ridges

double grey(const synth::GrayPicture& p, int x, int y)
{
    return p.pixels[static_cast<std::size_t>(y) * p.width + x];
}

double bilinear(const synth::GrayPicture& p, double x, double y)
{
    if (x < 0 || y < 0 || x > p.width - 1.001 || y > p.height - 1.001)
        return -1;
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const double fx = x - x0;
    const double fy = y - y0;
    return (1 - fy) * ((1 - fx) * grey(p, x0, y0) + fx * grey(p, x0 + 1, y0)) +
           fy * ((1 - fx) * grey(p, x0, y0 + 1) + fx * grey(p, x0 + 1, y0 + 1));
}

} // namespace

PrintStats printStats(const synth::GrayPicture& picture)
{
    PrintStats s;
    int blocks = 0;
    int ridgeBlocks = 0;
    double sum = 0, sumSq = 0, count = 0, groundSum = 0, groundCount = 0;
    for (int by = 0; by + kBlock <= picture.height; by += kBlock) {
        for (int bx = 0; bx + kBlock <= picture.width; bx += kBlock) {
            double bs = 0, bss = 0;
            for (int y = by; y < by + kBlock; ++y)
                for (int x = bx; x < bx + kBlock; ++x) {
                    bs += grey(picture, x, y);
                    bss += grey(picture, x, y) * grey(picture, x, y);
                }
            const double n = kBlock * kBlock;
            const double spread = std::sqrt(std::max(0.0, bss / n - (bs / n) * (bs / n)));
            ++blocks;
            if (spread > kRidgeBlockSpread) {
                ++ridgeBlocks;
                s.centreX += bx + kBlock / 2.0;
                s.centreY += by + kBlock / 2.0;
                sum += bs;
                sumSq += bss;
                count += n;
            } else {
                groundSum += bs;
                groundCount += n;
            }
        }
    }
    s.foreground = blocks ? static_cast<double>(ridgeBlocks) / blocks : 0;
    if (ridgeBlocks) {
        s.centreX /= ridgeBlocks;
        s.centreY /= ridgeBlocks;
        s.printMean = sum / count;
        s.printSpread = std::sqrt(std::max(0.0, sumSq / count - s.printMean * s.printMean));
    }
    s.backgroundMean = groundCount ? groundSum / groundCount : 255;
    return s;
}

double ridgePeriod(const synth::GrayPicture& picture, double cx, double cy, int size)
{
    const int x0 = std::clamp(static_cast<int>(cx) - size / 2, 0, picture.width - size);
    const int y0 = std::clamp(static_cast<int>(cy) - size / 2, 0, picture.height - size);
    std::vector<double> block(static_cast<std::size_t>(size) * size);
    double mean = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            mean += block[y * size + x] = grey(picture, x0 + x, y0 + y);
    mean /= size * size;
    const double pi = std::numbers::pi;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double window = std::sin(pi * (x + 0.5) / size) * std::sin(pi * (y + 0.5) / size);
            block[y * size + x] = (block[y * size + x] - mean) * window;
        }
    // Periods from 4 to 21 pixels: frequencies size/21 .. size/4 cycles per block.
    const int lowest = size / 21;
    const int highest = size / 4;
    std::vector<double> cosines(size), sines(size);
    for (int i = 0; i < size; ++i) {
        cosines[i] = std::cos(2 * pi * i / size);
        sines[i] = std::sin(2 * pi * i / size);
    }
    double bestPower = -1, bestRadius = 0;
    for (int v = 0; v <= highest; ++v) {
        for (int u = -highest; u <= highest; ++u) {
            const double radius = std::hypot(u, v);
            if (radius < lowest || radius > highest || (v == 0 && u < 0))
                continue;
            double re = 0, im = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int phase = (((u * x + v * y) % size) + size) % size;
                    re += block[y * size + x] * cosines[phase];
                    im -= block[y * size + x] * sines[phase];
                }
            const double power = re * re + im * im;
            if (power > bestPower) {
                bestPower = power;
                bestRadius = radius;
            }
        }
    }
    return bestRadius > 0 ? size / bestRadius : 0;
}

double bestAlignedCorrelation(const synth::GrayPicture& a, const synth::GrayPicture& b)
{
    constexpr int kSize = 64;
    constexpr int kShift = 28;
    constexpr double kMaxTurn = 24;
    constexpr double kTurnStep = 3;
    const PrintStats sa = printStats(a);
    const PrintStats sb = printStats(b);

    // The block of a, zero mean and unit norm.
    std::vector<double> block(kSize * kSize);
    double mean = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            mean += block[y * kSize + x] =
                bilinear(a, sa.centreX - kSize / 2.0 + x, sa.centreY - kSize / 2.0 + y);
    mean /= block.size();
    double norm = 0;
    for (double& v : block) {
        v -= mean;
        norm += v * v;
    }
    norm = std::sqrt(norm);
    if (norm <= 0)
        return 0;
    for (double& v : block)
        v /= norm;

    // For each turn, the middle of b turned once; the shifts then only index it.
    constexpr int kSpan = kSize + 2 * kShift;
    std::vector<double> turned(kSpan * kSpan);
    double best = -1;
    for (double turn = -kMaxTurn; turn <= kMaxTurn + 1e-9; turn += kTurnStep) {
        const double c = std::cos(turn * std::numbers::pi / 180);
        const double s = std::sin(turn * std::numbers::pi / 180);
        for (int j = 0; j < kSpan; ++j)
            for (int i = 0; i < kSpan; ++i) {
                const double ux = i - kSpan / 2.0;
                const double uy = j - kSpan / 2.0;
                const double v =
                    bilinear(b, sb.centreX + c * ux - s * uy, sb.centreY + s * ux + c * uy);
                turned[j * kSpan + i] = v < 0 ? 255 : v; // beyond the picture: empty reader
            }
        for (int dy = 0; dy <= 2 * kShift; ++dy) {
            for (int dx = 0; dx <= 2 * kShift; ++dx) {
                double sum = 0, sumSq = 0, dot = 0;
                for (int y = 0; y < kSize; ++y) {
                    const double* row = &turned[(y + dy) * kSpan + dx];
                    const double* weights = &block[y * kSize];
                    for (int x = 0; x < kSize; ++x) {
                        sum += row[x];
                        sumSq += row[x] * row[x];
                        dot += row[x] * weights[x];
                    }
                }
                const double spread = sumSq - sum * sum / block.size();
                if (spread > 0)
                    best = std::max(best, dot / std::sqrt(spread));
            }
        }
    }
    return best;
}
