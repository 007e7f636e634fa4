// The product's fingerprint engine on generated prints: touches of one finger
// match each other and not other fingers' at the engine's default threshold.

#include "Engine.h"
#include "Finger.h"
#include "Impression.h"

#include <algorithm>
#include <limits>
#include <QtTest>
#include <vector>

using namespace synth;

namespace {

fp::GrayImage toEngineImage(const GrayPicture& picture)
{
    fp::GrayImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.dpi = 500;
    image.pixels = picture.pixels;
    return image;
}

struct Touch
{
    int finger = 0;
    fp::Extraction extraction;
};

struct Counts
{
    int pairs = 0;
    int matches = 0;
    int errors = 0;
    int lowest = std::numeric_limits<int>::max();
    int highest = -1;
    double rate() const { return pairs ? static_cast<double>(matches) / pairs : 0; }
    void add(int score)
    {
        ++pairs;
        if (score < 0) {
            ++errors; // an unusable print never matches
            return;
        }
        matches += fp::decide(score);
        lowest = std::min(lowest, score);
        highest = std::max(highest, score);
    }
};

} // namespace

class TestSyntheticPrintsMatching : public QObject
{
    Q_OBJECT

private slots:
    void touchesOfOneFingerMatchOnlyEachOther_data();
    void touchesOfOneFingerMatchOnlyEachOther();
};

void TestSyntheticPrintsMatching::touchesOfOneFingerMatchOnlyEachOther_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("default size") << quint64(21) << 288 << 384;
    QTest::newRow("240x320") << quint64(22) << 240 << 320;
}

void TestSyntheticPrintsMatching::touchesOfOneFingerMatchOnlyEachOther()
{
    QFETCH(quint64, seed);
    QFETCH(int, width);
    QFETCH(int, height);
    constexpr int kFingers = 6;
    constexpr int kTouches = 4;

    std::vector<Touch> touches;
    int unusable = 0;
    for (int f = 1; f <= kFingers; ++f) {
        const Finger finger = makeFinger(seed, f, width, height);
        for (int i = 1; i <= kTouches; ++i) {
            Touch touch{f, fp::extractTemplate(toEngineImage(makeImpression(finger, i).picture))};
            unusable += touch.extraction.quality < 0 ? 1 : 0;
            touches.push_back(std::move(touch));
        }
    }

    Counts genuine;
    Counts impostor;
    for (std::size_t a = 0; a < touches.size(); ++a) {
        fp::PreparedQuery query;
        const bool prepared =
            touches[a].extraction.quality >= 0 && query.prepare(touches[a].extraction.templ) == 0;
        for (std::size_t b = a + 1; b < touches.size(); ++b) {
            Counts& counts = touches[a].finger == touches[b].finger ? genuine : impostor;
            counts.add(prepared && touches[b].extraction.quality >= 0
                           ? query.score(touches[b].extraction.templ)
                           : -1);
        }
    }
    qInfo("%d fingers x %d touches, %d unusable; genuine %d/%d match (%.1f %%, scores %d..%d), "
          "impostor %d/%d match (%.2f %%, scores %d..%d), threshold %d",
          kFingers, kTouches, unusable, genuine.matches, genuine.pairs, 100 * genuine.rate(),
          genuine.lowest, genuine.highest, impostor.matches, impostor.pairs, 100 * impostor.rate(),
          impostor.lowest, impostor.highest, fp::defaultThreshold());
    QCOMPARE(unusable, 0);
    QCOMPARE(genuine.errors + impostor.errors, 0);
    // Every touch scores higher against its own finger than any other finger does.
    QVERIFY2(genuine.lowest > impostor.highest,
             qPrintable(QStringLiteral("%1 <= %2").arg(genuine.lowest).arg(impostor.highest)));
    QVERIFY2(genuine.rate() >= 0.9, qPrintable(QString::number(genuine.rate())));
    // Clean generated prints hold many minutiae, so chance pairs are many too:
    // the score discounts them and no other finger is accepted.
    QCOMPARE(impostor.matches, 0);
}

QTEST_APPLESS_MAIN(TestSyntheticPrintsMatching)
#include "tst_synthetic_prints_matching.moc"
