// The history tap on a real tree: every folder's sub-tree totals keyed by
// the path's bytes below the root, a hard-linked file once in each folder
// holding a name, unreadable folders named, an unfinished walk marked, and
// the tool's own strategy seeing exactly what it sees without the tap.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QTimeZone>

#include <sys/stat.h>

#include "framework/core/FolderWalker.h"
#include "history/core/HistoryTap.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/WithoutReadOverride.h"
#include "tools/dirhog/core/DirHogScan.h"

using namespace rw;

namespace
{

// Ends the walk at the file named `stopAt`; otherwise keeps nothing.
class StopAt : public WalkStrategy
{
public:
    explicit StopAt(QByteArray stopAt) : m_stopAt(std::move(stopAt)) {}
    std::uint32_t excludedAttributes() const override { return 0; }
    Verdict fileMatched(const FileRecord& file) override
    {
        return file.nameBytes() == m_stopAt ? Verdict::Stop : Verdict::Skip;
    }

private:
    QByteArray m_stopAt;
};

std::int64_t diskOf(const QByteArray& path)
{
    struct stat st = {};
    EXPECT_EQ(::lstat(path.constData(), &st), 0) << path.toStdString();
    return std::int64_t(st.st_blocks) * 512;
}

std::vector<TappedRoot> walk(WalkStrategy& inner, const QString& root)
{
    HistoryTap tap(inner);
    bool abort = false;
    FolderWalker walker(tap, abort, rwtest::ScriptedResponder::instance());
    const DriveInfo drive{QChar('D'), root};
    walker.walkTree(drive, drive.entryText());
    return tap.takeRoots();
}

QMap<QByteArray, FolderTotalsRow> byPath(const TappedRoot& root)
{
    QMap<QByteArray, FolderTotalsRow> out;
    for (const FolderTotalsRow& row : root.rows)
        out.insert(row.path, row);
    return out;
}

} // namespace

// The tree:
//   r/top (3)              r/.hidden (4)
//   r/a/f1 (1000)          r/a/f1again -> f1        r/a/sub/f2 (500)   r/a/sub/f1b -> f1
//   r/b/f1c -> f1          r/b/tab\tname (10)
//   r/new\nline/bad\xff (7)
//   r/locked/ (mode 000, holding a file)
TEST(HistoryTap, TotalsEverySubTreeOnceWithLinksCountedOncePerFolder)
{
    rwtest::FixtureBuilder fx;
    fx.file("r/top", 3);
    fx.file("r/.hidden", 4);
    fx.file("r/a/f1", 1000);
    fx.hardlink("r/a/f1again", "r/a/f1");
    fx.file("r/a/sub/f2", 500);
    fx.hardlink("r/a/sub/f1b", "r/a/f1");
    fx.hardlink("r/b/f1c", "r/a/f1");
    const QByteArray r = QFile::encodeName(fx.path("r"));
    rwtest::rawFile(r + "/b/tab\tname", 10);
    rwtest::rawFolder(r + "/new\nline");
    rwtest::rawFile(r + "/new\nline/bad\xff", 7);
    fx.file("r/locked/inside", 99);
    fx.setMode("r/locked", 0000);
    const QDateTime newest(QDate(2031, 5, 6), QTime(7, 8, 9), QTimeZone::utc());
    fx.setModified("r/a/sub/f2", newest);

    std::vector<TappedRoot> roots;
    {
        rwtest::WithoutReadOverride notRoot;
        DirHogScan hogs(DirHogMode::MainFolders);
        roots = walk(hogs, fx.path("r") + "/");
    }
    ASSERT_EQ(roots.size(), 1u);
    const TappedRoot& root = roots[0];
    EXPECT_EQ(root.root, r) << "the trailing slash is not part of the key";
    EXPECT_TRUE(root.complete);
    EXPECT_EQ(root.unreadable, std::vector<QByteArray>{"locked"});
    ASSERT_FALSE(root.rows.empty());
    EXPECT_TRUE(root.rows.front().path.isEmpty()) << "the root's row comes first";

    const QMap<QByteArray, FolderTotalsRow> rows = byPath(root);
    EXPECT_EQ(rows.keys(), (QList<QByteArray>{"", "a", "a/sub", "b", "locked", "new\nline"}));
    const std::int64_t f1Disk = diskOf(r + "/a/f1");
    struct Expected {
        QByteArray path;
        std::int64_t bytes, disk, files, subFolders;
    };
    const Expected table[] = {
        // f1 once in each sub-tree that holds any of its four names.
        {"", 3 + 4 + 1000 + 500 + 10 + 7,
         diskOf(r + "/top") + diskOf(r + "/.hidden") + f1Disk + diskOf(r + "/a/sub/f2") +
             diskOf(r + "/b/tab\tname") + diskOf(r + "/new\nline/bad\xff"),
         6, 5},
        {"a", 1500, f1Disk + diskOf(r + "/a/sub/f2"), 2, 1},
        {"a/sub", 1500, f1Disk + diskOf(r + "/a/sub/f2"), 2, 0},
        {"b", 1010, f1Disk + diskOf(r + "/b/tab\tname"), 2, 0},
        {"new\nline", 7, diskOf(r + "/new\nline/bad\xff"), 1, 0},
        {"locked", 0, 0, 0, 0},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.path.toStdString());
        const FolderTotalsRow row = rows.value(e.path);
        EXPECT_EQ(row.bytes, e.bytes);
        EXPECT_EQ(row.disk, e.disk);
        EXPECT_EQ(row.files, e.files);
        EXPECT_EQ(row.subFolders, e.subFolders);
    }
    EXPECT_EQ(rows.value("").latest, newest.toSecsSinceEpoch());
    EXPECT_EQ(rows.value("a").latest, newest.toSecsSinceEpoch());
    EXPECT_LT(rows.value("b").latest, newest.toSecsSinceEpoch());
    EXPECT_GT(rows.value("b").latest, 0);
}

TEST(HistoryTap, AWalkEndedEarlyLeavesItsRootIncompleteAndTheNextRootStartsAfresh)
{
    rwtest::FixtureBuilder fx;
    fx.file("one/x/a", 10);
    fx.file("one/y/stop", 20);
    fx.file("two/z/b", 30);
    StopAt stop("stop");
    HistoryTap tap(stop);
    bool abort = false;
    FolderWalker walker(tap, abort, rwtest::ScriptedResponder::instance());
    const DriveInfo two{QChar('E'), fx.path("two")};
    walker.walkTree(two, two.entryText());
    const DriveInfo one{QChar('D'), fx.path("one")};
    walker.walkTree(one, one.entryText());

    const std::vector<TappedRoot> roots = tap.takeRoots();
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(roots[0].root, QFile::encodeName(fx.path("two")));
    EXPECT_TRUE(roots[0].complete);
    EXPECT_EQ(byPath(roots[0]).value("").bytes, 30);
    EXPECT_EQ(roots[1].root, QFile::encodeName(fx.path("one")));
    EXPECT_FALSE(roots[1].complete);
}

TEST(HistoryTap, TheToolsOwnLinesAreTheSameWithTheTapBetween)
{
    rwtest::FixtureBuilder fx;
    fx.file("r/a/one", 100);
    fx.file("r/a/.dot", 5);
    fx.hardlink("r/b/two", "r/a/one");
    fx.file("r/b/c/three", 7);
    for (const DirHogMode mode : {DirHogMode::MainFolders, DirHogMode::AllFolders}) {
        DirHogScan plain(mode);
        plain.setCapacityOverride(1000000);
        bool abort = false;
        FolderWalker walker(plain, abort, rwtest::ScriptedResponder::instance());
        const DriveInfo drive{QChar('D'), fx.path("r")};
        walker.walkTree(drive, drive.entryText());

        DirHogScan tapped(mode);
        tapped.setCapacityOverride(1000000);
        const std::vector<TappedRoot> roots = walk(tapped, fx.path("r"));
        EXPECT_EQ(tapped.linesDescending(), plain.linesDescending());
        ASSERT_EQ(roots.size(), 1u);
        // Whichever lines the tool lists, the history has every folder.
        EXPECT_EQ(byPath(roots[0]).keys(), (QList<QByteArray>{"", "a", "b", "b/c"}));
        EXPECT_EQ(byPath(roots[0]).value("").bytes, 112);
    }
}

TEST(HistoryTap, RootKeysLeaveOffTrailingSlashesButKeepTheTopFolder)
{
    const std::pair<QByteArray, QByteArray> table[] = {
        {"/", "/"}, {"//", "/"}, {"/srv/", "/srv"}, {"/srv//", "/srv"}, {"/srv\xff", "/srv\xff"}};
    for (const auto& [given, key] : table)
        EXPECT_EQ(HistoryTap::rootKey(given), key) << given.toStdString();
}
