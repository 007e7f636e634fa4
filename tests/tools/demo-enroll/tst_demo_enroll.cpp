// The demo's fingerprints: generated fingers enrolled for the demo employees, and other
// impressions of the same fingers punching at the terminal through the virtual reader.

#include "DemoEnrollment.h"
#include "FingerprintComponent.h"
#include "TerminalFixture.h"
#include "ui_FrmClock.h"
#include "VirtualReaderClient.h"

#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

using namespace testing;

namespace {

constexpr int kTimeout = 20000;
constexpr int kUsers = 3;
constexpr int kFingersPerUser = 2;
constexpr int kImpressions = 3;
const QDate kTuesday(2026, 12, 8);

} // namespace

class TestDemoEnroll : public QObject
{
    Q_OBJECT
    TerminalFixture fixture{QStringLiteral("t_demo_enroll")};
    QTemporaryDir work;
    QString prints;
    QString readerFolder;

    QString readerFile(int user, int indicator, int impression)
    {
        const QString name =
            fixture.db().scalar("select Nombre from KxUsuario where Usuario=?", {user}).toString();
        return QDir(readerFolder).filePath(demoReaderFileName(user, name, indicator, impression));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(fixture.ready(), qPrintable(fixture.error()));
        prints = work.filePath("generated");
        readerFolder = work.filePath("lector");
        QProcess tool;
        tool.start(SYNTHETIC_PRINTS_TOOL,
                   {"--out", prints, "--fingers", QString::number(kUsers * kFingersPerUser),
                    "--impressions", QString::number(kImpressions), "--seed", "2026"});
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
    }

    void fingerBelongsToUser_data()
    {
        QTest::addColumn<int>("finger");
        QTest::addColumn<int>("perUser");
        QTest::addColumn<int>("user");
        QTest::addColumn<int>("indicator");
        QTest::newRow("first") << 1 << 2 << 1 << 1;
        QTest::newRow("second of first user") << 2 << 2 << 1 << 2;
        QTest::newRow("first of second user") << 3 << 2 << 2 << 1;
        QTest::newRow("one finger each") << 7 << 1 << 7 << 1;
        QTest::newRow("three each") << 9 << 3 << 3 << 3;
    }
    void fingerBelongsToUser()
    {
        QFETCH(int, finger);
        QFETCH(int, perUser);
        QFETCH(int, user);
        QFETCH(int, indicator);
        QCOMPARE(demoUserOfFinger(finger, perUser), user);
        QCOMPARE(demoFingerIndicator(finger, perUser), indicator);
    }

    void enrolsFirstImpressionsAndOffersTheOthers()
    {
        fixture.clear();
        fixture.addUser(1, "ADMINISTRADOR GENERAL");
        fixture.addUser(2, "MARÍA PEÑA / TURNO");
        // user 3 missing: reported, nothing enrolled for him
        DemoEnrollmentPlan plan{prints, readerFolder, kFingersPerUser, kUsers};
        const DemoEnrollmentResult result = enrollDemoFingers(fixture.db(), plan);
        QCOMPARE(result.enrolled, 2 * kFingersPerUser);
        QCOMPARE(result.offered, 2 * kFingersPerUser * (kImpressions - 1));
        QCOMPARE(result.problems, QStringList{"El usuario 3 no existe."});
        QSqlQuery q = fixture.db().query(
            "select Usuario, NumFing, LENGTH(Feature) from KxFingerP order by Usuario, NumFing");
        QList<QPair<int, int>> rows;
        while (q.next()) {
            rows << qMakePair(q.value(0).toInt(), q.value(1).toInt());
            QVERIFY(q.value(2).toInt() > 0 && q.value(2).toInt() <= 10000);
        }
        QCOMPARE(rows, (QList<QPair<int, int>>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
        QVERIFY(QFile::exists(readerFile(2, 2, 3)));
        QVERIFY(
            QFileInfo(readerFile(2, 2, 3)).fileName().startsWith("02 MARÍA PEÑA TURNO - dedo 2"));
        QVERIFY(!QFile::exists(readerFile(2, 2, 1))); // enrolled impressions are not offered

        // Running it again replaces the templates instead of adding more.
        enrollDemoFingers(fixture.db(), plan);
        QCOMPARE(fixture.db().scalar("select count(*) from KxFingerP").toInt(), 4);
    }

    void demoEmployeesPunchWithImpressionsTheyWereNotEnrolledWith()
    {
        fixture.clear();
        fixture.addSchedule(1, "DEMO", {"00:00:00", "23:59:00", "", "", 999, 999});
        for (int user = 1; user <= kUsers; ++user) {
            fixture.addUser(user, QStringLiteral("EMPLEADO %1").arg(user));
            fixture.assign(user, 1);
        }
        DemoEnrollmentPlan plan{prints, readerFolder, kFingersPerUser, kUsers};
        QCOMPARE(enrollDemoFingers(fixture.db(), plan).enrolled, kUsers * kFingersPerUser);

        QTemporaryDir socketDir;
        const QString socket = socketDir.filePath("reader.sock");
        qputenv("FP_VIRTUAL_IMAGE", socket.toLocal8Bit());
        QVERIFY(fixture.start());
        VirtualReaderClient finger;
        finger.connectTo(socket);
        FingerprintComponent& reader = fixture.form()->reader().component();
        auto waiting = [&] {
            const QStringList sensors = reader.sensors();
            return finger.isConnected() && !sensors.isEmpty() &&
                   reader.isWaitingForFinger(sensors.first());
        };

        struct Touch
        {
            int user;
            int fingerOf;
            int indicator;
            int impression;
            bool accepted;
        };
        const QList<Touch> touches = {{2, 2, 1, 2, true},  {3, 3, 2, 3, true},  {1, 1, 2, 2, true},
                                      {1, 3, 1, 2, false}, {3, 2, 2, 2, false}, {2, 2, 2, 2, true}};
        int step = 0;
        for (const Touch& touch : touches) {
            fixture.setTime(QDateTime(kTuesday, QTime(9, 0).addSecs(600 * ++step)));
            // The virtual driver drops a touch that arrives while the previous capture is still
            // being cancelled; the terminal then asks for the finger again, and so does the test.
            for (int attempt = 0; attempt < 3; ++attempt) {
                fixture.resetScreen();
                fixture.typeUser(QString::number(touch.user));
                QVERIFY(QTest::qWaitFor(waiting, kTimeout));
                QVERIFY(finger.touch(
                    QImage(readerFile(touch.fingerOf, touch.indicator, touch.impression))));
                QTRY_VERIFY_WITH_TIMEOUT(fixture.messageIsSuccess() || fixture.messageIsRefusal(),
                                         kTimeout);
                if (!fixture.message().startsWith(QStringLiteral("Ocurrio un Error")))
                    break;
            }
            const QString what = QStringLiteral("user %1 touching finger %2 of user %3: %4")
                                     .arg(touch.user)
                                     .arg(touch.indicator)
                                     .arg(touch.fingerOf)
                                     .arg(fixture.message());
            QVERIFY2(fixture.messageIsSuccess() == touch.accepted, qPrintable(what));
            if (!touch.accepted)
                QVERIFY2(
                    fixture.message() ==
                        QStringLiteral("Huella No Identificada para el Usuario,trate de Nuevo"),
                    qPrintable(what));
        }
        // Entry and exit of user 2, entries of users 1 and 3; the refusals wrote nothing.
        QCOMPARE(fixture.eventCount(1), 1);
        QCOMPARE(fixture.eventCount(2), 1);
        QCOMPARE(fixture.eventCount(3), 1);
        QCOMPARE(fixture.db().scalar("select cerrado from KxEvento where usuario=2").toInt(), 1);
        qunsetenv("FP_VIRTUAL_IMAGE");
    }
};

QTEST_MAIN(TestDemoEnroll)
#include "tst_demo_enroll.moc"
