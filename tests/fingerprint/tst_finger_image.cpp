// Raw reader images and their pictures.

#include "FingerImage.h"
#include "FingerprintComponent.h"

#include <QtTest>

namespace {

QByteArray gradient(int width, int height)
{
    QByteArray raw(qsizetype(width) * height, Qt::Uninitialized);
    for (qsizetype i = 0; i < raw.size(); ++i)
        raw[i] = char((i * 7 + i / width) % 256);
    return raw;
}

} // namespace

class TstFingerImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictureKeepsSizeAndPixels_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("one pixel") << 1 << 1;
        QTest::newRow("odd width, rows padded in the picture") << 301 << 7;
        QTest::newRow("tall and narrow") << 3 << 480;
        QTest::newRow("reader sized") << 300 << 300;
    }

    void pictureKeepsSizeAndPixels()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        const QByteArray raw = gradient(width, height);

        FingerprintComponent component;
        const QImage picture = component.picture(raw, width, height);
        QCOMPARE(picture.size(), QSize(width, height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                QCOMPARE(qGray(picture.pixel(x, y)), int(quint8(raw[y * width + x])));
        }
        QCOMPARE(FingerImage::rawFromPicture(picture), raw);
    }

    void invalidRawGivesNoPicture_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("one pixel short") << QByteArray(99, 'x') << 10 << 10;
        QTest::newRow("one pixel too many") << QByteArray(101, 'x') << 10 << 10;
        QTest::newRow("no size") << QByteArray() << 0 << 0;
        QTest::newRow("negative size") << QByteArray(4, 'x') << -2 << -2;
        QTest::newRow("overflowing size") << QByteArray(16, 'x') << 65536 << 65536;
    }

    void invalidRawGivesNoPicture()
    {
        QFETCH(QByteArray, raw);
        QFETCH(int, width);
        QFETCH(int, height);
        QVERIFY(!FingerImage::isValidRaw(raw, width, height));
        QVERIFY(FingerImage::pictureFromRaw(raw, width, height).isNull());
    }

    void colourPictureBecomesGrey()
    {
        QImage colour(5, 3, QImage::Format_RGB32);
        colour.fill(QColor(200, 200, 200));
        colour.setPixel(4, 2, qRgb(0, 0, 0));
        const QByteArray raw = FingerImage::rawFromPicture(colour);
        QCOMPARE(raw.size(), 15);
        QCOMPARE(quint8(raw[14]), quint8(0));
        QCOMPARE(quint8(raw[0]), quint8(200));
    }
};

QTEST_MAIN(TstFingerImage)
#include "tst_finger_image.moc"
