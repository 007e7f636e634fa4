// Byte strings that are not templates, given as query and as reference: never a
// crash or a read outside the bytes (run under a sanitizer to see the latter),
// always an error or no match. Also the checksum itself, and templates decoded
// one over another, as a search among many does.

#include "Engine.h"
#include "SyntheticPrint.h"
#include "TemplateFormat.h"
#include "TemplateVersions.h"

#include <algorithm>
#include <functional>
#include <QtTest>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Mutation = std::function<Bytes(const Bytes& valid, std::mt19937& random)>;

Bytes randomBytes(std::size_t size, std::mt19937& random)
{
    Bytes b(size);
    for (auto& v : b)
        v = static_cast<std::uint8_t>(random() & 0xff);
    return b;
}

// Offset of minutia i in a template whose header is intact.
std::size_t minutiaAt(const Bytes& b, std::size_t i)
{
    const std::size_t areaBytes = (static_cast<std::size_t>(b[13]) * b[14] + 7) / 8;
    return 16 + areaBytes + 5 * i;
}

// A fresh checksum, so that the mutation reaches the structural checks.
void reseal(Bytes& b)
{
    if (b.size() < 4)
        return;
    const std::uint32_t crc = fp::crc32(std::span(b).first(b.size() - 4));
    for (int i = 0; i < 4; ++i)
        b[b.size() - 4 + i] = static_cast<std::uint8_t>((crc >> (8 * i)) & 0xff);
}

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TemplateFuzzTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void malformed_data();
    void malformed();
    void resealedStructure_data();
    void resealedStructure();
    void checksumIsTheStandardCrc32_data();
    void checksumIsTheStandardCrc32();
    void decodingOverAnotherLeavesNothingOfIt();

private:
    Bytes valid_;
    Bytes other_;
};

void TemplateFuzzTest::initTestCase()
{
    const fp::Extraction a = fp::extractTemplate(syntheticFinger(1).render());
    const fp::Extraction b = fp::extractTemplate(syntheticFinger(2).render());
    QVERIFY(a.quality >= 0 && b.quality >= 0);
    valid_ = a.templ;
    other_ = b.templ;
}

void TemplateFuzzTest::malformed_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::newRow("empty") << Mutation([](const Bytes&, std::mt19937&) { return Bytes{}; });
    QTest::newRow("random bytes") << Mutation(
        [](const Bytes&, std::mt19937& r) { return randomBytes(r() % 3000, r); });
    QTest::newRow("random bytes behind the magic") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = randomBytes(16 + r() % 1200, r);
        std::copy_n(v.begin(), 6, b.begin());
        return b;
    });
    QTest::newRow("truncated") << Mutation([](const Bytes& v, std::mt19937& r) {
        return Bytes(v.begin(), v.begin() + static_cast<long>(r() % v.size()));
    });
    QTest::newRow("bytes appended") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        const Bytes tail = randomBytes(1 + r() % 64, r);
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    });
    QTest::newRow("bits flipped") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        const int flips = 1 + static_cast<int>(r() % 4);
        for (int i = 0; i < flips; ++i)
            b[r() % b.size()] ^= static_cast<std::uint8_t>(1u << (r() % 8));
        return b;
    });
    QTest::newRow("count byte changed") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        b[15] = static_cast<std::uint8_t>(b[15] + 1 + r() % 255);
        return b;
    });
    QTest::newRow("longer than the limit") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        b.resize(fp::kMaxTemplateSize + 1 + r() % 100, 0);
        return b;
    });
}

// Without a valid checksum nothing is a template: error on both sides.
void TemplateFuzzTest::malformed()
{
    QFETCH(Mutation, mutate);
    std::mt19937 random(12345);
    fp::PreparedQuery good;
    QCOMPARE(good.prepare(valid_), 0);
    for (int round = 0; round < 2000; ++round) {
        const Bytes bad = mutate(valid_, random);
        if (bad == valid_)
            continue;
        QVERIFY(good.score(bad) < 0);
        QVERIFY(good.lastPairs().empty());
        fp::PreparedQuery query;
        QVERIFY(query.prepare(bad) < 0);
        QVERIFY(query.score(valid_) < 0);
        QVERIFY(fp::decodeMinutiae(bad).empty());
    }
}

void TemplateFuzzTest::resealedStructure_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::newRow("absurd count") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        b[15] = static_cast<std::uint8_t>(r() % 256);
        reseal(b);
        return b;
    });
    QTest::newRow("absurd finger-area size") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        b[12] = static_cast<std::uint8_t>(r() % 256);
        b[13] = static_cast<std::uint8_t>(r() % 256);
        b[14] = static_cast<std::uint8_t>(r() % 256);
        reseal(b);
        return b;
    });
    QTest::newRow("cut and resealed") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b(v.begin(), v.begin() + static_cast<long>(4 + r() % (v.size() - 4)));
        reseal(b);
        return b;
    });
    QTest::newRow("random body, resealed") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = randomBytes(v.size(), r);
        std::copy_n(v.begin(), 16, b.begin());
        reseal(b);
        return b;
    });
    // Well-formed templates with absurd geometry: the matcher's grids and
    // neighbour searches must cope with any place in the coordinate range.
    QTest::newRow("minutiae scattered to any place")
        << Mutation([](const Bytes& v, std::mt19937& r) {
               Bytes b = v;
               for (std::size_t i = 0; i < b[15]; ++i) {
                   const std::size_t at = minutiaAt(b, i);
                   for (std::size_t k = 0; k < 4; ++k)
                       b[at + k] = static_cast<std::uint8_t>(r() % 256);
                   b[at + 4] = static_cast<std::uint8_t>((r() % 2) * 0x80 + r() % 101);
               }
               reseal(b);
               return b;
           });
    QTest::newRow("all minutiae on one spot") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        const Bytes spot = randomBytes(4, r);
        for (std::size_t i = 0; i < b[15]; ++i)
            std::copy(spot.begin(), spot.end(), b.begin() + static_cast<long>(minutiaAt(b, i)));
        reseal(b);
        return b;
    });
    // A finger area without cells (0 columns, 0 rows or every bit clear): refused,
    // as nothing would say how many pairs chance gives, and never read.
    QTest::newRow("finger area without cells") << Mutation([](const Bytes& v, std::mt19937& r) {
        fp::TemplateData d;
        if (!fp::decodeTemplate(v, d))
            return v;
        switch (r() % 3) {
        case 0:
            d.areaCols = 0;
            d.area.clear();
            break;
        case 1:
            d.areaRows = 0;
            d.area.clear();
            break;
        default:
            std::fill(d.area.begin(), d.area.end(), 0);
        }
        d.directions.clear();
        return fp::encodeTemplate(d);
    });
    QTest::newRow("random header, resealed") << Mutation([](const Bytes& v, std::mt19937& r) {
        Bytes b = v;
        for (int i = 4; i < 16; ++i)
            b[i] = static_cast<std::uint8_t>(r() % 256);
        reseal(b);
        return b;
    });
}

// With a fresh checksum the layout checks must hold: the result is an error,
// or, for bytes that happen to form a template, a valid score with pairs that
// point into both minutia lists.
void TemplateFuzzTest::resealedStructure()
{
    QFETCH(Mutation, mutate);
    std::mt19937 random(777);
    fp::PreparedQuery good;
    QCOMPARE(good.prepare(other_), 0);
    for (int round = 0; round < 2000; ++round) {
        const Bytes bytes = mutate(valid_, random);
        const auto minutiae = fp::decodeMinutiae(bytes);
        const int asReference = good.score(bytes);
        fp::PreparedQuery query;
        const int prepared = query.prepare(bytes);
        if (prepared < 0) {
            QVERIFY(asReference < 0);
            QVERIFY(minutiae.empty());
            continue;
        }
        QVERIFY(asReference >= 0);
        const int asQuery = query.score(other_);
        QVERIFY(asQuery >= 0);
        for (const fp::MatchPair& p : query.lastPairs())
            QVERIFY(p.query >= 0 && p.query < static_cast<int>(minutiae.size()));
        QVERIFY(fp::decide(asQuery) == 0 && fp::decide(asReference) == 0);
    }
}

void TemplateFuzzTest::checksumIsTheStandardCrc32_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<quint32>("crc");
    // The usual check values of CRC-32 (IEEE 802.3): stored templates carry it,
    // so it must not change with the way it is computed. Lengths from 0 to 43
    // reach every remainder of the four-byte steps.
    QTest::newRow("empty") << QByteArray() << quint32{0};
    QTest::newRow("one byte") << QByteArray("a") << quint32{0xE8B7BE43};
    QTest::newRow("three bytes") << QByteArray("abc") << quint32{0x352441C2};
    QTest::newRow("check string") << QByteArray("123456789") << quint32{0xCBF43926};
    QTest::newRow("sentence") << QByteArray("The quick brown fox jumps over the lazy dog")
                              << quint32{0x414FA339};
}

void TemplateFuzzTest::checksumIsTheStandardCrc32()
{
    QFETCH(QByteArray, text);
    QFETCH(quint32, crc);
    const Bytes bytes(text.begin(), text.end());
    QCOMPARE(fp::crc32(bytes), crc);
}

// Templates of different sizes and versions decoded in turn into one buffer give
// what each gives alone, and one that is rejected leaves the last one intact.
void TemplateFuzzTest::decodingOverAnotherLeavesNothingOfIt()
{
    const Bytes v1 = asVersionOne(other_); // no ridge directions
    QVERIFY(!v1.empty());
    auto fields = [](const fp::TemplateData& d) {
        return std::tuple(d.quality, d.faintRule, d.width, d.height, d.dpi, d.areaCell, d.areaCols,
                          d.areaRows, d.area, d.directions);
    };
    auto sameMinutiae = [](const fp::TemplateData& a, const fp::TemplateData& b) {
        return std::equal(a.minutiae.begin(), a.minutiae.end(), b.minutiae.begin(),
                          b.minutiae.end(), [](const fp::Minutia& m, const fp::Minutia& n) {
                              return m.x == n.x && m.y == n.y && m.angle == n.angle &&
                                     m.type == n.type && m.quality == n.quality;
                          });
    };
    fp::TemplateData reused;
    for (const Bytes* bytes :
         std::initializer_list<const Bytes*>{&valid_, &other_, &v1, &valid_, &v1, &other_}) {
        fp::TemplateData fresh;
        QVERIFY(fp::decodeTemplate(*bytes, fresh));
        QVERIFY(fp::decodeTemplate(*bytes, reused));
        QVERIFY(fields(reused) == fields(fresh));
        QVERIFY(sameMinutiae(reused, fresh));
        Bytes broken = *bytes;
        broken[broken.size() / 2] ^= 0x10; // the checksum no longer fits
        QVERIFY(!fp::decodeTemplate(broken, reused));
        QVERIFY(fields(reused) == fields(fresh));
        QVERIFY(sameMinutiae(reused, fresh));
    }
    fp::TemplateData oldest;
    QVERIFY(fp::decodeTemplate(v1, oldest));
    QVERIFY(oldest.directions.empty());
}

QTEST_MAIN(TemplateFuzzTest)
#include "tst_fingerprint_template_fuzz.moc"
