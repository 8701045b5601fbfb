// Times the folder walk with the file-hog test against `du -s` and `find`
// on the same synthetic tree, warm cache. Prints files per second and the
// two ratios; the goal is a walk no slower than 1.3 times `du -s`.

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "framework/core/FileTextFormatter.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/ResultSet.h"
#include "framework/core/SizeFilter.h"

#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{

using rw::bench::Clock;
using rw::bench::timeCommand;

// 10,100 folders in all, files sparse over several orders of magnitude.
constexpr rw::bench::TreeShape kShape{100, 100, 20};

// The file-hog test: size filter, then a result record per passing file.
class HogStrategy : public rw::WalkStrategy
{
public:
    explicit HogStrategy(rw::SizeFilter filter) : m_filter(filter) {}

    rw::Verdict fileMatched(const rw::FileRecord& file) override
    {
        if (!m_filter.passes(file.size()))
            return rw::Verdict::Skip;
        m_set.add(file);
        return rw::Verdict::Keep;
    }

private:
    rw::SizeFilter m_filter;
    rw::ResultSet m_set;
};

struct WalkResult {
    double seconds = 0;
    long long examined = 0;
    long long kept = 0;
};

WalkResult timeWalk(const QString& root, rw::SizeFilter filter)
{
    HogStrategy strategy(filter);
    bool abort = false;
    rw::FolderWalker walker(strategy, abort, *rw::messageResponder());
    const auto t0 = Clock::now();
    rw::bench::walkAsDrive(walker, root);
    return {rw::bench::secondsSince(t0), walker.examinedCount(), walker.keptCount()};
}

} // namespace

int main()
{
    const std::string root = rw::bench::benchRoot("walk");
    std::printf("building tree in %s ...\n", root.c_str());
    const auto b0 = Clock::now();
    const long long files = rw::bench::buildTree(
        root, kShape, [](unsigned n) { return rw::bench::kExtensions[n % 8]; },
        rw::bench::fillSparse);
    std::printf("  %lld files in %d folders (%.1f s)\n", files, kShape.folderCount(),
                rw::bench::secondsSince(b0));

    const QString qroot = rw::bench::decodedPath(root);
    const std::string du = "du -s '" + root + "' > /dev/null";
    const std::string find = "find '" + root + "' -printf '%s\\n' > /dev/null";
    constexpr int kRuns = 7;

    // Warm the cache.
    timeCommand(du);
    timeWalk(qroot, rw::SizeFilter());

    // Rounds interleave the four programs so a change in machine load
    // touches all of them alike; each figure is the best of its rounds.
    double tDu = 1e9, tFind = 1e9, tAll = 1e9, tBounded = 1e9;
    WalkResult all, bounded;
    for (int round = 0; round < kRuns; ++round) {
        tDu = std::min(tDu, timeCommand(du));
        tFind = std::min(tFind, timeCommand(find));
        all = timeWalk(qroot, rw::SizeFilter(rw::SizeCondition::LargerOrEqual, 0));
        tAll = std::min(tAll, all.seconds);
        // The finder's opening bound: 250 KB.
        bounded = timeWalk(qroot, rw::SizeFilter(rw::SizeCondition::LargerOrEqual, 250 * 1024));
        tBounded = std::min(tBounded, bounded.seconds);
    }

    std::printf("best of %d runs, warm cache\n", kRuns);
    std::printf("  du -s                      %8.3f s\n", tDu);
    std::printf("  find -printf '%%s\\n'        %8.3f s\n", tFind);
    std::printf("  walk, >= 0 bytes           %8.3f s  %lld files, %lld lines, %.0f files/s, "
                "%.2f x du, %.2f x find\n",
                tAll, all.examined, all.kept, double(all.examined) / tAll, tAll / tDu,
                tAll / tFind);
    std::printf("  walk, >= 250 KB            %8.3f s  %lld files, %lld lines, %.0f files/s, "
                "%.2f x du, %.2f x find\n",
                tBounded, bounded.examined, bounded.kept, double(bounded.examined) / tBounded,
                tBounded / tDu, tBounded / tFind);

    timeCommand("rm -rf '" + root + "'");
    return 0;
}
