#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "platform/RunDrives.h"

#include "tests/support/FixtureBuilder.h"
#include "tests/support/MountNamespaceChild.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define RW_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RW_TEST_ASAN 1
#endif
#endif
#ifndef RW_TEST_ASAN
#define RW_TEST_ASAN 0 // the sanitizer's heap is not the one mallinfo2 reports
#endif

namespace
{

// Logs every call as "enter:rel", "files:rel", "file:rel", "done:rel" with
// paths relative to the fixture root ("" for the root itself).
class RecordingStrategy : public rw::WalkStrategy
{
public:
    explicit RecordingStrategy(const QString& base) : m_base(QFile::encodeName(base)) {}

    void folderEntered(const rw::WalkFolder& f) override { log.append("enter:" + rel(f.path)); }
    QString filePattern(const rw::WalkFolder&) override { return pattern; }
    std::uint32_t excludedAttributes() const override { return excluded; }
    void filesStarting(const rw::WalkFolder& f) override { log.append("files:" + rel(f.path)); }
    rw::Verdict fileMatched(const rw::FileRecord& file) override
    {
        log.append("file:" + rel(file.pathBytes()));
        files.append(rel(file.pathBytes()));
        return verdict;
    }
    rw::Verdict folderDone(const rw::WalkFolder& f, const rw::FolderTotals& t) override
    {
        log.append("done:" + rel(f.path));
        totals[rel(f.path)] = t;
        return rw::Verdict::Skip;
    }

    QStringList log;
    QStringList files;
    QMap<QString, rw::FolderTotals> totals;
    QString pattern = QStringLiteral("*.*");
    std::uint32_t excluded = rw::faHidden | rw::faSysFile;
    rw::Verdict verdict = rw::Verdict::Keep;

private:
    QString rel(const QByteArray& p) const
    {
        QString r = QFile::decodeName(p.mid(m_base.size()));
        return r.startsWith('/') ? r.mid(1) : r;
    }
    QByteArray m_base;
};

// Counts what the walk hands over without keeping any path: a 20,000-deep
// walk hands over paths of up to 40 kB. Checks each path has the length its
// depth gives (a chain of one-letter names) and notes the heap in use at the
// deepest folder.
class CountingStrategy : public rw::WalkStrategy
{
public:
    explicit CountingStrategy(const QString& base) : m_baseLength(QFile::encodeName(base).size()) {}

    void folderEntered(const rw::WalkFolder& f) override
    {
        maxDepth = std::max(maxDepth, f.depth);
        if (f.path.size() != m_baseLength + 2 * f.depth)
            ++wrongPaths;
        if (onEnter)
            onEnter(f);
        if (f.depth == deepest) {
            const struct mallinfo2 mi = ::mallinfo2();
            heapAtBottom = mi.uordblks + mi.hblkhd;
        }
    }
    rw::Verdict fileMatched(const rw::FileRecord&) override
    {
        ++files;
        return rw::Verdict::Skip;
    }
    rw::Verdict folderDone(const rw::WalkFolder&, const rw::FolderTotals&) override
    {
        ++folders;
        return rw::Verdict::Skip;
    }

    int deepest = -1;
    int maxDepth = 0;
    int wrongPaths = 0;
    std::int64_t files = 0;
    std::int64_t folders = 0;
    std::size_t heapAtBottom = 0;
    std::function<void(const rw::WalkFolder&)> onEnter;

private:
    qsizetype m_baseLength;
};

std::size_t heapInUse()
{
    const struct mallinfo2 mi = ::mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

QString driveLine(char letter, const QString& root)
{
    return QStringLiteral("%1: [%2]").arg(QChar::fromLatin1(letter).toLower(), root);
}

struct WalkFixture : ::testing::Test {
    rwtest::FixtureBuilder fx;
    bool abort = false;

    QString mapped(char letter, const QString& rel = QString())
    {
        const QString root = rel.isEmpty() ? fx.base() : fx.path(rel);
        fx.mapDrive(letter, root);
        return driveLine(letter, root);
    }
};

TEST_F(WalkFixture, PostOrderSkipsHiddenFoldersLinksAndSpecialFiles)
{
    fx.file("f.txt", 1);
    fx.file(".hidden.txt", 1);
    fx.file("a/x.txt", 2);
    fx.file("a/b/y.txt", 3);
    fx.file(".hid/z.txt", 4); // not hidden itself, but below a hidden folder
    fx.fifo("pipe");
    fx.symlink("folderlink", "a");
    fx.symlink("a/b/loop", "../..");
    fx.symlink("filelink", "f.txt");

    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});

    QStringList sorted = s.files;
    sorted.sort();
    EXPECT_EQ(sorted, QStringList({"a/b/y.txt", "a/x.txt", "f.txt"}));
    // Sub-folders before the folder's own files; a folder is done last.
    const auto at = [&](const char* e) { return s.log.indexOf(QString::fromLatin1(e)); };
    EXPECT_EQ(at("enter:"), 0);
    EXPECT_LT(at("done:a/b"), at("files:a"));
    EXPECT_LT(at("file:a/x.txt"), at("done:a"));
    EXPECT_LT(at("done:a"), at("files:"));
    EXPECT_EQ(s.log.last(), "done:");
    EXPECT_EQ(s.log.count("files:"), 1);
    EXPECT_EQ(at("enter:.hid"), -1);
    EXPECT_EQ(at("enter:folderlink"), -1);
    EXPECT_EQ(at("enter:a/b/loop"), -1);
    // Root: sub-folders a and .hid; files: f.txt, .hidden.txt, pipe and the two links.
    EXPECT_EQ(s.totals[""].subFolders, 2);
    EXPECT_EQ(s.totals[""].files, 5);
    EXPECT_EQ(s.totals[""].examined, 1);
    EXPECT_EQ(walker.keptCount(), 3);
    EXPECT_FALSE(abort);
}

TEST_F(WalkFixture, EmptyRootRunsThePerFolderStepOnce)
{
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(s.log, QStringList({"enter:", "files:", "done:"}));
}

TEST_F(WalkFixture, PatternAndAttributeMaskChooseTheFiles)
{
    fx.file("readme.txt");
    fx.file("DATA.TXT");
    fx.file("data.dat");
    fx.file(".profile.txt");
    fx.fifo("pipe.txt");

    RecordingStrategy s(fx.base());
    s.pattern = QStringLiteral("*.TXT");
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});
    s.files.sort();
    EXPECT_EQ(s.files, QStringList({"DATA.TXT", "readme.txt"}));

    // A tool that counts everything (hidden and special files too).
    RecordingStrategy all(fx.base());
    all.excluded = 0;
    rw::FolderWalker walker2(all, abort, rwtest::ScriptedResponder::instance());
    walker2.scanAllDrives({mapped('D')});
    all.files.sort();
    EXPECT_EQ(all.files,
              QStringList({".profile.txt", "DATA.TXT", "data.dat", "pipe.txt", "readme.txt"}));
}

TEST_F(WalkFixture, UnreadableFolderIsSkippedAndTheWalkGoesOn)
{
    fx.file("bad/inside.txt");
    fx.file("bad/deeper/more.txt");
    fx.file("good/ok.txt");
    fx.file("top.txt");

    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    const QByteArray bad = QFile::encodeName(fx.path("bad"));
    walker.setOpenFilter([&](const QByteArray& path) { return path != bad; });
    walker.scanAllDrives({mapped('D')});
    s.files.sort();
    EXPECT_EQ(s.files, QStringList({"good/ok.txt", "top.txt"}));
    EXPECT_FALSE(s.log.contains("done:bad"));
    // Nothing is left out silently: one warning after the drive names it.
    EXPECT_EQ(walker.skippedFolderCount(), 1);
    const auto& entries = rwtest::ScriptedResponder::instance().entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].kind, rw::MessageKind::Warning);
    EXPECT_TRUE(entries[0].text.startsWith("1 folder could not be read"))
        << qPrintable(entries[0].text);
    EXPECT_TRUE(entries[0].text.contains(fx.path("bad") + " (")) << qPrintable(entries[0].text);
}

TEST_F(WalkFixture, ManyFoldersLeftOutGiveOneShortWarning)
{
    for (int i = 0; i < 14; ++i)
        fx.file(QStringLiteral("bad%1/inside.txt").arg(i, 2, 10, QChar('0')));
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.setOpenFilter([&](const QByteArray& path) { return !path.contains("/bad"); });
    walker.scanAllDrives({mapped('D')});
    EXPECT_TRUE(s.files.isEmpty());
    const QStringList texts = rwtest::ScriptedResponder::instance().texts();
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].startsWith("14 folders could not be read")) << qPrintable(texts[0]);
    EXPECT_EQ(texts[0].count('\n'), 11); // ten named, then the rest counted
    EXPECT_TRUE(texts[0].endsWith("... and 4 more"));
    EXPECT_TRUE(walker.takeSkippedFoldersText().isEmpty()); // said once
}

TEST_F(WalkFixture, FolderWithoutPermissionIsSkipped)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads folders without permission";
    fx.file("locked/inside.txt");
    fx.file("open.txt");
    fx.setMode("locked", 0000);
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(s.files, QStringList({"open.txt"}));
}

TEST_F(WalkFixture, OtherFileSystemIsNotEntered)
{
    fx.file("mnt/elsewhere.txt");
    fx.file("here.txt");
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    const QByteArray mnt = QFile::encodeName(fx.path("mnt"));
    walker.setDeviceFilter(
        [&](const QByteArray& path, std::uint64_t dev) { return path == mnt ? dev + 1 : dev; });
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(s.files, QStringList({"here.txt"}));
}

TEST_F(WalkFixture, DriveRootThatCannotBeOpenedIsReportedAndTheNextDriveWalked)
{
    // A drive that answers the space query but whose root cannot be opened.
    fx.file("locked/secret.txt");
    fx.file("e/inside.txt");
    const QString bad = mapped('D', "locked");
    const QString good = mapped('E', "e");
    fx.mapDrive('F', fx.path("does/not/exist")); // not valid: skipped silently

    RecordingStrategy s(fx.path("e"));
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    const QByteArray locked = QFile::encodeName(fx.path("locked"));
    walker.setOpenFilter([&](const QByteArray& path) { return path != locked; });
    walker.scanAllDrives({bad, driveLine('f', fx.path("does/not/exist")), good});

    auto& responder = rwtest::ScriptedResponder::instance();
    ASSERT_EQ(responder.entries().size(), 1);
    EXPECT_EQ(responder.entries()[0].kind, rw::MessageKind::Error);
    EXPECT_EQ(responder.entries()[0].text, "Can't open drive " + bad);
    EXPECT_EQ(responder.beeps(), 0);
    EXPECT_EQ(s.files, QStringList({"inside.txt"}));
}

TEST_F(WalkFixture, DriveMappedToAPlainFileIsReportedAndTheNextDriveWalked)
{
    // The file answers the size query, so the drive is there; its root is
    // no folder to open.
    fx.file("plain.txt");
    fx.file("e/inside.txt");
    const QString file = mapped('D', "plain.txt");
    const QString good = mapped('E', "e");

    RecordingStrategy s(fx.path("e"));
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({file, good});

    auto& responder = rwtest::ScriptedResponder::instance();
    ASSERT_EQ(responder.entries().size(), 1);
    EXPECT_EQ(responder.entries()[0].kind, rw::MessageKind::Error);
    EXPECT_EQ(responder.entries()[0].text, "Can't open drive " + file);
    EXPECT_EQ(responder.entries()[0].buttons, rw::MessageButtons::Ok);
    EXPECT_EQ(responder.beeps(), 0);
    EXPECT_EQ(s.files, QStringList({"inside.txt"}));
}

TEST_F(WalkFixture, AbortFromTheProgressCallbackStopsAtOnce)
{
    for (int i = 0; i < 5; ++i)
        fx.file(QStringLiteral("d%1/f.txt").arg(i));
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    int calls = 0;
    walker.setProgressCallback(
        [&](const rw::WalkFolder&) {
            ++calls;
            abort = true;
        },
        std::chrono::milliseconds(0));
    walker.scanAllDrives({mapped('D'), mapped('E')});
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(s.files.isEmpty());
    EXPECT_EQ(s.log, QStringList({"enter:"}));
}

TEST_F(WalkFixture, StopVerdictEndsTheWalkAndSetsTheFlag)
{
    for (int i = 0; i < 4; ++i)
        fx.file(QStringLiteral("f%1.txt").arg(i));
    RecordingStrategy s(fx.base());
    s.verdict = rw::Verdict::Stop;
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(s.files.size(), 1);
    EXPECT_TRUE(abort);
    EXPECT_FALSE(s.log.contains("done:"));
}

TEST_F(WalkFixture, FullCollectionListWarnsAndStops)
{
    for (int i = 0; i < 6; ++i)
        fx.file(QStringLiteral("f%1.txt").arg(i));
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.setCollectionLimit(3);
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(walker.keptCount(), 3);
    EXPECT_EQ(s.files.size(), 3);
    EXPECT_TRUE(abort);
    auto& responder = rwtest::ScriptedResponder::instance();
    ASSERT_EQ(responder.entries().size(), 1);
    EXPECT_EQ(responder.entries()[0].kind, rw::MessageKind::Warning);
    EXPECT_EQ(responder.entries()[0].text,
              "Due to Windows resource limitations ... cannot process any more files.\r\r"
              "Try increasing the file size limits or file match and re-scan.");
}

TEST_F(WalkFixture, DepthIsNotLimitedByOpenFolders)
{
    QString rel;
    for (int i = 0; i < 200; ++i)
        rel += QStringLiteral("d/");
    fx.file(rel + "deep.txt");
    fx.file("d/near.txt");
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(s.files.size(), 2);
    EXPECT_TRUE(s.files.contains(rel + "deep.txt"));
    EXPECT_EQ(s.log.filter(QRegularExpression("^done:")).size(), 201);
    EXPECT_EQ(s.log.last(), "done:");
    EXPECT_TRUE(s.log.indexOf("file:d/near.txt") > s.log.indexOf("file:" + rel + "deep.txt"));
}

TEST_F(WalkFixture, TwentyThousandDeepChainIsWalkedWholeInLittleMemory)
{
    constexpr int kLevels = 20000;
    fx.deepChain(QString(), kLevels, "d", "f");
    CountingStrategy s(fx.base());
    s.deepest = kLevels;
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    const QString line = mapped('D');
    const std::size_t before = heapInUse();
    walker.scanAllDrives({line});
    EXPECT_EQ(s.maxDepth, kLevels);
    EXPECT_EQ(s.folders, kLevels + 1);
    EXPECT_EQ(s.files, kLevels);
    EXPECT_EQ(walker.examinedCount(), kLevels);
    EXPECT_EQ(s.wrongPaths, 0);
    EXPECT_EQ(walker.skippedFolderCount(), 0);
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
#if !RW_TEST_ASAN
    // A few hundred bytes a level; a read buffer or a full path per level
    // would take hundreds of megabytes here.
    EXPECT_LT(s.heapAtBottom - before, std::size_t(48) << 20);
#else
    (void)before;
#endif
}

// Past the open window a folder is reopened through ".." of the sub-folder
// just finished; when that is no longer its parent (a sub-folder was moved
// away meanwhile), it is reopened by name from the nearest open folder; one
// that is gone is reported, and the walk goes on.
TEST_F(WalkFixture, FoldersMovedDuringADeepWalkAreFollowedOrReported)
{
    constexpr int kLevels = 300; // well past the folders kept open
    const QByteArray base = QFile::encodeName(fx.base());
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> renames;
        int skipped;
    } cases[] = {
        // Level 2 moves out of level 1, which is then found again by name.
        {"sub-folder moved out", {{"/top/d/d", "/moved"}}, 0},
        // Level 1 moves along with the rest: ".." still leads to it.
        {"whole chain moved", {{"/top/d", "/gone"}}, 0},
        // Both: level 1 can be reached neither way; its own file is lost.
        {"level 1 lost", {{"/top/d/d", "/moved"}, {"/top/d", "/gone"}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(fx.base()).removeRecursively();
        fx.deepChain("top", kLevels, "d", "f");
        rwtest::ScriptedResponder::instance().clear();
        CountingStrategy s(fx.base() + "/top");
        s.onEnter = [&](const rw::WalkFolder& f) {
            if (f.depth != kLevels)
                return;
            for (const auto& [from, to] : c.renames)
                ASSERT_EQ(::rename((base + from).constData(), (base + to).constData()), 0);
        };
        bool stop = false;
        rw::FolderWalker walker(s, stop, rwtest::ScriptedResponder::instance());
        walker.scanAllDrives({mapped('D', "top")});
        EXPECT_EQ(s.folders, kLevels + 1 - c.skipped);
        EXPECT_EQ(s.files, kLevels - c.skipped);
        EXPECT_EQ(walker.skippedFolderCount(), c.skipped);
        const QStringList texts = rwtest::ScriptedResponder::instance().texts();
        ASSERT_EQ(texts.size(), c.skipped);
        if (c.skipped) {
            EXPECT_TRUE(texts[0].contains("(moved while it was scanned)")) << qPrintable(texts[0]);
        }
    }
}

// A bind mount of a folder of the same file system has the same device
// number; only its mount id shows it is another mount. Needs a mount
// namespace of its own, made in a child process so the test process stays
// as it was.
TEST_F(WalkFixture, BindMountInsideTheTreeIsNotEntered)
{
    fx.file("real/one.txt");
    fx.file("real/two.txt");
    fx.folder("bound");
    const QString line = mapped('D');
    const rwtest::MountNamespaceChild child(
        {{QFile::encodeName(fx.path("real")), QFile::encodeName(fx.path("bound"))}}, [&] {
            CountingStrategy s(fx.base());
            bool stop = false;
            rw::FolderWalker walker(s, stop, rwtest::ScriptedResponder::instance());
            walker.scanAllDrives({line});
            return QByteArray::number(s.files) + " " + QByteArray::number(s.folders);
        });
    if (!child.ran())
        GTEST_SKIP() << child.skipReason().toStdString();
    // The files of "real" once, and "bound" is not entered.
    EXPECT_EQ(child.answer(), "2 2");
}

// Roots that overlap: every folder is walked once in a walk, under the
// first path met (roots in the order given), so every file is handed over
// once; a root already walked is passed over without a message.
struct OverlapFixture : WalkFixture {
    OverlapFixture()
    {
        fx.file("top.txt", 1);
        fx.file("a/x.txt", 2);
        fx.file("a/tab\there", 3);
        fx.file("a/line\nbreak", 4);
        fx.file("a/sub/deep.txt", 5);
        rwtest::makeRawFile(fx.path("a/sub"), QByteArray("bad\xff.bin"), 6);
        fx.file("b/y.txt", 7);
    }

    // The files handed over (relative to the fixture), in walk order.
    QStringList walk(const QStringList& lines)
    {
        RecordingStrategy s(fx.base());
        rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
        walker.scanAllDrives(lines);
        entered = s.log.filter(QRegularExpression("^enter:"));
        return s.files;
    }

    static QStringList sorted(QStringList l)
    {
        l.sort();
        return l;
    }

    QStringList entered;
    const QString bad = QString::fromUtf8("a/sub/bad\xff.bin"); // as RecordingStrategy shows it
};

TEST_F(OverlapFixture, EveryFolderIsWalkedOnceUnderTheFirstPathMet)
{
    fx.symlink("link-to-a", "a");
    const QStringList all = sorted(
        {"top.txt", "a/x.txt", "a/tab\there", "a/line\nbreak", "a/sub/deep.txt", bad, "b/y.txt"});
    const QStringList underA =
        sorted({"a/x.txt", "a/tab\there", "a/line\nbreak", "a/sub/deep.txt", bad});
    struct Case {
        const char* what;
        QStringList lines;
        QStringList files;
    } cases[] = {
        // A drive letter each: the drives are all mapped before the first walk.
        {"a folder, then its sub-folder", {mapped('D'), mapped('E', "a/sub")}, all},
        {"a sub-folder, then the folder around it", {mapped('F', "a/sub"), mapped('G')}, all},
        {"the same folder twice", {mapped('H', "a"), mapped('I', "a")}, underA},
        {"a link to a folder already given", {mapped('J', "a"), mapped('K', "link-to-a")}, underA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rwtest::ScriptedResponder::instance().clear();
        const QStringList files = walk(c.lines);
        EXPECT_EQ(sorted(files).join(" | ").toStdString(), c.files.join(" | ").toStdString());
        EXPECT_EQ(entered.size(), QSet<QString>(entered.begin(), entered.end()).size())
            << entered.join(' ').toStdString();
        EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty())
            << "a root already walked is no error";
    }
    // The first path met names the files: here the sub-folder's own root.
    const QStringList subFirst = walk({mapped('D', "a/sub"), mapped('E', "a")});
    EXPECT_EQ(entered.first(), "enter:a/sub");
    EXPECT_EQ(entered.count("enter:a/sub"), 1);
    EXPECT_EQ(subFirst.count("a/sub/deep.txt"), 1);
}

// The tester's drive d: is a bind mount of a folder of drive c:; through
// it the same folder (device and inode) is reached again.
TEST_F(OverlapFixture, BindMountOfAFolderAlreadyWalkedIsNotWalkedAgain)
{
    fx.folder("d-drive");
    const QString c = mapped('C');
    const QString d = mapped('D', "d-drive");
    const rwtest::MountNamespaceChild child(
        {{QFile::encodeName(fx.path("a")), QFile::encodeName(fx.path("d-drive"))}}, [&] {
            const QStringList cFirst = walk({c, d});
            const QStringList dFirst = walk({d, c});
            return (sorted(cFirst).join('|') + "\n" + sorted(dFirst).join('|')).toUtf8();
        });
    if (!child.ran())
        GTEST_SKIP() << child.skipReason().toStdString();
    // c: first: the bind mount met inside c: is not entered, and d: is a
    // folder walked already. d: first: c: leaves out "a", walked as d:.
    const QStringList cFirst = sorted(
        {"top.txt", "a/x.txt", "a/tab\there", "a/line\nbreak", "a/sub/deep.txt", bad, "b/y.txt"});
    const QStringList dFirst =
        sorted({"d-drive/x.txt", "d-drive/tab\there", "d-drive/line\nbreak", "d-drive/sub/deep.txt",
                QString::fromUtf8("d-drive/sub/bad\xff.bin"), "top.txt", "b/y.txt"});
    const QString expected = cFirst.join('|') + "\n" + dFirst.join('|');
    EXPECT_EQ(QString::fromUtf8(child.answer()).toStdString(), expected.toStdString());
}

TEST_F(WalkFixture, ProgressIsRateLimited)
{
    for (int i = 0; i < 50; ++i)
        fx.file(QStringLiteral("d%1/f.txt").arg(i));
    RecordingStrategy s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    QStringList shown;
    walker.setProgressCallback([&](const rw::WalkFolder& f) { shown.append(f.displayPath()); },
                               std::chrono::hours(1));
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(shown, QStringList({fx.base()}));
    EXPECT_EQ(s.files.size(), 50);
}

} // namespace

TEST_F(WalkFixture, LargeFolderHandsEveryFileOnceInListingOrderWithItsOwnStatus)
{
    // More files than one block of metadata calls, so the calls are shared
    // with the helper threads: the strategy must still see each file once,
    // in the listing's order, with its own size; links, pipes, hidden files
    // and folders stay out exactly as in a small folder.
    const int count = 2500;
    QMap<QString, std::int64_t> sizes;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("big/f%1.dat").arg(i);
        const std::int64_t size = (i * 37) % 1000;
        fx.sparseFile(name, size);
        sizes[name] = size;
    }
    fx.file("big/.hidden", 5);
    fx.fifo("big/pipe");
    fx.symlink("big/link", "f1.dat");
    fx.file("big/sub/inner.txt", 7);
    sizes["big/sub/inner.txt"] = 7;

    struct SizeRecorder : RecordingStrategy {
        using RecordingStrategy::RecordingStrategy;
        rw::Verdict fileMatched(const rw::FileRecord& file) override
        {
            seen.append(file.size());
            return RecordingStrategy::fileMatched(file);
        }
        QList<std::int64_t> seen;
    } s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});

    ASSERT_EQ(s.files.size(), count + 1);
    for (qsizetype i = 0; i < s.files.size(); ++i)
        EXPECT_EQ(s.seen[i], sizes.value(s.files[i], -1)) << s.files[i].toStdString();
    QStringList unique = s.files;
    unique.removeDuplicates();
    EXPECT_EQ(unique.size(), s.files.size());

    // The order the folder lists its names in.
    rw::DirListing listing;
    ASSERT_TRUE(listing.open(QFile::encodeName(fx.path("big"))));
    ASSERT_TRUE(listing.readAll());
    QStringList listed;
    std::size_t cursor = 0;
    rw::DirEntry e;
    while (listing.next(cursor, &e))
        if (e.type == rw::EntryType::File && !e.isHidden())
            listed.append("big/" + QString::fromUtf8(e.name.data(), qsizetype(e.name.size())));
    EXPECT_EQ(s.files.mid(1), listed); // the sub-folder's file comes first: post order
    EXPECT_EQ(s.totals["big"].examined, count);
    EXPECT_EQ(s.totals["big"].files, count + 3); // the hidden file, the pipe and the link
}

TEST_F(WalkFixture, StopInsideALargeFolderHandsOverNothingAfterIt)
{
    for (int i = 0; i < 3000; ++i)
        fx.sparseFile(QStringLiteral("f%1").arg(i), i);
    struct StopAt : rw::WalkStrategy {
        rw::Verdict fileMatched(const rw::FileRecord&) override
        {
            return ++calls == 1500 ? rw::Verdict::Stop : rw::Verdict::Keep;
        }
        int calls = 0;
    } s;
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({mapped('D')});
    EXPECT_EQ(s.calls, 1500);
    EXPECT_TRUE(abort);
    EXPECT_EQ(walker.keptCount(), 1499);
}

// A folder added for this run is walked by its bytes: the name of its root
// may hold a line break or bytes that are not UTF-8, which no text of it
// would give back.
TEST_F(WalkFixture, FolderAddedForTheRunIsWalkedByItsBytes)
{
    rw::RunDrives::clear();
    const QByteArray root = QFile::encodeName(fx.base()) + "/odd\n\xff";
    rwtest::rawFolder(root);
    rwtest::rawFolder(root + "/sub");
    rwtest::rawFile(root + "/sub/inside.txt", 3);
    QChar letter;
    ASSERT_EQ(rw::RunDrives::add(root, &letter), rw::RunDrives::Outcome::Added);
    rw::DriveInfo drive;
    ASSERT_TRUE(rw::findDrive(letter, &drive));

    struct BytesStrategy : RecordingStrategy {
        using RecordingStrategy::RecordingStrategy;
        rw::Verdict fileMatched(const rw::FileRecord& file) override
        {
            paths << file.pathBytes();
            return RecordingStrategy::fileMatched(file);
        }
        QList<QByteArray> paths;
    } s(fx.base());
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    walker.scanAllDrives({drive.entryText()});
    rw::RunDrives::clear();
    EXPECT_EQ(s.paths, QList<QByteArray>({root + "/sub/inside.txt"}));
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}
