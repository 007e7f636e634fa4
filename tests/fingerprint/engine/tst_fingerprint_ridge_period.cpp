// The ridge period read from drawn ridge patterns. On some sensors wide ridges
// show pores along their centre, and the grey profile across the ridges then has
// two small maxima per ridge: read naively, the period comes out at a fraction of
// the true one and the enhancement makes two ridges of one.

#include "Orientation.h"
#include "Plane.h"
#include "RidgeFrequency.h"
#include "Segmentation.h"

#include <cmath>
#include <numbers>
#include <QtTest>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Straight parallel ridges (positive) of the given period and direction, each
// with a groove of `groove` (share of the ridge height) along its centre.
fp::Plane drawRidges(int size, float period, float degrees, float groove)
{
    fp::Plane plane(size, size);
    const float a = degrees * kPi / 180;
    const float nx = -std::sin(a), ny = std::cos(a); // across the ridges
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float t = (static_cast<float>(x) * nx + static_cast<float>(y) * ny) / period;
            const float phase = t - std::round(t); // -0.5 .. 0.5, 0 at a ridge centre
            const float ridge = std::cos(2 * kPi * phase);
            const float centre = std::exp(-phase * phase / (2 * 0.08f * 0.08f));
            plane.at(x, y) = ridge - 2 * groove * centre;
        }
    return plane;
}

fp::ForegroundMask wholePlane(const fp::Plane& plane)
{
    fp::ForegroundMask mask;
    mask.cols = plane.width / mask.cell;
    mask.rows = plane.height / mask.cell;
    mask.inside.assign(static_cast<std::size_t>(mask.cols) * mask.rows, 1);
    return mask;
}

} // namespace

class RidgePeriodTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void periodOfDrawnRidges_data();
    void periodOfDrawnRidges();
};

void RidgePeriodTest::periodOfDrawnRidges_data()
{
    QTest::addColumn<float>("period");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<float>("groove");
    QTest::newRow("fine ridges") << 7.0f << 20.0f << 0.0f;
    QTest::newRow("usual ridges") << 9.0f << 95.0f << 0.0f;
    QTest::newRow("wide ridges") << 12.0f << 140.0f << 0.0f;
    QTest::newRow("usual ridges, pored") << 10.0f << 30.0f << 0.5f;
    QTest::newRow("wide ridges, pored") << 12.0f << 60.0f << 0.4f;
    QTest::newRow("wide ridges, deeply pored") << 13.0f << 170.0f << 0.5f;
}

void RidgePeriodTest::periodOfDrawnRidges()
{
    QFETCH(float, period);
    QFETCH(float, degrees);
    QFETCH(float, groove);
    const fp::Plane plane = drawRidges(256, period, degrees, groove);
    const fp::OrientationField orientation = fp::computeOrientation(plane);
    const fp::RidgePeriod read = fp::computeRidgePeriod(plane, orientation, wholePlane(plane));
    QVERIFY2(std::abs(read.median - period) <= 1.0f, qPrintable(QString::number(read.median)));
    // The period steers the filters everywhere, not only on average.
    const float inner = read.at(128, 128);
    QVERIFY2(std::abs(inner - period) <= 1.5f, qPrintable(QString::number(inner)));
}

QTEST_GUILESS_MAIN(RidgePeriodTest)
#include "tst_fingerprint_ridge_period.moc"
