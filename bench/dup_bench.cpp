// Times the duplicate finder's scan ("Size only") and the file-hog scan on a
// synthetic tree with planted duplicates, against `fdupes -r -n` and
// `jdupes -r` on the same tree, warm cache. Those two compare file contents;
// the finder compares metadata (the chosen fields), so its figure is the
// cost of a walk plus grouping, theirs includes reading and hashing files.

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/core/DupScan.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace
{

using rw::bench::Clock;
using rw::bench::timeCommand;

constexpr rw::bench::TreeShape kShape{20, 20, 10}; // 400 leaf folders
constexpr int kDuplicateEvery = 4; // every 4th file is a copy of one of 50 originals

// Real content, so content comparers have something to read: a unique file
// has its own bytes and size; a planted copy repeats one of 50 originals.
std::string contentFor(unsigned n)
{
    if (n % kDuplicateEvery == 0) {
        const unsigned original = (n / kDuplicateEvery) % 50;
        return std::string(1000 + original * 37, char('a' + original % 26));
    }
    std::string s = "unique file " + std::to_string(n) + "\n";
    s.resize(200 + (n * 7919u) % 60000, char('A' + n % 26));
    return s;
}

bool writeContent(int fd, unsigned n)
{
    const std::string c = contentFor(n);
    return ::write(fd, c.data(), c.size()) == ssize_t(c.size());
}

struct ScanResult {
    double seconds = 0;
    long long examined = 0;
    long long rows = 0;
};

ScanResult timeScan(const QString& root, bool duplicates, int mode, rw::SizeFilter filter)
{
    const auto t0 = Clock::now();
    rw::DupScan scan(duplicates, mode, filter, QStringLiteral("*.*"));
    bool abort = false;
    rw::FolderWalker walker(scan, abort, *rw::messageResponder());
    rw::bench::walkAsDrive(walker, root);
    const std::vector<std::uint32_t> rows = scan.resultRecords();
    return {rw::bench::secondsSince(t0), walker.examinedCount(), (long long)rows.size()};
}

} // namespace

int main()
{
    const std::string root = rw::bench::benchRoot("dup");
    std::printf("building tree in %s ...\n", root.c_str());
    const long long files = rw::bench::buildTree(
        root, kShape, [](unsigned n) { return rw::bench::kExtensions[n % 8]; }, writeContent);
    std::printf("  %lld files, every %dth a copy of one of 50 originals\n", files, kDuplicateEvery);

    const QString qroot = rw::bench::decodedPath(root);
    const bool haveFdupes = rw::bench::haveProgram("fdupes");
    const bool haveJdupes = rw::bench::haveProgram("jdupes");
    const std::string fdupes = "fdupes -q -r -n '" + root + "' > /dev/null 2>&1";
    const std::string jdupes = "jdupes -q -r '" + root + "' > /dev/null 2>&1";

    // Warm the cache (and the content comparers' reads).
    timeScan(qroot, true, rw::mmSize, rw::SizeFilter());
    if (haveFdupes)
        timeCommand(fdupes);

    constexpr int kRuns = 5;
    double tDup = 1e9, tHog = 1e9, tF = 1e9, tJ = 1e9;
    ScanResult dup, hog;
    for (int round = 0; round < kRuns; ++round) {
        ScanResult d = timeScan(qroot, true, rw::mmSize, rw::SizeFilter());
        if (d.seconds < tDup) {
            tDup = d.seconds;
            dup = d;
        }
        ScanResult h = timeScan(qroot, false, 0, rw::SizeFilter());
        if (h.seconds < tHog) {
            tHog = h.seconds;
            hog = h;
        }
        if (haveFdupes)
            tF = std::min(tF, timeCommand(fdupes));
        if (haveJdupes)
            tJ = std::min(tJ, timeCommand(jdupes));
    }

    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  finder, \"Size only\" (metadata)  %8.4f s  %lld files, %lld rows\n", tDup,
                dup.examined, dup.rows);
    std::printf("  file hogs, >= 0 bytes           %8.4f s  %lld files, %lld rows\n", tHog,
                hog.examined, hog.rows);
    if (haveFdupes)
        std::printf("  fdupes -r -n (content)          %8.4f s  finder is %.1f x faster\n", tF,
                    tF / tDup);
    else
        std::printf("  fdupes not installed\n");
    if (haveJdupes)
        std::printf("  jdupes -r (content)             %8.4f s  finder is %.1f x faster\n", tJ,
                    tJ / tDup);
    else
        std::printf("  jdupes not installed\n");

    timeCommand("rm -rf '" + root + "'");
    return 0;
}
