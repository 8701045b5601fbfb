// Times the duplicate finder's "Size and contents" (walk, then equal sizes,
// edge hashes and whole-contents XXH3-128 on worker threads) against
// `jdupes -r`, `rdfind -dryrun true` and `fdupes -r` on two trees, warm
// cache, best of several runs, and checks that the duplicate sets found are
// exactly the ones jdupes finds:
//   (a) 20,000 files, about 1.5 GB of real data, with planted copies in
//       other folders (groups of three) and files of a copy's size whose
//       contents differ (in one middle byte, or throughout);
//   (b) 200,000 small files (1 byte .. 3 KB), every fifth a copy.
// Then how the finder's time grows from a tree of 20,000 small files to
// the tree of 200,000 (ten times its size).

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "bench/ContentTrees.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/core/ContentDupFinder.h"
#include "tools/dup/core/DupScan.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

using rw::bench::Clock;
using Groups = std::set<std::set<std::string>>;

struct Ours {
    double seconds = 0;
    Groups groups;
    long long files = 0;
    std::int64_t freeable = 0;
};

Ours runOurs(const QString& root, bool keepGroups)
{
    Ours out;
    const auto t0 = Clock::now();
    rw::DupScan scan(true, rw::mmContents, rw::SizeFilter(), QStringLiteral("*.*"));
    bool abort = false;
    rw::FolderWalker walker(scan, abort, *rw::messageResponder());
    rw::bench::walkAsDrive(walker, root);
    rw::ContentDupFinder finder(scan.lines()->set());
    finder.run(scan.collection());
    out.seconds = rw::bench::secondsSince(t0);
    const rw::ContentGroups& g = finder.result();
    out.files = g.fileCount;
    out.freeable = g.freeable;
    if (keepGroups) {
        std::set<std::string> current;
        for (std::size_t i = 0; i < g.rows.size(); ++i) {
            current.insert(scan.lines()->set().pathBytes(g.rows[i]).toStdString());
            if (i + 1 == g.rows.size() || g.rowGroup[i + 1] != g.rowGroup[i]) {
                out.groups.insert(current);
                current.clear();
            }
        }
    }
    return out;
}

// How long the hashing takes to stop after Abort: the walk first, then an
// abort 50 ms into the hashing; the time from abort() to run() returning.
double abortLatencyMs(const QString& root)
{
    rw::DupScan scan(true, rw::mmContents, rw::SizeFilter(), QStringLiteral("*.*"));
    bool abort = false;
    rw::FolderWalker walker(scan, abort, *rw::messageResponder());
    rw::bench::walkAsDrive(walker, root);
    rw::ContentDupFinder finder(scan.lines()->set());
    Clock::time_point asked;
    bool scheduled = false;
    QObject::connect(&finder, &rw::ContentDupFinder::progressed, [&](const rw::ContentProgress&) {
        if (scheduled)
            return;
        scheduled = true;
        QTimer::singleShot(50, &finder, [&] {
            asked = Clock::now();
            finder.abort();
        });
    });
    finder.run(scan.collection());
    if (!finder.aborted())
        return -1;
    return std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
}

// jdupes's groups: paths one per line, groups separated by an empty line.
Groups readGroups(const std::string& file)
{
    Groups out;
    std::set<std::string> current;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) {
            if (!current.empty())
                out.insert(current);
            current.clear();
        } else {
            current.insert(line);
        }
    }
    if (!current.empty())
        out.insert(current);
    return out;
}

struct Tool {
    const char* name;
    std::string command;
    double best = 1e9;
};

void compare(const char* title, const std::string& root, int runs)
{
    const QString qroot = rw::bench::decodedPath(root);
    const std::string work = root + ".out";
    ::mkdir(work.c_str(), 0755);
    std::vector<Tool> tools = {
        {"jdupes -r", "jdupes -q -r '" + root + "' > '" + work + "/jdupes.txt' 2>/dev/null"},
        {"rdfind -dryrun true",
         "cd '" + work + "' && rdfind -dryrun true '" + root + "' > /dev/null 2>&1"},
        {"fdupes -r", "fdupes -q -r '" + root + "' > /dev/null 2>&1"},
    };
    // Warm the cache: every file read once.
    Ours ours = runOurs(qroot, true);
    for (Tool& t : tools)
        if (rw::bench::haveProgram(t.name == std::string("jdupes -r") ? "jdupes"
                                   : t.name[0] == 'r'                 ? "rdfind"
                                                                      : "fdupes"))
            rw::bench::timeCommand(t.command);
        else
            t.command.clear();
    double best = ours.seconds;
    for (int r = 0; r < runs; ++r) {
        best = std::min(best, runOurs(qroot, false).seconds);
        for (Tool& t : tools)
            if (!t.command.empty())
                t.best = std::min(t.best, rw::bench::timeCommand(t.command));
    }
    std::printf("%s, best of %d runs, warm cache, %d worker threads\n", title, runs,
                QThread::idealThreadCount());
    std::printf("  Size and contents     %8.3f s  %lld files in %zu groups, %lld bytes freeable\n",
                best, ours.files, ours.groups.size(), (long long)ours.freeable);
    for (const Tool& t : tools) {
        if (t.command.empty()) {
            std::printf("  %-20s  not installed\n", t.name);
            continue;
        }
        std::printf("  %-20s  %8.3f s  finder is %.2f x faster\n", t.name, t.best, t.best / best);
    }
    if (!tools[0].command.empty()) {
        const Groups theirs = readGroups(work + "/jdupes.txt");
        std::printf("  duplicate sets %s jdupes's (%zu groups here, %zu there)\n",
                    theirs == ours.groups ? "are exactly" : "DIFFER from", ours.groups.size(),
                    theirs.size());
    }
    rw::bench::timeCommand("rm -rf '" + work + "'");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kRuns = 3;
    const std::string large = rw::bench::benchRoot("dup_content_large");
    std::printf("building (a) in %s ...\n", large.c_str());
    rw::bench::buildTree(
        large, {10, 20, 100}, [](unsigned) { return ".dat"; }, rw::bench::fillContentLarge);
    ::sync();
    compare("(a) 20,000 files, ~1.5 GB", large, kRuns);
    const double latency = abortLatencyMs(rw::bench::decodedPath(large));
    if (latency >= 0)
        std::printf("  Abort 50 ms into the hashing stopped it %.1f ms later\n", latency);
    else
        std::printf("  the hashing ended before the abort\n");
    rw::bench::timeCommand("rm -rf '" + large + "'");

    const std::string small = rw::bench::benchRoot("dup_content_small");
    std::printf("building (b) in %s ...\n", small.c_str());
    rw::bench::buildTree(
        small, {20, 50, 200}, [](unsigned n) { return rw::bench::kExtensions[n % 8]; },
        [](int fd, unsigned n) { return rw::bench::fillContentSmall(fd, n, 200000); });
    compare("(b) 200,000 small files", small, kRuns);

    // Growth: a tree of a tenth the size, same make-up.
    const std::string tenth = rw::bench::benchRoot("dup_content_tenth");
    rw::bench::buildTree(
        tenth, {20, 5, 200}, [](unsigned n) { return rw::bench::kExtensions[n % 8]; },
        [](int fd, unsigned n) { return rw::bench::fillContentSmall(fd, n, 20000); });
    const QString qsmall = rw::bench::decodedPath(small);
    const QString qtenth = rw::bench::decodedPath(tenth);
    runOurs(qtenth, false);
    double tTenth = 1e9, tFull = 1e9;
    for (int r = 0; r < kRuns; ++r) {
        tTenth = std::min(tTenth, runOurs(qtenth, false).seconds);
        tFull = std::min(tFull, runOurs(qsmall, false).seconds);
    }
    std::printf("growth: 20,000 small files %.3f s, 200,000 %.3f s: %.1f x the time for 10 x "
                "the files (linear: 10)\n",
                tTenth, tFull, tFull / tTenth);
    rw::bench::timeCommand("rm -rf '" + small + "' '" + tenth + "'");
    return 0;
}
