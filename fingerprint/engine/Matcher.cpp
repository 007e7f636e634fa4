#include "Matcher.h"

#include "Alignment.h"
#include "AreaComparison.h"
#include "CandidatePairs.h"
#include "Pairing.h"
#include "PairScore.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace fp {

namespace {

constexpr float kMinConsensus = 2.5f;   // less among the candidate pairs: not the same finger
constexpr int kAnchorSeeds = 20;        // the best-voted candidates may anchor an alignment ...
constexpr int kRoughAlignments = 8;     // ... and this many distinct ones are paired roughly
constexpr int kRefinedAlignments = 3;   // alignments refined and scored
constexpr int kMinVotes = 8;            // fewer in all: not the same finger
constexpr float kUsualRotation = 1.05f; // radians, 60 degrees between two placements
// An alignment whose anchor fewer candidates agree with than this share of the
// best anchor's consensus is seldom the finger's own: once the refined pass has
// kRefinedAlignments to choose from, the rough pass stops at the first such.
constexpr float kLeadShare = 0.7f;
// The first look, taken where the other minutiae cast a good part of the votes
// (the pairs of strongest minutiae, MatchTemplate::strongest, at most
// kFirstLookShare of all pairs): from the votes between the strongest minutiae
// of both prints alone, the reference is rejected at once unless the best of
// their candidates reaches a consensus of kFirstConsensus and the ridge
// directions agree from kFirstAgreement under one of the first kFirstAnchors
// distinct alignments of those that reach it. Two thirds to four fifths of the
// other fingers that take it end there (generated prints, DB3), for the price of
// the strongest minutiae's votes.
constexpr float kFirstLookShare = 0.6f;
constexpr float kFirstConsensus = 1.5f;
constexpr float kFirstAgreement = 0.65f;
constexpr int kFirstAnchors = 2;
// Scores vanish below an agreement of 0.6, but an alignment taken from one pair is
// rougher than a refined one: the alignment most candidates agree with must
// reach kSeedAgreement, or the reference is rejected at once ...
constexpr float kSeedAgreement = 0.5f;
// ... and an alignment is refined and scored only from kRefineAgreement (where
// the direction factor would keep less than a tenth of its score anyway).
constexpr float kRefineAgreement = 0.7f;

// Adds item to items[0, count), kept best first by key and at most `capacity`
// long; an item no better than the last of a full list is left out.
template <typename T, typename Key>
void keepBest(T* items, int& count, int capacity, const T& item, Key key)
{
    if (count == capacity && key(item) <= key(items[capacity - 1]))
        return;
    int at = count < capacity ? count++ : capacity - 1;
    while (at > 0 && key(items[at - 1]) < key(item)) {
        items[at] = items[at - 1];
        --at;
    }
    items[at] = item;
}

// Whether two alignments taken from one pair each are (nearly) the same.
bool sameAlignment(const Motion& a, const Motion& b)
{
    return angleGap(a.rotation, b.rotation) < 0.1f && std::abs(a.tx - b.tx) < 8.0f &&
           std::abs(a.ty - b.ty) < 8.0f;
}

// The candidate pairs of the votes cast so far, weighed, the anchors in order of
// consensus; returns how many.
int weighCandidates(const MatchTemplate& q, const MatchTemplate& r, const std::uint8_t* votes,
                    Seed* seeds)
{
    const int count = pickSeeds(votes, static_cast<int>(q.points.size()),
                                static_cast<int>(r.points.size()), seeds);
    weighConsensus(q, r, seeds, count, kAnchorSeeds);
    // The alignments most candidates agree with come first. Only the anchors have
    // a consensus (the others, 0, stay behind them), so only they are ordered, by
    // a stable insertion sort: twenty at most, and no buffer to allocate.
    for (int k = 1; k < std::min(count, kAnchorSeeds); ++k)
        for (int at = k; at > 0 && seeds[at - 1].consensus < seeds[at].consensus; --at)
            std::swap(seeds[at - 1], seeds[at]);
    return count;
}

// The first look (see kFirstLookShare), on the candidates of the strongest
// minutiae's votes.
bool strongestAgree(const PreparedTemplate& prepared, const MatchTemplate& r, const Seed* seeds,
                    int count)
{
    const MatchTemplate& q = prepared.templ;
    Motion tried[kFirstAnchors];
    int triedCount = 0;
    for (int k = 0; k < std::min(count, kAnchorSeeds) && triedCount < kFirstAnchors &&
                    seeds[k].consensus >= kFirstConsensus;
         ++k) {
        const Motion m = motionFromPair(q.points[seeds[k].query], r.points[seeds[k].reference]);
        if (std::any_of(tried, tried + triedCount,
                        [&](const Motion& t) { return sameAlignment(t, m); }))
            continue;
        tried[triedCount++] = m;
        if (directionsAgree(prepared.directions, r, m, kFirstAgreement))
            return true;
    }
    return false;
}

} // namespace

int matchTemplates(const PreparedTemplate& prepared, const MatchTemplate& reference,
                   MatchScratch& s, std::vector<MatchPair>& pairs, MatchDetail* detail)
{
    pairs.clear();
    MatchDetail local;
    MatchDetail& out = detail ? *detail : local;
    out = {};
    out.endedEarly = true; // until the pairing starts
    const MatchTemplate& query = prepared.templ;
    const int nq = static_cast<int>(query.points.size());
    const int nr = static_cast<int>(reference.points.size());
    if (nq < 3 || nr < 3)
        return 0;
    // Padded with zeros to whole 16-byte groups for pickSeeds.
    s.votes.assign((static_cast<std::size_t>(nq) * nr + 15) & ~std::size_t{15}, 0);
    Seed seeds[kCandidateSeeds];
    if (static_cast<float>(query.strongest.size() * reference.strongest.size()) <=
        kFirstLookShare * static_cast<float>(nq * nr)) {
        out.votes = prepared.edges.voteStrongest(reference, s.votes.data(), nr);
        if (!strongestAgree(prepared, reference, seeds,
                            weighCandidates(query, reference, s.votes.data(), seeds)))
            return 0;
        out.votes += prepared.edges.voteRest(reference, s.votes.data(), nr);
    } else {
        out.votes = prepared.edges.vote(reference, s.votes.data(), nr);
    }
    if (out.votes < kMinVotes)
        return 0;
    const int seedCount = weighCandidates(query, reference, s.votes.data(), seeds);
    // Too little agreement among the candidates: not the same finger. Neither is
    // it when the alignment most of them agree with turns the ridges across each other.
    if (seedCount == 0 || seeds[0].consensus < kMinConsensus ||
        !directionsAgree(
            prepared.directions, reference,
            motionFromPair(query.points[seeds[0].query], reference.points[seeds[0].reference]),
            kSeedAgreement))
        return 0;
    out.endedEarly = false;

    // First pass: the distinct alignments of the best-voted anchors, most agreed
    // with first, each paired once around its anchor; the few with the most
    // supported pairs go on to the refined, scored pass.
    struct Alignment
    {
        Motion motion;
        float ax, ay; // anchor in the query
        float supported;
    };
    Alignment kept[kRefinedAlignments];
    int keptCount = 0;
    Motion tried[kRoughAlignments];
    int triedCount = 0;
    for (int k = 0; k < seedCount && triedCount < kRoughAlignments; ++k) {
        const Seed& seed = seeds[k];
        if (seed.rank >= kAnchorSeeds)
            continue;
        // The anchors come in order of consensus: all those left agree less.
        if (triedCount >= kRefinedAlignments && seed.consensus < kLeadShare * seeds[0].consensus)
            break;
        const MatchPoint& anchor = query.points[seed.query];
        const Motion first = motionFromPair(anchor, reference.points[seed.reference]);
        // Seeds of one alignment give (nearly) the same pairing: try it once.
        const bool seen = std::any_of(tried, tried + triedCount,
                                      [&](const Motion& m) { return sameAlignment(m, first); });
        if (seen)
            continue;
        tried[triedCount++] = first;
        const float n =
            quickSupport(prepared, reference, first, anchor.x, anchor.y, s.votes.data(), nr);
        if (n >= kMinSupported)
            keepBest(kept, keptCount, kRefinedAlignments, Alignment{first, anchor.x, anchor.y, n},
                     [](const Alignment& a) { return a.supported; });
    }

    int best = 0;
    for (int k = 0; k < keptCount; ++k) {
        // Spread the alignment error over all pairs instead of the anchor alone.
        Motion motion = kept[k].motion;
        if (!directionsAgree(prepared.directions, reference, motion, kRefineAgreement))
            continue;
        pairMinutiae(prepared, reference, motion, kept[k].ax, kept[k].ay, s.pairing, s.found);
        if (s.found.size() >= 3) {
            const Motion refined = fitMotion(query, reference, s.found);
            float cx = 0, cy = 0;
            for (const MatchPair& p : s.found) {
                cx += query.points[p.query].x;
                cy += query.points[p.query].y;
            }
            cx /= static_cast<float>(s.found.size());
            cy /= static_cast<float>(s.found.size());
            pairMinutiae(prepared, reference, refined, cx, cy, s.pairing, s.again);
            if (s.again.size() >= s.found.size()) {
                s.found.swap(s.again);
                motion = refined;
            }
        }
        const float n = supportedPairs(query, reference, s.found, s.votes.data(), nr, s.queryOf);
        MatchDetail d = out;
        int score = scorePairing(prepared, reference, motion, n, d);
        // Fingers are put on the reader roughly upright: a placement turned
        // further than kUsualRotation must show twice the evidence.
        if (angleGap(motion.rotation, 0.0f) > kUsualRotation)
            score /= 2;
        if (score > best || pairs.empty()) {
            best = score;
            pairs = s.found;
            d.pairs = static_cast<int>(s.found.size());
            d.supported = n;
            d.rotation = motion.rotation;
            out = d;
        }
    }
    return best;
}

} // namespace fp
