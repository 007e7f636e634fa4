// Extraction, matching and the pictures of a template's details, through the
// component, on blank images and on real prints.

#include "EvaluationPrints.h"
#include "FingerImage.h"
#include "FingerprintComponent.h"
#include "FingerprintStatus.h"

#include <QtTest>

namespace {

QString printsFolder()
{
    return testing::evaluationSet(QStringLiteral("FVC2000_DB1_B"));
}

struct Print
{
    QByteArray raw;
    int width = 0;
    int height = 0;
};

Print loadPrint(const QString& name)
{
    const QImage image(printsFolder() + QLatin1Char('/') + name);
    return {FingerImage::rawFromPicture(image), image.width(), image.height()};
}

bool isGreen(QRgb pixel)
{
    return qGreen(pixel) > qRed(pixel) + 60 && qGreen(pixel) > qBlue(pixel) + 60;
}

// True when a pixel within two pixels of (x, y) is green.
bool greenNear(const QImage& image, int x, int y)
{
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && isGreen(image.pixel(p)))
                return true;
        }
    }
    return false;
}

int countGreen(const QImage& image)
{
    int green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            green += isGreen(image.pixel(x, y)) ? 1 : 0;
    }
    return green;
}

} // namespace

class TstFingerprintTemplates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unusableImageGivesNoTemplate_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("blank white") << QByteArray(300 * 300, char(255)) << 300 << 300;
        QTest::newRow("blank black") << QByteArray(300 * 300, char(0)) << 300 << 300;
        QTest::newRow("blank grey, odd size") << QByteArray(257 * 311, char(128)) << 257 << 311;
        QTest::newRow("pixels missing") << QByteArray(100, char(0)) << 300 << 300;
        QTest::newRow("no image") << QByteArray() << 0 << 0;
    }

    void unusableImageGivesNoTemplate()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, width);
        QFETCH(int, height);

        FingerprintComponent component;
        // A previous template must not survive a failed extraction.
        QByteArray templ("left over from the last touch");
        QVERIFY(component.extractTemplate(raw, width, height, 500, templ) < 0);
        QVERIFY(templ.isEmpty());
    }

    void printMatchesItself_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("101_1") << "101_1.png";
        QTest::newRow("104_3") << "104_3.png";
        QTest::newRow("108_6") << "108_6.png";
    }

    void printMatchesItself()
    {
        QFETCH(QString, file);
        if (printsFolder().isEmpty())
            QSKIP("FVC2000_DB1_B prints not found under VELANDRO_SOURCE_DIR/../shared/data");
        const Print print = loadPrint(file);
        QVERIFY(!print.raw.isEmpty());

        FingerprintComponent component;
        QByteArray templ;
        const int quality =
            component.extractTemplate(print.raw, print.width, print.height, 500, templ);
        QVERIFY2(quality >= 0 && quality <= 2, qPrintable(QString::number(quality)));
        QVERIFY(!templ.isEmpty());
        QVERIFY(templ.size() <= FingerprintComponent::kMaxTemplateSize);

        QCOMPARE(component.prepareQuery(templ), 0);
        int score = -1;
        // Stored templates come back as the same bytes, in a new array.
        const QByteArray stored(templ.constData(), templ.size());
        QCOMPARE(component.match(stored, score), 1);
        QVERIFY(score > 0);
    }

    void matchingRefusesWhatIsNotATemplate_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QByteArray>("reference");
        QTest::newRow("no query prepared") << QByteArray() << QByteArray("whatever");
        QTest::newRow("query is not a template") << QByteArray(400, 'q') << QByteArray(400, 'r');
        QTest::newRow("query too large") << QByteArray(10001, 'q') << QByteArray(400, 'r');
    }

    void matchingRefusesWhatIsNotATemplate()
    {
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, reference);
        FingerprintComponent component;
        if (!query.isEmpty())
            QVERIFY(component.prepareQuery(query) < 0);
        int score = 42;
        QVERIFY(component.match(reference, score) < 0);
        QCOMPARE(score, 0);
    }

    void garbageReferenceIsAnErrorNotAMatch_data()
    {
        QTest::addColumn<QByteArray>("reference");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one byte") << QByteArray(1, '\x01');
        QTest::newRow("400 zero bytes") << QByteArray(400, '\0');
        QTest::newRow("10000 bytes of 0xff") << QByteArray(10000, '\xff');
    }

    void garbageReferenceIsAnErrorNotAMatch()
    {
        QFETCH(QByteArray, reference);
        if (printsFolder().isEmpty())
            QSKIP("FVC2000_DB1_B prints not found under VELANDRO_SOURCE_DIR/../shared/data");
        const Print print = loadPrint(QStringLiteral("101_1.png"));
        FingerprintComponent component;
        QByteArray templ;
        QVERIFY(component.extractTemplate(print.raw, print.width, print.height, 500, templ) >= 0);
        QCOMPARE(component.prepareQuery(templ), 0);
        int score = 0;
        QVERIFY(component.match(reference, score) != 1);
    }

    void detailsPicture()
    {
        if (printsFolder().isEmpty())
            QSKIP("FVC2000_DB1_B prints not found under VELANDRO_SOURCE_DIR/../shared/data");
        const Print print = loadPrint(QStringLiteral("101_1.png"));
        FingerprintComponent component;
        QByteArray templ;
        QVERIFY(component.extractTemplate(print.raw, print.width, print.height, 500, templ) >= 0);
        const std::vector<fp::Minutia> minutiae = fp::decodeMinutiae(
            {reinterpret_cast<const std::uint8_t*>(templ.constData()), std::size_t(templ.size())});
        QVERIFY(!minutiae.empty());

        const QImage plain = component.picture(print.raw, print.width, print.height);
        const QImage extracted =
            component.pictureWithDetails(templ, print.raw, print.width, print.height, 500,
                                         FingerprintComponent::kExtractionDetails);
        QCOMPARE(extracted.size(), plain.size());
        QVERIFY(extracted.convertToFormat(QImage::Format_RGB32) !=
                plain.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(countGreen(extracted), 0);

        // Before any match there is nothing matched to show.
        const QImage unmatched = component.pictureWithDetails(
            templ, print.raw, print.width, print.height, 500, FingerprintComponent::kMatchDetails);
        QCOMPARE(countGreen(unmatched), 0);

        QCOMPARE(component.prepareQuery(templ), 0);
        int score = 0;
        QCOMPARE(component.match(templ, score), 1);
        const QImage matched = component.pictureWithDetails(
            templ, print.raw, print.width, print.height, 500, FingerprintComponent::kMatchDetails);
        QCOMPARE(matched.size(), plain.size());
        int shownGreen = 0;
        for (const fp::Minutia& m : minutiae)
            shownGreen += greenNear(matched, m.x, m.y) ? 1 : 0;
        QVERIFY2(shownGreen > 0, "no matched minutia is drawn as matched");
    }

    void detailsOfInvalidImageGiveNoPicture()
    {
        FingerprintComponent component;
        QVERIFY(component
                    .pictureWithDetails(QByteArray(), QByteArray(10, 'x'), 5, 5, 500,
                                        FingerprintComponent::kExtractionDetails)
                    .isNull());
    }
};

QTEST_MAIN(TstFingerprintTemplates)
#include "tst_fingerprint_templates.moc"
