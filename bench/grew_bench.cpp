// Times what keeping a folder hog scan costs: the all-folder walk alone and
// with the history tap between it and the walk (the goal: no noticeable
// difference), then storing the tapped rows in a fresh SQLite store the way
// Folder Hogs does (one scan, one transaction, then thinning) and comparing
// two such scans as "What grew" lists them.

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "framework/core/FolderWalker.h"
#include "history/core/HistoryStore.h"
#include "history/core/HistoryTap.h"
#include "history/core/ScanKeeper.h"
#include "tools/dirhog/core/DirHogScan.h"
#include "tools/grew/core/GrowthList.h"

#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{

using rw::bench::Clock;

// 10,100 folders, 20 files each.
constexpr rw::bench::TreeShape kShape{100, 100, 20};

double timeWalk(const QString& root, bool tapped, std::vector<rw::TappedRoot>* roots)
{
    rw::DirHogScan scan(rw::DirHogMode::AllFolders);
    rw::HistoryTap tap(scan);
    bool abort = false;
    rw::FolderWalker walker(tapped ? static_cast<rw::WalkStrategy&>(tap) : scan, abort,
                            *rw::messageResponder());
    const auto t0 = Clock::now();
    rw::bench::walkAsDrive(walker, root);
    std::vector<rw::TappedRoot> taken = tap.takeRoots();
    const double seconds = rw::bench::secondsSince(t0);
    if (roots)
        *roots = std::move(taken);
    return seconds;
}

} // namespace

int main()
{
    const std::string root = rw::bench::benchRoot("grew");
    std::printf("building tree in %s ...\n", root.c_str());
    const long long files = rw::bench::buildTree(
        root, kShape, [](unsigned) { return ".dat"; }, rw::bench::fillSparse);
    std::printf("  %lld files in %d folders\n", files, kShape.folderCount());
    const QString qroot = rw::bench::decodedPath(root);
    constexpr int kRuns = 7;

    timeWalk(qroot, true, nullptr); // warm the cache
    double plain = 1e9, tapped = 1e9;
    std::vector<rw::TappedRoot> roots;
    for (int round = 0; round < kRuns; ++round) {
        plain = std::min(plain, timeWalk(qroot, false, nullptr));
        tapped = std::min(tapped, timeWalk(qroot, true, &roots));
    }
    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  all folders            %8.3f s\n", plain);
    std::printf("  with the history tap   %8.3f s  (%+.1f %%)\n", tapped,
                100.0 * (tapped - plain) / plain);
    if (roots.empty()) {
        std::printf("no rows tapped\n");
        return 1;
    }
    std::printf("  rows of the root       %8zu\n", roots[0].rows.size());

    const QString store = QString::fromStdString(root) + "-history.sqlite";
    rw::ScanToKeep scan{QStringLiteral("bench"), QDateTime::currentSecsSinceEpoch() - 3600,
                        QStringLiteral("all"), roots};
    auto t0 = Clock::now();
    const rw::KeepOutcome first = rw::ScanKeeper::keep(store, scan, scan.taken);
    std::printf("  keep one scan          %8.3f s  %s\n", rw::bench::secondsSince(t0),
                first.error.toUtf8().constData());
    scan.taken += 60;
    t0 = Clock::now();
    const rw::KeepOutcome second = rw::ScanKeeper::keep(store, scan, scan.taken);
    std::printf("  keep another           %8.3f s  %s\n", rw::bench::secondsSince(t0),
                second.error.toUtf8().constData());
    if (!first.scanIds.empty() && !second.scanIds.empty()) {
        rw::HistoryStore history;
        if (history.open(store)) {
            t0 = Clock::now();
            const auto rows = rw::compareScans(history.folders(first.scanIds[0]),
                                               history.folders(second.scanIds[0]));
            const auto lines = rw::growthLines(roots[0].root, rows);
            std::printf("  compare two scans      %8.3f s  (%zu folders)\n",
                        rw::bench::secondsSince(t0), rows.size());
        }
    }
    rw::bench::timeCommand("rm -rf '" + root + "' '" + store.toStdString() + "'*");
    return 0;
}
