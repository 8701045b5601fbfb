#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include <set>

#include "framework/core/DeleteRun.h"
#include "framework/core/FolderWalker.h"
#include "platform/DirListing.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/MountNamespaceChild.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dup/core/ContentDupFinder.h"
#include "tools/dup/core/DupScan.h"
#include "tools/dup/core/KeepOneCopy.h"

using namespace rw;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

QByteArray changedAt(QByteArray b, int at)
{
    b[at] = char(b[at] ^ 0x5A);
    return b;
}

// The fixture: three copies of a 20,000-byte file and three files of its
// size that differ from it in the first, a middle or the last byte; two
// equal small files (one under a name with a tab, a newline and a byte
// that is not UTF-8) and a third of their size; a file with a second name
// (hard link) and a copy; a file whose two names are all it has; empty files.
struct Fixture {
    FixtureBuilder fx;
    QByteArray rawName;
    Fixture()
    {
        const QByteArray big = rwtest::patternBytes(20000, 1);
        fx.fileWithContent("tree/a/one.dat", big);
        fx.fileWithContent("tree/b/two.dat", big);
        fx.fileWithContent("tree/c/three.dat", big);
        fx.fileWithContent("tree/d/first.dat", changedAt(big, 0));
        fx.fileWithContent("tree/d/middle.dat", changedAt(big, 10000));
        fx.fileWithContent("tree/d/last.dat", changedAt(big, 19999));
        const QByteArray small = rwtest::patternBytes(100, 2);
        fx.fileWithContent("tree/s/x.txt", small);
        fx.fileWithContent("tree/s/z.txt", changedAt(small, 50));
        rawName = QFile::encodeName(fx.path("tree/s")) + "/odd\tna\nme\xff.txt";
        QFile raw(QFile::decodeName(rawName));
        EXPECT_TRUE(raw.open(QIODevice::WriteOnly));
        raw.write(small);
        raw.close();
        fx.fileWithContent("tree/h/orig.bin", rwtest::patternBytes(9000, 3));
        fx.hardlink("tree/h/link.bin", "tree/h/orig.bin");
        fx.fileWithContent("tree/h/copy.bin", rwtest::patternBytes(9000, 3));
        fx.fileWithContent("tree/l/lonely.bin", rwtest::patternBytes(5000, 4));
        fx.hardlink("tree/l/lonely-link.bin", "tree/l/lonely.bin");
        fx.file("tree/e/empty1", 0);
        fx.file("tree/e/empty2", 0);
        fx.mapDrive('D', "tree");
    }
    QString rel(const QByteArray& path) const
    {
        return QFile::decodeName(path).mid(fx.path("tree").size() + 1);
    }
};

struct Scanned {
    std::unique_ptr<DupScan> scan;
    ContentGroups groups;
    bool finished = false;
};

Scanned scanContents(int threads, const std::function<void(ContentDupFinder&)>& setUp = {})
{
    Scanned out;
    out.scan = std::make_unique<DupScan>(
        true, mmContents, SizeFilter::fromInput(SizeCondition::LargerOrEqual, 0, 0, "bytes"),
        QStringLiteral("*.*"));
    bool abort = false;
    FolderWalker walker(*out.scan, abort, rwtest::ScriptedResponder::instance());
    DriveInfo drive;
    EXPECT_TRUE(findDrive(QChar('D'), &drive));
    walker.scanAllDrives({drive.entryText()});
    out.scan->sortLines();
    ContentDupFinder finder(out.scan->lines()->set(), threads);
    if (setUp)
        setUp(finder);
    out.finished = finder.run(out.scan->collection());
    out.groups = finder.result();
    return out;
}

// The groups as sets of paths relative to the tree, each name once.
std::set<std::set<QString>> groupPaths(const Scanned& s, const Fixture& f)
{
    std::set<std::set<QString>> out;
    std::set<QString> current;
    for (std::size_t i = 0; i < s.groups.rows.size(); ++i) {
        current.insert(f.rel(s.scan->lines()->set().pathBytes(s.groups.rows[i])));
        if (i + 1 == s.groups.rows.size() || s.groups.rowGroup[i + 1] != s.groups.rowGroup[i])
            out.insert(std::exchange(current, {}));
    }
    return out;
}

// Adds the entry `name` of the folder at `folder` to `set` as a walk
// records it, the folder under the path given and with its own device and
// inode: one folder may so be listed under two paths (a link, a bind
// mount, a path written another way).
std::uint32_t addEntry(ResultSet& set, const QByteArray& folder, const QByteArray& name)
{
    FileStatus folderStatus;
    EXPECT_TRUE(followedPathStatus(folder, &folderStatus)) << folder.constData();
    const std::uint32_t f = set.addFolder(
        folder, FileIdentity{folderStatus.dev, folderStatus.ino, FileIdentity::Type::Folder});
    FileStatus st;
    EXPECT_TRUE(pathStatus(folder + '/' + name, &st)) << name.constData();
    return set.add(f, std::string_view(name.constData(), std::size_t(name.size())), st);
}

DeleteTarget targetOf(const ResultSet& set, std::uint32_t rec)
{
    DeleteTarget t;
    const ResultSet::Folder& folder = set.folder(set.record(rec).folder);
    t.folder = folder.path;
    t.folderIdentity = folder.identity;
    const std::string_view name = set.name(rec);
    t.name = QByteArray(name.data(), qsizetype(name.size()));
    t.identity = set.identity(rec);
    t.shown = set.pathText(rec);
    return t;
}

// One group of the records `rows` of `set`, the first `leaving` of them
// marked; deletes the marked ones with the guard.
DeleteRun::Outcome deleteGuarded(const ResultSet& set, const std::vector<std::uint32_t>& rows,
                                 std::size_t leaving)
{
    KeepOneCopy keep;
    std::vector<KeepOneCopy::Member> members;
    QList<DeleteTarget> targets;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        members.push_back({targetOf(set, rows[i]), i < leaving});
        if (i < leaving)
            targets.append(members.back().target);
    }
    keep.addGroup(members);
    ScriptedResponder::instance().reset();
    DeleteRun run(targets, ScriptedResponder::instance());
    run.setGuard(
        [&keep](const SafeFolder& folder, const DeleteTarget& t) { return keep.mayGo(folder, t); },
        KeepOneCopy::keptNotice());
    return run.deleteAll();
}

// A name with a tab, a line feed and a byte that is not UTF-8.
const QByteArray kOddName("y\t\n\xff.bin");

// Writes `content` to the file at `path`, named by its bytes (a name that
// is not UTF-8 cannot go through a QString).
} // namespace

TEST(ContentDupFinder, GroupsIdenticalFilesOnlyAndTheSameWhateverTheThreads)
{
    Fixture f;
    const Scanned one = scanContents(1);
    ASSERT_TRUE(one.finished);
    const std::set<std::set<QString>> expected = {
        {"a/one.dat", "b/two.dat", "c/three.dat"},
        {"h/copy.bin", "h/link.bin", "h/orig.bin"},
        {"s/x.txt", f.rel(f.rawName)},
    };
    EXPECT_EQ(groupPaths(one, f), expected);

    // Largest waste first: 2 x 20,000, then 9,000, then 100.
    ASSERT_EQ(one.groups.groupCount, 3u);
    const ResultSet& set = one.scan->lines()->set();
    EXPECT_EQ(set.record(one.groups.rows.front()).size, 20000);
    EXPECT_EQ(set.record(one.groups.rows.back()).size, 100);
    // The hard-linked file is one file: counted once, its names together.
    EXPECT_EQ(one.groups.fileCount, 3 + 2 + 2);
    EXPECT_EQ(one.groups.duplicates, 2 + 1 + 1);
    EXPECT_EQ(one.groups.freeable, 2 * 20000 + 9000 + 100);
    for (std::size_t i = 0; i < one.groups.rows.size(); ++i) {
        const QString p = f.rel(set.pathBytes(one.groups.rows[i]));
        if (p == "h/orig.bin" || p == "h/link.bin") {
            ASSERT_LT(i + 1, one.groups.rows.size());
            const QString next = f.rel(set.pathBytes(one.groups.rows[i + 1]));
            EXPECT_TRUE(next == "h/orig.bin" || next == "h/link.bin")
                << "names apart: " << p.toStdString();
            EXPECT_EQ(one.groups.rowFile[i], one.groups.rowFile[i + 1]);
            break;
        }
    }

    // The rows do not depend on how many threads hash.
    for (int threads : {2, 4}) {
        const Scanned more = scanContents(threads);
        EXPECT_EQ(more.groups.rows.size(), one.groups.rows.size()) << threads;
        for (std::size_t i = 0; i < one.groups.rows.size() && i < more.groups.rows.size(); ++i)
            EXPECT_EQ(more.scan->lines()->set().pathBytes(more.groups.rows[i]),
                      set.pathBytes(one.groups.rows[i]))
                << "row " << i << " with " << threads << " threads";
    }
}

TEST(ContentDupFinder, AbortKeepsTheGroupsFinishedSoFar)
{
    Fixture f;
    // Abort as soon as the whole-contents pass begins: the small files (up
    // to 8 KiB) were read whole in the first pass and stay grouped; the
    // larger ones are not confirmed and are not listed.
    bool sawProgress = false;
    const Scanned s = scanContents(2, [&sawProgress](ContentDupFinder& finder) {
        QObject::connect(&finder, &ContentDupFinder::progressed,
                         [&finder, &sawProgress](const ContentProgress& p) {
                             sawProgress = true;
                             EXPECT_LE(p.filesDone, p.filesTotal);
                             if (p.bytesTotal > p.bytesDone && p.filesDone > 0)
                                 finder.abort();
                         });
    });
    EXPECT_TRUE(sawProgress);
    EXPECT_FALSE(s.finished);
    const std::set<std::set<QString>> expected = {
        {"s/x.txt", f.rel(f.rawName)},
    };
    EXPECT_EQ(groupPaths(s, f), expected);
}

TEST(ContentDupFinder, ProgressTextCountsFilesAndBytes)
{
    EXPECT_EQ(ContentDupFinder::progressText({12, 40, 1024, 4096}),
              "Comparing contents: 12 of 40 files, 1,024 of 4,096 bytes");
}

TEST(KeepOneCopy, NeverDeletesTheLastCopyNorOneThatChanged)
{
    Fixture f;
    const Scanned s = scanContents(2);
    ResultSet& set = s.scan->lines()->set();
    auto recordOf = [&](const QString& rel) -> std::uint32_t {
        for (std::uint32_t rec : s.groups.rows)
            if (f.rel(set.pathBytes(rec)) == rel)
                return rec;
        ADD_FAILURE() << "not listed: " << rel.toStdString();
        return 0;
    };
    // Marked: two of the three copies (one of them changes in place after
    // the scan), both small files (the whole group), and the hard link's
    // first name (its other name stays).
    const QStringList marked = {"a/one.dat", "b/two.dat", "s/x.txt", f.rel(f.rawName),
                                "h/orig.bin"};
    QList<DeleteTarget> targets;
    for (const QString& rel : marked) {
        const std::uint32_t rec = recordOf(rel);
        set.record(rec).set(ResultRecord::Marked, true);
        targets.append(targetOf(set, rec));
    }
    {
        QFile changed(f.fx.path("tree/b/two.dat"));
        ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
        changed.seek(12345);
        changed.write("!", 1);
    }

    const KeepOneCopy keep = KeepOneCopy::fromGroups(set, s.groups);
    EXPECT_EQ(keep.groupCount(), 3);
    ScriptedResponder::instance().reset();
    DeleteRun run(targets, rwtest::ScriptedResponder::instance());
    run.setGuard(
        [&keep](const SafeFolder& folder, const DeleteTarget& t) { return keep.mayGo(folder, t); },
        KeepOneCopy::keptNotice());
    const DeleteRun::Outcome out = run.deleteAll();

    auto exists = [&](const QString& rel) { return QFile::exists(f.fx.path("tree/" + rel)); };
    EXPECT_FALSE(exists("a/one.dat")); // three.dat stays with the same bytes
    EXPECT_TRUE(exists("b/two.dat"));  // changed since the scan: no copy has its bytes
    EXPECT_TRUE(exists("c/three.dat"));
    EXPECT_TRUE(exists("s/x.txt")); // the whole group was marked
    EXPECT_TRUE(QFile::exists(QFile::decodeName(f.rawName)));
    EXPECT_FALSE(exists("h/orig.bin")); // its contents stay under link.bin
    EXPECT_TRUE(exists("h/link.bin"));
    EXPECT_TRUE(exists("h/copy.bin"));
    EXPECT_EQ(out.files, 2);
    EXPECT_EQ(out.kept.size(), 3);
    // One report naming every file left alone.
    ASSERT_EQ(ScriptedResponder::instance().texts().size(), 1);
    const QString report = ScriptedResponder::instance().texts().front();
    EXPECT_TRUE(report.startsWith(KeepOneCopy::keptNotice()));
    for (const QString& kept : out.kept)
        EXPECT_TRUE(report.contains(kept)) << kept.toStdString();
}

TEST(KeepOneCopy, ComparesEveryByte)
{
    FixtureBuilder fx;
    const QByteArray big = rwtest::patternBytes(3 << 20, 7); // spans several read blocks
    struct Case {
        const char* what;
        QByteArray other;
        bool same;
    } cases[] = {
        {"identical", big, true},
        {"first byte", changedAt(big, 0), false},
        {"a byte past the first block", changedAt(big, (1 << 20) + 17), false},
        {"last byte", changedAt(big, big.size() - 1), false},
        {"shorter", big.left(big.size() - 1), false},
    };
    const QString a = fx.fileWithContent("a.bin", big);
    for (const Case& c : cases) {
        const QString b = fx.fileWithContent(QString("b-%1.bin").arg(c.what), c.other);
        QFile fa(a), fb(b);
        ASSERT_TRUE(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
        EXPECT_EQ(KeepOneCopy::sameContents(fa.handle(), fb.handle()), c.same) << c.what;
    }
}

// One folder reached through two paths lists its files twice; a file is
// still one row (the first met) and never a copy of itself, and the names
// of a hard-linked file stay together and count once.
TEST(ContentDupFinder, TheSameEntryReachedTwiceIsOneRowAndNeverItsOwnCopy)
{
    FixtureBuilder fx;
    const QByteArray data = rwtest::patternBytes(3000, 5);
    const QByteArray a = QFile::encodeName(fx.folder("tree/a"));
    const QByteArray b = QFile::encodeName(fx.folder("tree/b"));
    fx.fileWithContent("tree/a/x.bin", data);
    rwtest::writeRawFile(b + '/' + kOddName, data);
    fx.fileWithContent("tree/b/solo.bin", rwtest::patternBytes(3000, 6));
    fx.fileWithContent("tree/a/h-copy.bin", rwtest::patternBytes(5000, 7));
    fx.fileWithContent("tree/b/h1.bin", rwtest::patternBytes(5000, 7));
    fx.hardlink("tree/b/h2.bin", "tree/b/h1.bin");
    const QByteArray via = QFile::encodeName(fx.symlink("tree/via", "b"));
    const QByteArray twice = QFile::encodeName(fx.path("tree")) + "//b";

    ResultSet set;
    std::vector<std::uint32_t> records;
    for (const QByteArray& folder : {b, via, twice})
        for (const QByteArray& name : {kOddName, QByteArray("solo.bin"), QByteArray("h1.bin")})
            records.push_back(addEntry(set, folder, name));
    records.push_back(addEntry(set, b, "h2.bin"));
    records.push_back(addEntry(set, a, "x.bin"));
    records.push_back(addEntry(set, a, "h-copy.bin"));

    ContentDupFinder finder(set, 2);
    ASSERT_TRUE(finder.run(records));
    const ContentGroups& g = finder.result();
    QList<QByteArray> rows;
    for (std::uint32_t rec : g.rows)
        rows << set.pathBytes(rec);
    // Largest waste first: the 5,000-byte file and its copy, then x.bin and
    // the odd name; solo.bin has no copy but itself and is not listed.
    EXPECT_EQ(rows, QList<QByteArray>({a + "/h-copy.bin", b + "/h1.bin", b + "/h2.bin",
                                       a + "/x.bin", b + '/' + kOddName}));
    EXPECT_EQ(g.groupCount, 2u);
    EXPECT_EQ(g.fileCount, 4);
    EXPECT_EQ(g.duplicates, 2);
    EXPECT_EQ(g.freeable, 5000 + 3000);
    ASSERT_EQ(g.rowFile.size(), 5u);
    EXPECT_EQ(g.rowFile[1], g.rowFile[2]); // the two names of one file
    EXPECT_NE(g.rowFile[0], g.rowFile[1]);
}

// The guard needs another directory entry: the same entry listed again
// through another path (the same folder given twice, a folder link, a path
// written another way) is no copy, whatever its path text.
TEST(KeepOneCopy, TheSameEntryThroughAnotherPathIsNoCopy)
{
    FixtureBuilder fx;
    const QByteArray data = rwtest::patternBytes(3000, 8);
    const QByteArray tree = QFile::encodeName(fx.folder("tree"));
    const QByteArray b = QFile::encodeName(fx.folder("tree/b"));
    fx.symlink("tree/via", "b");
    struct Case {
        const char* what;
        QByteArray otherPath;
    } cases[] = {
        {"the same folder twice", b},
        {"a link to the folder", tree + "/via"},
        {"a doubled slash", tree + "//b"},
        {"a dot", tree + "/./b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rwtest::writeRawFile(b + '/' + kOddName, data);
        ResultSet set;
        const std::uint32_t first = addEntry(set, b, kOddName);
        const std::uint32_t second = addEntry(set, c.otherPath, kOddName);
        const DeleteRun::Outcome out = deleteGuarded(set, {first, second}, 1);
        EXPECT_TRUE(rwtest::rawExists(b + '/' + kOddName));
        EXPECT_EQ(out.files, 0);
        EXPECT_EQ(out.kept, QStringList({set.pathText(first)}));
    }
}

// The tester's case: d: is a bind mount of a folder of c:. The group lists
// x.bin, y and y again through d:; x.bin and c:'s y are marked. x.bin may
// go (y stays), y may not: its row on d: is the same entry.
TEST(KeepOneCopy, ABindMountOfTheFolderIsNoCopy)
{
    FixtureBuilder fx;
    const QByteArray data = rwtest::patternBytes(3000, 9);
    const QByteArray a = QFile::encodeName(fx.folder("c/a"));
    const QByteArray b = QFile::encodeName(fx.folder("c/b"));
    const QByteArray d = QFile::encodeName(fx.folder("d"));
    fx.fileWithContent("c/a/x.bin", data);
    rwtest::writeRawFile(b + '/' + kOddName, data);
    ResultSet shown;
    const QString y = shown.pathText(addEntry(shown, b, kOddName));
    const rwtest::MountNamespaceChild child({{b, d}}, [&] {
        ResultSet set;
        const std::vector<std::uint32_t> rows = {
            addEntry(set, a, "x.bin"), addEntry(set, b, kOddName), addEntry(set, d, kOddName)};
        const DeleteRun::Outcome out = deleteGuarded(set, rows, 2);
        return "x " + QByteArray::number(rwtest::rawExists(a + "/x.bin")) + ", y " +
               QByteArray::number(rwtest::rawExists(b + '/' + kOddName)) + ", gone " +
               QByteArray::number(out.files) + ", kept " + out.kept.join(',').toUtf8();
    });
    if (!child.ran())
        GTEST_SKIP() << child.skipReason().toStdString();
    EXPECT_EQ(QString::fromUtf8(child.answer()), "x 0, y 1, gone 1, kept " + y);
}

// A second name of the same inode keeps the contents only when it is
// another directory entry that still exists: a real hard link does; a file
// with one name listed twice does not, nor a linked file's own entry listed
// twice, nor a second name removed since the scan.
TEST(KeepOneCopy, ASecondNameCountsOnlyWhenItIsAnotherEntryThatStays)
{
    FixtureBuilder fx;
    const QByteArray h = QFile::encodeName(fx.folder("tree/h"));
    const QByteArray twice = QFile::encodeName(fx.path("tree")) + "//h";
    fx.fileWithContent("tree/h/orig.bin", rwtest::patternBytes(2000, 10));
    fx.hardlink("tree/h/link.bin", "tree/h/orig.bin");
    fx.fileWithContent("tree/h/single.bin", rwtest::patternBytes(2000, 11));
    fx.fileWithContent("tree/h/own.bin", rwtest::patternBytes(2000, 12));
    fx.hardlink("tree/h/elsewhere.bin", "tree/h/own.bin"); // not in the group
    fx.fileWithContent("tree/h/gone-orig.bin", rwtest::patternBytes(2000, 13));
    fx.hardlink("tree/h/gone-link.bin", "tree/h/gone-orig.bin");

    struct Case {
        const char* what;
        QByteArray leaving;
        QByteArray otherFolder;
        QByteArray otherName;
        bool goes;
    } cases[] = {
        {"hard link", "orig.bin", h, "link.bin", true},
        {"one name listed twice", "single.bin", twice, "single.bin", false},
        {"a linked file's own entry listed twice", "own.bin", twice, "own.bin", false},
        {"the other name removed since the scan", "gone-orig.bin", h, "gone-link.bin", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResultSet set;
        const std::uint32_t first = addEntry(set, h, c.leaving);
        const std::uint32_t second = addEntry(set, c.otherFolder, c.otherName);
        if (c.otherName == "gone-link.bin") {
            ASSERT_EQ(::unlink((h + "/gone-link.bin").constData()), 0);
        }
        const DeleteRun::Outcome out = deleteGuarded(set, {first, second}, 1);
        EXPECT_EQ(rwtest::rawExists(h + '/' + c.leaving), !c.goes);
        EXPECT_EQ(out.files, c.goes ? 1 : 0);
        EXPECT_EQ(out.kept.size(), c.goes ? 0 : 1);
    }
}
