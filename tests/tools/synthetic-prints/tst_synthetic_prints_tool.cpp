// The synthetic-prints command: the files it writes, their format, and its
// refusal of bad arguments.

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString output;
};

Run runTool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(SYNTHETIC_PRINTS_BIN), arguments);
    process.waitForFinished(120000);
    return {
        process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

} // namespace

class TestSyntheticPrintsTool : public QObject
{
    Q_OBJECT

private slots:
    void writesNumberedGreyPictures();
    void sameSeedWritesSameFilesWhateverTheThreads();
    void refusesBadArguments_data();
    void refusesBadArguments();
};

void TestSyntheticPrintsTool::writesNumberedGreyPictures()
{
    QTemporaryDir dir;
    const Run run =
        runTool({"--out", dir.path() + "/set", "--fingers", "2", "--impressions", "2", "--seed",
                 "9", "--first", "101", "--width", "200", "--height", "240", "--bench"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.output.contains("ms per impression"), qPrintable(run.output));
    QVERIFY2(run.output.contains("finger 102:"), qPrintable(run.output));
    const QStringList files = QDir(dir.path() + "/set").entryList(QDir::Files, QDir::Name);
    QCOMPARE(files, QStringList({"101_1.png", "101_2.png", "102_1.png", "102_2.png"}));
    const QImage image(dir.path() + "/set/102_2.png");
    QCOMPARE(image.format(), QImage::Format_Grayscale8);
    QCOMPARE(image.size(), QSize(200, 240));
    QCOMPARE(std::lround(image.dotsPerMeterX() * 0.0254), 500L);
}

void TestSyntheticPrintsTool::sameSeedWritesSameFilesWhateverTheThreads()
{
    QTemporaryDir dir;
    QCOMPARE(runTool({"--out", dir.path() + "/a", "--fingers", "3", "--impressions", "1", "--seed",
                      "5", "--width", "128", "--height", "160", "--threads", "1"})
                 .exitCode,
             0);
    // The last finger alone, started at its own number, on two threads.
    QCOMPARE(runTool({"--out", dir.path() + "/b", "--fingers", "1", "--impressions", "1", "--seed",
                      "5", "--width", "128", "--height", "160", "--first", "3", "--threads", "2"})
                 .exitCode,
             0);
    QFile a(dir.path() + "/a/3_1.png");
    QFile b(dir.path() + "/b/3_1.png");
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.readAll() == b.readAll());
}

void TestSyntheticPrintsTool::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no folder") << QStringList{"--fingers", "1"};
    QTest::newRow("no fingers") << QStringList{"--out", "x", "--fingers", "0"};
    QTest::newRow("not a number") << QStringList{"--out", "x", "--impressions", "many"};
    QTest::newRow("tiny picture") << QStringList{"--out", "x", "--width", "10"};
    QTest::newRow("negative seed") << QStringList{"--out", "x", "--seed", "-3"};
}

void TestSyntheticPrintsTool::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    for (QString& a : arguments)
        if (a == "x")
            a = dir.path() + "/x";
    const Run run = runTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!QDir(dir.path() + "/x").exists());
}

QTEST_GUILESS_MAIN(TestSyntheticPrintsTool)
#include "tst_synthetic_prints_tool.moc"
