#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdio>
#include <functional>
#include <set>
#include <vector>

#include "framework/core/FolderWalker.h"
#include "framework/core/ResultSet.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/WithoutReadOverride.h"
#include "tools/dup/core/FolderDupFinder.h"
#include "tools/dup/core/FolderDupScan.h"

using namespace rw;
using rwtest::FixtureBuilder;

namespace
{

const QByteArray kOddName("odd\tna\nme\xff.txt");

// One folder of the fixtures: two files, a sub-folder with a third, a
// hidden file and a name with a tab, a newline and a byte that is not UTF-8.
void makeUnit(FixtureBuilder& fx, const QString& rel, int seed = 1)
{
    fx.fileWithContent(rel + "/a.txt", rwtest::patternBytes(3000, seed));
    fx.fileWithContent(rel + "/b.txt", rwtest::patternBytes(20000, seed + 1));
    fx.fileWithContent(rel + "/sub/c.txt", rwtest::patternBytes(500, seed + 2));
    fx.fileWithContent(rel + "/.hidden", rwtest::patternBytes(40, seed + 3));
    rwtest::writeRawFile(QFile::encodeName(fx.path(rel)) + '/' + kOddName,
                         rwtest::patternBytes(77, seed + 4));
}

struct Found {
    std::unique_ptr<FolderDupScan> scan;
    ContentGroups groups;
};

// Walks the fixture's "tree" and compares its folders; `blocked` (a path
// below the tree) counts as a folder that cannot be read.
Found findFolders(const FixtureBuilder& fx, std::int64_t atLeast = 0,
                  const QString& blocked = QString(), int threads = 2)
{
    Found out;
    out.scan = std::make_unique<FolderDupScan>();
    bool abort = false;
    FolderWalker walker(*out.scan, abort, rwtest::ScriptedResponder::instance());
    const QByteArray block = blocked.isEmpty() ? QByteArray() : QFile::encodeName(fx.path(blocked));
    walker.setOpenFilter(
        [block](const QByteArray& path) { return block.isEmpty() || path != block; });
    DriveInfo drive;
    drive.letter = QLatin1Char('C');
    drive.root = fx.path("tree");
    EXPECT_TRUE(walker.walkTree(drive, drive.root));
    FolderDupFinder finder(threads);
    EXPECT_TRUE(finder.run(*out.scan, SizeFilter::fromInput(SizeCondition::LargerOrEqual, atLeast,
                                                            0, QStringLiteral("bytes"))));
    out.groups = finder.result();
    return out;
}

// The groups as lists of paths below the tree, in the order shown.
std::vector<std::vector<QString>> groupPaths(const Found& f, const FixtureBuilder& fx)
{
    std::vector<std::vector<QString>> out;
    const ResultSet& set = f.scan->set();
    for (std::size_t i = 0; i < f.groups.rows.size(); ++i) {
        if (i == 0 || f.groups.rowGroup[i] != f.groups.rowGroup[i - 1])
            out.emplace_back();
        out.back().push_back(
            QFile::decodeName(set.pathBytes(f.groups.rows[i])).mid(fx.path("tree").size() + 1));
    }
    return out;
}

using Groups = std::vector<std::vector<QString>>;

} // namespace

// A copy of a folder next to its original, altered in one way each: what
// is listed. Whatever makes the copy differ, or makes either tree one the
// walk could not see whole, leaves the two folders out; their equal
// sub-folders are then a group of their own.
TEST(FolderDupFinder, ACopyIsFoundOnlyWhenBothTreesAreSeenWholeAndAgree)
{
    const Groups whole = {{"base", "copy"}};
    const Groups subOnly = {{"base/sub", "copy/sub"}};
    const struct {
        const char* what;
        std::function<void(FixtureBuilder&)> alter;
        QString blocked;
        Groups expected;
    } cases[] = {
        {"an exact copy", [](FixtureBuilder&) {}, {}, whole},
        {"a hard-linked copy",
         [](FixtureBuilder& fx) {
             for (const char* n : {"a.txt", "b.txt", "sub/c.txt", ".hidden"}) {
                 QFile::remove(fx.path(QStringLiteral("tree/copy/") + n));
                 fx.hardlink(QStringLiteral("tree/copy/") + n, QStringLiteral("tree/base/") + n);
             }
         },
         {},
         whole},
        {"one byte of a file differs",
         [](FixtureBuilder& fx) {
             QByteArray b = rwtest::patternBytes(20000, 2);
             b[10000] = char(b[10000] ^ 1);
             fx.fileWithContent("tree/copy/b.txt", b);
         },
         {},
         subOnly},
        {"the hidden file differs",
         [](FixtureBuilder& fx) {
             fx.fileWithContent("tree/copy/.hidden", rwtest::patternBytes(40, 99));
         },
         {},
         subOnly},
        {"a file is renamed",
         [](FixtureBuilder& fx) {
             QFile::rename(fx.path("tree/copy/a.txt"), fx.path("tree/copy/A.txt"));
         },
         {},
         subOnly},
        {"an empty file is added",
         [](FixtureBuilder& fx) { fx.file("tree/copy/extra", 0); },
         {},
         subOnly},
        {"the odd name differs",
         [](FixtureBuilder& fx) {
             const QByteArray dir = QFile::encodeName(fx.path("tree/copy")) + '/';
             // Raw bytes: \xfe and \xff decode to the same text.
             ASSERT_EQ(std::rename((dir + kOddName).constData(),
                                   (dir + "odd\tna\nme\xfe.txt").constData()),
                       0);
         },
         {},
         subOnly},
        {"a symbolic link in the copy",
         [](FixtureBuilder& fx) { fx.symlink("tree/copy/link", "a.txt"); },
         {},
         subOnly},
        {"the same link in both",
         [](FixtureBuilder& fx) {
             fx.symlink("tree/copy/link", "a.txt");
             fx.symlink("tree/base/link", "a.txt");
         },
         {},
         subOnly},
        {"a pipe in the copy", [](FixtureBuilder& fx) { fx.fifo("tree/copy/pipe"); }, {}, subOnly},
        {"a hidden sub-folder in both",
         [](FixtureBuilder& fx) {
             fx.file("tree/copy/.git/HEAD", 10);
             fx.file("tree/base/.git/HEAD", 10);
         },
         {},
         subOnly},
        {"an unreadable sub-folder in both",
         [](FixtureBuilder& fx) {
             fx.file("tree/copy/locked/x", 10);
             fx.file("tree/base/locked/x", 10);
         },
         "tree/copy/locked", subOnly},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Each case in a folder of its own: a hard link of one case must
        // not carry a change into the next.
        FixtureBuilder fx(FixtureBuilder().folder(QStringLiteral("case%1").arg(++n)));
        makeUnit(fx, "tree/base");
        makeUnit(fx, "tree/copy");
        fx.fileWithContent("tree/other/a.txt",
                           rwtest::patternBytes(3000, 1)); // a lone copy of a file
        c.alter(fx);
        EXPECT_EQ(groupPaths(findFolders(fx, 0, c.blocked), fx), c.expected);
    }
}

// A folder copied whole, and one of its sub-folders copied elsewhere: the
// copied folder is one group, its sub-folders are not listed again, and the
// sub-folder's copy outside is listed with one copy inside to show where
// the contents also are. Groups largest first; rows name the folders with
// their trees' bytes.
TEST(FolderDupFinder, NestedCopiesAreListedAtTheirTop)
{
    FixtureBuilder fx;
    makeUnit(fx, "tree/photos", 1);
    makeUnit(fx, "tree/photos/2019", 10);
    makeUnit(fx, "tree/backup/photos", 1);
    makeUnit(fx, "tree/backup/photos/2019", 10);
    makeUnit(fx, "tree/old/2019", 10);
    fx.file("tree/old/notes.txt", 5); // old itself is no copy
    for (int threads : {1, 3}) {
        SCOPED_TRACE(threads);
        const Found f = findFolders(fx, 0, QString(), threads);
        EXPECT_EQ(groupPaths(f, fx),
                  Groups({{"backup/photos", "photos"}, {"backup/photos/2019", "old/2019"}}));
        const std::int64_t unit = 3000 + 20000 + 500 + 40 + 77;
        ASSERT_EQ(f.groups.rows.size(), 4u);
        const ResultSet& set = f.scan->set();
        const ResultRecord& top = set.record(f.groups.rows[0]);
        EXPECT_TRUE(top.has(ResultRecord::IsFolder));
        EXPECT_EQ(top.size, 2 * unit);
        EXPECT_EQ(set.record(f.groups.rows[2]).size, unit);
        EXPECT_EQ(f.groups.groupCount, 2u);
        EXPECT_EQ(f.groups.duplicates, 2);
        EXPECT_EQ(f.groups.freeable, 3 * unit);
        EXPECT_EQ(f.scan->lines()->fieldText(f.groups.rows[0], ResultField::Type),
                  QStringLiteral("File folder"));
    }
    // The size condition applies to the folders' trees.
    EXPECT_EQ(groupPaths(findFolders(fx, 30000), fx), Groups({{"backup/photos", "photos"}}));
}

// The rows name each folder by its bytes: a folder whose name holds a tab,
// a newline and a byte that is not UTF-8 is found and addressed exactly.
// Empty folders, and folders of nothing but empty folders, are no copies.
TEST(FolderDupFinder, OddFolderNamesAreKeptAsBytesAndEmptyFoldersAreNoCopies)
{
    FixtureBuilder fx;
    const QByteArray tree = QFile::encodeName(fx.folder("tree"));
    for (const QByteArray& name : {QByteArray("x\tfolder\n\xff"), QByteArray("plain")}) {
        const QByteArray dir = rwtest::rawFolder(tree + '/' + name);
        rwtest::writeRawFile(dir + "/data.bin", rwtest::patternBytes(1000, 5));
    }
    fx.folder("tree/empty1/inner");
    fx.folder("tree/empty2/inner");
    const Found f = findFolders(fx);
    ASSERT_EQ(f.groups.rows.size(), 2u);
    std::set<QByteArray> paths;
    for (std::uint32_t rec : f.groups.rows)
        paths.insert(f.scan->set().pathBytes(rec));
    const std::set<QByteArray> want = {tree + "/plain", tree + "/x\tfolder\n\xff"};
    EXPECT_TRUE(paths == want) << paths.size() << " folders, the first "
                               << paths.begin()->toHex().constData();
}

// A sub-folder the walk cannot read (mode 000, read as a user without the
// right to read past it) leaves its folder out, however alike the rest is.
TEST(FolderDupFinder, AFolderWithASubFolderThatCannotBeReadIsNeverACopy)
{
    FixtureBuilder fx;
    makeUnit(fx, "tree/base");
    makeUnit(fx, "tree/copy");
    fx.file("tree/base/locked/x", 10);
    fx.file("tree/copy/locked/x", 10);
    fx.setMode("tree/copy/locked", 0000);
    Groups found;
    {
        rwtest::WithoutReadOverride notRoot;
        if (QDir(fx.path("tree/copy/locked")).entryList(QDir::Files).contains("x")) {
            fx.setMode("tree/copy/locked", 0755);
            GTEST_SKIP() << "this user reads folders of mode 000";
        }
        found = groupPaths(findFolders(fx), fx);
    }
    fx.setMode("tree/copy/locked", 0755);
    EXPECT_EQ(found, Groups({{"base/sub", "copy/sub"}}));
}
