// The shared image filters, written for speed (rows filtered a tap at a time,
// sampling without bounds checks inside the image), against plain per-pixel
// versions: the results must be the same to the last bit, or templates of the
// same image would change with the build.

#include "Plane.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <QtTest>
#include <random>

namespace {

// Bit for bit: QCOMPARE would let floats differ in their last digits.
std::uint32_t bitsOf(float v)
{
    return std::bit_cast<std::uint32_t>(v);
}

fp::Plane randomPlane(int width, int height, unsigned seed)
{
    fp::Plane plane(width, height);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    for (float& v : plane.data)
        v = value(random);
    return plane;
}

float plainSample(const fp::Plane& p, float x, float y)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const float ax = x - fx, ay = y - fy;
    const float top = p.clampedAt(x0, y0) * (1 - ax) + p.clampedAt(x0 + 1, y0) * ax;
    const float bottom = p.clampedAt(x0, y0 + 1) * (1 - ax) + p.clampedAt(x0 + 1, y0 + 1) * ax;
    return top * (1 - ay) + bottom * ay;
}

// Each pixel's sum over its taps in order, borders extended; rows, then columns.
fp::Plane plainBlur(const fp::Plane& source, float sigma)
{
    const int radius = std::max(1, static_cast<int>(std::ceil(3.0f * sigma)));
    std::vector<float> kernel(2 * radius + 1);
    float total = 0;
    for (int i = -radius; i <= radius; ++i)
        total += kernel[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
    for (float& k : kernel)
        k /= total;
    fp::Plane rows = source;
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            float acc = 0;
            for (int k = -radius; k <= radius; ++k)
                acc += kernel[k + radius] * source.clampedAt(x + k, y);
            rows.at(x, y) = acc;
        }
    fp::Plane out = rows;
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            float acc = 0;
            for (int k = -radius; k <= radius; ++k)
                acc += kernel[k + radius] * rows.clampedAt(x, y + k);
            out.at(x, y) = acc;
        }
    return out;
}

} // namespace

class FingerprintPlaneFiltersTest : public QObject
{
    Q_OBJECT

private slots:
    void sampleMatchesPlainInterpolation_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::newRow("inside") << 10.3f << 7.8f;
        QTest::newRow("on a pixel") << 12.0f << 5.0f;
        QTest::newRow("just below a pixel") << 11.999999f << 4.999999f;
        QTest::newRow("last column and row") << 30.6f << 20.4f;
        QTest::newRow("right of the plane") << 31.5f << 3.2f;
        QTest::newRow("below the plane") << 4.2f << 21.7f;
        QTest::newRow("left, fraction") << -0.25f << 6.5f;
        QTest::newRow("above, far") << 8.5f << -7.75f;
        QTest::newRow("corner outside") << -3.5f << 40.25f;
        QTest::newRow("origin") << 0.0f << 0.0f;
    }

    void sampleMatchesPlainInterpolation()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        const fp::Plane plane = randomPlane(32, 22, 5);
        QCOMPARE(bitsOf(plane.sample(x, y)), bitsOf(plainSample(plane, x, y)));
    }

    void blurMatchesPlainFilter_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<float>("sigma");
        QTest::newRow("fine") << 37 << 29 << 1.0f;
        QTest::newRow("coarse on a small plane") << 23 << 41 << 3.0f;
        QTest::newRow("wider than the plane") << 5 << 4 << 2.0f;
        QTest::newRow("one row") << 17 << 1 << 1.5f;
    }

    void blurMatchesPlainFilter()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(float, sigma);
        const fp::Plane source = randomPlane(width, height, 11);
        fp::Plane fast = source;
        fp::gaussianBlur(fast, sigma);
        const fp::Plane plain = plainBlur(source, sigma);
        for (std::size_t i = 0; i < plain.data.size(); ++i)
            QCOMPARE(bitsOf(fast.data[i]), bitsOf(plain.data[i]));
    }
};

QTEST_GUILESS_MAIN(FingerprintPlaneFiltersTest)
#include "tst_fingerprint_plane_filters.moc"
