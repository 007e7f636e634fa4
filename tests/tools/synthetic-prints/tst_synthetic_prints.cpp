// The generated pictures: repeatable from their seed, different from finger
// to finger, shaped like fingerprints, and touches of one finger alike.

#include "Finger.h"
#include "Impression.h"
#include "PrintAnalysis.h"

#include <map>
#include <QtTest>
#include <tuple>

using namespace synth;

namespace {

// Growing a finger takes a moment: each one is made once for all the tests.
const Finger& finger(std::uint64_t seed, int number, int width = 288, int height = 384)
{
    static std::map<std::tuple<std::uint64_t, int, int, int>, Finger> cache;
    const auto key = std::make_tuple(seed, number, width, height);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, makeFinger(seed, number, width, height)).first;
    return it->second;
}

double meanAbsoluteDifference(const GrayPicture& a, const GrayPicture& b)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        sum += std::abs(static_cast<int>(a.pixels[i]) - static_cast<int>(b.pixels[i]));
    return sum / static_cast<double>(a.pixels.size());
}

} // namespace

class TestSyntheticPrints : public QObject
{
    Q_OBJECT

private slots:
    void sameSeedGivesSameBytes_data();
    void sameSeedGivesSameBytes();
    void anyChangeOfNumberChangesThePicture_data();
    void anyChangeOfNumberChangesThePicture();
    void picturesLookLikeFingerprints_data();
    void picturesLookLikeFingerprints();
    void touchesOfOneFingerAlignBetterThanOtherFingers();
};

void TestSyntheticPrints::sameSeedGivesSameBytes_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("impression");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("first finger, default size") << quint64(7) << 1 << 1 << 288 << 384;
    QTest::newRow("later finger and touch") << quint64(7) << 5 << 3 << 288 << 384;
    QTest::newRow("other size") << quint64(123456789) << 2 << 2 << 240 << 320;
}

void TestSyntheticPrints::sameSeedGivesSameBytes()
{
    QFETCH(quint64, seed);
    QFETCH(int, number);
    QFETCH(int, impression);
    QFETCH(int, width);
    QFETCH(int, height);
    // Two fingers made independently, not the cached one.
    const Finger first = makeFinger(seed, number, width, height);
    const Finger second = makeFinger(seed, number, width, height);
    const GrayPicture a = makeImpression(first, impression).picture;
    const GrayPicture b = makeImpression(second, impression).picture;
    QCOMPARE(a.width, width);
    QCOMPARE(a.height, height);
    QCOMPARE(a.pixels.size(), std::size_t(width) * height);
    QVERIFY(a.pixels == b.pixels);
    QVERIFY(first.master.values == second.master.values);
}

void TestSyntheticPrints::anyChangeOfNumberChangesThePicture_data()
{
    QTest::addColumn<quint64>("seedA");
    QTest::addColumn<int>("fingerA");
    QTest::addColumn<int>("impressionA");
    QTest::addColumn<quint64>("seedB");
    QTest::addColumn<int>("fingerB");
    QTest::addColumn<int>("impressionB");
    QTest::newRow("other finger") << quint64(1) << 1 << 1 << quint64(1) << 2 << 1;
    QTest::newRow("far finger") << quint64(1) << 1 << 1 << quint64(1) << 1001 << 1;
    QTest::newRow("other seed") << quint64(1) << 1 << 1 << quint64(2) << 1 << 1;
    QTest::newRow("other touch") << quint64(1) << 1 << 1 << quint64(1) << 1 << 2;
}

void TestSyntheticPrints::anyChangeOfNumberChangesThePicture()
{
    QFETCH(quint64, seedA);
    QFETCH(int, fingerA);
    QFETCH(int, impressionA);
    QFETCH(quint64, seedB);
    QFETCH(int, fingerB);
    QFETCH(int, impressionB);
    const GrayPicture a = makeImpression(finger(seedA, fingerA), impressionA).picture;
    const GrayPicture b = makeImpression(finger(seedB, fingerB), impressionB).picture;
    const double difference = meanAbsoluteDifference(a, b);
    qInfo("mean grey difference %.1f", difference);
    QVERIFY2(difference > 15, qPrintable(QString::number(difference)));
}

void TestSyntheticPrints::picturesLookLikeFingerprints_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("impression");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    for (int number = 1; number <= 6; ++number)
        for (int impression = 1; impression <= 2; ++impression)
            QTest::addRow("seed 11 finger %d touch %d", number, impression)
                << quint64(11) << number << impression << 288 << 384;
    QTest::newRow("seed 4242 finger 9") << quint64(4242) << 9 << 4 << 288 << 384;
    QTest::newRow("240x320") << quint64(5) << 1 << 1 << 240 << 320;
    QTest::newRow("400x400") << quint64(5) << 2 << 1 << 400 << 400;
}

void TestSyntheticPrints::picturesLookLikeFingerprints()
{
    QFETCH(quint64, seed);
    QFETCH(int, number);
    QFETCH(int, impression);
    QFETCH(int, width);
    QFETCH(int, height);
    const GrayPicture picture =
        makeImpression(finger(seed, number, width, height), impression).picture;
    const PrintStats stats = printStats(picture);
    const double period = ridgePeriod(picture, stats.centreX, stats.centreY);
    qInfo("foreground %.2f, period %.1f px, print grey %.0f +- %.0f, background %.0f",
          stats.foreground, period, stats.printMean, stats.printSpread, stats.backgroundMean);
    // The finger covers most of the picture but leaves some empty reader.
    QVERIFY2(stats.foreground > 0.35 && stats.foreground < 0.97,
             qPrintable(QString::number(stats.foreground)));
    // Ridges about 9 pixels apart at 500 dpi.
    QVERIFY2(period >= 7 && period <= 12, qPrintable(QString::number(period)));
    // Mid-grey print with strong ridge contrast on a lighter ground.
    QVERIFY2(stats.printMean > 60 && stats.printMean < 210,
             qPrintable(QString::number(stats.printMean)));
    QVERIFY2(stats.printSpread > 25, qPrintable(QString::number(stats.printSpread)));
    QVERIFY2(stats.backgroundMean > stats.printMean + 20,
             qPrintable(QString::number(stats.backgroundMean)));
}

void TestSyntheticPrints::touchesOfOneFingerAlignBetterThanOtherFingers()
{
    constexpr std::uint64_t seed = 3;
    constexpr int fingers = 4;
    std::vector<double> genuine;
    std::vector<double> impostor;
    for (int f = 1; f <= fingers; ++f) {
        const GrayPicture first = makeImpression(finger(seed, f), 1).picture;
        for (int impression = 2; impression <= 3; ++impression)
            genuine.push_back(
                bestAlignedCorrelation(first, makeImpression(finger(seed, f), impression).picture));
        for (int other = 1; other <= fingers; ++other)
            if (other != f)
                impostor.push_back(
                    bestAlignedCorrelation(first, makeImpression(finger(seed, other), 2).picture));
    }
    const double worstGenuine = *std::min_element(genuine.begin(), genuine.end());
    const double bestImpostor = *std::max_element(impostor.begin(), impostor.end());
    QString g, i;
    for (double v : genuine)
        g += QString::number(v, 'f', 2) + QLatin1Char(' ');
    for (double v : impostor)
        i += QString::number(v, 'f', 2) + QLatin1Char(' ');
    qInfo("same finger: %s\nother fingers: %s", qPrintable(g), qPrintable(i));
    QVERIFY2(worstGenuine > bestImpostor,
             qPrintable(QStringLiteral("%1 <= %2").arg(worstGenuine).arg(bestImpostor)));
}

QTEST_APPLESS_MAIN(TestSyntheticPrints)
#include "tst_synthetic_prints.moc"
