#include "Skeleton.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace fp {

int Skeleton::neighbours(int x, int y) const
{
    int ring = 0;
    for (int k = 0; k < 8; ++k)
        if (at(x + kRingDx[k], y + kRingDy[k]))
            ring |= 1 << k;
    return ring;
}

int crossingNumber(int ring)
{
    int changes = 0;
    for (int k = 0; k < 8; ++k)
        changes += ((ring >> k) & 1) != ((ring >> ((k + 1) % 8)) & 1);
    return changes / 2;
}

namespace {

// Yokoi's connectivity number for 8-connected lines: 1 means removing the pixel
// changes neither the lines' nor the background's connectivity.
bool isSimple(int ring)
{
    auto bit = [ring](int k) { return (ring >> (k % 8)) & 1; };
    int number = 0;
    for (int k = 0; k < 8; k += 2)
        number += (1 - bit(k)) - (1 - bit(k)) * (1 - bit(k + 1)) * (1 - bit(k + 2));
    return number == 1;
}

const std::array<std::uint8_t, 256>& simpleTable()
{
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> t{};
        for (int ring = 0; ring < 256; ++ring)
            t[ring] = isSimple(ring) ? 1 : 0;
        return t;
    }();
    return table;
}

// Directional parallel thinning: removes simple border pixels that are not line
// ends, one side (E, S, W, N) at a time, until nothing changes. Works on a copy
// with a one-pixel empty frame and visits only the pixels still on.
void thin(Skeleton& s)
{
    const auto& simple = simpleTable();
    const int pw = s.width + 2;
    std::vector<std::uint8_t> on(static_cast<std::size_t>(pw) * (s.height + 2), 0);
    std::vector<int> live;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.on[y * s.width + x]) {
                on[(y + 1) * pw + x + 1] = 1;
                live.push_back((y + 1) * pw + x + 1);
            }
    int offset[8];
    for (int k = 0; k < 8; ++k)
        offset[k] = kRingDy[k] * pw + kRingDx[k];
    auto ringAt = [&](int i) {
        int ring = 0;
        for (int k = 0; k < 8; ++k)
            ring |= on[i + offset[k]] << k;
        return ring;
    };

    std::vector<int> remove;
    bool changed = true;
    while (changed) {
        changed = false;
        for (int side : {0, 2, 4, 6}) {
            remove.clear();
            for (int i : live) {
                // Only a pixel open on this side can go: most are not, and one
                // look tells.
                if (on[i + offset[side]])
                    continue;
                const int ring = ringAt(i);
                if (simple[ring] && std::popcount(static_cast<unsigned>(ring)) >= 2)
                    remove.push_back(i);
            }
            for (int i : remove)
                on[i] = 0;
            if (!remove.empty()) {
                changed = true;
                std::erase_if(live, [&](int i) { return on[i] == 0; });
            }
        }
    }
    // Staircase corners: a pixel with two orthogonal neighbours that touch each other.
    for (int i : live) {
        const int ring = ringAt(i);
        const bool corner =
            ((ring & 0b00000101) == 0b00000101) || ((ring & 0b00010100) == 0b00010100) ||
            ((ring & 0b01010000) == 0b01010000) || ((ring & 0b01000001) == 0b01000001);
        if (corner && simple[ring])
            on[i] = 0;
    }
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            s.on[y * s.width + x] = on[(y + 1) * pw + x + 1];
}

// Removes spurs (a line end reaching a junction within `minLength`) and short fragments.
void prune(Skeleton& s, int minLength)
{
    std::vector<std::pair<int, int>> ends;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.on[y * s.width + x] &&
                std::popcount(static_cast<unsigned>(s.neighbours(x, y))) == 1)
                ends.emplace_back(x, y);
    for (const auto& [x, y] : ends) {
        if (!s.at(x, y))
            continue;
        const int ring = s.neighbours(x, y);
        if (std::popcount(static_cast<unsigned>(ring)) != 1)
            continue;
        const int k = std::countr_zero(static_cast<unsigned>(ring));
        const auto path = followRidge(s, x, y, x + kRingDx[k], y + kRingDy[k], minLength);
        if (static_cast<int>(path.size()) >= minLength)
            continue;
        // Stopped early: at a junction (keep the junction pixel) or at the other end.
        const auto& [lx, ly] = path.back();
        const bool atJunction = std::popcount(static_cast<unsigned>(s.neighbours(lx, ly))) >= 3;
        s.on[y * s.width + x] = 0;
        for (std::size_t i = 0; i + (atJunction ? 1 : 0) < path.size(); ++i)
            s.on[path[i].second * s.width + path[i].first] = 0;
    }
}

// Flips connected regions of `value` smaller than `maxArea` pixels: valley specks
// inside a ridge (sweat pores) and ridge specks inside a valley.
void removeSpecks(Skeleton& s, std::uint8_t value, int maxArea)
{
    // Flood fill on a copy framed by one pixel of neither value, so that no
    // neighbour needs a bounds check; a pixel is marked seen by its value's change.
    constexpr std::uint8_t kFrame = 2, kSeen = 3;
    const int w = s.width, h = s.height, pw = w + 2;
    std::vector<std::uint8_t> grid(static_cast<std::size_t>(pw) * (h + 2), kFrame);
    for (int y = 0; y < h; ++y)
        std::copy_n(&s.on[static_cast<std::size_t>(y) * w], w, &grid[(y + 1) * pw + 1]);
    const int step = value ? 1 : 2; // ridges 8-, valleys 4-connected
    int offset[8];
    for (int k = 0; k < 8; ++k)
        offset[k] = kRingDy[k] * pw + kRingDx[k];
    std::vector<int> region, stack;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int start = (y + 1) * pw + x + 1;
            if (grid[start] != value)
                continue;
            region.clear();
            stack.push_back(start);
            grid[start] = kSeen;
            bool small = true;
            while (!stack.empty()) {
                const int i = stack.back();
                stack.pop_back();
                if (small)
                    region.push_back(i);
                small = small && static_cast<int>(region.size()) <= maxArea;
                for (int k = 0; k < 8; k += step) {
                    const int j = i + offset[k];
                    if (grid[j] == value) {
                        grid[j] = kSeen;
                        stack.push_back(j);
                    }
                }
            }
            if (small)
                for (int i : region)
                    s.on[static_cast<std::size_t>(i / pw - 1) * w + i % pw - 1] = value ? 0 : 1;
        }
}

} // namespace

std::vector<std::pair<int, int>> followRidge(const Skeleton& skeleton, int x, int y, int nextX,
                                             int nextY, int steps)
{
    std::vector<std::pair<int, int>> path;
    int px = x, py = y, cx = nextX, cy = nextY;
    while (static_cast<int>(path.size()) < steps) {
        path.emplace_back(cx, cy);
        const int ring = skeleton.neighbours(cx, cy);
        int candidates = 0, nx = 0, ny = 0;
        for (int k = 0; k < 8; ++k) {
            if (!((ring >> k) & 1))
                continue;
            const int ax = cx + kRingDx[k], ay = cy + kRingDy[k];
            // Skip the pixel we came from and pixels touching it (already passed).
            if (std::abs(ax - px) <= 1 && std::abs(ay - py) <= 1)
                continue;
            ++candidates;
            nx = ax;
            ny = ay;
        }
        if (candidates != 1)
            break; // line end or junction
        px = cx;
        py = cy;
        cx = nx;
        cy = ny;
    }
    return path;
}

Skeleton skeletonise(const Plane& enhanced, const ForegroundMask& mask, int minLength)
{
    Skeleton s;
    s.width = enhanced.width;
    s.height = enhanced.height;
    s.on.assign(enhanced.data.size(), 0);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            s.on[y * s.width + x] =
                enhanced.at(x, y) > 0 && mask.at(static_cast<float>(x), static_cast<float>(y));
    const int speck = minLength * minLength / 2;
    removeSpecks(s, 0, speck);
    removeSpecks(s, 1, speck);
    thin(s);
    prune(s, minLength);
    return s;
}

} // namespace fp
