// A day at the terminal by fingerprint: libfprint's virtual image reader plays the finger, the
// terminal verifies it against the selected user's stored templates and punches.

#include "EvaluationPrints.h"
#include "FingerImage.h"
#include "FingerprintComponent.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"
#include "VirtualReaderClient.h"

#include <QtTest>

using namespace testing;

namespace {

constexpr int kTimeout = 20000;
const QDate kMonday(2026, 12, 7);

QDateTime monday(const QString& time)
{
    return QDateTime(kMonday, QTime::fromString(time, "HH:mm:ss"));
}

QString printPath(const QString& name)
{
    return testing::evaluationPrint(QStringLiteral("FVC2000_DB1_B"), name);
}

// The template the reader's image of a print gives, as the console stores it.
QByteArray templateOf(const QString& print)
{
    const QImage image(printPath(print));
    FingerprintComponent component;
    QByteArray templ;
    if (component.extractTemplate(FingerImage::rawFromPicture(image), image.width(), image.height(),
                                  500, templ) < 0)
        return {};
    return templ;
}

} // namespace

class TestPunchFingerprint : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_punch_fingerprint")};
    std::unique_ptr<QTemporaryDir> socketDir;
    std::unique_ptr<VirtualReaderClient> finger;

    FingerprintComponent& reader() { return fixture.form()->reader().component(); }

    bool waitingForFinger()
    {
        const QStringList sensors = reader().sensors();
        return !sensors.isEmpty() && reader().isWaitingForFinger(sensors.first());
    }

    // Selects the user at `time` and waits until the reader waits for his finger.
    bool selectUser(const QString& user, const QString& time)
    {
        fixture.setTime(monday(time));
        fixture.typeUser(user);
        return QTest::qWaitFor([this] { return finger->isConnected() && waitingForFinger(); },
                               kTimeout);
    }

    void enroll(int user, const QStringList& prints)
    {
        int number = 1;
        for (const QString& print : prints) {
            const QByteArray templ = templateOf(print);
            QVERIFY2(!templ.isEmpty(), qPrintable(print));
            fixture.db().insertRow("KxFingerP",
                                   {{"Usuario", user}, {"NumFing", number++}, {"Feature", templ}});
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(fixture.ready(), qPrintable(fixture.error()));
        if (printPath("101_1.png").isEmpty())
            QSKIP("FVC2000_DB1_B prints not found under VELANDRO_SOURCE_DIR/../shared/data");
    }

    void init()
    {
        fixture.clear();
        fixture.addOfficeWorker();
        enroll(20, {"101_2.png", "101_3.png", "101_4.png"});
        fixture.addUser(21, "BEATRIZ GOMEZ");
        fixture.assign(21, 4);
        enroll(21, {"102_2.png", "102_3.png"});

        socketDir = std::make_unique<QTemporaryDir>();
        const QString socket = socketDir->filePath("reader.sock");
        qputenv("FP_VIRTUAL_IMAGE", socket.toLocal8Bit());
        QVERIFY(fixture.start());
        finger = std::make_unique<VirtualReaderClient>();
        finger->connectTo(socket);
    }

    void cleanup()
    {
        finger.reset();
        fixture.clear();
        socketDir.reset();
        qunsetenv("FP_VIRTUAL_IMAGE");
    }

    void fullDayOfFourPunches()
    {
        const QImage print(printPath("101_1.png"));
        const QList<QPair<QString, QString>> day = {
            {"08:57:00", "Entrada Registrada Correctamente!!"},
            {"14:01:00", "Salida a Comer Registrada Correctamente!!"},
            {"14:58:00", "Regreso de Comida Registrado Correctamente!!"},
            {"18:02:00", "Salida Registrada Correctamente!!"}};
        for (const auto& [time, text] : day) {
            QVERIFY2(selectUser("20", time), qPrintable(time));
            QCOMPARE(fixture.message(), QStringLiteral("Esperando Huella Digital..."));
            QVERIFY(finger->touch(print));
            QTRY_COMPARE_WITH_TIMEOUT(fixture.message(), QString(text), kTimeout);
            QVERIFY(fixture.messageIsSuccess());
            QVERIFY(!fixture.form()->ui()->LblCalidad->text().isEmpty());
            QVERIFY(!fixture.form()->ui()->Img->pixmap().isNull());
            fixture.resetScreen();
        }
        QCOMPARE(fixture.db()
                     .scalar("select count(*) from KxEvento where usuario=20 and cerrado=1 and "
                             "entrada=? and salida_break=? and regreso_break=? and salida=?",
                             {monday("08:57:00"), monday("14:01:00"), monday("14:58:00"),
                              monday("18:02:00")})
                     .toInt(),
                 1);

        // Closed: refused before the finger is read.
        fixture.setTime(monday("18:10:00"));
        fixture.typeUser("20");
        QCOMPARE(fixture.message(),
                 QStringLiteral("El usuario ya tiene completo su horario para este día"));
        QVERIFY(!fixture.form()->selection().MayPunch);
    }

    void anotherUsersFingerIsRefusedAndCaptureStartsAgain()
    {
        QVERIFY(selectUser("20", "09:00:00"));
        QVERIFY(finger->touch(QImage(printPath("102_1.png"))));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.message(),
                                  QStringLiteral("Huella No Identificada para el Usuario,trate "
                                                 "de Nuevo"),
                                  kTimeout);
        QVERIFY(fixture.messageIsRefusal());
        QCOMPARE(fixture.eventCount(20), 0);
        QCOMPARE(fixture.eventCount(21), 0);
        // The same user tries again with his own finger.
        QTRY_VERIFY_WITH_TIMEOUT(waitingForFinger(), kTimeout);
        QVERIFY(finger->touch(QImage(printPath("101_1.png"))));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.message(),
                                  QStringLiteral("Entrada Registrada Correctamente!!"), kTimeout);
        QCOMPARE(fixture.eventCount(20), 1);
    }

    // The refused finger's image and the previous employee's name go as soon as the next
    // employee is chosen, found or not.
    void nextEmployeeClearsTheRefusedFinger_data()
    {
        QTest::addColumn<QString>("next");
        QTest::newRow("known employee") << "21";
        QTest::newRow("unknown number") << "999";
    }
    void nextEmployeeClearsTheRefusedFinger()
    {
        QFETCH(QString, next);
        QVERIFY(selectUser("20", "09:00:00"));
        QVERIFY(finger->touch(QImage(printPath("102_1.png"))));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.message(),
                                  QStringLiteral("Huella No Identificada para el Usuario,trate "
                                                 "de Nuevo"),
                                  kTimeout);
        Ui::FrmClock* ui = fixture.form()->ui();
        const QImage refused = ui->Img->pixmap().toImage();
        QVERIFY(!refused.isNull());
        QVERIFY(!ui->LblNombre->text().isEmpty());
        fixture.typeUser(next);
        QVERIFY(ui->Img->pixmap().toImage() != refused);
        QVERIFY(ui->LblCalidad->text().isEmpty());
        if (next == "999") {
            QCOMPARE(fixture.message(), QStringLiteral("El Numero de Usuario NO Existe..."));
            QVERIFY(ui->LblNombre->text().isEmpty());
            QVERIFY(ui->LblHorario->text().isEmpty());
            QVERIFY(ui->LblEntrada->text().isEmpty());
        } else {
            QCOMPARE(ui->LblNombre->text(), QStringLiteral("BEATRIZ GOMEZ"));
        }
    }

    void userWithoutTemplatesIsNeverMatched()
    {
        fixture.addUser(22, "SIN HUELLAS");
        fixture.assign(22, 4);
        QVERIFY(selectUser("22", "09:00:00"));
        QVERIFY(finger->touch(QImage(printPath("101_1.png"))));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.message(),
                                  QStringLiteral("Huella No Identificada para el Usuario,trate "
                                                 "de Nuevo"),
                                  kTimeout);
        QCOMPARE(fixture.eventCount(22), 0);
    }

    void verificationWithoutTemplateIsNoMatch()
    {
        ReaderAdapter& adapter = fixture.form()->reader();
        adapter.TemplateSize = 0;
        int score = 0;
        QCOMPARE(adapter.MatchUserTemplates(fixture.context().db, 20, score),
                 ReaderAdapter::kNoTemplate);
    }

    void verificationGoesThroughTheUsersFingersInTurn_data()
    {
        QTest::addColumn<bool>("withOwnFinger");
        QTest::addColumn<int>("result");
        QTest::newRow("own finger last of ten") << true << 24;
        QTest::newRow("none of ten") << false << 0;
    }
    void verificationGoesThroughTheUsersFingersInTurn()
    {
        QFETCH(bool, withOwnFinger);
        QFETCH(int, result);
        // A row without template, eight other fingers, then perhaps the finger itself.
        fixture.db().insertRow("KxFingerP", {{"Usuario", 24}, {"NumFing", 0}});
        QStringList prints;
        for (int finger = 103; finger <= 109; ++finger)
            prints << QStringLiteral("%1_2.png").arg(finger);
        prints << "110_3.png";
        if (withOwnFinger)
            prints << "101_2.png";
        enroll(24, prints);

        ReaderAdapter& adapter = fixture.form()->reader();
        const QImage image(printPath("101_1.png"));
        adapter.storeImage(image.width(), image.height(), FingerImage::rawFromPicture(image), 500);
        QVERIFY(adapter.ExtractTemplate() >= 0);
        QVERIFY(adapter.HasTemplate());
        QCOMPARE(adapter.Template.size(), adapter.TemplateSize);
        int score = -1;
        QCOMPARE(adapter.MatchUserTemplates(fixture.context().db, 24, score), result);
        if (withOwnFinger)
            QVERIFY(score > 0);
    }
};

QTEST_MAIN(TestPunchFingerprint)
#include "tst_punch_fingerprint.moc"
