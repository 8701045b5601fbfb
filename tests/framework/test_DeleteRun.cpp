#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <fcntl.h>

#include "base/Settings.h"
#include "framework/core/DeleteRun.h"
#include "framework/core/PathTarget.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/NameSwapper.h"
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

// Targets for files named by path, as the scan would have seen them now.
QList<DeleteTarget> targets(const QStringList& paths)
{
    QList<DeleteTarget> out;
    for (const QString& p : paths)
        out.append(targetForPath(QFile::encodeName(p)));
    return out;
}

} // namespace

TEST(DeleteRun, PathsAreProcessedInCaseInsensitiveOrder)
{
    const QStringList in = {"/t/b.txt", "/t/C.txt", "/t/a.txt", "/t/B.txt"};
    EXPECT_EQ(DeleteRun::sortedPaths(in),
              QStringList({"/t/a.txt", "/t/B.txt", "/t/b.txt", "/t/C.txt"}));

    FixtureBuilder fx;
    const QString b = fx.file("b.bin", 10), a = fx.file("A.bin", 10);
    DeleteRun run(targets({b, a}), rwtest::ScriptedResponder::instance());
    QStringList seen;
    run.setRemover([&](const SafeFolder& f, const DeleteTarget& t) {
        seen.append(t.shown);
        return DeleteRun::removeFile(f, t);
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

    DeleteRun run(targets({a, b, c, gone}), rwtest::ScriptedResponder::instance());
    // b refuses to go, as a busy or protected file would.
    run.setRemover([&](const SafeFolder& f, const DeleteTarget& t) {
        return t.shown == b ? SafeFolder::Result::Failed : DeleteRun::removeFile(f, t);
    });
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

    DeleteRun run(targets({d, c, b, a}), rwtest::ScriptedResponder::instance());
    run.setRecycler([&](const SafeFolder& f, const DeleteTarget& t) {
        return t.shown == c ? SafeFolder::Result::Failed : DeleteRun::sendToRecycleBin(f, t);
    });
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
    DeleteRun run(targets({fx.path("nothing-here.bin")}), rwtest::ScriptedResponder::instance());
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
    EXPECT_EQ(DeleteRun::fileSize(QFile::encodeName(big)), 5000);
    EXPECT_EQ(DeleteRun::fileSize(QFile::encodeName(link)), QFile::encodeName(big).size());
    EXPECT_EQ(DeleteRun::fileSize(QFile::encodeName(fx.folder("sub"))), -1);
    EXPECT_EQ(DeleteRun::fileSize(QFile::encodeName(fx.path("missing"))), -1);
    // Removing the link leaves its target; a folder is never removed as a file.
    DeleteRun run(targets({link, fx.path("sub")}), rwtest::ScriptedResponder::instance());
    const DeleteRun::Outcome out = run.deleteAll();
    EXPECT_EQ(out.files, 1);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFile::exists(big));
    EXPECT_TRUE(QFileInfo(fx.path("sub")).isDir());
}

TEST(DeleteRun, AFileReplacedSinceTheScanIsReportedAndLeftAlone)
{
    // Between the scan and the delete: one file is replaced by another of the
    // same name, and the folder of another is replaced by a link to an
    // outside folder holding a file of the same name.
    FixtureBuilder fx;
    const QString swapped = fx.file("in/swapped.bin", 10);
    const QString victim = fx.file("in/sub/victim.bin", 20);
    const QString outside = fx.file("outside/victim.bin", 30);
    const QString kept = fx.file("in/kept.bin", 40);
    const QList<DeleteTarget> seen = targets({swapped, victim, kept});

    // The new file is made before the old one goes, so it cannot get the
    // old one's inode number back.
    QFile::rename(fx.file("in/new.tmp", 11), swapped + ".x");
    QFile::remove(swapped);
    QFile::rename(swapped + ".x", swapped);
    QDir(fx.path("in")).rename("sub", "sub.old");
    fx.symlink("in/sub", fx.path("outside"));

    DeleteRun run(seen, rwtest::ScriptedResponder::instance());
    const DeleteRun::Outcome out = run.deleteAll();
    EXPECT_EQ(out.files, 1);
    EXPECT_EQ(out.bytes, 40);
    EXPECT_EQ(out.replaced, QStringList({victim, swapped})); // in sorted order
    EXPECT_FALSE(QFile::exists(kept));
    EXPECT_TRUE(QFile::exists(swapped));
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(QFile::exists(fx.path("in/sub.old/victim.bin")));
    EXPECT_EQ(ScriptedResponder::instance().texts(),
              QStringList({DeleteRun::replacedText(victim), DeleteRun::replacedText(swapped)}));
    EXPECT_EQ(readDeletionTotals().filesDeleted, 1);

    // Recycling the same list touches nothing outside either.
    DeleteRun again(seen, rwtest::ScriptedResponder::instance());
    again.recycleAll();
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_FALSE(QFile::exists(trashFiles() + "/victim.bin"));
}

TEST(DeleteRun, AFolderSwappedForALinkDuringTheRunNeverCostsAnOutsideFile)
{
    // Another process exchanges the listed folder with a link to an outside
    // folder holding files of the same names, over and over, while the
    // files are deleted and then recycled.
    FixtureBuilder fx;
    QStringList inside;
    for (int i = 0; i < 300; ++i) {
        inside.append(fx.file(QString("in/sub/f%1.bin").arg(i), 3));
        fx.file(QString("outside/f%1.bin").arg(i), 7);
    }
    fx.symlink("in/link", fx.path("outside"));
    const QList<DeleteTarget> seen = targets(inside);
    const QByteArray sub = QFile::encodeName(fx.path("in/sub"));
    const QByteArray link = QFile::encodeName(fx.path("in/link"));

    for (bool recycle : {false, true}) {
        rwtest::NameSwapper swapper({{sub, link}}, 2000000, 20);
        ASSERT_TRUE(swapper.waitUntilSwapping(5));
        DeleteRun run(seen, rwtest::ScriptedResponder::instance());
        const DeleteRun::Outcome out = recycle ? run.recycleAll() : run.deleteAll();
        swapper.stop();
        // The folder ends where it began (an even number of exchanges or not).
        if (QFileInfo(fx.path("in/sub")).isSymLink()) {
            ASSERT_EQ(
                ::renameat2(AT_FDCWD, sub.constData(), AT_FDCWD, link.constData(), RENAME_EXCHANGE),
                0);
        }
        EXPECT_LE(out.files, 300);
        for (int i = 0; i < 300; ++i) {
            QFile f(fx.path(QString("outside/f%1.bin").arg(i)));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "outside file " << i << " is gone";
            EXPECT_EQ(f.size(), 7);
        }
        const QDir trash(qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files");
        for (const QFileInfo& t : trash.entryInfoList(QDir::Files))
            EXPECT_NE(t.size(), 7) << "an outside file is in the trash";
    }
}
