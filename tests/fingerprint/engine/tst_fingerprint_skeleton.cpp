// Thinning of the binarised ridges: pores (small holes in a ridge) are filled
// before thinning, or each would leave a loop and two false bifurcations; specks
// of ridge alone in a valley are dropped, or each would leave a fragment with two
// false endings. Both hold next to the edges of the image as well as inside it.

#include "Skeleton.h"

#include <algorithm>
#include <QtTest>

namespace {

constexpr int kWidth = 64, kHeight = 45;
constexpr int kPeriod = 10; // ridges 5 px thick, rows 0-4, 10-14, ...

bool onRidge(int y)
{
    return y % kPeriod < 5;
}

fp::ForegroundMask wholeImage()
{
    fp::ForegroundMask mask;
    mask.cols = (kWidth + mask.cell - 1) / mask.cell;
    mask.rows = (kHeight + mask.cell - 1) / mask.cell;
    mask.inside.assign(static_cast<std::size_t>(mask.cols) * mask.rows, 1);
    return mask;
}

struct Spot
{
    int x, y, w, h; // a rectangle set to valley (in a ridge) or ridge (in a valley)
};

fp::Plane bands(const Spot& spot)
{
    fp::Plane plane(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const bool inSpot =
                x >= spot.x && x < spot.x + spot.w && y >= spot.y && y < spot.y + spot.h;
            plane.at(x, y) = onRidge(y) != inSpot ? 1.0f : -1.0f;
        }
    return plane;
}

int bifurcations(const fp::Skeleton& s)
{
    int count = 0;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            count += s.at(x, y) && fp::crossingNumber(s.neighbours(x, y)) == 3;
    return count;
}

int pixelsIn(const fp::Skeleton& s, const Spot& spot)
{
    int count = 0;
    for (int y = spot.y; y < spot.y + spot.h; ++y)
        for (int x = spot.x; x < spot.x + spot.w; ++x)
            count += s.at(x, y);
    return count;
}

} // namespace

class FingerprintSkeletonTest : public QObject
{
    Q_OBJECT

private slots:
    void poresAndSpecksDoNotReachTheSkeleton_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        // Ridges are rows 0-4, 10-14, ...; valleys 5-9, 15-19, ... A pore closed on
        // every side leaves a loop unless filled; a speck of 16 x 3 px thins to a
        // line long enough to outlive the pruning of short fragments.
        QTest::newRow("pore inside") << 30 << 21 << 2 << 3;
        QTest::newRow("pore next to the left edge") << 1 << 11 << 2 << 3;
        QTest::newRow("pore next to the top edge") << 40 << 1 << 3 << 2;
        QTest::newRow("speck inside") << 20 << 26 << 16 << 3;
        QTest::newRow("speck along the right edge") << 48 << 16 << 16 << 3;
        QTest::newRow("speck next to the bottom corner") << 47 << 36 << 16 << 3;
    }

    void poresAndSpecksDoNotReachTheSkeleton()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, w);
        QFETCH(int, h);
        const Spot spot{x, y, w, h};
        const fp::Skeleton s = fp::skeletonise(bands(spot), wholeImage(), kPeriod);
        QCOMPARE(bifurcations(s), 0);
        if (!onRidge(y))
            QCOMPARE(pixelsIn(s, spot), 0);
        // Every ridge keeps its centre line, across the image.
        for (int ridge = 0; ridge < kHeight; ridge += kPeriod) {
            int longest = 0, run = 0;
            for (int px = 0; px < kWidth; ++px) {
                bool any = false;
                for (int py = ridge; py < ridge + 5 && py < kHeight; ++py)
                    any = any || s.at(px, py);
                run = any ? run + 1 : 0;
                longest = std::max(longest, run);
            }
            QVERIFY2(longest > kWidth - 2 * kPeriod, qPrintable(QString::number(ridge)));
        }
    }
};

QTEST_GUILESS_MAIN(FingerprintSkeletonTest)
#include "tst_fingerprint_skeleton.moc"
