// The virtual reader window: lists a folder's prints, waits for the reader,
// and a click places the finger on the reader the component listens to.

#include "FingerImage.h"
#include "FingerprintComponent.h"
#include "VirtualReaderWindow.h"

#include <QListWidget>
#include <QtTest>

namespace {

constexpr int kTimeout = 20000;

QImage stripes(int width, int height, int period)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = uchar(((x + y * 3) / period) % 2 ? 40 : 220) ^ uchar((x * y) % 7);
    }
    return image;
}

} // namespace

class TstVirtualReaderWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickPlacesThatFinger()
    {
        QTemporaryDir folder;
        const QImage first = stripes(260, 300, 5);
        const QImage second = stripes(240, 280, 4);
        QVERIFY(first.save(folder.filePath(QStringLiteral("a_first.png"))));
        QVERIFY(second.save(folder.filePath(QStringLiteral("b_second.png"))));
        QVERIFY(first.save(folder.filePath(QStringLiteral("notes.txt")), "PNG"));
        const QString socket = folder.filePath(QStringLiteral("reader.sock"));

        VirtualReaderWindow window(folder.path(), socket);
        window.show();
        QCOMPARE(window.images()->count(), 2);
        QCOMPARE(window.images()->item(1)->text(), QStringLiteral("b_second.png"));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Esperando al lector")),
                 qPrintable(window.statusText()));

        // The terminal comes up after the tool.
        qputenv("FP_VIRTUAL_IMAGE", socket.toLocal8Bit());
        FingerprintComponent component;
        QSignalSpy plugged(&component, &FingerprintComponent::sensorPlugged);
        QVERIFY(component.initialise() >= 0);
        QCOMPARE(component.startCaptureModule(), 0);
        QVERIFY(plugged.wait(kTimeout));
        const QString sensor = plugged.first().first().toString();
        component.startCapture(sensor);
        QTRY_VERIFY_WITH_TIMEOUT(window.statusText().startsWith(QStringLiteral("Conectado")),
                                 kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(component.isWaitingForFinger(sensor), kTimeout);

        QSignalSpy image(&component, &FingerprintComponent::imageAcquired);
        QSignalSpy removed(&component, &FingerprintComponent::fingerRemoved);
        QListWidget* list = window.images();
        const QRect itemRect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, itemRect.center());
        QTRY_COMPARE_WITH_TIMEOUT(removed.size(), 1, kTimeout);
        QCOMPARE(image.size(), 1);
        QCOMPARE(image.first().at(1).toInt(), second.width());
        QCOMPARE(image.first().at(2).toInt(), second.height());
        QCOMPARE(image.first().at(3).toByteArray(), FingerImage::rawFromPicture(second));
        qunsetenv("FP_VIRTUAL_IMAGE");
    }
};

QTEST_MAIN(TstVirtualReaderWindow)
#include "tst_virtual_reader_window.moc"
