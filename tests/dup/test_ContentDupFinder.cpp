#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

#include <set>

#include "framework/core/DeleteRun.h"
#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
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

// Bytes that differ from position to position, so a change anywhere shows.
QByteArray pattern(int size, int seed)
{
    QByteArray b(size, '\0');
    std::uint32_t x = 2463534242u + std::uint32_t(seed);
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b[i] = char(x);
    }
    return b;
}

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
        const QByteArray big = pattern(20000, 1);
        fx.fileWithContent("tree/a/one.dat", big);
        fx.fileWithContent("tree/b/two.dat", big);
        fx.fileWithContent("tree/c/three.dat", big);
        fx.fileWithContent("tree/d/first.dat", changedAt(big, 0));
        fx.fileWithContent("tree/d/middle.dat", changedAt(big, 10000));
        fx.fileWithContent("tree/d/last.dat", changedAt(big, 19999));
        const QByteArray small = pattern(100, 2);
        fx.fileWithContent("tree/s/x.txt", small);
        fx.fileWithContent("tree/s/z.txt", changedAt(small, 50));
        rawName = QFile::encodeName(fx.path("tree/s")) + "/odd\tna\nme\xff.txt";
        QFile raw(QFile::decodeName(rawName));
        EXPECT_TRUE(raw.open(QIODevice::WriteOnly));
        raw.write(small);
        raw.close();
        fx.fileWithContent("tree/h/orig.bin", pattern(9000, 3));
        fx.hardlink("tree/h/link.bin", "tree/h/orig.bin");
        fx.fileWithContent("tree/h/copy.bin", pattern(9000, 3));
        fx.fileWithContent("tree/l/lonely.bin", pattern(5000, 4));
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
    auto targetOf = [&](std::uint32_t rec) {
        DeleteTarget t;
        const ResultSet::Folder& folder = set.folder(set.record(rec).folder);
        t.folder = folder.path;
        t.folderIdentity = folder.identity;
        const std::string_view name = set.name(rec);
        t.name = QByteArray(name.data(), qsizetype(name.size()));
        t.identity = set.identity(rec);
        t.shown = set.pathText(rec);
        return t;
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
        targets.append(targetOf(rec));
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
    const QByteArray big = pattern(3 << 20, 7); // spans several read blocks
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
