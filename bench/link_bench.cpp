// Times "replace marked with links" against deleting the same files, on
// the two trees of dup_content_bench (the same make-up): (a) 20,000 files,
// about 1.5 GB, a fifth of them copies; (b) 200,000 small files, every
// fifth a copy. Each tree is built once and copied, so the delete run and
// the replace run each work on a tree of their own with a warm cache; both
// are found by "Size and contents" and every duplicate beyond the first of
// its group is marked. The delete run is the one the duplicate window makes
// (DeleteRun with the last-copy guard, which compares each file with a copy
// that stays); the replace run compares the same bytes and then links. The
// goal: the replace run under 2 x the delete run.

#include "base/ProgramMessages.h"
#include "bench/BenchSupport.h"
#include "bench/ContentTrees.h"
#include "framework/core/DeleteRun.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/LinkReplaceRun.h"
#include "framework/core/SizeFilter.h"
#include "tools/dup/core/ContentDupFinder.h"
#include "tools/dup/core/ContentLinks.h"
#include "tools/dup/core/DupScan.h"
#include "tools/dup/core/KeepOneCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <sys/vfs.h>
#include <unistd.h>

namespace
{

using rw::bench::Clock;

// One tree scanned by "Size and contents" with every duplicate beyond the
// first of its group marked.
struct Scanned {
    std::unique_ptr<rw::DupScan> scan;
    rw::ContentGroups groups;
    std::unique_ptr<rw::KeepOneCopy> keep;
    QList<rw::DeleteTarget> marked;
    std::int64_t markedBytes = 0;
};

Scanned scanAndMark(const QString& root)
{
    Scanned out;
    out.scan = std::make_unique<rw::DupScan>(true, rw::mmContents, rw::SizeFilter(),
                                             QStringLiteral("*.*"));
    bool abort = false;
    rw::FolderWalker walker(*out.scan, abort, *rw::messageResponder());
    rw::bench::walkAsDrive(walker, root);
    rw::ContentDupFinder finder(out.scan->lines()->set());
    finder.run(out.scan->collection());
    out.groups = finder.result();
    rw::ResultSet& set = out.scan->lines()->set();
    for (std::size_t i = 0; i < out.groups.rows.size(); ++i) {
        const bool first = i == 0 || out.groups.rowGroup[i] != out.groups.rowGroup[i - 1];
        set.record(out.groups.rows[i]).set(rw::ResultRecord::Marked, !first);
    }
    out.keep = std::make_unique<rw::KeepOneCopy>(rw::KeepOneCopy::fromGroups(set, out.groups));
    for (const auto& group : out.keep->groups())
        for (const rw::KeepOneCopy::Member& m : group)
            if (m.leaving) {
                out.marked.append(m.target);
                out.markedBytes += rw::DeleteRun::fileSize(m.target.pathBytes());
            }
    return out;
}

const char* fileSystemOf(const std::string& path)
{
    struct statfs st {
    };
    if (::statfs(path.c_str(), &st) != 0)
        return "?";
    switch (st.f_type) {
    case 0xEF53:
        return "ext4";
    case 0x9123683E:
        return "btrfs";
    case 0x58465342:
        return "xfs";
    case 0x01021994:
        return "tmpfs";
    default:
        return "other";
    }
}

void compare(const char* title, const std::string& root)
{
    const std::string copy = root + ".replace";
    rw::bench::timeCommand("cp -a '" + root + "' '" + copy + "'");
    ::sync();
    Scanned forDelete = scanAndMark(rw::bench::decodedPath(root));
    Scanned forReplace = scanAndMark(rw::bench::decodedPath(copy));

    auto t0 = Clock::now();
    rw::DeleteRun del(forDelete.marked, *rw::messageResponder());
    rw::KeepOneCopy* keep = forDelete.keep.get();
    del.setGuard([keep](const rw::SafeFolder& folder,
                        const rw::DeleteTarget& target) { return keep->mayGo(folder, target); },
                 rw::KeepOneCopy::keptNotice());
    const rw::DeleteRun::Outcome deleted = del.deleteAll();
    const double deleteSeconds = rw::bench::secondsSince(t0);

    t0 = Clock::now();
    rw::LinkReplaceRun replace(rw::ContentLinks::items(*forReplace.keep),
                               rw::ContentLinks::sameBytes());
    const rw::LinkReplaceRun::Outcome replaced = replace.run();
    const double replaceSeconds = rw::bench::secondsSince(t0);

    std::printf("%s on %s, warm cache\n", title, fileSystemOf(root));
    std::printf("  delete %lld duplicates           %8.3f s  %lld files, %lld bytes freed\n",
                (long long)forDelete.marked.size(), deleteSeconds, (long long)deleted.files,
                (long long)deleted.bytes);
    std::printf("  replace them by links          %8.3f s  %d reflinks, %d hard links, %lld "
                "bytes freed\n",
                replaceSeconds, replaced.reflinks, replaced.hardLinks,
                (long long)replaced.bytesFreed);
    std::printf("  replace / delete: %.2f x (goal: under 2 x)\n", replaceSeconds / deleteSeconds);
    rw::bench::timeCommand("rm -rf '" + copy + "'");
}

} // namespace

int main(int argc, char** argv)
{
    // The delete and replace runs add to the deletion totals: they go to a
    // settings folder of the benchmark's own, never the user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QCoreApplication app(argc, argv);

    const std::string large = rw::bench::benchRoot("link_large");
    std::printf("building (a) in %s ...\n", large.c_str());
    rw::bench::buildTree(
        large, {10, 20, 100}, [](unsigned) { return ".dat"; }, rw::bench::fillContentLarge);
    compare("(a) 20,000 files, ~1.5 GB", large);
    rw::bench::timeCommand("rm -rf '" + large + "'");

    const std::string small = rw::bench::benchRoot("link_small");
    std::printf("building (b) in %s ...\n", small.c_str());
    rw::bench::buildTree(
        small, {20, 50, 200}, [](unsigned n) { return rw::bench::kExtensions[n % 8]; },
        [](int fd, unsigned n) { return rw::bench::fillContentSmall(fd, n, 200000); });
    compare("(b) 200,000 small files", small);
    rw::bench::timeCommand("rm -rf '" + small + "'");
    return 0;
}
