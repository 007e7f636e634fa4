// The terminal's reactions to the reader, with a scripted reader: when the capture runs, what
// the message line says through a touch, and the start-up without reader library.

#include "EvaluationPrints.h"
#include "FingerImage.h"
#include "ReaderBackend.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"

#include <QtTest>

using namespace testing;

namespace {

const QDate kMonday(2026, 12, 7);

// A reader whose touches the test plays; it logs what the terminal asks of it.
class ScriptedReader : public ReaderBackend
{
public:
    explicit ScriptedReader(int openStatus, QStringList* log)
        : openStatus_(openStatus)
        , log_(log)
    {
    }
    int open() override { return openStatus_; }
    void startReporting() override
    {
        *log_ << "start";
        reporting_ = true;
        emit sensorPlugged("s1");
    }
    void stopReporting() override
    {
        if (reporting_)
            *log_ << "stop";
        reporting_ = false;
        capturing_ = false;
    }
    void startCapture(const QString& id) override
    {
        *log_ << "capture " + id;
        capturing_ = true;
    }
    void stopCapture(const QString& id) override
    {
        *log_ << "stop capture " + id;
        capturing_ = false;
    }
    QStringList sensors() const override { return {"s1"}; }
    bool isWaitingForFinger(const QString&) const override { return capturing_; }

    // One touch, as a reader reports it.
    void touch(const QImage& picture)
    {
        emit fingerPlaced("s1");
        emit imageAcquired("s1", picture.width(), picture.height(),
                           FingerImage::rawFromPicture(picture), 500);
        emit fingerRemoved("s1");
    }

private:
    int openStatus_;
    QStringList* log_;
    bool reporting_ = false;
    bool capturing_ = false;
};

QImage print(const QString& name)
{
    const QString path = testing::evaluationPrint(QStringLiteral("FVC2000_DB1_B"), name);
    return path.isEmpty() ? QImage() : QImage(path);
}

QByteArray templateOf(const QImage& image)
{
    FingerprintComponent component;
    QByteArray templ;
    component.extractTemplate(FingerImage::rawFromPicture(image), image.width(), image.height(),
                              500, templ);
    return templ;
}

} // namespace

class TestReaderEvents : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_reader_events")};
    QStringList log;
    ScriptedReader* reader = nullptr;
    QStringList lineDuringTouch; // the message line after each of the terminal's handlers

    FrmClock* start(int openStatus = 0)
    {
        log.clear();
        lineDuringTouch.clear();
        auto backend = std::make_unique<ScriptedReader>(openStatus, &log);
        reader = backend.get();
        auto component = std::make_unique<FingerprintComponent>(std::move(backend));
        FingerprintComponent* events = component.get();
        FrmClock* form = fixture.start(std::move(component));
        if (!form)
            return nullptr;
        // Connected after the terminal's own handlers: sees the line they left.
        const auto record = [this] { lineDuringTouch << fixture.message(); };
        connect(events, &FingerprintComponent::fingerPlaced, this, record);
        connect(events, &FingerprintComponent::imageAcquired, this, record);
        connect(events, &FingerprintComponent::fingerRemoved, this, record);
        fixture.setTime(QDateTime(kMonday, QTime(9, 0)));
        return form;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(fixture.ready(), qPrintable(fixture.error()));
        if (print("101_1.png").isNull())
            QSKIP("FVC2000_DB1_B prints not found under VELANDRO_SOURCE_DIR/../shared/data");
    }

    void init()
    {
        fixture.clear();
        fixture.addOfficeWorker();
        fixture.db().insertRow(
            "KxFingerP",
            {{"Usuario", 20}, {"NumFing", 1}, {"Feature", templateOf(print("101_2.png"))}});
        fixture.addUser(21, "SIN HORARIO");
        fixture.boxes.boxes.clear();
    }

    void startUpWithoutReaderLibraryEnds()
    {
        QVERIFY(!start(-101));
        QCOMPARE(fixture.boxes.boxes.size(), 1);
        QCOMPARE(fixture.boxes.boxes[0].text,
                 QStringLiteral("No fue posible Inicializar el scanner de Huella Digital. No es "
                                "posible continuar"));
        QCOMPARE(fixture.boxes.boxes[0].title, QStringLiteral("Scanner no detectado"));
    }

    void captureRunsOnlyForAUserWhoMayPunch_data()
    {
        QTest::addColumn<QString>("then"); // what happens after user 20 was selected
        QTest::addColumn<QStringList>("log");
        const QStringList selected{"start", "capture s1"};
        QTest::newRow("selected") << "" << selected;
        QTest::newRow("unknown user typed") << "999" << selected + QStringList{"stop"};
        QTest::newRow("number too large") << "40000" << selected + QStringList{"stop"};
        QTest::newRow("user refused") << "21" << selected + QStringList{"stop"};
        QTest::newRow("screen reset") << "reset" << selected + QStringList{"stop"};
        QTest::newRow("terminal closed") << "close" << selected + QStringList{"stop"};
        QTest::newRow("own finger: one image per attempt")
            << "101_1.png" << selected + QStringList{"stop"};
        QTest::newRow("other finger: capture starts again")
            << "102_1.png" << selected + QStringList{"stop", "start", "capture s1"};
    }
    void captureRunsOnlyForAUserWhoMayPunch()
    {
        QFETCH(QString, then);
        QFETCH(QStringList, log);
        FrmClock* form = start();
        QVERIFY(form);
        this->log.clear();
        fixture.typeUser("20");
        if (then == "reset") {
            fixture.resetScreen();
        } else if (then == "close") {
            fixture.boxes.answers << true;
            QVERIFY(form->close());
        } else if (then.endsWith(".png")) {
            reader->touch(print(then));
        } else if (!then.isEmpty()) {
            fixture.typeUser(then);
        }
        QCOMPARE(this->log, log);
    }

    void messageLineThroughATouch_data()
    {
        QTest::addColumn<QString>("finger");
        QTest::addColumn<QString>("result");
        QTest::newRow("own finger") << "101_1.png"
                                    << "Entrada Registrada Correctamente!!";
        QTest::newRow("other finger") << "102_1.png"
                                      << "Huella No Identificada para el Usuario,trate de Nuevo";
    }
    void messageLineThroughATouch()
    {
        QFETCH(QString, finger);
        QFETCH(QString, result);
        FrmClock* form = start();
        QVERIFY(form);
        fixture.typeUser("20");
        reader->touch(print(finger));
        QCOMPARE(lineDuringTouch, (QStringList{"Por favor quite su dedo del lector",
                                               "Procesando Imagen...", result}));
        QByteArray templ;
        const QImage image = print(finger);
        const int quality = FingerprintComponent().extractTemplate(
            FingerImage::rawFromPicture(image), image.width(), image.height(), 500, templ);
        QCOMPARE(form->ui()->LblCalidad->text(), ReaderAdapter::qualityText(quality));
        QVERIFY(form->ui()->LblCalidad->text().startsWith("Calidad de la Huella: "));
    }

    void unreadableImageEndsTheAttempt()
    {
        FrmClock* form = start();
        QVERIFY(form);
        fixture.typeUser("20");
        QImage blank(300, 300, QImage::Format_Grayscale8);
        blank.fill(255);
        reader->touch(blank);
        const QString error = "Ocurrio un Error al Procesar la Imagen, Trate de nuevo";
        // Lifting the finger afterwards verifies nothing: the error stays on the line.
        QCOMPARE(lineDuringTouch,
                 (QStringList{"Por favor quite su dedo del lector", error, error}));
        // The screen was reset at once; the error goes with the usual 4-second reset.
        QVERIFY(form->ui()->TxtUsuario->text().isEmpty());
        QVERIFY(form->ui()->LblNombre->text().isEmpty());
        QVERIFY(form->ui()->LblCalidad->text().isEmpty());
        QVERIFY(!form->selection().MayPunch);
        QCOMPARE(form->reader().TemplateSize, 0);
        QCOMPARE(fixture.eventCount(20), 0);
        QVERIFY(form->TmrMsg().isActive());
        fixture.resetScreen();
        QCOMPARE(fixture.message(), QStringLiteral("Ingrese su Numero de Usuario"));
    }

    void fingersWithoutSelectedUserAreIgnored()
    {
        FrmClock* form = start();
        QVERIFY(form);
        reader->touch(print("101_1.png"));
        QCOMPARE(lineDuringTouch, QStringList(3, "Ingrese su Numero de Usuario"));
        QCOMPARE(fixture.eventCount(20), 0);
        QVERIFY(form->ui()->LblCalidad->text().isEmpty());
    }
};

QTEST_MAIN(TestReaderEvents)
#include "tst_reader_events.moc"
