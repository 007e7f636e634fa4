// synthetic-prints --out DIR --fingers N --impressions M --seed S
//                  [--width W --height H --first F --threads T --bench]
// Writes F_I.png: impression I of finger F, 8-bit grey, 500 dpi. The same seed
// always gives the same pictures, whatever the number of threads.

#include "Finger.h"
#include "Impression.h"
#include "PrintWriter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options
{
    QString out;
    int fingers = 1;
    int impressions = 8;
    quint64 seed = 1;
    int width = 288;
    int height = 384;
    int first = 1;
    int threads = 2;
    bool bench = false;
};

struct FingerTiming
{
    int number = 0;
    const char* pattern = "";
    int seeds = 0;
    int passes = 0;
    double fingerMs = 0;
    double impressionsMs = 0; // all impressions of the finger, without writing
    bool written = true;
};

bool parse(const QCoreApplication& app, Options& o)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes synthetic fingerprints F_I.png (finger F, impression I) into a folder."));
    parser.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Folder to write to."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption fingers(QStringLiteral("fingers"),
                                     QStringLiteral("Number of fingers."), QStringLiteral("N"),
                                     QStringLiteral("1"));
    const QCommandLineOption impressions(QStringLiteral("impressions"),
                                         QStringLiteral("Impressions per finger."),
                                         QStringLiteral("M"), QStringLiteral("8"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the set."),
                                  QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption width(QStringLiteral("width"), QStringLiteral("Picture width."),
                                   QStringLiteral("W"), QStringLiteral("288"));
    const QCommandLineOption height(QStringLiteral("height"), QStringLiteral("Picture height."),
                                    QStringLiteral("H"), QStringLiteral("384"));
    const QCommandLineOption first(QStringLiteral("first"),
                                   QStringLiteral("Number of the first finger."),
                                   QStringLiteral("F"), QStringLiteral("1"));
    const QCommandLineOption threads(QStringLiteral("threads"), QStringLiteral("Worker threads."),
                                     QStringLiteral("T"), QStringLiteral("2"));
    const QCommandLineOption bench(QStringLiteral("bench"),
                                   QStringLiteral("Print the time taken by each finger."));
    parser.addOptions({out, fingers, impressions, seed, width, height, first, threads, bench});
    parser.process(app);

    bool ok[7];
    o.out = parser.value(out);
    o.fingers = parser.value(fingers).toInt(&ok[0]);
    o.impressions = parser.value(impressions).toInt(&ok[1]);
    o.seed = parser.value(seed).toULongLong(&ok[2]);
    o.width = parser.value(width).toInt(&ok[3]);
    o.height = parser.value(height).toInt(&ok[4]);
    o.first = parser.value(first).toInt(&ok[5]);
    o.threads = parser.value(threads).toInt(&ok[6]);
    o.bench = parser.isSet(bench);
    if (o.out.isEmpty()) {
        std::fprintf(stderr, "synthetic-prints: --out DIR is required\n");
        return false;
    }
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }) || o.fingers < 1 ||
        o.impressions < 1 || o.first < 0 || o.threads < 1 || o.width < 64 || o.height < 64 ||
        o.width > 4096 || o.height > 4096) {
        std::fprintf(stderr,
                     "synthetic-prints: invalid number (fingers, impressions, threads >= 1; "
                     "first >= 0; width and height 64..4096)\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options o;
    if (!parse(app, o))
        return 2;
    if (!QDir().mkpath(o.out)) {
        std::fprintf(stderr, "synthetic-prints: cannot create %s\n", qPrintable(o.out));
        return 1;
    }

    std::vector<FingerTiming> timings(static_cast<std::size_t>(o.fingers));
    std::atomic<int> nextFinger{0};
    const QDir dir(o.out);
    auto work = [&] {
        for (int i = nextFinger++; i < o.fingers; i = nextFinger++) {
            FingerTiming& t = timings[static_cast<std::size_t>(i)];
            t.number = o.first + i;
            const auto fingerStart = Clock::now();
            const synth::Finger finger = synth::makeFinger(o.seed, t.number, o.width, o.height);
            t.fingerMs = msSince(fingerStart);
            t.pattern = synth::patternClassName(finger.pattern);
            t.seeds = finger.growth.seeds;
            t.passes = finger.growth.iterations;
            for (int impression = 1; impression <= o.impressions; ++impression) {
                const auto start = Clock::now();
                const synth::Impression shot = synth::makeImpression(finger, impression);
                t.impressionsMs += msSince(start);
                const QString name = QStringLiteral("%1_%2.png").arg(t.number).arg(impression);
                t.written = writePrint(shot.picture, dir.filePath(name)) && t.written;
            }
        }
    };
    const auto start = Clock::now();
    std::vector<std::thread> workers;
    for (int i = 0; i < std::min(o.threads, o.fingers); ++i)
        workers.emplace_back(work);
    for (auto& worker : workers)
        worker.join();
    const double totalMs = msSince(start);

    double fingerMs = 0;
    double impressionsMs = 0;
    bool allWritten = true;
    for (const FingerTiming& t : timings) {
        if (o.bench)
            std::printf("finger %d: %-11s %2d seeds, %2d passes, finger %6.1f ms, %d impressions "
                        "%6.1f ms\n",
                        t.number, t.pattern, t.seeds, t.passes, t.fingerMs, o.impressions,
                        t.impressionsMs);
        fingerMs += t.fingerMs;
        impressionsMs += t.impressionsMs;
        allWritten = allWritten && t.written;
    }
    const int pictures = o.fingers * o.impressions;
    std::printf("wrote %d pictures (%dx%d) to %s in %.2f s with %d threads\n", pictures, o.width,
                o.height, qPrintable(o.out), totalMs / 1000, std::min(o.threads, o.fingers));
    std::printf("cpu time: %.1f ms per finger, %.1f ms per impression, %.1f ms per picture "
                "with its share of the finger\n",
                fingerMs / o.fingers, impressionsMs / pictures,
                (fingerMs + impressionsMs) / pictures);
    if (!allWritten) {
        std::fprintf(stderr, "synthetic-prints: some pictures could not be written to %s\n",
                     qPrintable(o.out));
        return 1;
    }
    return 0;
}
