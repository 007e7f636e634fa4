// Verification benchmark of the fingerprint engine on a folder of F_I.png images:
// accuracy by the usual protocol of public fingerprint competitions, and speed.

#include "Engine.h"
#include "GrayPicture.h"
#include "Matcher.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Print
{
    int finger = 0;
    int impression = 0;
    fp::Extraction extraction;
    double extractMs = 0;
};

std::vector<Print> loadAndExtract(const QString& dir)
{
    static const QRegularExpression name(QStringLiteral("^(\\d+)_(\\d+)\\.png$"));
    std::vector<Print> prints;
    const QStringList files =
        QDir(dir).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const auto m = name.match(file);
        if (!m.hasMatch())
            continue;
        const QImage image(QDir(dir).filePath(file));
        if (image.isNull()) {
            std::printf("  cannot read %s\n", qPrintable(file));
            continue;
        }
        Print p;
        p.finger = m.captured(1).toInt();
        p.impression = m.captured(2).toInt();
        const fp::GrayImage grey = FingerImage::grayFromPicture(image);
        const auto start = Clock::now();
        p.extraction = fp::extractTemplate(grey);
        p.extractMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        prints.push_back(std::move(p));
    }
    std::sort(prints.begin(), prints.end(), [](const Print& a, const Print& b) {
        return std::tie(a.finger, a.impression) < std::tie(b.finger, b.impression);
    });
    return prints;
}

// Score of a against b; -1 when either has no template (counts as a non-match).
int compare(const Print& a, const Print& b)
{
    if (a.extraction.quality < 0 || b.extraction.quality < 0)
        return -1;
    fp::PreparedQuery query;
    if (query.prepare(a.extraction.templ) < 0)
        return -1;
    return query.score(b.extraction.templ);
}

double rate(const std::vector<int>& scores, int threshold, bool countAtOrAbove)
{
    if (scores.empty())
        return 0;
    const auto n = std::count_if(scores.begin(), scores.end(), [&](int s) {
        return countAtOrAbove ? s >= threshold : s < threshold;
    });
    return 100.0 * static_cast<double>(n) / static_cast<double>(scores.size());
}

struct Accuracy
{
    double eer = 0;
    double fnmrAt1 = 0, fnmrAt01 = 0, fnmrAtZero = 0;
    double fnmrDefault = 0, fmrDefault = 0;
    int maxImpostor = 0;
};

Accuracy accuracy(const std::vector<int>& genuine, const std::vector<int>& impostor)
{
    Accuracy a;
    std::vector<int> thresholds(genuine.begin(), genuine.end());
    thresholds.insert(thresholds.end(), impostor.begin(), impostor.end());
    for (int& t : thresholds)
        ++t; // "score >= t" just above each observed score
    thresholds.push_back(0);
    std::sort(thresholds.begin(), thresholds.end());
    thresholds.erase(std::unique(thresholds.begin(), thresholds.end()), thresholds.end());
    a.fnmrAt1 = a.fnmrAt01 = a.fnmrAtZero = 100;
    a.eer = 100;
    for (int t : thresholds) {
        const double fmr = rate(impostor, t, true);
        const double fnmr = rate(genuine, t, false);
        if (fmr <= 1.0)
            a.fnmrAt1 = std::min(a.fnmrAt1, fnmr);
        if (fmr <= 0.1)
            a.fnmrAt01 = std::min(a.fnmrAt01, fnmr);
        if (fmr == 0)
            a.fnmrAtZero = std::min(a.fnmrAtZero, fnmr);
        // Where the curves cross: the smaller of the two maxima over thresholds.
        a.eer = std::min(a.eer, std::max(fmr, fnmr));
    }
    // The equal error rate sits between the last threshold with FMR > FNMR and the next.
    double best = 100;
    for (std::size_t i = 0; i + 1 < thresholds.size(); ++i) {
        const double fmr1 = rate(impostor, thresholds[i], true),
                     fnmr1 = rate(genuine, thresholds[i], false);
        const double fmr2 = rate(impostor, thresholds[i + 1], true),
                     fnmr2 = rate(genuine, thresholds[i + 1], false);
        if (fmr1 >= fnmr1 && fmr2 <= fnmr2)
            best = std::min(best, (std::min(fmr1, fnmr2) + std::max(fmr2, fnmr1)) / 2);
    }
    a.eer = std::min(a.eer, best);
    a.fnmrDefault = rate(genuine, fp::defaultThreshold(), false);
    a.fmrDefault = rate(impostor, fp::defaultThreshold(), true);
    a.maxImpostor = impostor.empty() ? 0 : *std::max_element(impostor.begin(), impostor.end());
    return a;
}

void printAccuracy(const char* title, const std::vector<int>& genuine,
                   const std::vector<int>& impostor)
{
    const Accuracy a = accuracy(genuine, impostor);
    std::printf("  %s: %zu genuine, %zu impostor comparisons\n", title, genuine.size(),
                impostor.size());
    std::printf("    EER %.2f %%   FNMR at FMR 1 %%: %.2f %%   at FMR 0.1 %%: %.2f %%   at zero "
                "FMR: %.2f %%\n",
                a.eer, a.fnmrAt1, a.fnmrAt01, a.fnmrAtZero);
    std::printf(
        "    default threshold %d: FNMR %.2f %%  FMR %.3f %%  (highest impostor score %d)\n",
        fp::defaultThreshold(), a.fnmrDefault, a.fmrDefault, a.maxImpostor);
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Comparisons per second on one thread, the best of three runs of at least a
// second each (other work on the machine can only slow a run down):
// `compareAll` scores the queries against every reference once and returns how
// many it compared.
template <typename CompareAll> double comparisonsPerSecond(CompareAll&& compareAll)
{
    double best = 0;
    for (int run = 0; run < 3; ++run) {
        long long comparisons = 0;
        const auto start = Clock::now();
        double seconds = 0;
        while (seconds < 1.0) {
            comparisons += compareAll();
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        }
        best = std::max(best, static_cast<double>(comparisons) / seconds);
    }
    return best;
}

// How many comparisons the matcher ends before any pairing (too few edge votes,
// too little consensus among the best-voted pairs, ridge directions that
// disagree): what makes a search among many templates fast.
void earlyRejections(const std::vector<Print>& prints)
{
    int impostors = 0, impostorsEnded = 0, genuine = 0, genuineEnded = 0;
    fp::MatchScratch scratch;
    std::vector<fp::MatchPair> pairs;
    fp::MatchTemplate reference;
    for (std::size_t i = 0; i < prints.size(); ++i) {
        fp::PreparedTemplate query;
        if (prints[i].extraction.quality < 0 || !query.build(prints[i].extraction.templ))
            continue;
        for (std::size_t j = i + 1; j < prints.size(); ++j) {
            if (prints[j].extraction.quality < 0 ||
                !fp::buildMatchTemplate(prints[j].extraction.templ, reference))
                continue;
            fp::MatchDetail detail;
            fp::matchTemplates(query, reference, scratch, pairs, &detail);
            const bool same = prints[i].finger == prints[j].finger;
            ++(same ? genuine : impostors);
            if (detail.endedEarly)
                ++(same ? genuineEnded : impostorsEnded);
        }
    }
    std::printf("  ended before any pairing: %.1f %% of %d impostor comparisons, %d of %d "
                "genuine\n",
                impostors > 0 ? 100.0 * impostorsEnded / impostors : 0.0, impostors, genuineEnded,
                genuine);
}

// Comparisons per second on one thread: every print in turn as the prepared
// query against every other finger's template (what an identification among
// many enrolled people mostly meets), once from the stored bytes and once
// against references prepared beforehand. The cost depends much on the query
// (how many minutiae, how regular its ridges), so every print takes its turn.
void matchingSpeed(const std::vector<Print>& prints)
{
    std::vector<const Print*> usable;
    for (const Print& p : prints)
        if (p.extraction.quality >= 0)
            usable.push_back(&p);
    if (usable.size() < 2)
        return;
    std::vector<fp::PreparedQuery> queries(usable.size());
    std::vector<fp::PreparedReference> prepared(usable.size());
    for (std::size_t i = 0; i < usable.size(); ++i) {
        queries[i].prepare(usable[i]->extraction.templ);
        prepared[i].prepare(usable[i]->extraction.templ);
    }
    long long sink = 0;
    auto allPairs = [&](auto&& scoreOne) {
        long long compared = 0;
        for (std::size_t i = 0; i < usable.size(); ++i)
            for (std::size_t j = 0; j < usable.size(); ++j)
                if (usable[i]->finger != usable[j]->finger) {
                    sink += scoreOne(queries[i], j);
                    ++compared;
                }
        return compared;
    };
    const double fromBytes = comparisonsPerSecond([&] {
        return allPairs([&](const fp::PreparedQuery& q, std::size_t j) {
            return q.score(usable[j]->extraction.templ);
        });
    });
    const double fromPrepared = comparisonsPerSecond([&] {
        return allPairs(
            [&](const fp::PreparedQuery& q, std::size_t j) { return q.score(prepared[j]); });
    });
    std::printf("  matching (every print as query against every other finger's, one core, best "
                "of three runs): %.0f comparisons per second from stored bytes, %.0f against "
                "prepared references%s\n",
                fromBytes, fromPrepared, sink < 0 ? " (no score)" : "");
}

// One finger identified among kGallery enrolled templates of other fingers (the
// set's templates repeated), on one thread: the first impression of each finger
// in turn as the query against a gallery without its own finger, as in a search
// that meets the right person once among thousands. Mean and slowest time, from
// the stored bytes and from a gallery prepared beforehand.
constexpr int kGallery = 10000;

void identificationSpeed(const std::vector<Print>& prints)
{
    double bytesTotal = 0, bytesSlowest = 0, preparedTotal = 0, preparedSlowest = 0;
    double prepareTotal = 0;
    int queries = 0;
    long long sink = 0;
    for (const Print& q : prints) {
        if (q.impression != 1 || q.extraction.quality < 0)
            continue;
        std::vector<const std::vector<std::uint8_t>*> others;
        for (const Print& p : prints)
            if (p.finger != q.finger && p.extraction.quality >= 0)
                others.push_back(&p.extraction.templ);
        if (others.empty())
            return;
        std::vector<std::vector<std::uint8_t>> gallery;
        gallery.reserve(kGallery);
        for (int i = 0; i < kGallery; ++i)
            gallery.push_back(*others[static_cast<std::size_t>(i) % others.size()]);
        const auto preparing = Clock::now();
        std::vector<fp::PreparedReference> prepared(gallery.size());
        for (std::size_t i = 0; i < gallery.size(); ++i)
            prepared[i].prepare(gallery[i]);
        prepareTotal += std::chrono::duration<double, std::milli>(Clock::now() - preparing).count();
        fp::PreparedQuery query;
        query.prepare(q.extraction.templ);
        auto timed = [&](auto&& scoreOne, double& total, double& slowest) {
            const auto start = Clock::now();
            int best = -1;
            for (std::size_t i = 0; i < gallery.size(); ++i)
                best = std::max(best, scoreOne(i));
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            total += ms;
            slowest = std::max(slowest, ms);
            sink += best;
        };
        timed([&](std::size_t i) { return query.score(gallery[i]); }, bytesTotal, bytesSlowest);
        timed([&](std::size_t i) { return query.score(prepared[i]); }, preparedTotal,
              preparedSlowest);
        ++queries;
    }
    if (queries == 0)
        return;
    std::printf("  identification among %d templates of other fingers (first impression of each "
                "of %d fingers as query): mean %.0f ms, slowest %.0f ms from stored bytes; mean "
                "%.0f ms, slowest %.0f ms against a prepared gallery (prepared once in %.0f "
                "ms)%s\n",
                kGallery, queries, bytesTotal / queries, bytesSlowest, preparedTotal / queries,
                preparedSlowest, prepareTotal / queries, sink < 0 ? " (no score)" : "");
}

void benchFolder(const QString& dir)
{
    std::printf("%s\n", qPrintable(QDir(dir).absolutePath()));
    const std::vector<Print> prints = loadAndExtract(dir);
    if (prints.empty()) {
        std::printf("  no F_I.png images\n");
        return;
    }

    std::vector<double> times;
    std::vector<double> sizes;
    std::map<int, int> qualities;
    int failures = 0;
    for (const Print& p : prints) {
        times.push_back(p.extractMs);
        ++qualities[p.extraction.quality];
        if (p.extraction.quality < 0)
            ++failures;
        else
            sizes.push_back(static_cast<double>(p.extraction.templ.size()));
    }
    double total = 0;
    for (double t : times)
        total += t;
    std::printf("  %zu images; extraction mean %.1f ms, median %.1f ms\n", prints.size(),
                total / static_cast<double>(times.size()), median(times));
    std::printf("  quality codes:");
    for (const auto& [code, count] : qualities)
        std::printf("  %d: %d", code, count);
    std::printf("\n");
    if (!sizes.empty())
        std::printf("  template bytes: min %.0f, median %.0f, max %.0f\n",
                    *std::min_element(sizes.begin(), sizes.end()), median(sizes),
                    *std::max_element(sizes.begin(), sizes.end()));
    std::printf("  failures to extract: %d (their genuine comparisons count as rejected)\n",
                failures);

    std::vector<int> genuine, firstImpostor, allImpostor;
    int minGenuine = 1 << 30;
    for (std::size_t i = 0; i < prints.size(); ++i)
        for (std::size_t j = i + 1; j < prints.size(); ++j) {
            const Print& a = prints[i];
            const Print& b = prints[j];
            const int s = compare(a, b);
            if (a.finger == b.finger) {
                genuine.push_back(s);
                minGenuine = std::min(minGenuine, s);
            } else {
                allImpostor.push_back(s);
                if (a.impression == 1 && b.impression == 1)
                    firstImpostor.push_back(s);
            }
        }
    printAccuracy("first impressions as impostors", genuine, firstImpostor);
    printAccuracy("all cross-finger pairs as impostors", genuine, allImpostor);
    if (failures > 0) {
        auto usable = [](std::vector<int> scores) {
            std::erase_if(scores, [](int s) { return s < 0; });
            return scores;
        };
        printAccuracy("all cross-finger pairs, images with a template only", usable(genuine),
                      usable(allImpostor));
    }
    std::printf("  lowest genuine score %d\n", minGenuine);
    earlyRejections(prints);
    matchingSpeed(prints);
    identificationSpeed(prints);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: fingerprint-bench DIR...\n"
                             "  DIR holds F_I.png prints (finger F, impression I)\n");
        return 2;
    }
    for (const QString& dir : args)
        benchFolder(dir);
    return 0;
}
