// Extraction, template contents and matching on prints drawn by the test itself.

#include "Engine.h"
#include "SyntheticPrint.h"

#include <cmath>
#include <numbers>
#include <QtTest>
#include <random>

Q_DECLARE_METATYPE(fp::GrayImage)

namespace {

fp::GrayImage filled(int width, int height, std::uint8_t grey)
{
    fp::GrayImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, grey);
    return image;
}

fp::GrayImage noise(int width, int height, unsigned seed)
{
    fp::GrayImage image = filled(width, height, 0);
    std::mt19937 random(seed);
    for (auto& p : image.pixels)
        p = static_cast<std::uint8_t>(random() & 0xff);
    return image;
}

std::vector<std::uint8_t> templateOf(const SyntheticPrint& print)
{
    const fp::Extraction e = fp::extractTemplate(print.render());
    return e.quality >= 0 ? e.templ : std::vector<std::uint8_t>{};
}

} // namespace

class FingerprintEngineTest : public QObject
{
    Q_OBJECT

private slots:
    void qualityCode_data();
    void qualityCode();
    void templateContents_data();
    void templateContents();
    void movedCopyMatches_data();
    void movedCopyMatches();
    void differentFingersDoNotMatch();
    void unpreparedQueryRefuses();
    void movedQueryKeepsItsTemplate();
};

void FingerprintEngineTest::qualityCode_data()
{
    QTest::addColumn<fp::GrayImage>("image");
    QTest::addColumn<bool>("usable");

    SyntheticPrint tiny = syntheticFinger(1);
    tiny.width = tiny.height = 60;
    tiny.minutiae.clear();
    fp::GrayImage shortBuffer = syntheticFinger(1).render();
    shortBuffer.pixels.resize(shortBuffer.pixels.size() - 1);
    SyntheticPrint fine = syntheticFinger(2);
    fine.scale = 2.0f; // 1000 dpi reader

    QTest::newRow("blank white") << filled(300, 300, 255) << false;
    QTest::newRow("blank black") << filled(300, 300, 0) << false;
    QTest::newRow("flat grey") << filled(400, 400, 128) << false;
    QTest::newRow("pure noise") << noise(300, 300, 5) << false;
    QTest::newRow("pure noise, large") << noise(480, 480, 6) << false;
    QTest::newRow("tiny print") << tiny.render() << false;
    QTest::newRow("no pixels") << fp::GrayImage{} << false;
    QTest::newRow("buffer shorter than the size") << shortBuffer << false;
    QTest::newRow("negative size") << fp::GrayImage{-5, 10, 500, {}} << false;
    QTest::newRow("print") << syntheticFinger(1).render() << true;
    QTest::newRow("print at 1000 dpi") << fine.render() << true;
}

void FingerprintEngineTest::qualityCode()
{
    QFETCH(fp::GrayImage, image);
    QFETCH(bool, usable);
    const fp::Extraction e = fp::extractTemplate(image);
    if (usable) {
        QVERIFY2(e.quality >= 0 && e.quality <= 2, qPrintable(QString::number(e.quality)));
        QVERIFY(!e.templ.empty());
    } else {
        QVERIFY2(e.quality < 0, qPrintable(QString::number(e.quality)));
        QVERIFY(e.templ.empty());
    }
}

void FingerprintEngineTest::templateContents_data()
{
    QTest::addColumn<int>("finger");
    QTest::addColumn<float>("scale");
    QTest::newRow("finger 1") << 1 << 1.0f;
    QTest::newRow("finger 2") << 2 << 1.0f;
    QTest::newRow("finger 3") << 3 << 1.0f;
    QTest::newRow("finger 4 at 1000 dpi") << 4 << 2.0f;
    QTest::newRow("finger 5 at 400 dpi") << 5 << 0.8f;
}

// The template holds the planted minutiae, in the source image's pixels.
void FingerprintEngineTest::templateContents()
{
    QFETCH(int, finger);
    QFETCH(float, scale);
    SyntheticPrint print = syntheticFinger(finger);
    print.scale = scale;
    const fp::GrayImage image = print.render();
    const fp::Extraction e = fp::extractTemplate(image);
    QVERIFY(e.quality >= 0);
    QVERIFY(e.templ.size() <= fp::kMaxTemplateSize);
    QVERIFY(e.templ.size() < 2000);

    const std::vector<fp::Minutia> minutiae = fp::decodeMinutiae(e.templ);
    QCOMPARE(static_cast<int>(minutiae.size()), static_cast<int>(e.templ[15]));
    for (const fp::Minutia& m : minutiae) {
        QVERIFY(m.x >= 0 && m.x < image.width && m.y >= 0 && m.y < image.height);
        QVERIFY(m.angle >= 0 && m.angle < 2 * std::numbers::pi_v<float>);
        QVERIFY(m.type == 0 || m.type == 1);
        QVERIFY(m.quality >= 0 && m.quality <= 100);
    }
    int found = 0;
    for (const QPointF& planted : print.minutiae) {
        const QPointF at = print.imagePoint(planted);
        for (const fp::Minutia& m : minutiae)
            if (std::hypot(m.x - at.x(), m.y - at.y()) <= 6.0 * scale) {
                ++found;
                break;
            }
    }
    QVERIFY2(found * 10 >= static_cast<int>(print.minutiae.size()) * 8,
             qPrintable(QStringLiteral("%1 of %2 planted minutiae found")
                            .arg(found)
                            .arg(print.minutiae.size())));
    QVERIFY(minutiae.size() <= print.minutiae.size() + 4);
}

void FingerprintEngineTest::movedCopyMatches_data()
{
    QTest::addColumn<int>("finger");
    QTest::addColumn<float>("degrees");
    QTest::addColumn<QPointF>("shift");
    QTest::newRow("same image") << 1 << 0.0f << QPointF();
    QTest::newRow("shifted") << 2 << 0.0f << QPointF(25, -18);
    QTest::newRow("turned 15 degrees") << 3 << 15.0f << QPointF();
    QTest::newRow("turned -30 degrees and shifted") << 4 << -30.0f << QPointF(-12, 20);
    QTest::newRow("turned 60 degrees") << 5 << 60.0f << QPointF(5, 5);
    QTest::newRow("turned 180 degrees") << 6 << 180.0f << QPointF();
}

void FingerprintEngineTest::movedCopyMatches()
{
    QFETCH(int, finger);
    QFETCH(float, degrees);
    QFETCH(QPointF, shift);
    const SyntheticPrint original = syntheticFinger(finger);
    SyntheticPrint moved = original;
    moved.rotation = degrees * std::numbers::pi_v<float> / 180;
    moved.shift = shift;
    moved.noiseSeed += 100; // another capture: different sensor noise
    const std::vector<std::uint8_t> a = templateOf(original);
    const std::vector<std::uint8_t> b = templateOf(moved);
    QVERIFY(!a.empty() && !b.empty());

    fp::PreparedQuery query;
    QCOMPARE(query.prepare(a), 0);
    const int score = query.score(b);
    QVERIFY2(fp::decide(score) == 1, qPrintable(QString::number(score)));
    const auto queryMinutiae = fp::decodeMinutiae(a);
    const auto referenceMinutiae = fp::decodeMinutiae(b);
    const std::size_t fewer = std::min(queryMinutiae.size(), referenceMinutiae.size());
    QVERIFY(query.lastPairs().size() * 10 >= fewer * 7);
    for (const fp::MatchPair& p : query.lastPairs()) {
        QVERIFY(p.query >= 0 && p.query < static_cast<int>(queryMinutiae.size()));
        QVERIFY(p.reference >= 0 && p.reference < static_cast<int>(referenceMinutiae.size()));
    }
    if (degrees == 0 && shift.isNull()) {
        QCOMPARE(query.score(a), query.score(a)); // repeatable
        QVERIFY(query.score(a) >= 2 * fp::defaultThreshold());
        QCOMPARE(query.lastPairs().size(), queryMinutiae.size());
    }
}

void FingerprintEngineTest::differentFingersDoNotMatch()
{
    std::vector<std::vector<std::uint8_t>> templates;
    for (int finger = 1; finger <= 8; ++finger) {
        templates.push_back(templateOf(syntheticFinger(finger)));
        QVERIFY(!templates.back().empty());
    }
    for (std::size_t i = 0; i < templates.size(); ++i) {
        fp::PreparedQuery query;
        QCOMPARE(query.prepare(templates[i]), 0);
        for (std::size_t j = 0; j < templates.size(); ++j) {
            if (i == j)
                continue;
            const int score = query.score(templates[j]);
            QVERIFY2(score >= 0 && fp::decide(score) == 0,
                     qPrintable(QStringLiteral("fingers %1 and %2 scored %3")
                                    .arg(i + 1)
                                    .arg(j + 1)
                                    .arg(score)));
        }
    }
}

void FingerprintEngineTest::unpreparedQueryRefuses()
{
    const std::vector<std::uint8_t> t = templateOf(syntheticFinger(1));
    fp::PreparedQuery query;
    QVERIFY(!query.isPrepared());
    QVERIFY(query.score(t) < 0);
    QVERIFY(query.lastPairs().empty());
    // A failed prepare() leaves no earlier query behind.
    QCOMPARE(query.prepare(t), 0);
    QVERIFY(query.prepare(std::vector<std::uint8_t>{1, 2, 3}) < 0);
    QVERIFY(!query.isPrepared());
    QVERIFY(query.score(t) < 0);
}

void FingerprintEngineTest::movedQueryKeepsItsTemplate()
{
    const std::vector<std::uint8_t> t = templateOf(syntheticFinger(2));
    fp::PreparedQuery first;
    QCOMPARE(first.prepare(t), 0);
    const int expected = first.score(t);
    fp::PreparedQuery second(std::move(first));
    QVERIFY(second.isPrepared());
    QCOMPARE(second.score(t), expected);
    fp::PreparedQuery third;
    third = std::move(second);
    QCOMPARE(third.score(t), expected);
}

QTEST_MAIN(FingerprintEngineTest)
#include "tst_fingerprint_engine.moc"
