// Extraction, template contents and matching on prints drawn by the test itself.

#include "Engine.h"
#include "SyntheticPrint.h"
#include "TemplateFormat.h"

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

// Noise of +-amplitude grey levels around `grey`, averaged over `blur` x `blur`
// pixels (1 = white noise): texture without any ridge direction.
fp::GrayImage noiseAround(int width, int height, int grey, int amplitude, int blur, unsigned seed)
{
    fp::GrayImage white = filled(width, height, 0);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> jitter(-amplitude, amplitude);
    std::vector<int> raw(white.pixels.size());
    for (int& v : raw)
        v = jitter(random);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sum = 0, count = 0;
            for (int dy = 0; dy < blur; ++dy)
                for (int dx = 0; dx < blur; ++dx)
                    if (x + dx < width && y + dy < height) {
                        sum += raw[(y + dy) * width + x + dx];
                        ++count;
                    }
            white.pixels[y * width + x] = static_cast<std::uint8_t>(grey + sum / count);
        }
    return white;
}

// The print as a faint capture: grey levels pressed towards the paper white, so
// the ridges swing by only `contrast` of their usual amplitude, and then the
// sensor's own noise of +-`noise` grey levels on top.
fp::GrayImage faint(fp::GrayImage image, double contrast, int noise = 0, unsigned seed = 1)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> jitter(-noise, noise);
    for (auto& p : image.pixels)
        p = static_cast<std::uint8_t>(
            std::clamp(std::lround(215 + (p - 215) * contrast) + jitter(random), 0L, 255L));
    return image;
}

// The ridges only in patches of about `size` pixels, a `share` of the surface
// (ridges broken into dots, as a dry or lightly pressed finger leaves them).
fp::GrayImage dotted(fp::GrayImage image, double share, int size, unsigned seed)
{
    const int cols = image.width / size + 2, rows = image.height / size + 2;
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> field(static_cast<std::size_t>(cols) * rows);
    for (double& v : field)
        v = unit(random);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            // Bilinear between the random values on a coarse grid.
            const double gx = static_cast<double>(x) / size, gy = static_cast<double>(y) / size;
            const int x0 = static_cast<int>(gx), y0 = static_cast<int>(gy);
            const double ax = gx - x0, ay = gy - y0;
            const double v =
                (field[y0 * cols + x0] * (1 - ax) + field[y0 * cols + x0 + 1] * ax) * (1 - ay) +
                (field[(y0 + 1) * cols + x0] * (1 - ax) + field[(y0 + 1) * cols + x0 + 1] * ax) *
                    ay;
            auto& p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
            if (v > share)
                p = std::max<std::uint8_t>(p, 200);
        }
    return image;
}

// The print with dark blots over part of it (smudges: no ridges to see there).
fp::GrayImage smudged(fp::GrayImage image, int blots, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> where(0, image.width - 1);
    std::uniform_int_distribution<int> speckle(0, 8);
    for (int b = 0; b < blots; ++b) {
        const int cx = where(random), cy = where(random) % image.height;
        for (int y = std::max(0, cy - 20); y < std::min(image.height, cy + 20); ++y)
            for (int x = std::max(0, cx - 20); x < std::min(image.width, cx + 20); ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= 400)
                    image.pixels[static_cast<std::size_t>(y) * image.width + x] =
                        static_cast<std::uint8_t>(40 + speckle(random));
    }
    return image;
}

// Planted minutiae of `print` that have an extracted minutia within `radius` pixels.
int plantedFound(const SyntheticPrint& print, const std::vector<fp::Minutia>& minutiae,
                 double radius)
{
    int found = 0;
    for (const QPointF& planted : print.minutiae) {
        const QPointF at = print.imagePoint(planted);
        for (const fp::Minutia& m : minutiae)
            if (std::hypot(m.x - at.x(), m.y - at.y()) <= radius) {
                ++found;
                break;
            }
    }
    return found;
}

std::vector<std::uint8_t> templateOfImage(const fp::GrayImage& image)
{
    const fp::Extraction e = fp::extractTemplate(image);
    return e.quality >= 0 ? e.templ : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> templateOf(const SyntheticPrint& print)
{
    return templateOfImage(print.render());
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
    void poorCapturesKeepTheirMinutiae_data();
    void poorCapturesKeepTheirMinutiae();
    void movedCopyMatches_data();
    void movedCopyMatches();
    void differentFingersDoNotMatch();
    void unpreparedQueryRefuses();
    void movedQueryKeepsItsTemplate();
    void faintReadingIsMarked();
    void templateVersions_data();
    void templateVersions();
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
    // Little contrast, or texture, but no ridge direction anywhere: still no finger.
    QTest::newRow("faint noise") << noiseAround(300, 300, 200, 4, 1, 7) << false;
    QTest::newRow("blurred noise") << noiseAround(300, 300, 128, 60, 3, 8) << false;
    QTest::newRow("faint blurred noise") << noiseAround(400, 400, 200, 6, 4, 9) << false;
    QTest::newRow("print") << syntheticFinger(1).render() << true;
    QTest::newRow("faint print") << faint(syntheticFinger(3).render(), 0.05) << true;
    QTest::newRow("smudged print") << smudged(syntheticFinger(4).render(), 6, 3) << true;
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
    const int found = plantedFound(print, minutiae, 6.0 * scale);
    QVERIFY2(found * 10 >= static_cast<int>(print.minutiae.size()) * 8,
             qPrintable(QStringLiteral("%1 of %2 planted minutiae found")
                            .arg(found)
                            .arg(print.minutiae.size())));
    QVERIFY(minutiae.size() <= print.minutiae.size() + 4);
}

void FingerprintEngineTest::poorCapturesKeepTheirMinutiae_data()
{
    QTest::addColumn<int>("finger");
    QTest::addColumn<double>("contrast"); // share of the usual ridge amplitude
    QTest::addColumn<int>("noise");       // grey levels of sensor noise on the faint image
    QTest::addColumn<int>("blots");       // dark smudges of 40 px
    QTest::addColumn<double>("dots");     // share of the ridges' surface left (1 = all)
    QTest::addColumn<int>("invented");    // minutiae allowed beyond the planted ones
    QTest::newRow("half contrast") << 1 << 0.5 << 0 << 0 << 1.0 << 4;
    QTest::newRow("faint, 10 % contrast") << 2 << 0.1 << 0 << 0 << 1.0 << 4;
    QTest::newRow("very faint, 5 % contrast") << 5 << 0.05 << 0 << 0 << 1.0 << 4;
    QTest::newRow("faint and noisy") << 3 << 0.1 << 8 << 0 << 1.0 << 4;
    QTest::newRow("very faint and noisy") << 3 << 0.06 << 6 << 0 << 1.0 << 4;
    QTest::newRow("smudged in places") << 6 << 1.0 << 0 << 5 << 1.0 << 19;
    QTest::newRow("faint and smudged") << 7 << 0.1 << 0 << 4 << 1.0 << 16;
    // Dotted ridges leave breaks that the filter cannot always join.
    QTest::newRow("faint, dotted ridges") << 2 << 0.15 << 2 << 0 << 0.5 << 4;
    QTest::newRow("faint, ridges mostly gaps") << 2 << 0.15 << 2 << 0 << 0.4 << 8;
    QTest::newRow("fainter, ridges mostly gaps") << 2 << 0.1 << 2 << 0 << 0.4 << 12;
}

// A faint or partly smudged capture still gives a template, and its minutiae are
// the planted ones: the finger area is not cut down to the clearest patches, and
// the faint parts add no invented minutiae.
void FingerprintEngineTest::poorCapturesKeepTheirMinutiae()
{
    QFETCH(int, finger);
    QFETCH(double, contrast);
    QFETCH(int, noise);
    QFETCH(int, blots);
    QFETCH(double, dots);
    QFETCH(int, invented);
    const SyntheticPrint print = syntheticFinger(finger);
    fp::GrayImage image = print.render();
    if (dots < 1)
        image = dotted(image, dots, 3, static_cast<unsigned>(finger));
    image = faint(image, contrast, noise, static_cast<unsigned>(finger));
    if (blots > 0)
        image = smudged(image, blots, static_cast<unsigned>(finger));
    const fp::Extraction e = fp::extractTemplate(image);
    QVERIFY2(e.quality >= 0, qPrintable(QString::number(e.quality)));
    const std::vector<fp::Minutia> minutiae = fp::decodeMinutiae(e.templ);
    // Blots hide some planted minutiae and leave ridge ends at their rims.
    const int hidden = blots > 0 ? 4 : 0;
    const int planted = static_cast<int>(print.minutiae.size());
    const int found = plantedFound(print, minutiae, 6.0);
    QVERIFY2(found * 10 >= (planted - hidden) * 7,
             qPrintable(QStringLiteral("%1 of %2 planted minutiae found").arg(found).arg(planted)));
    QVERIFY2(
        static_cast<int>(minutiae.size()) <= planted + invented,
        qPrintable(QStringLiteral("%1 minutiae for %2 planted").arg(minutiae.size()).arg(planted)));
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

namespace {

int scoreOf(const std::vector<std::uint8_t>& query, const std::vector<std::uint8_t>& reference)
{
    fp::PreparedQuery q;
    return q.prepare(query) < 0 ? -100 : q.score(reference);
}

} // namespace

// A print only the faint rule could read says so in its template, in version 3
// (which earlier builds refuse), and its comparisons count a quarter. Every other
// print stays in version 2, which every build reads.
void FingerprintEngineTest::faintReadingIsMarked()
{
    SyntheticPrint again = syntheticFinger(5);
    again.rotation = 8 * std::numbers::pi_v<float> / 180;
    again.shift = QPointF(10, -6);
    again.noiseSeed += 50;
    const auto clear = templateOf(again);
    const auto marked = templateOfImage(faint(syntheticFinger(5).render(), 0.04));
    QVERIFY(!clear.empty() && !marked.empty());
    QCOMPARE(int(clear[4]), 2);
    QCOMPARE(int(marked[4]), 3);
    fp::TemplateData data;
    QVERIFY(fp::decodeTemplate(marked, data));
    QVERIFY(data.faintRule);
    QVERIFY(data.quality >= 0 && data.quality <= 2);

    data.faintRule = false;
    const auto unmarked = fp::encodeTemplate(data);
    QCOMPARE(int(unmarked[4]), 2);
    const int plain = scoreOf(clear, unmarked);
    QVERIFY2(plain >= 4 * fp::defaultThreshold(), qPrintable(QString::number(plain)));
    for (const int score : {scoreOf(clear, marked), scoreOf(marked, clear)})
        QVERIFY2(std::abs(4 * score - plain) <= 2,
                 qPrintable(QStringLiteral("%1 against %2").arg(score).arg(plain)));
}

void FingerprintEngineTest::templateVersions_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("qualityByte");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<bool>("faintRule");
    QTest::newRow("version 2") << 2 << 1 << true << false;
    QTest::newRow("version 3, marked") << 3 << 0x81 << true << true;
    QTest::newRow("version 3, unmarked") << 3 << 1 << true << false;
    QTest::newRow("version 2 with the mark") << 2 << 0x81 << false << false;
    QTest::newRow("version 3, quality code 3") << 3 << 0x83 << false << false;
    QTest::newRow("version 3, other bits") << 3 << 0x41 << false << false;
    QTest::newRow("version 4") << 4 << 1 << false << false;
    QTest::newRow("version 0") << 0 << 1 << false << false;
}

// The version and quality bytes of a sound template, with a fresh checksum.
void FingerprintEngineTest::templateVersions()
{
    QFETCH(int, version);
    QFETCH(int, qualityByte);
    QFETCH(bool, valid);
    QFETCH(bool, faintRule);
    auto bytes = templateOf(syntheticFinger(1));
    QVERIFY(!bytes.empty());
    bytes[4] = static_cast<std::uint8_t>(version);
    bytes[5] = static_cast<std::uint8_t>(qualityByte);
    bytes.resize(bytes.size() - 4);
    const std::uint32_t crc = fp::crc32(bytes);
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>((crc >> (8 * i)) & 0xff));
    fp::TemplateData data;
    QCOMPARE(fp::decodeTemplate(bytes, data), valid);
    if (valid) {
        QCOMPARE(data.faintRule, faintRule);
        QCOMPARE(data.quality, qualityByte & 0x7f);
    }
}

QTEST_MAIN(FingerprintEngineTest)
#include "tst_fingerprint_engine.moc"
