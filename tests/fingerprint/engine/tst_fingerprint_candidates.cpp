// The first stages of a comparison, which run sixteen or four lanes at a time,
// against plain loops over the same minutiae: the edge votes against every pair
// of neighbourhood edges, the consensus of the candidate pairs against the rule
// applied to one pair of candidates at a time, the raster of near points against
// the distances themselves, the quick direction check against the cells one by
// one.

#include "Alignment.h"
#include "AreaComparison.h"
#include "CandidatePairs.h"
#include "EdgeIndex.h"
#include "LocalStructures.h"
#include "PointIndex.h"
#include "PreparedTemplate.h"
#include "TemplateFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <QtTest>
#include <random>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Template contents with minutiae at random over width x height pixels.
fp::TemplateData randomPrint(unsigned seed, int count, int width, int height)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> x(0, width - 1), y(0, height - 1), type(0, 1);
    std::uniform_real_distribution<float> angle(0, 2 * kPi);
    fp::TemplateData d;
    d.width = width;
    d.height = height;
    d.areaCols = (width + d.areaCell - 1) / d.areaCell;
    d.areaRows = (height + d.areaCell - 1) / d.areaCell;
    d.area.assign(static_cast<std::size_t>(d.areaCols) * d.areaRows, 1);
    for (int i = 0; i < count; ++i)
        d.minutiae.push_back({x(rng), y(rng), angle(rng), type(rng), 80});
    return d;
}

// Ridge directions over a print's area: random codes, a share of them unclear,
// and a share of the cells off the finger.
void scatterDirections(fp::TemplateData& d, unsigned seed, int unclearPercent, int offPercent)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> code(0, fp::kDirectionSteps - 1), percent(0, 99);
    d.directions.resize(d.area.size());
    for (std::size_t i = 0; i < d.area.size(); ++i) {
        d.directions[i] =
            static_cast<std::uint8_t>(percent(rng) < unclearPercent ? fp::kNoDirection : code(rng));
        d.area[i] = percent(rng) < offPercent ? 0 : 1;
    }
}

fp::Motion motionOf(float degrees, float dx, float dy)
{
    fp::Motion m;
    m.rotation = degrees * kPi / 180;
    m.cos = std::cos(m.rotation);
    m.sin = std::sin(m.rotation);
    m.tx = dx;
    m.ty = dy;
    return m;
}

// The same minutiae turned by `degrees` about the print's centre and shifted,
// each then moved by up to `jitter` pixels and turned by up to `jitter` degrees
// more (skin stretches), those that leave the print dropped, followed by
// `extra` random ones.
fp::TemplateData placedAgain(const fp::TemplateData& print, float degrees, int dx, int dy,
                             int jitter, int extra, unsigned seed)
{
    fp::TemplateData moved = randomPrint(seed, extra, print.width, print.height);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> wobble(-jitter, jitter);
    const float a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
    const float cx = static_cast<float>(print.width) / 2, cy = static_cast<float>(print.height) / 2;
    std::vector<fp::Minutia> kept;
    for (const fp::Minutia& m : print.minutiae) {
        const float x =
            cx + c * (static_cast<float>(m.x) - cx) - s * (static_cast<float>(m.y) - cy);
        const float y =
            cy + s * (static_cast<float>(m.x) - cx) + c * (static_cast<float>(m.y) - cy);
        fp::Minutia n = m;
        n.x = static_cast<int>(std::lround(x)) + dx + wobble(rng);
        n.y = static_cast<int>(std::lround(y)) + dy + wobble(rng);
        n.angle =
            std::fmod(m.angle + a + static_cast<float>(wobble(rng)) * kPi / 180 + 4 * kPi, 2 * kPi);
        if (n.x >= 0 && n.y >= 0 && n.x < print.width && n.y < print.height)
            kept.push_back(n);
    }
    moved.minutiae.insert(moved.minutiae.begin(), kept.begin(), kept.end());
    return moved;
}

fp::MatchTemplate decoded(const fp::TemplateData& data)
{
    fp::MatchTemplate t;
    if (!fp::buildMatchTemplate(fp::encodeTemplate(data), t))
        qFatal("the test's template does not encode");
    return t;
}

int byteGap(std::uint8_t a, std::uint8_t b)
{
    return std::abs(static_cast<std::int8_t>(a - b));
}

// Votes by the rule itself: a reference edge agrees with a query edge when its
// distance lies within 5 px + 8 % of the query edge's, its bearing within 18
// degrees and its neighbour's direction within 22 degrees (in 1/256 turns).
std::vector<std::uint8_t> plainVotes(const fp::MatchTemplate& q, const fp::MatchTemplate& r)
{
    const int nq = static_cast<int>(q.points.size()), nr = static_cast<int>(r.points.size());
    std::vector<std::uint8_t> votes(static_cast<std::size_t>(nq) * nr, 0);
    for (int i = 0; i < nq; ++i)
        for (int a = 0; a < q.edgeCount[i]; ++a) {
            const fp::Edge& eq = q.edges[i * fp::kNeighbours + a];
            const int tolerance = 5 + eq.distance * 2 / 25;
            for (int j = 0; j < nr; ++j)
                for (int b = 0; b < r.edgeCount[j]; ++b) {
                    const fp::Edge& er = r.edges[j * fp::kNeighbours + b];
                    if (std::abs(er.distance - eq.distance) <= tolerance &&
                        byteGap(eq.bearing, er.bearing) <= 13 &&
                        byteGap(eq.direction, er.direction) <= 16)
                        ++votes[i * nr + j];
                }
        }
    return votes;
}

// Consensus by the rule, one pair of candidates at a time.
float plainConsensus(const fp::MatchTemplate& q, const fp::MatchTemplate& r, const fp::Seed* seeds,
                     int count, int a)
{
    const fp::MatchPoint& anchor = q.points[seeds[a].query];
    const fp::Motion m = fp::motionFromPair(anchor, r.points[seeds[a].reference]);
    float weight = fp::voteWeight(seeds[a].votes);
    for (int b = 0; b < count; ++b) {
        if (seeds[b].query == seeds[a].query || seeds[b].reference == seeds[a].reference)
            continue;
        const fp::MatchPoint& qp = q.points[seeds[b].query];
        const fp::MatchPoint& rp = r.points[seeds[b].reference];
        float x, y;
        m.apply(rp.x, rp.y, x, y);
        const float tolerance = fp::placeTolerance(x, y, anchor.x, anchor.y);
        const float dx = qp.x - x, dy = qp.y - y;
        if (dx * dx + dy * dy <= tolerance * tolerance &&
            fp::turnGap(qp.turn, static_cast<std::uint8_t>(rp.turn + m.turn)) <=
                fp::kAngleToleranceTurns)
            weight += fp::voteWeight(seeds[b].votes);
    }
    return weight;
}

// The print of this row and seed as the query, and a copy placed again.
struct PrintPair
{
    fp::PreparedTemplate query;
    fp::MatchTemplate reference;
};

PrintPair currentPair(unsigned seed)
{
    QFETCH(int, count);
    QFETCH(int, side);
    QFETCH(float, degrees);
    QFETCH(int, jitter);
    const fp::TemplateData print = randomPrint(seed, count, side, side);
    PrintPair p;
    if (!p.query.build(fp::encodeTemplate(print)))
        qFatal("the test's template does not encode");
    p.reference = decoded(placedAgain(print, degrees, 7, -5, jitter, count / 3, seed + 100));
    return p;
}

} // namespace

class FingerprintCandidatesTest : public QObject
{
    Q_OBJECT

private slots:
    void votesFollowTheRule_data();
    void votesFollowTheRule();
    void seedsAreTheBestVoted_data();
    void seedsAreTheBestVoted();
    void consensusFollowsTheRule_data();
    void consensusFollowsTheRule();
    void strongestAreTheBestQuality_data();
    void strongestAreTheBestQuality();
    void reachListsEveryNearPoint();
    void cellsUnderRowFollowTheLookup_data();
    void cellsUnderRowFollowTheLookup();
    void directionCheckJudgesEveryOtherCell_data();
    void directionCheckJudgesEveryOtherCell();
};

void FingerprintCandidatesTest::votesFollowTheRule_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("side");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<int>("jitter");
    // Dense prints fill the index's bins beyond one group of sixteen; turns
    // near half a circle wrap the directions; stretched copies put many pairs
    // near the edges of the tolerances.
    QTest::newRow("few minutiae") << 6 << 300 << 10.0f << 0;
    QTest::newRow("usual density") << 45 << 300 << -25.0f << 0;
    QTest::newRow("dense") << 120 << 220 << 4.0f << 0;
    QTest::newRow("turned half round") << 60 << 300 << 178.0f << 0;
    QTest::newRow("stretched") << 60 << 300 << 15.0f << 30;
    QTest::newRow("stretched, turned back") << 60 << 300 << -170.0f << 30;
}

void FingerprintCandidatesTest::votesFollowTheRule()
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const PrintPair p = currentPair(seed);
        const int nr = static_cast<int>(p.reference.points.size());
        std::vector<std::uint8_t> votes(p.query.templ.points.size() * nr, 0);
        const int cast = p.query.edges.vote(p.reference, votes.data(), nr);
        const std::vector<std::uint8_t> expected = plainVotes(p.query.templ, p.reference);
        QCOMPARE(votes, expected);
        QCOMPARE(cast, std::accumulate(expected.begin(), expected.end(), 0));
        // In two stages: first the cells of two strongest minutiae alone, then
        // the rest, to the same votes.
        std::vector<std::uint8_t> staged(votes.size(), 0);
        const int first = p.query.edges.voteStrongest(p.reference, staged.data(), nr);
        std::vector<bool> strongQ(p.query.templ.points.size()), strongR(p.reference.points.size());
        for (const std::uint8_t i : p.query.templ.strongest)
            strongQ[i] = true;
        for (const std::uint8_t j : p.reference.strongest)
            strongR[j] = true;
        for (std::size_t i = 0; i < strongQ.size(); ++i)
            for (int j = 0; j < nr; ++j)
                QCOMPARE(staged[i * nr + j], strongQ[i] && strongR[j] ? expected[i * nr + j] : 0);
        const int rest = p.query.edges.voteRest(p.reference, staged.data(), nr);
        QCOMPARE(staged, expected);
        QCOMPARE(first + rest, cast);
        // The pair-by-pair rule that the support of a pair relies on counts the same.
        const fp::MatchTemplate& q = p.query.templ;
        for (int i = 0; i < static_cast<int>(q.points.size()); ++i)
            for (int j = 0; j < nr; ++j) {
                int agreeing = 0;
                for (int a = 0; a < q.edgeCount[i]; ++a)
                    for (int b = 0; b < p.reference.edgeCount[j]; ++b)
                        agreeing += fp::edgesAgree(q.edges[i * fp::kNeighbours + a],
                                                   p.reference.edges[j * fp::kNeighbours + b]);
                QCOMPARE(agreeing, static_cast<int>(expected[i * nr + j]));
            }
    }
}

void FingerprintCandidatesTest::seedsAreTheBestVoted_data()
{
    QTest::addColumn<int>("nq");
    QTest::addColumn<int>("nr");
    QTest::addColumn<int>("most");    // votes drawn from 0..most ...
    QTest::addColumn<int>("percent"); // ... in this share of the cells, the rest 0
    // Ties at the cut decide which cells of equal votes are kept: the earlier.
    QTest::newRow("sparse, usual") << 45 << 40 << 8 << 20;
    QTest::newRow("every cell 2, all ties") << 30 << 30 << 2 << 100;
    QTest::newRow("fewer than the candidates") << 6 << 5 << 3 << 100;
    QTest::newRow("nothing above 1") << 40 << 40 << 1 << 100;
    QTest::newRow("up to the most a cell holds") << 90 << 70 << fp::kMaxCellVotes << 5;
    QTest::newRow("one reference minutia") << 120 << 1 << 6 << 60;
}

// The candidates are the cells of at least two votes, most votes first and the
// earlier cell first among equals, at most kCandidateSeeds of them.
void FingerprintCandidatesTest::seedsAreTheBestVoted()
{
    QFETCH(int, nq);
    QFETCH(int, nr);
    QFETCH(int, most);
    QFETCH(int, percent);
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const int cells = nq * nr;
        std::vector<std::uint8_t> votes((static_cast<std::size_t>(cells) + 15) / 16 * 16, 0);
        for (int c = 0; c < cells; ++c)
            if (static_cast<int>(random() % 100) < percent)
                votes[c] = static_cast<std::uint8_t>(random() % (most + 1));
        std::vector<int> expected;
        for (int c = 0; c < cells; ++c)
            if (votes[c] >= fp::kMinSeedVotes)
                expected.push_back(c);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](int a, int b) { return votes[a] > votes[b]; });
        expected.resize(std::min<std::size_t>(expected.size(), fp::kCandidateSeeds));
        fp::Seed seeds[fp::kCandidateSeeds];
        const int picked = fp::pickSeeds(votes.data(), nq, nr, seeds);
        QCOMPARE(picked, static_cast<int>(expected.size()));
        for (int k = 0; k < picked; ++k) {
            QCOMPARE(seeds[k].query * nr + seeds[k].reference, expected[k]);
            QCOMPARE(seeds[k].votes, static_cast<int>(votes[expected[k]]));
            QCOMPARE(seeds[k].rank, k);
        }
    }
}

void FingerprintCandidatesTest::consensusFollowsTheRule_data()
{
    votesFollowTheRule_data();
}

void FingerprintCandidatesTest::consensusFollowsTheRule()
{
    QFETCH(int, count);
    QFETCH(int, jitter);
    for (unsigned seed = 1; seed <= 8; ++seed) {
        const PrintPair p = currentPair(seed);
        const fp::PreparedTemplate& query = p.query;
        const fp::MatchTemplate& reference = p.reference;
        const int nq = static_cast<int>(query.templ.points.size());
        const int nr = static_cast<int>(reference.points.size());
        std::vector<std::uint8_t> votes((static_cast<std::size_t>(nq) * nr + 15) / 16 * 16, 0);
        query.edges.vote(reference, votes.data(), nr);
        fp::Seed seeds[fp::kCandidateSeeds];
        const int picked = fp::pickSeeds(votes.data(), nq, nr, seeds);
        // Only the best-voted candidates are weighed as alignments; all count for them.
        const int anchors = picked / 2;
        fp::weighConsensus(query.templ, reference, seeds, picked, anchors);
        for (int a = 0; a < picked; ++a)
            QCOMPARE(seeds[a].consensus,
                     a < anchors ? plainConsensus(query.templ, reference, seeds, picked, a) : 0.0f);
        // A copy of the print agrees with itself: the candidates it yields
        // support one alignment far beyond the bar of a weak consensus.
        if (count >= 45 && jitter == 0) {
            float best = 0;
            for (int a = 0; a < picked; ++a)
                best = std::max(best, seeds[a].consensus);
            QVERIFY2(best >= 5, qPrintable(QStringLiteral("best consensus %1").arg(best)));
        }
    }
}

// The raster of near points lists every query minutia within its reach of any
// place, up to the far edge and corner of the raster, where the rough pairing
// looks up its candidates.
void FingerprintCandidatesTest::strongestAreTheBestQuality_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("qualities"); // distinct quality values, few: many ties
    QTest::newRow("fewer than the strongest") << 20 << 100;
    QTest::newRow("exactly as many") << fp::kStrongestMinutiae << 100;
    QTest::newRow("many, mostly distinct") << 110 << 100;
    QTest::newRow("many, all but tied") << 90 << 3;
}

void FingerprintCandidatesTest::strongestAreTheBestQuality()
{
    QFETCH(int, count);
    QFETCH(int, qualities);
    fp::TemplateData print = randomPrint(7, count, 400, 400);
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> quality(0, qualities - 1);
    for (fp::Minutia& m : print.minutiae)
        m.quality = 20 + quality(rng);
    const fp::MatchTemplate t = decoded(print);
    const int n = static_cast<int>(t.points.size());
    // By the rule: best quality first, the earlier first among equals.
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return t.points[a].quality > t.points[b].quality; });
    const int strong = std::min(n, fp::kStrongestMinutiae);
    std::vector<std::uint8_t> expectedStrong(order.begin(), order.begin() + strong);
    std::vector<std::uint8_t> expectedOthers(order.begin() + strong, order.end());
    std::sort(expectedStrong.begin(), expectedStrong.end());
    std::sort(expectedOthers.begin(), expectedOthers.end());
    QCOMPARE(t.strongest, expectedStrong);
    QCOMPARE(t.others, expectedOthers);
}

void FingerprintCandidatesTest::reachListsEveryNearPoint()
{
    const fp::MatchTemplate print = decoded(randomPrint(7, 60, 300, 260));
    fp::PointReach reach;
    reach.build(print.points);
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> x(-10.0f, 330.0f), y(-10.0f, 290.0f);
    int looked = 0;
    for (int k = 0; k < 20000; ++k) {
        const float px = x(rng), py = y(rng);
        std::vector<int> listed;
        if (!reach.near(px, py, [&](int i) { listed.push_back(i); }))
            continue;
        ++looked;
        for (int i = 0; i < static_cast<int>(print.points.size()); ++i) {
            const float dx = print.points[i].x - px, dy = print.points[i].y - py;
            if (dx * dx + dy * dy <= fp::PointReach::kReach * fp::PointReach::kReach)
                QVERIFY2(
                    std::find(listed.begin(), listed.end(), i) != listed.end(),
                    qPrintable(
                        QStringLiteral("point %1 missing near %2, %3").arg(i).arg(px).arg(py)));
        }
    }
    QVERIFY(looked > 15000); // most places lie on the raster
}

void FingerprintCandidatesTest::cellsUnderRowFollowTheLookup_data()
{
    QTest::addColumn<float>("degrees");
    QTest::addColumn<float>("dx");
    QTest::addColumn<float>("dy");
    QTest::addColumn<int>("step");
    // Rows reaching past every side of the reference, odd row lengths for the
    // tail, every cell and every other.
    QTest::newRow("in place") << 0.0f << 0.0f << 0.0f << 1;
    QTest::newRow("turned and shifted") << 23.0f << 17.5f << -31.0f << 1;
    QTest::newRow("half round, every other") << 181.0f << 290.0f << 250.0f << 2;
    QTest::newRow("far out") << -70.0f << -200.0f << 120.0f << 2;
}

// The reference cells under a query row, four at a time, against the place of
// each cell's centre looked up one at a time.
void FingerprintCandidatesTest::cellsUnderRowFollowTheLookup()
{
    QFETCH(float, degrees);
    QFETCH(float, dx);
    QFETCH(float, dy);
    QFETCH(int, step);
    const fp::TemplateData query = randomPrint(1, 0, 300, 270);     // 19 x 17 cells
    const fp::TemplateData reference = randomPrint(2, 0, 250, 333); // 16 x 21 cells
    const fp::Motion m = motionOf(degrees, dx, dy);
    std::vector<int> under(fp::kMaxAreaCells);
    for (int cy = 0; cy < query.areaRows; cy += step) {
        fp::referenceCellsUnderRow(query, reference, m, cy, step, under.data());
        for (int cx = 0, k = 0; cx < query.areaCols; cx += step, ++k) {
            const float side = static_cast<float>(query.areaCell);
            float x, y;
            m.invert((static_cast<float>(cx) + 0.5f) * side, (static_cast<float>(cy) + 0.5f) * side,
                     x, y);
            QCOMPARE(under[k], reference.cellAt(x, y));
        }
    }
}

void FingerprintCandidatesTest::directionCheckJudgesEveryOtherCell_data()
{
    QTest::addColumn<float>("degrees");
    QTest::addColumn<float>("dx");
    QTest::addColumn<float>("dy");
    QTest::addColumn<int>("unclearPercent");
    QTest::newRow("in place") << 0.0f << 0.0f << 0.0f << 20;
    QTest::newRow("turned and shifted") << 23.0f << 17.5f << -31.0f << 20;
    QTest::newRow("half round") << 181.0f << 290.0f << 250.0f << 35;
    QTest::newRow("all clear") << -12.0f << 40.0f << 9.0f << 0;
    QTest::newRow("hardly anything clear") << 5.0f << 3.0f << -2.0f << 97;
    QTest::newRow("nothing in common") << 0.0f << 900.0f << 0.0f << 20;
}

// The quick direction check, from the query's samples, against the agreement
// worked out cell by cell: every other cell of every other row of the query
// where both prints are finger and clear, the mean of cos 2(dq - dr - rotation).
// Too few such cells (fewer than 8) pass whatever the bar.
void FingerprintCandidatesTest::directionCheckJudgesEveryOtherCell()
{
    QFETCH(float, degrees);
    QFETCH(float, dx);
    QFETCH(float, dy);
    QFETCH(int, unclearPercent);
    fp::TemplateData query = randomPrint(1, 0, 300, 270); // 19 x 17 cells: odd counts
    scatterDirections(query, 3, unclearPercent, 15);
    fp::MatchTemplate reference;
    reference.data = randomPrint(2, 0, 250, 333);
    scatterDirections(reference.data, 4, unclearPercent, 15);
    const fp::Motion m = motionOf(degrees, dx, dy);

    double sum = 0;
    int compared = 0;
    const float side = static_cast<float>(query.areaCell);
    for (int cy = 0; cy < query.areaRows; cy += 2)
        for (int cx = 0; cx < query.areaCols; cx += 2) {
            float x, y;
            m.invert((static_cast<float>(cx) + 0.5f) * side, (static_cast<float>(cy) + 0.5f) * side,
                     x, y);
            const int i = cy * query.areaCols + cx, j = reference.data.cellAt(x, y);
            if (query.area[i] == 0 || query.directions[i] == fp::kNoDirection || j < 0 ||
                reference.data.area[j] == 0 || reference.data.directions[j] == fp::kNoDirection)
                continue;
            const double between =
                (query.directions[i] - reference.data.directions[j]) * kPi / fp::kDirectionSteps;
            sum += std::cos(2 * (between - m.rotation));
            ++compared;
        }
    fp::DirectionSamples samples;
    samples.build(query);
    if (compared < 8) {
        QVERIFY(fp::directionsAgree(samples, reference, m, 2.0f));
        return;
    }
    const auto mean = static_cast<float>(sum / compared);
    QVERIFY2(fp::directionsAgree(samples, reference, m, mean - 1e-4f),
             qPrintable(QString::number(mean)));
    QVERIFY2(!fp::directionsAgree(samples, reference, m, mean + 1e-4f),
             qPrintable(QString::number(mean)));
}

QTEST_GUILESS_MAIN(FingerprintCandidatesTest)
#include "tst_fingerprint_candidates.moc"
