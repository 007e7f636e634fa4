#include "LocalStructures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace fp {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// std::lround for the small values here, without the library call: the
// fraction left by truncation is exact, so halves round away from zero as there.
int roundHalfAway(float x)
{
    const int whole = static_cast<int>(x);
    const float fraction = x - static_cast<float>(whole);
    return whole + (fraction >= 0.5f) - (fraction <= -0.5f);
}

// atan2 within 0.002 rad, in 1/256 turns.
std::uint8_t turnOf(float y, float x)
{
    const float ax = std::abs(x), ay = std::abs(y);
    const float big = std::max(ax, ay);
    if (big == 0)
        return 0;
    const float a = std::min(ax, ay) / big;
    const float s = a * a;
    float r = ((-0.0464964749f * s + 0.15931422f) * s - 0.327622764f) * s * a + a;
    if (ay > ax)
        r = kPi / 2 - r;
    if (x < 0)
        r = kPi - r;
    if (y < 0)
        r = -r;
    return static_cast<std::uint8_t>(roundHalfAway(r * (128 / kPi)) & 0xff);
}

} // namespace

float wrapTwoPi(float a)
{
    a = std::fmod(a, 2 * kPi);
    return a < 0 ? a + 2 * kPi : a;
}

float angleGap(float a, float b)
{
    const float d = wrapTwoPi(a - b);
    return d > kPi ? 2 * kPi - d : d;
}

void MatchTemplate::releaseDecodingBuffers()
{
    std::vector<Minutia>().swap(data.minutiae);
    std::vector<int>().swap(order);
    std::vector<int>().swap(sortedX);
    std::vector<int>().swap(sortedY);
    points.shrink_to_fit();
    edges.shrink_to_fit();
    edgeCount.shrink_to_fit();
    strongest.shrink_to_fit();
    others.shrink_to_fit();
}

bool buildMatchTemplate(std::span<const std::uint8_t> bytes, MatchTemplate& out)
{
    if (!decodeTemplate(bytes, out.data))
        return false;
    const std::size_t n = out.data.minutiae.size();
    out.points.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Minutia& m = out.data.minutiae[i];
        // Decoded directions are whole 1/256 turns in [0, 2 pi).
        const int turn = static_cast<int>(m.angle * (128 / kPi) + 0.5f) & 0xff;
        out.points[i] = {static_cast<float>(m.x),
                         static_cast<float>(m.y),
                         static_cast<float>(turn) * (kPi / 128),
                         static_cast<std::uint8_t>(turn),
                         static_cast<std::uint8_t>(m.type),
                         static_cast<std::uint8_t>(m.quality)};
    }
    out.edges.assign(n * kNeighbours, Edge{});
    out.edgeCount.assign(n, 0);
    // The nearest neighbours by squared integer distance, kept sorted by insertion;
    // the points are swept in order of x from each point outwards until the x
    // gap alone exceeds the farthest neighbour kept.
    constexpr int kMin2 = kMinEdgeDistance * kMinEdgeDistance,
                  kMax2 = kMaxEdgeDistance * kMaxEdgeDistance;
    std::vector<int>& order = out.order;
    order.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = static_cast<int>(i);
    const std::vector<Minutia>& ms = out.data.minutiae;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return ms[a].x < ms[b].x; });
    // The places in that order at 1..n, read without going through `order`,
    // with a sentinel at each end farther than any edge (its square still an int).
    constexpr int kFar = 1 << 14;
    std::vector<int>& xs = out.sortedX;
    std::vector<int>& ys = out.sortedY;
    xs.resize(n + 2);
    ys.resize(n + 2);
    xs[0] = -kFar;
    xs[n + 1] = kFar;
    ys[0] = ys[n + 1] = 0;
    for (std::size_t at = 0; at < n; ++at) {
        xs[at + 1] = ms[static_cast<std::size_t>(order[at])].x;
        ys[at + 1] = ms[static_cast<std::size_t>(order[at])].y;
    }
    int nearD2[kNeighbours];
    int nearIndex[kNeighbours]; // sorted places
    for (std::size_t at = 1; at <= n; ++at) {
        const std::size_t i = static_cast<std::size_t>(order[at - 1]);
        const int px = xs[at], py = ys[at];
        int kept = 0;
        // The farthest kept once there are kNeighbours (a point must be nearer),
        // until then the farthest allowed (a point may be as far).
        int bound = kMax2;
        // Outwards in x, nearer side first, so that the bound tightens early.
        std::size_t right = at + 1, left = at - 1;
        for (;;) {
            const int dr = xs[right] - px, dl = px - xs[left];
            const bool takeRight = dr <= dl;
            const int dx = takeRight ? dr : dl;
            if (dx * dx > bound)
                break;
            const std::size_t j = takeRight ? right++ : left--;
            const int dy = ys[j] - py;
            const int d2 = dx * dx + dy * dy;
            if (d2 < kMin2 || d2 > bound || (kept == kNeighbours && d2 == bound))
                continue;
            int slot = kept < kNeighbours ? kept++ : kNeighbours - 1;
            while (slot > 0 && nearD2[slot - 1] > d2) {
                nearD2[slot] = nearD2[slot - 1];
                nearIndex[slot] = nearIndex[slot - 1];
                --slot;
            }
            nearD2[slot] = d2;
            nearIndex[slot] = static_cast<int>(j);
            if (kept == kNeighbours)
                bound = nearD2[kNeighbours - 1];
        }
        for (int k = 0; k < kept; ++k)
            nearIndex[k] = order[static_cast<std::size_t>(nearIndex[k]) - 1];
        const MatchPoint& p = out.points[i];
        Edge* e = &out.edges[i * kNeighbours];
        for (int k = 0; k < kept; ++k) {
            const MatchPoint& q = out.points[nearIndex[k]];
            e[k].neighbour = static_cast<std::uint8_t>(nearIndex[k]);
            e[k].distance =
                static_cast<std::uint8_t>(std::sqrt(static_cast<float>(nearD2[k])) + 0.5f);
            e[k].bearing = static_cast<std::uint8_t>(turnOf(q.y - p.y, q.x - p.x) - p.turn);
            e[k].direction = static_cast<std::uint8_t>(q.turn - p.turn);
        }
        out.edgeCount[i] = static_cast<std::uint8_t>(kept);
    }
    // The strongest minutiae (the extractor writes them best first, but a
    // template's order is not to be relied on): every minutia above the quality
    // at which kStrongestMinutiae is reached, and the earliest at it.
    out.strongest.clear();
    out.others.clear();
    std::array<int, 128> atQuality{};
    for (const MatchPoint& p : out.points)
        ++atQuality[p.quality & 127];
    int cut = 127, above = 0;
    while (cut > 0 && above + atQuality[cut] < kStrongestMinutiae)
        above += atQuality[cut--];
    int fromCut = kStrongestMinutiae - above;
    for (std::size_t i = 0; i < n; ++i) {
        const int q = out.points[i].quality & 127;
        const bool strong = q > cut || (q == cut && fromCut-- > 0);
        (strong ? out.strongest : out.others).push_back(static_cast<std::uint8_t>(i));
    }
    return true;
}

} // namespace fp
