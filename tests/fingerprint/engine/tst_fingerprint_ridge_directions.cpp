// Ridge directions stored in the template and their part in the score, templates
// of the earlier version without them, and references prepared once for a gallery.

#include "Engine.h"
#include "SyntheticPrint.h"
#include "TemplateFormat.h"
#include "TemplateVersions.h"

#include <numbers>
#include <QtTest>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes templateOf(const SyntheticPrint& print)
{
    const fp::Extraction e = fp::extractTemplate(print.render());
    return e.quality >= 0 ? e.templ : Bytes{};
}

// The same finger placed again: turned, shifted, other sensor noise.
SyntheticPrint placedAgain(int finger)
{
    SyntheticPrint moved = syntheticFinger(finger);
    moved.rotation = 12 * std::numbers::pi_v<float> / 180;
    moved.shift = QPointF(14, -9);
    moved.noiseSeed += 50;
    return moved;
}

// The template re-encoded after `change` edits its decoded contents.
template <typename Change> Bytes edited(const Bytes& templ, Change&& change)
{
    fp::TemplateData data;
    if (!fp::decodeTemplate(templ, data))
        return {};
    change(data);
    return fp::encodeTemplate(data);
}

int scoreOf(const Bytes& query, const Bytes& reference)
{
    fp::PreparedQuery q;
    if (q.prepare(query) < 0)
        return -100;
    return q.score(reference);
}

} // namespace

class RidgeDirectionsTest : public QObject
{
    Q_OBJECT

private slots:
    void directionsSurviveEncoding();
    void directionsWeighTheScore_data();
    void directionsWeighTheScore();
    void versionOneTemplatesStillMatch();
    void preparedReferenceScoresAlike();
    void unpreparedReferenceRefuses();
};

void RidgeDirectionsTest::directionsSurviveEncoding()
{
    const Bytes t = templateOf(syntheticFinger(3));
    fp::TemplateData data;
    QVERIFY(fp::decodeTemplate(t, data));
    QCOMPARE(data.directions.size(), data.area.size());
    int clear = 0;
    for (std::size_t i = 0; i < data.area.size(); ++i) {
        if (!data.area[i])
            QCOMPARE(data.directions[i], fp::kNoDirection); // outside the finger: nothing stored
        else if (data.directions[i] != fp::kNoDirection)
            ++clear;
    }
    // A clean print has a clear direction over most of the finger.
    QVERIFY(clear * 4 >= std::count(data.area.begin(), data.area.end(), 1) * 3);
    QCOMPARE(fp::encodeTemplate(data), t);

    // Every direction code of every finger cell comes back as written.
    for (std::uint8_t code = 0; code <= fp::kNoDirection; ++code) {
        fp::TemplateData d = data;
        for (std::size_t i = 0; i < d.area.size(); ++i)
            if (d.area[i])
                d.directions[i] = static_cast<std::uint8_t>((code + i) % (fp::kNoDirection + 1));
        fp::TemplateData back;
        QVERIFY(fp::decodeTemplate(fp::encodeTemplate(d), back));
        QCOMPARE(back.directions, d.directions);
    }
}

void RidgeDirectionsTest::directionsWeighTheScore_data()
{
    QTest::addColumn<int>("turn"); // direction codes (12 degrees each) added to the reference's
    QTest::addColumn<bool>("match");
    QTest::newRow("directions as extracted") << 0 << true;
    QTest::newRow("turned 12 degrees") << 1 << true;
    QTest::newRow("turned 48 degrees") << 4 << false;
    QTest::newRow("turned 84 degrees") << 7 << false;
}

// Minutiae that pair up while the ridges around them run another way are not
// the same finger: the score follows the agreement of the directions.
void RidgeDirectionsTest::directionsWeighTheScore()
{
    QFETCH(int, turn);
    QFETCH(bool, match);
    const Bytes query = templateOf(syntheticFinger(4));
    const Bytes reference = templateOf(placedAgain(4));
    QVERIFY(!query.empty() && !reference.empty());
    const Bytes turned = edited(reference, [turn](fp::TemplateData& d) {
        for (std::uint8_t& code : d.directions)
            if (code != fp::kNoDirection)
                code = static_cast<std::uint8_t>((code + turn) % fp::kDirectionSteps);
    });
    QVERIFY(!turned.empty());
    const int original = scoreOf(query, reference);
    const int score = scoreOf(query, turned);
    QVERIFY2(fp::decide(score) == (match ? 1 : 0),
             qPrintable(QStringLiteral("%1 (as extracted %2)").arg(score).arg(original)));
    QVERIFY(score <= original);
    // Directions nobody could tell change nothing.
    const Bytes unclear = edited(reference, [](fp::TemplateData& d) {
        std::fill(d.directions.begin(), d.directions.end(), fp::kNoDirection);
    });
    QVERIFY(scoreOf(query, unclear) >= original);
}

// Templates enrolled before ridge directions were stored keep working, as query
// and as reference, against old and new templates.
void RidgeDirectionsTest::versionOneTemplatesStillMatch()
{
    const Bytes a = templateOf(syntheticFinger(5));
    const Bytes b = templateOf(placedAgain(5));
    const Bytes other = templateOf(syntheticFinger(6));
    const Bytes oldA = asVersionOne(a), oldB = asVersionOne(b);
    QVERIFY(!oldA.empty() && !oldB.empty());
    QVERIFY(oldA.size() < a.size());
    QCOMPARE(fp::decodeMinutiae(oldA).size(), fp::decodeMinutiae(a).size());
    QCOMPARE(fp::decide(scoreOf(oldA, oldB)), 1);
    QCOMPARE(fp::decide(scoreOf(a, oldB)), 1);
    QCOMPARE(fp::decide(scoreOf(oldA, b)), 1);
    QCOMPARE(fp::decide(scoreOf(oldA, other)), 0);
    // A version-1 header in front of version-2 contents (or the reverse) is refused.
    Bytes mislabelled = a;
    mislabelled[4] = 1;
    QVERIFY(scoreOf(a, mislabelled) < 0);
    Bytes relabelled = oldA;
    relabelled[4] = 2;
    QVERIFY(scoreOf(a, relabelled) < 0);
}

void RidgeDirectionsTest::preparedReferenceScoresAlike()
{
    std::vector<Bytes> templates;
    for (int finger = 1; finger <= 4; ++finger) {
        templates.push_back(templateOf(syntheticFinger(finger)));
        templates.push_back(templateOf(placedAgain(finger)));
    }
    std::vector<fp::PreparedReference> gallery(templates.size());
    for (std::size_t i = 0; i < templates.size(); ++i)
        QCOMPARE(gallery[i].prepare(templates[i]), 0);
    for (const Bytes& q : templates) {
        fp::PreparedQuery query;
        QCOMPARE(query.prepare(q), 0);
        for (std::size_t i = 0; i < templates.size(); ++i) {
            const int fromBytes = query.score(templates[i]);
            const auto pairsFromBytes = query.lastPairs().size();
            QCOMPARE(query.score(gallery[i]), fromBytes);
            QCOMPARE(query.lastPairs().size(), pairsFromBytes);
        }
    }
    // Moving a prepared reference keeps it.
    fp::PreparedQuery query;
    QCOMPARE(query.prepare(templates[0]), 0);
    const int expected = query.score(gallery[1]);
    fp::PreparedReference moved(std::move(gallery[1]));
    QCOMPARE(query.score(moved), expected);
    QVERIFY(query.score(gallery[1]) < 0);
}

void RidgeDirectionsTest::unpreparedReferenceRefuses()
{
    const Bytes t = templateOf(syntheticFinger(2));
    fp::PreparedQuery query;
    QCOMPARE(query.prepare(t), 0);
    fp::PreparedReference reference;
    QVERIFY(!reference.isPrepared());
    QVERIFY(query.score(reference) < 0);
    QCOMPARE(reference.prepare(t), 0);
    QVERIFY(query.score(reference) >= fp::defaultThreshold());
    // A failed prepare() leaves no earlier template behind.
    Bytes damaged = t;
    damaged[damaged.size() / 2] ^= 0x40;
    QVERIFY(reference.prepare(damaged) < 0);
    QVERIFY(!reference.isPrepared());
    QVERIFY(query.score(reference) < 0);
    fp::PreparedQuery unprepared;
    QCOMPARE(reference.prepare(t), 0);
    QVERIFY(unprepared.score(reference) < 0);
}

QTEST_MAIN(RidgeDirectionsTest)
#include "tst_fingerprint_ridge_directions.moc"
