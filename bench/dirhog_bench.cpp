// Times the folder hog scan in both modes against `du -x` (which, like the
// all-folder mode, totals every folder) and `ncdu -o /dev/null -x` on the
// same synthetic tree, warm cache. Prints the times and the ratios; the goal
// is an all-folder scan no slower than 1.3 times `du -x`.

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "framework/core/FolderWalker.h"
#include "tools/dirhog/core/DirHogScan.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{

using rw::bench::Clock;
using rw::bench::timeCommand;

// 10,100 folders in all, sparse ".dat" files over several orders of magnitude.
constexpr rw::bench::TreeShape kShape{100, 100, 20};

struct ScanResult {
    double seconds = 0;
    long long files = 0;
    long long lines = 0;
};

// One whole scan as the window runs it: walk, then the lines in list order.
ScanResult timeScan(const QString& root, rw::DirHogMode mode)
{
    rw::DirHogScan scan(mode);
    bool abort = false;
    rw::FolderWalker walker(scan, abort, *rw::messageResponder());
    const auto t0 = Clock::now();
    rw::bench::walkAsDrive(walker, root);
    const QStringList lines = scan.linesDescending();
    return {rw::bench::secondsSince(t0), walker.examinedCount(),
            static_cast<long long>(lines.size())};
}

} // namespace

int main()
{
    const std::string root = rw::bench::benchRoot("dirhog");
    std::printf("building tree in %s ...\n", root.c_str());
    const auto b0 = Clock::now();
    const long long files = rw::bench::buildTree(
        root, kShape, [](unsigned) { return ".dat"; }, rw::bench::fillSparse);
    std::printf("  %lld files in %d folders (%.1f s)\n", files, kShape.folderCount(),
                rw::bench::secondsSince(b0));

    const QString qroot = rw::bench::decodedPath(root);
    const std::string du = "du -x '" + root + "' > /dev/null";
    const bool haveNcdu = rw::bench::haveProgram("ncdu");
    const std::string ncdu = "ncdu -o /dev/null -x '" + root + "' > /dev/null 2>&1";
    constexpr int kRuns = 7;

    // Warm the cache.
    timeCommand(du);
    timeScan(qroot, rw::DirHogMode::AllFolders);

    // Rounds interleave the programs so a change in machine load touches
    // all of them alike; each figure is the best of its rounds.
    double tDu = 1e9, tNcdu = 1e9, tAll = 1e9, tMain = 1e9;
    ScanResult all, top;
    for (int round = 0; round < kRuns; ++round) {
        tDu = std::min(tDu, timeCommand(du));
        if (haveNcdu)
            tNcdu = std::min(tNcdu, timeCommand(ncdu));
        all = timeScan(qroot, rw::DirHogMode::AllFolders);
        tAll = std::min(tAll, all.seconds);
        top = timeScan(qroot, rw::DirHogMode::MainFolders);
        tMain = std::min(tMain, top.seconds);
    }

    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  du -x                  %8.3f s\n", tDu);
    if (haveNcdu)
        std::printf("  ncdu -o /dev/null -x   %8.3f s\n", tNcdu);
    else
        std::printf("  ncdu                   not installed (apt-get install ncdu)\n");
    auto report = [&](const char* name, double t, const ScanResult& r) {
        std::printf("  %-22s %8.3f s  %lld files, %lld lines, %.2f x du", name, t, r.files, r.lines,
                    t / tDu);
        if (haveNcdu)
            std::printf(", %.2f x ncdu", t / tNcdu);
        std::printf("\n");
    };
    report("all folders", tAll, all);
    report("main folders", tMain, top);

    timeCommand("rm -rf '" + root + "'");
    return 0;
}
