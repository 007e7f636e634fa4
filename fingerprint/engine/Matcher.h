#pragma once
// Comparison of two templates. Neighbourhood edges of the reference that agree
// with edges of the query (looked up in the query's edge index) vote for pairs of
// minutiae. The best-voted pairs are weighed against each other: when too few of
// them agree with any one alignment, or the ridge directions of the prints do not
// agree under the alignment most of them agree with, the reference is rejected at
// once (most other fingers end there). The alignments they agree with most are the
// candidates: each is paired roughly, the best few are paired one to one within tolerance
// boxes that widen with the distance from the anchor (skin stretches) and refined
// by a least-squares fit. A pair counts by how many of its neighbourhood edges
// agree and how many of its neighbours are paired with its partner's neighbours;
// the supported pairs beyond those chance gives at the density of minutiae are set
// against the quality-weighted minutiae both prints show in their common area.

#include "Engine.h"
#include "LocalStructures.h"

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

// Everything about the query that does not depend on the reference.
struct PreparedTemplate
{
    MatchTemplate templ;
    EdgeIndex edges;
    PointGrid grid;
    PointReach reach;
    float fingerArea = 0; // pixels: the most any reference can have in common with it

    bool build(std::span<const std::uint8_t> bytes);
};

// Buffers reused between comparisons.
struct MatchScratch
{
    std::vector<std::uint8_t> votes;
    std::vector<std::uint8_t> usedQ, usedR;
    struct Candidate
    {
        float cost;
        int query;
        int reference;
    };
    std::vector<Candidate> candidates;
    std::vector<MatchPair> found, again;
    std::vector<int> queryOf; // per reference minutia: its paired query minutia or -1
};

// What the best alignment found, for tuning and analysis.
struct MatchDetail
{
    bool endedEarly = false;      // rejected before any pairing (votes, consensus, directions)
    int votes = 0;                // agreeing neighbourhood edges
    int pairs = 0;                // paired minutiae of the best alignment
    float supported = 0;          // of which supported by their neighbourhoods (weighted)
    float inQuery = 0;            // query minutiae inside the common area (quality weighted)
    float inReference = 0;        // reference minutiae inside the common area
    float commonArea = 0;         // pixels
    int directionCells = 0;       // common cells where both prints show a clear direction
    float directionAgreement = 0; // mean cos of twice the angle between the directions there
    float rotation = 0;           // radians, reference onto query
};

// Score >= 0 and the pairs behind it (indices into the two minutia lists).
int matchTemplates(const PreparedTemplate& query, const MatchTemplate& reference,
                   MatchScratch& scratch, std::vector<MatchPair>& pairs,
                   MatchDetail* detail = nullptr);

// Above the highest score between different fingers seen on the public
// evaluation sets (15) and on ten generated sets of 20 fingers (21).
inline constexpr int kDefaultThreshold = 25;

} // namespace fp
