// Order of touch reports and serial delivery, independent of any reader.

#include "SerialDelivery.h"
#include "TouchSequence.h"

#include <QtTest>

namespace {

QString nameOf(TouchSequence::Report report)
{
    switch (report) {
    case TouchSequence::Report::FingerPlaced:
        return QStringLiteral("placed");
    case TouchSequence::Report::ImageAcquired:
        return QStringLiteral("image");
    case TouchSequence::Report::FingerRemoved:
        return QStringLiteral("removed");
    }
    return {};
}

// Steps: capture (a capture starts), on / off (finger status), image / fail
// (the capture ends with or without an image).
QStringList run(TouchSequence& touch, const QString& script)
{
    QStringList reported;
    const QStringList steps = script.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& step : steps) {
        QList<TouchSequence::Report> reports;
        if (step == QLatin1String("capture"))
            touch.captureStarted();
        else if (step == QLatin1String("on") || step == QLatin1String("off"))
            reports = touch.fingerStatus(step == QLatin1String("on"));
        else if (step == QLatin1String("image") || step == QLatin1String("fail"))
            reports = touch.captureFinished(step == QLatin1String("image"));
        else
            qFatal("unknown step %s", qPrintable(step));
        for (const TouchSequence::Report r : reports)
            reported.append(nameOf(r));
    }
    return reported;
}

} // namespace

class TstTouchSequence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportsInTouchOrder_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("reports");
        QTest::addColumn<bool>("mayStart");
        QTest::addColumn<bool>("mayCancel");

        QTest::newRow("image while the finger is on") << "capture on image off"
                                                      << "placed image removed" << true << false;
        QTest::newRow("removal reported before the image is ready")
            << "capture on off image"
            << "placed image removed" << true << false;
        QTest::newRow("touch without image, removal first: empty image")
            << "capture on off fail"
            << "placed image removed" << true << false;
        QTest::newRow("touch without image, capture ends first: empty image")
            << "capture on fail off"
            << "placed image removed" << true << false;
        QTest::newRow("capture ends without a touch: nothing to report") << "capture fail"
                                                                         << "" << true << false;
        QTest::newRow("repeated presence is one touch") << "capture on on off image"
                                                        << "placed image removed" << true << false;
        QTest::newRow("removal without a touch is not reported") << "capture off"
                                                                 << "" << false << true;
        QTest::newRow("new touch before the old image belongs to the old touch")
            << "capture on off on image off"
            << "placed image removed" << true << false;
        QTest::newRow("image without finger reports") << "capture image"
                                                      << "image" << true << false;
        QTest::newRow("waiting for a finger") << "capture"
                                              << "" << false << true;
        QTest::newRow("finger on: the capture must go on") << "capture on"
                                                           << "placed" << false << false;
        QTest::newRow("finger gone, image pending: the capture must go on")
            << "capture on off"
            << "placed" << false << false;
        QTest::newRow("image taken, finger still on: no new capture yet")
            << "capture on image"
            << "placed image" << false << false;
        QTest::newRow("second touch after the first")
            << "capture on off image capture on image off"
            << "placed image removed placed image removed" << true << false;
    }

    void reportsInTouchOrder()
    {
        QFETCH(QString, script);
        QFETCH(QString, reports);
        QFETCH(bool, mayStart);
        QFETCH(bool, mayCancel);

        TouchSequence touch;
        QCOMPARE(run(touch, script).join(QLatin1Char(' ')), reports);
        QCOMPARE(touch.mayStartCapture(), mayStart);
        QCOMPARE(touch.mayCancelCapture(), mayCancel);
    }

    void deliveriesNeverNest()
    {
        SerialDelivery delivery;
        QStringList log;
        delivery.post({[&] {
                           log.append(QStringLiteral("image begins"));
                           // A report arriving while the image is handled.
                           delivery.post({[&] { log.append(QStringLiteral("removed")); }});
                           log.append(QStringLiteral("image ends"));
                       },
                       [&] { log.append(QStringLiteral("after image")); }});
        QCOMPARE(log, QStringList({"image begins", "image ends", "after image", "removed"}));
        QVERIFY(!delivery.delivering());
    }

    void deliveryMayDestroyItsOwner()
    {
        auto* delivery = new SerialDelivery;
        QStringList log;
        delivery->post({[&] {
                            log.append(QStringLiteral("first"));
                            delete delivery;
                        },
                        [&] { log.append(QStringLiteral("second")); }});
        QCOMPARE(log, QStringList({"first"}));
    }
};

QTEST_GUILESS_MAIN(TstTouchSequence)
#include "tst_touch_sequence.moc"
