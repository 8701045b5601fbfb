#include "framework/core/FolderWalker.h"

#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include <unistd.h>

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
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
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
