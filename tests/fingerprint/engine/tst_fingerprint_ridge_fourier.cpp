// Ridge flow read from the local spectrum, on drawn ridges buried in specks. Some
// sensors show the ridges of a finger as scattered dark dots: the eye follows the
// ridges, but the gradients of the dots point every way, their coherence stays
// low, and minutiae judged by it alone are dropped. The energy of ridges lies in a
// narrow peak of the ridge frequency band, that of specks is spread over all of
// it, so the spectrum still reads the ridges' direction there; and noise without
// ridges must not look like ridges to it.

#include "Orientation.h"
#include "Plane.h"
#include "RidgeFourier.h"

#include <cmath>
#include <numbers>
#include <QtTest>
#include <random>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kSize = 192;
constexpr float kKeptMinutia = 0.2f; // the least coherence a minutia is kept with

// Faint ridges (height `faint`) of the given period and direction, when `period`
// > 0, with `dots` dark dots per 100 px on them; and `specks` specks of either sign
// per 100 px everywhere. Dots and specks are discs of radius 1.5 px and height 1.
fp::Plane speckledRidges(float period, float degrees, float faint, float dots, float specks,
                         unsigned seed)
{
    fp::Plane plane(kSize, kSize);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> position(0.0f, static_cast<float>(kSize));
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float a = degrees * kPi / 180;
    const float nx = -std::sin(a), ny = std::cos(a); // across the ridges
    auto disc = [&](float cx, float cy, float value) {
        for (int y = static_cast<int>(cy) - 2; y <= static_cast<int>(cy) + 2; ++y)
            for (int x = static_cast<int>(cx) - 2; x <= static_cast<int>(cx) + 2; ++x)
                if (plane.contains(x, y) && std::hypot(x - cx, y - cy) <= 1.5f)
                    plane.at(x, y) = value;
    };
    const int area = kSize * kSize;
    if (period > 0) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                plane.at(x, y) = faint * std::cos(2 * kPi * (x * nx + y * ny) / period);
        for (int i = 0; i < static_cast<int>(dots * area / 100); ++i) {
            const float x = position(random), y = position(random);
            const float ridge = std::cos(2 * kPi * (x * nx + y * ny) / period);
            if (ridge > 0.3f) // on a ridge: a dark dot (positive after normalisation)
                disc(x, y, 1.0f);
        }
    }
    for (int i = 0; i < static_cast<int>(specks * area / 100); ++i) {
        const float x = position(random), y = position(random);
        disc(x, y, unit(random) < 0.5f ? 1.0f : -1.0f);
    }
    return plane;
}

// Smallest angle between two ridge directions, in degrees.
float angleApart(float a, float b)
{
    float d = std::fmod(std::abs(a - b), kPi);
    return std::min(d, kPi - d) * 180 / kPi;
}

// The cells at least 32 px from the border.
template <typename Visit> void forInnerCells(const fp::OrientationField& field, Visit&& visit)
{
    const int margin = 32 / field.cell;
    for (int y = margin; y < field.rows - margin; ++y)
        for (int x = margin; x < field.cols - margin; ++x)
            visit(static_cast<std::size_t>(y) * field.cols + x);
}

} // namespace

class RidgeFourierTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void speckledRidgesRead_data();
    void speckledRidgesRead();
    void noiseWithoutRidges_data();
    void noiseWithoutRidges();
};

void RidgeFourierTest::speckledRidgesRead_data()
{
    QTest::addColumn<float>("period");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<float>("faint");
    QTest::addColumn<float>("dots");
    QTest::addColumn<float>("specks");
    QTest::newRow("fine ridges") << 7.0f << 30.0f << 0.5f << 0.0f << 6.0f;
    QTest::newRow("usual ridges") << 9.0f << 100.0f << 0.5f << 0.0f << 6.0f;
    QTest::newRow("wide ridges") << 12.0f << 65.0f << 0.5f << 0.0f << 6.0f;
    QTest::newRow("fine ridges, dotted") << 7.0f << 30.0f << 0.5f << 4.0f << 6.0f;
    QTest::newRow("usual ridges, dotted") << 9.0f << 100.0f << 0.5f << 4.0f << 6.0f;
}

void RidgeFourierTest::speckledRidgesRead()
{
    QFETCH(float, period);
    QFETCH(float, degrees);
    QFETCH(float, faint);
    QFETCH(float, dots);
    QFETCH(float, specks);
    const fp::Plane plane = speckledRidges(period, degrees, faint, dots, specks, 11);
    const fp::OrientationField field = fp::computeOrientation(plane);
    const fp::RidgeFourier spectrum =
        fp::computeRidgeFourier(plane, field.cell, field.cols, field.rows);
    const float ridge = degrees * kPi / 180;
    int cells = 0, rightDirection = 0, clear = 0;
    forInnerCells(field, [&](std::size_t i) {
        ++cells;
        const float read = 0.5f * std::atan2(spectrum.sin2[i], spectrum.cos2[i]);
        rightDirection += angleApart(read, ridge) <= 10 ? 1 : 0;
        clear += field.spectralCoherence[i] >= kKeptMinutia ? 1 : 0;
    });
    // Nearly everywhere the right direction, and clear enough to keep minutiae (the
    // gradients' coherence reaches that level in 45 to 75 % of these cells).
    QVERIFY2(rightDirection >= cells * 9 / 10,
             qPrintable(QStringLiteral("%1 of %2 cells").arg(rightDirection).arg(cells)));
    QVERIFY2(clear >= cells * 9 / 10,
             qPrintable(QStringLiteral("%1 of %2 cells").arg(clear).arg(cells)));
}

void RidgeFourierTest::noiseWithoutRidges_data()
{
    QTest::addColumn<float>("specks");
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("sparse specks") << 3.0f << 1u;
    QTest::newRow("dense specks") << 8.0f << 2u;
    QTest::newRow("dense specks, other draw") << 8.0f << 3u;
    QTest::newRow("blank") << 0.0f << 4u;
}

void RidgeFourierTest::noiseWithoutRidges()
{
    QFETCH(float, specks);
    QFETCH(unsigned, seed);
    const fp::Plane plane = speckledRidges(0, 0, 0, 0, specks, seed);
    const fp::OrientationField field = fp::computeOrientation(plane);
    int cells = 0, clear = 0;
    forInnerCells(field, [&](std::size_t i) {
        ++cells;
        clear += field.spectralCoherence[i] >= kKeptMinutia ? 1 : 0;
    });
    // Chance agreement of the windows' peaks may reach the level in a few spots.
    QVERIFY2(clear <= cells / 20,
             qPrintable(QStringLiteral("%1 of %2 cells").arg(clear).arg(cells)));
}

QTEST_GUILESS_MAIN(RidgeFourierTest)
#include "tst_fingerprint_ridge_fourier.moc"
