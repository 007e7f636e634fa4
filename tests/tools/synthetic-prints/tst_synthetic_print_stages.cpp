// The generator's stages on their own: pattern class shares, the turning of
// the ridges around cores and deltas, and the skin's hold around the contact centre.

#include "Finger.h"
#include "OrientationField.h"
#include "PatternClass.h"
#include "SkinDistortion.h"

#include <cmath>
#include <numbers>
#include <QtTest>

using namespace synth;

namespace {

constexpr double kPi = std::numbers::pi;

// Total turn of the ridge direction (in half turns) along a circle: +1 around
// a core, -1 around a delta, 0 around a plain area.
double poincareIndex(const OrientationModel& model, Point centre, float radius)
{
    constexpr int kSteps = 72;
    double total = 0;
    double previous = model.angle(centre.x + radius, centre.y);
    for (int i = 1; i <= kSteps; ++i) {
        const double a = 2 * kPi * i / kSteps;
        const double current = model.angle(centre.x + radius * static_cast<float>(std::cos(a)),
                                           centre.y + radius * static_cast<float>(std::sin(a)));
        double step = current - previous;
        step -= kPi * std::round(step / kPi); // directions are defined modulo pi
        total += step;
        previous = current;
    }
    return total / kPi;
}

} // namespace

class TestSyntheticPrintStages : public QObject
{
    Q_OBJECT

private slots:
    void patternClassesOccurAsInRealFingers();
    void ridgesTurnAroundSingularPoints_data();
    void ridgesTurnAroundSingularPoints();
    void skinHoldsStillAtTheContactCentre_data();
    void skinHoldsStillAtTheContactCentre();
};

void TestSyntheticPrintStages::patternClassesOccurAsInRealFingers()
{
    Rng rng(42);
    constexpr int kDraws = 40000;
    int counts[5] = {};
    for (int i = 0; i < kDraws; ++i)
        ++counts[static_cast<int>(randomPatternClass(rng))];
    for (int c = 0; c < 5; ++c) {
        const double share = static_cast<double>(counts[c]) / kDraws;
        QVERIFY2(
            std::abs(share - kPatternClassShares[c]) < 0.01,
            qPrintable(QStringLiteral("%1: %2").arg(patternClassName(PatternClass(c))).arg(share)));
    }
}

void TestSyntheticPrintStages::ridgesTurnAroundSingularPoints_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("deltas");
    QTest::newRow("arch") << int(PatternClass::Arch) << 0 << 0;
    QTest::newRow("tented arch") << int(PatternClass::TentedArch) << 1 << 1;
    QTest::newRow("left loop") << int(PatternClass::LeftLoop) << 1 << 1;
    QTest::newRow("right loop") << int(PatternClass::RightLoop) << 1 << 1;
    QTest::newRow("whorl") << int(PatternClass::Whorl) << 2 << 2;
}

void TestSyntheticPrintStages::ridgesTurnAroundSingularPoints()
{
    QFETCH(int, pattern);
    QFETCH(int, cores);
    QFETCH(int, deltas);
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Rng rng(seed);
        const FingerShape shape = FingerShape::random(288, 384, rng);
        const SingularPoints points = placeSingularPoints(PatternClass(pattern), shape, rng);
        QCOMPARE(int(points.cores.size()), cores);
        QCOMPARE(int(points.deltas.size()), deltas);
        const OrientationModel model =
            OrientationModel::random(PatternClass(pattern), shape, points, rng);
        for (const Point& core : points.cores)
            QCOMPARE(std::lround(poincareIndex(model, core, 3)), 1L);
        for (const Point& delta : points.deltas)
            QCOMPARE(std::lround(poincareIndex(model, delta, 3)), -1L);
        // Near the top of the finger the ridges run without any turn.
        const Point tip{shape.centreX, shape.top() + 15};
        QCOMPARE(std::lround(poincareIndex(model, tip, 8)), 0L);
        // Ridges at the tip run across the finger, not along it.
        const double across = std::abs(std::sin(model.angle(tip.x, tip.y)));
        QVERIFY2(across < 0.5, qPrintable(QString::number(across)));
    }
}

void TestSyntheticPrintStages::skinHoldsStillAtTheContactCentre_data()
{
    QTest::addColumn<quint64>("seed");
    for (quint64 seed : {1, 2, 3, 17, 99})
        QTest::addRow("seed %llu", seed) << seed;
}

void TestSyntheticPrintStages::skinHoldsStillAtTheContactCentre()
{
    QFETCH(quint64, seed);
    const Finger finger = makeFinger(seed, 1, 160, 200);
    Rng rng(seed);
    SkinPlacement placement = SkinPlacement::random(finger, rng);
    placement.dragX = 6; // make sure the outer skin moves
    SkinPlacement rigid = placement;
    rigid.twist = rigid.stretch = rigid.dragX = rigid.dragY = 0;

    // Picture points around the contact centre: find them through the rigid map.
    double innerMove = 0;
    double outerMove = 0;
    for (int y = 0; y < finger.height; y += 2) {
        for (int x = 0; x < finger.width; x += 2) {
            const Point r = rigid.toMaster(finger, float(x), float(y));
            const Point d = placement.toMaster(finger, float(x), float(y));
            const double move = std::hypot(d.x - r.x, d.y - r.y);
            const double fromCentre =
                std::hypot(r.x - placement.contactX, r.y - placement.contactY);
            if (fromCentre < placement.holdRadius)
                innerMove = std::max(innerMove, move);
            else if (fromCentre > placement.dragRadius)
                outerMove = std::max(outerMove, move);
        }
    }
    QCOMPARE(innerMove, 0.0);
    QVERIFY2(outerMove > 3, qPrintable(QString::number(outerMove)));
}

QTEST_APPLESS_MAIN(TestSyntheticPrintStages)
#include "tst_synthetic_print_stages.moc"
