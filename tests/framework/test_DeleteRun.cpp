#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/core/Settings.h"
#include "framework/core/DeleteRun.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

using namespace rw;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

QString trashFiles()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files";
}

} // namespace

TEST(DeleteRun, PathsAreProcessedInCaseInsensitiveOrder)
{
    const QStringList in = {"/t/b.txt", "/t/C.txt", "/t/a.txt", "/t/B.txt"};
    EXPECT_EQ(DeleteRun::sortedPaths(in),
              QStringList({"/t/a.txt", "/t/B.txt", "/t/b.txt", "/t/C.txt"}));

    FixtureBuilder fx;
    const QString b = fx.file("b.bin", 10), a = fx.file("A.bin", 10);
    DeleteRun run({b, a});
    QStringList seen;
    run.setRemover([&](const QString& p) {
        seen.append(p);
        return DeleteRun::removeFile(p);
    });
    run.deleteAll();
    EXPECT_EQ(seen, QStringList({a, b}));
}

TEST(DeleteRun, PermanentDeleteCountsOnlyTheFilesThatWent)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 1000);
    const QString b = fx.file("b.bin", 2000);
    const QString c = fx.file("c.bin", 3000);
    const QString gone = fx.path("vanished.bin"); // listed but not there any more

    DeleteRun run({a, b, c, gone});
    // b refuses to go, as a busy or protected file would.
    run.setRemover([&](const QString& p) { return p != b && DeleteRun::removeFile(p); });
    const DeleteRun::Outcome out = run.deleteAll();

    EXPECT_EQ(out.files, 2);
    EXPECT_EQ(out.bytes, 4000);
    EXPECT_EQ(out.failed, QStringList({b, gone}));
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_TRUE(QFile::exists(b));
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList({"Couldn't delete file - " + b, "Couldn't delete file - " + gone}));

    const DeletionTotals t = readDeletionTotals();
    EXPECT_EQ(t.filesDeleted, 2);
    EXPECT_EQ(t.bytesDeleted, 4000);
    EXPECT_EQ(t.filesRecycled, 0);
    EXPECT_EQ(t.bytesRecycled, 0);
}

TEST(DeleteRun, RecycleMovesFilesToTheTrashAndStopsAtTheFirstFailure)
{
    FixtureBuilder fx;
    const QString a = fx.file("a.bin", 100);
    const QString b = fx.file("b.bin", 200);
    const QString c = fx.file("c.bin", 400);
    const QString d = fx.file("d.bin", 800);

    DeleteRun run({d, c, b, a});
    run.setRecycler([&](const QString& p) { return p != c && DeleteRun::sendToRecycleBin(p); });
    const DeleteRun::Outcome out = run.recycleAll();

    EXPECT_TRUE(out.stoppedEarly);
    EXPECT_EQ(out.files, 2);
    EXPECT_EQ(out.bytes, 300);
    EXPECT_TRUE(QFile::exists(trashFiles() + "/a.bin"));
    EXPECT_TRUE(QFile::exists(trashFiles() + "/b.bin"));
    // Neither the failed file nor the ones after it were touched, and the
    // failure was not turned into a permanent delete.
    EXPECT_TRUE(QFile::exists(c));
    EXPECT_TRUE(QFile::exists(d));
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList({"An error occurred sending files to the recycle bin.  The bin may "
                           "be full."}));

    const DeletionTotals t = readDeletionTotals();
    EXPECT_EQ(t.filesRecycled, 2);
    EXPECT_EQ(t.bytesRecycled, 300);
    EXPECT_EQ(t.filesDeleted, 0);
}

TEST(DeleteRun, RecyclingAVanishedFileFailsForReal)
{
    FixtureBuilder fx;
    DeleteRun run({fx.path("nothing-here.bin")});
    const DeleteRun::Outcome out = run.recycleAll();
    EXPECT_EQ(out.files, 0);
    EXPECT_TRUE(out.stoppedEarly);
    EXPECT_EQ(readDeletionTotals().filesRecycled, 0);
}

TEST(DeleteRun, FileSizeDoesNotFollowLinksAndSkipsFolders)
{
    FixtureBuilder fx;
    const QString big = fx.file("big.bin", 5000);
    const QString link = fx.symlink("link", big);
    EXPECT_EQ(DeleteRun::fileSize(big), 5000);
    EXPECT_EQ(DeleteRun::fileSize(link), QFile::encodeName(big).size());
    EXPECT_EQ(DeleteRun::fileSize(fx.folder("sub")), -1);
    EXPECT_EQ(DeleteRun::fileSize(fx.path("missing")), -1);
    // Removing the link leaves its target.
    EXPECT_TRUE(DeleteRun::removeFile(link));
    EXPECT_TRUE(QFile::exists(big));
    EXPECT_FALSE(DeleteRun::removeFile(fx.path("sub")));
}
