// identification-bench [ROUNDS] [FINGERS]
// The console's identification among all employees, timed as the verifier screen runs it on the
// private database (scripts/db start): the touch's template prepared, the gallery brought up to
// date with KxFingerP, the best owner among every stored template, his name read.
//
// Galleries of 1000 and 10000 templates are made from generated prints (seed 7, 288 x 384):
// eight touching fingers have one enrolled impression each, spread through the table, and the
// other fingers' impressions fill the remaining rows in turn, each row under a user of its own.
// The first touch reads and decodes every template; later touches only ask whether KxFingerP
// changed. Each touch is a different impression of its finger than the enrolled one. The process
// is pinned to one core. Each step is timed by the wall clock (what the administrator waits,
// the database server's work included) and by the bench thread's own processor time (what this
// core spent, unaffected by other programs sharing the machine, the server's work excluded).

#include "Db.h"
#include "Finger.h"
#include "FingerprintGallery.h"
#include "FingerprintStore.h"
#include "Impression.h"
#include "TestDatabase.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <QCoreApplication>
#include <QFile>
#include <sched.h>
#include <span>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;

constexpr std::uint64_t kSeed = 7;
constexpr int kTouchingFingers = 8;
constexpr int kImpressions = 4;

double msSince(Steady::time_point start)
{
    return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

double timed(const std::function<void()>& work)
{
    const auto start = Steady::now();
    work();
    return msSince(start);
}

struct Values
{
    std::vector<double> ms;
    double at(double q) const
    {
        if (ms.empty())
            return 0;
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[std::min(sorted.size() - 1, std::size_t(q * double(sorted.size())))];
    }
    double mean() const
    {
        double sum = 0;
        for (const double v : ms)
            sum += v;
        return ms.empty() ? 0 : sum / double(ms.size());
    }
};

// One step timed many times: wall clock and this thread's processor time.
struct Series
{
    Values wall;
    Values cpu;

    void time(const std::function<void()>& work)
    {
        const double cpuStart = threadCpuMs();
        wall.ms.push_back(timed(work));
        cpu.ms.push_back(threadCpuMs() - cpuStart);
    }
};

void printHeader()
{
    std::printf("  %-44s %31s   %17s\n", "ms", "wall clock", "processor");
    std::printf("  %-44s %7s %7s %7s %7s   %8s %8s\n", "", "mean", "median", "90 %", "slowest",
                "mean", "median");
}

void printRow(const char* what, const Series& s)
{
    std::printf("  %-44s %7.1f %7.1f %7.1f %7.1f   %8.1f %8.1f\n", what, s.wall.mean(),
                s.wall.at(0.5), s.wall.at(0.9), s.wall.at(1.0), s.cpu.mean(), s.cpu.at(0.5));
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

QByteArray templateOf(const synth::GrayPicture& picture)
{
    fp::GrayImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.pixels = picture.pixels;
    const fp::Extraction extraction = fp::extractTemplate(image);
    if (extraction.quality < 0)
        return {};
    return QByteArray(reinterpret_cast<const char*>(extraction.templ.data()),
                      qsizetype(extraction.templ.size()));
}

struct Prints
{
    std::vector<QByteArray> touches;  // impression 1 of each touching finger
    std::vector<QByteArray> enrolled; // impression 2 of each touching finger
    std::vector<QByteArray> others;   // every impression of the other fingers
};

Prints makePrints(int fingers)
{
    Prints prints;
    for (int f = 1; f <= fingers; ++f) {
        const synth::Finger finger = synth::makeFinger(kSeed, f, 288, 384);
        for (int i = 1; i <= kImpressions; ++i) {
            const QByteArray templ = templateOf(synth::makeImpression(finger, i).picture);
            if (templ.isEmpty())
                continue;
            if (f > kTouchingFingers)
                prints.others.push_back(templ);
            else if (i == 1)
                prints.touches.push_back(templ);
            else if (i == 2)
                prints.enrolled.push_back(templ);
        }
    }
    return prints;
}

// Row of the table where touching finger k is enrolled.
int ownerRow(int k, int rows)
{
    return (2 * k + 1) * rows / (2 * kTouchingFingers);
}

// The user a row belongs to.
int userOfRow(int row)
{
    return row + 1;
}

void fillGallery(Db& db, const Prints& prints, int rows)
{
    testing::clearTables(db);
    Db::Transaction transaction(db);
    std::size_t filler = 0;
    for (int row = 0; row < rows; ++row) {
        db.insertRow(QStringLiteral("KxUsuario"),
                     {{QStringLiteral("Usuario"), userOfRow(row)},
                      {QStringLiteral("Nombre"), QStringLiteral("EMPLEADO %1").arg(row)}});
        QByteArray feature;
        for (int k = 0; k < kTouchingFingers; ++k)
            if (ownerRow(k, rows) == row)
                feature = prints.enrolled[std::size_t(k)];
        if (feature.isEmpty())
            feature = prints.others[filler++ % prints.others.size()];
        db.insertRow(QStringLiteral("KxFingerP"), {{QStringLiteral("Usuario"), userOfRow(row)},
                                                   {QStringLiteral("NumFing"), 0},
                                                   {QStringLiteral("Feature"), feature}});
    }
    transaction.commit();
}

void runGallery(Db& db, const Prints& prints, int rows, int rounds)
{
    const double fillMs = timed([&] { fillGallery(db, prints, rows); });
    std::printf("\n%d templates (%zu distinct impostor templates in turn), stored in %.1f s\n",
                rows, prints.others.size(), fillMs / 1000);
    printHeader();

    // First touch: a gallery that has read nothing yet, as when the screen opens.
    Series first;
    Series firstRefresh;
    int correct = 0;
    int touches = 0;
    for (int k = 0; k < kTouchingFingers; ++k) {
        FingerprintGallery fresh;
        OwnerSearch found;
        first.time([&] { found = identifyOwner(db, fresh, prints.touches[std::size_t(k)]); });
        FingerprintGallery again;
        firstRefresh.time([&] { again.refresh(db); });
        correct += found.match.result == userOfRow(ownerRow(k, rows)) ? 1 : 0;
        ++touches;
    }
    printRow("first touch, all of it", first);
    printRow("  of which reading and decoding every template", firstRefresh);

    // Later touches.
    FingerprintGallery gallery;
    gallery.refresh(db);
    Series later;
    Series version;
    Series search;
    Series name;
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < kTouchingFingers; ++k) {
            const QByteArray& touch = prints.touches[std::size_t(k)];
            OwnerSearch found;
            later.time([&] { found = identifyOwner(db, gallery, touch); });
            correct += found.match.result == userOfRow(ownerRow(k, rows)) && found.name ? 1 : 0;
            ++touches;
            version.time([&] { FingerprintStore::templatesVersion(db); });
            fp::PreparedQuery query;
            search.time([&] {
                query.prepare(bytesOf(touch));
                gallery.identify(query);
            });
            name.time([&] { FingerprintStore::userName(db, found.match.result); });
        }
    }
    printRow("later touch, all of it", later);
    printRow("  has KxFingerP changed? (count, checksum)", version);
    printRow("  prepare the touch, compare with every one", search);
    printRow("  the owner's name", name);
    std::printf("  owner found: %d of %d touches; gallery holds %d templates\n", correct, touches,
                gallery.size());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rounds = args.size() > 1 ? std::max(1, args[1].toInt()) : 5;
    const int fingers = args.size() > 2 ? std::max(kTouchingFingers + 2, args[2].toInt()) : 72;

    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    const bool pinned = sched_setaffinity(0, sizeof one, &one) == 0;

    Db db;
    QString error;
    if (!testing::createDatabase(db, QStringLiteral("bench_identification"), &error)) {
        std::fprintf(stderr, "identification-bench: %s (is scripts/db start running?)\n",
                     qPrintable(error));
        return 2;
    }
    Prints prints;
    const double makeMs = timed([&] { prints = makePrints(fingers); });
    if (prints.touches.size() != std::size_t(kTouchingFingers) ||
        prints.enrolled.size() != std::size_t(kTouchingFingers) || prints.others.empty()) {
        std::fprintf(stderr, "identification-bench: a touching finger gave no template\n");
        return 2;
    }
    std::printf("identification among all employees, %s; %d generated fingers x %d impressions "
                "grown and extracted in %.1f s; %d rounds of %d touches\n",
                pinned ? "one core" : "not pinned", fingers, kImpressions, makeMs / 1000, rounds,
                kTouchingFingers);
    std::printf("load average before: %s\n", qPrintable(loadAverage()));
    for (const int rows : {1000, 10000})
        runGallery(db, prints, rows, rounds);
    std::printf("\nload average after: %s\n", qPrintable(loadAverage()));
    return 0;
}
