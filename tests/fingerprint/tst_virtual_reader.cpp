// The component against libfprint's virtual image reader: sensors arriving
// and leaving, whole touches, and stopping capture in the middle of a touch.

#include "EvaluationPrints.h"
#include "FingerImage.h"
#include "FingerprintComponent.h"
#include "FingerprintStatus.h"
#include "GlibEventBridge.h"
#include "VirtualReaderClient.h"

#include <memory>
#include <QtTest>

namespace {

constexpr int kTimeout = 20000;

QString printPath(const QString& name)
{
    return testing::evaluationPrint(QStringLiteral("FVC2000_DB1_B"), name);
}

// Grey noise from a fixed seed: libfprint accepts it as a finger image.
QImage noiseImage(int width, int height, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = uchar(random.bounded(256));
    }
    return image;
}

// Records every report of the component as one line, in arrival order.
struct ReportLog
{
    QStringList lines;
    QList<QByteArray> images;
    QList<QSize> sizes;
    QList<int> resolutions;

    void follow(FingerprintComponent& component)
    {
        QObject::connect(&component, &FingerprintComponent::sensorPlugged, &component,
                         [this](const QString& id) { lines.append("plugged " + id); });
        QObject::connect(&component, &FingerprintComponent::sensorUnplugged, &component,
                         [this](const QString& id) { lines.append("unplugged " + id); });
        QObject::connect(&component, &FingerprintComponent::fingerPlaced, &component,
                         [this](const QString& id) { lines.append("placed " + id); });
        QObject::connect(&component, &FingerprintComponent::fingerRemoved, &component,
                         [this](const QString& id) { lines.append("removed " + id); });
        QObject::connect(&component, &FingerprintComponent::imageAcquired, &component,
                         [this](const QString& id, int width, int height, const QByteArray& raw,
                                int resolution) {
                             lines.append("image " + id);
                             images.append(raw);
                             sizes.append(QSize(width, height));
                             resolutions.append(resolution);
                         });
    }

    QStringList touches() const
    {
        QStringList result;
        for (const QString& line : lines) {
            if (!line.startsWith(QLatin1String("plugged")))
                result.append(line.section(QLatin1Char(' '), 0, 0));
        }
        return result;
    }
};

} // namespace

class TstVirtualReader : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FingerprintComponent> component_;
    std::unique_ptr<VirtualReaderClient> client_;
    ReportLog log_;
    QString sensor_;

    // A component over a fresh virtual reader, capturing on its sensor, with
    // the client connected: the state of the terminal waiting for a finger.
    bool startReader()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        const QString socket = dir_->filePath(QStringLiteral("reader.sock"));
        qputenv("FP_VIRTUAL_IMAGE", socket.toLocal8Bit());
        component_ = std::make_unique<FingerprintComponent>();
        log_ = {};
        log_.follow(*component_);
        QSignalSpy plugged(component_.get(), &FingerprintComponent::sensorPlugged);
        if (component_->initialise() < 0 || component_->startCaptureModule() < 0)
            return false;
        if (plugged.isEmpty() && !plugged.wait(kTimeout))
            return false;
        sensor_ = plugged.first().first().toString();
        component_->startCapture(sensor_);

        client_ = std::make_unique<VirtualReaderClient>();
        client_->connectTo(socket);
        return QTest::qWaitFor([this] { return client_->isConnected(); }, kTimeout) &&
               QTest::qWaitFor([this] { return component_->isWaitingForFinger(sensor_); },
                               kTimeout);
    }

private Q_SLOTS:
    void init()
    {
        qunsetenv("FP_VIRTUAL_IMAGE");
        qunsetenv("FP_VIRTUAL_DEVICE");
    }

    void cleanup()
    {
        client_.reset();
        component_.reset();
        dir_.reset();
    }

    void readerCallbacksRunInQtsEventLoop()
    {
        // libfprint reports on GLib's default context. Qt runs that context
        // itself unless told not to (QT_NO_GLIB, where the component polls it;
        // the whole test also runs that way).
        const bool glibLoop = !qEnvironmentVariableIsSet("QT_NO_GLIB");
        QCOMPARE(GlibEventBridge::qtRunsGlibContext(), glibLoop);
    }

    void initialisesWithoutAnyReader()
    {
        FingerprintComponent component;
        QCOMPARE(component.startCaptureModule(), FingerprintStatus::NotInitialised);
        QVERIFY(component.initialise() >= 0);
        QVERIFY(component.startCaptureModule() >= 0);
        for (const QString& id : component.sensors())
            QVERIFY2(!id.startsWith(QLatin1String("virtual_")), qPrintable(id));
        component.stopCaptureModule();
    }

    void sensorPluggedAndUnplugged()
    {
        QVERIFY(startReader());
        QVERIFY2(sensor_.startsWith(QLatin1String("virtual_image:")), qPrintable(sensor_));
        QCOMPARE(component_->sensors(), QStringList{sensor_});

        QSignalSpy unplugged(component_.get(), &FingerprintComponent::sensorUnplugged);
        QVERIFY(client_->unplug());
        QVERIFY(unplugged.wait(kTimeout));
        QCOMPARE(unplugged.first().first().toString(), sensor_);
        QVERIFY(component_->sensors().isEmpty());
    }

    void wholeTouchInOrder_data()
    {
        QTest::addColumn<QString>("print");
        QTest::addColumn<QSize>("noiseSize");
        QTest::newRow("noise 320x480") << QString() << QSize(320, 480);
        QTest::newRow("noise, odd width 301x250") << QString() << QSize(301, 250);
        QTest::newRow("print 101_1") << "101_1.png" << QSize();
    }

    void wholeTouchInOrder()
    {
        QFETCH(QString, print);
        QFETCH(QSize, noiseSize);
        QImage image = noiseImage(noiseSize.width(), noiseSize.height(), 7);
        if (!print.isEmpty()) {
            if (printPath(print).isEmpty())
                QSKIP("FVC2000_DB1_B prints not found under VELANDRO_SOURCE_DIR/../shared/data");
            image = QImage(printPath(print));
        }
        QVERIFY(startReader());

        QVERIFY(client_->touch(image));
        QTRY_COMPARE_WITH_TIMEOUT(log_.touches().size(), 3, kTimeout);
        QCOMPARE(log_.touches(), QStringList({"placed", "image", "removed"}));
        QCOMPARE(log_.lines.last(), "removed " + sensor_);
        QCOMPARE(log_.sizes.first(), image.size());
        QCOMPARE(log_.images.first(), FingerImage::rawFromPicture(image));
        QCOMPARE(log_.resolutions.first(), 500);
    }

    void touchWithoutUsableImageGivesEmptyImage()
    {
        QVERIFY(startReader());
        // libfprint finds nothing on a blank image and drops it.
        QImage blank(300, 300, QImage::Format_Grayscale8);
        blank.fill(255);
        QVERIFY(client_->touch(blank));
        QTRY_COMPARE_WITH_TIMEOUT(log_.touches().size(), 3, kTimeout);
        QCOMPARE(log_.touches(), QStringList({"placed", "image", "removed"}));
        QCOMPARE(log_.sizes.first(), QSize(0, 0));
        QVERIFY(log_.images.first().isEmpty());

        QByteArray templ("from an earlier touch");
        QVERIFY(component_->extractTemplate(log_.images.first(), 0, 0, 500, templ) < 0);
        QVERIFY(templ.isEmpty());

        // The reader goes on capturing.
        QTRY_VERIFY_WITH_TIMEOUT(component_->isWaitingForFinger(sensor_), kTimeout);
    }

    void captureGoesOnTouchAfterTouch()
    {
        QVERIFY(startReader());
        QVERIFY(client_->touch(noiseImage(200, 200, 1)));
        QTRY_COMPARE_WITH_TIMEOUT(log_.touches().size(), 3, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(component_->isWaitingForFinger(sensor_), kTimeout);
        QVERIFY(client_->touch(noiseImage(220, 180, 2)));
        QTRY_COMPARE_WITH_TIMEOUT(log_.touches().size(), 6, kTimeout);
        QCOMPARE(log_.touches(),
                 QStringList({"placed", "image", "removed", "placed", "image", "removed"}));
        QCOMPARE(log_.sizes, QList<QSize>({QSize(200, 200), QSize(220, 180)}));
    }

    void stoppingAfterFingerPlacedKeepsTheTouch_data()
    {
        QTest::addColumn<bool>("wholeModule");
        QTest::newRow("capture module stopped") << true;
        QTest::newRow("sensor's capture stopped") << false;
    }

    void stoppingAfterFingerPlacedKeepsTheTouch()
    {
        QFETCH(bool, wholeModule);
        QVERIFY(startReader());
        // As the terminal does: one image per attempt, capture off on placement.
        connect(component_.get(), &FingerprintComponent::fingerPlaced, component_.get(),
                [this, wholeModule](const QString& id) {
                    if (wholeModule)
                        component_->stopCaptureModule();
                    else
                        component_->stopCapture(id);
                });
        QSignalSpy placed(component_.get(), &FingerprintComponent::fingerPlaced);
        QVERIFY(client_->placeFinger());
        QVERIFY(placed.wait(kTimeout));

        const QImage image = noiseImage(280, 320, 3);
        QVERIFY(client_->sendImage(image));
        QVERIFY(client_->removeFinger());
        QTRY_COMPARE_WITH_TIMEOUT(log_.touches().size(), 3, kTimeout);
        QCOMPARE(log_.touches(), QStringList({"placed", "image", "removed"}));
        QCOMPARE(log_.images.first(), FingerImage::rawFromPicture(image));
    }

    void stoppedSensorCapturesAgainWhenStarted()
    {
        QVERIFY(startReader());
        component_->stopCapture(sensor_);
        QTRY_VERIFY_WITH_TIMEOUT(!component_->isWaitingForFinger(sensor_), kTimeout);

        // The terminal's cycle: module off, then on again; sensors are reported anew.
        component_->stopCaptureModule();
        QSignalSpy plugged(component_.get(), &FingerprintComponent::sensorPlugged);
        QCOMPARE(component_->startCaptureModule(), 0);
        QCOMPARE(plugged.size(), 1);
        QCOMPARE(plugged.first().first().toString(), sensor_);
        component_->startCapture(sensor_);
        QTRY_VERIFY_WITH_TIMEOUT(component_->isWaitingForFinger(sensor_), kTimeout);

        QVERIFY(client_->touch(noiseImage(240, 240, 4)));
        QTRY_COMPARE_WITH_TIMEOUT(log_.touches().size(), 3, kTimeout);
        QCOMPARE(log_.touches(), QStringList({"placed", "image", "removed"}));
    }

    void readerWithoutImagesIsIgnoredAndNamedOnce()
    {
        QTemporaryDir other;
        qputenv("FP_VIRTUAL_DEVICE", other.filePath(QStringLiteral("device.sock")).toLocal8Bit());
        const QRegularExpression warning(QStringLiteral("virtual_device:.*cannot deliver images"));
        QTest::ignoreMessage(QtWarningMsg, warning);
        QTest::failOnWarning(warning);

        QVERIFY(startReader());
        component_->stopCaptureModule();
        QCOMPARE(component_->startCaptureModule(), 0);
        QCOMPARE(component_->sensors(), QStringList{sensor_});
        QVERIFY(!sensor_.startsWith(QLatin1String("virtual_device")));
    }
};

QTEST_MAIN(TstVirtualReader)
#include "tst_virtual_reader.moc"
