#include <gtest/gtest.h>

#include <QFile>

#include "framework/core/DeleteRun.h"
#include "framework/core/EmptiedFolders.h"
#include "framework/core/PathTarget.h"
#include "platform/DisplayName.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace rw;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

const QByteArray kOdd[] = {"tab\tfolder", "new\nline folder",
                           "bad\xff"
                           "folder"};

bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

// Deletes `files` as the delete confirmation does and returns the targets
// that went.
QList<DeleteTarget> deleteFiles(const QList<QByteArray>& files)
{
    QList<DeleteTarget> targets;
    for (const QByteArray& f : files)
        targets.append(targetForPath(f));
    DeleteRun run(targets, ScriptedResponder::instance());
    return run.deleteAll().gone;
}

} // namespace

// Only a folder the run emptied is offered: not one that still holds a
// file, not one that was empty before the run, not one whose file could
// not go. Odd folder names are offered and removed by their bytes.
TEST(EmptiedFolders, OffersOnlyTheFoldersTheRunEmptied)
{
    FixtureBuilder fx;
    const QByteArray base = QFile::encodeName(fx.folder("tree"));
    QList<QByteArray> files;
    for (const QByteArray& name : kOdd) {
        // By their bytes: a name that is not UTF-8 does not survive QString.
        ASSERT_EQ(::mkdir((base + '/' + name).constData(), 0755), 0);
        const int fd =
            ::open((base + '/' + name + "/dup.bin").constData(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ::close(fd);
        files.append(base + '/' + name + "/dup.bin");
    }
    fx.file("tree/still/kept.bin", 10);
    fx.file("tree/still/dup.bin", 10);
    files.append(base + "/still/dup.bin");
    fx.folder("tree/empty-before");

    EmptiedFolders emptied;
    emptied.addGone(deleteFiles(files));
    // A folder empty before the run is no candidate even when named.
    const QList<DeleteTarget> offered = emptied.emptyNow();
    QList<QByteArray> paths;
    for (const DeleteTarget& t : offered)
        paths.append(t.pathBytes());
    QList<QByteArray> expected;
    for (const QByteArray& name : kOdd)
        expected.append(base + '/' + name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(paths, expected);

    const QString question = EmptiedFolders::questionText(offered);
    EXPECT_TRUE(question.startsWith("These folders are empty now:\n"));
    EXPECT_TRUE(question.endsWith("\nRemove them?"));
    EXPECT_TRUE(question.contains(displayName(base + "/tab\tfolder")));

    EXPECT_EQ(EmptiedFolders::remove(offered), 3);
    for (const QByteArray& p : expected)
        EXPECT_FALSE(exists(p));
    EXPECT_TRUE(exists(base + "/still"));
    EXPECT_TRUE(exists(base + "/empty-before"));
}

// The question is asked once through the responder; No keeps the folders,
// Yes removes them. Nothing is asked when no folder was emptied.
TEST(EmptiedFolders, AsksOnceAndRemovesOnYesOnly)
{
    ScriptedResponder& r = ScriptedResponder::instance();
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        r.reset();
        FixtureBuilder fx;
        const QByteArray a = QFile::encodeName(fx.file("a/one.bin", 5));
        const QByteArray b = QFile::encodeName(fx.file("b/two.bin", 5));
        const QList<DeleteTarget> gone = deleteFiles({a, b});
        ASSERT_EQ(gone.size(), 2);
        r.clear();
        if (yes)
            r.queueAnswer(MessageAnswer::Yes);
        EXPECT_EQ(EmptiedFolders::offerAfter(gone, r), yes ? 2 : 0);
        ASSERT_EQ(r.texts().size(), 1);
        EXPECT_EQ(r.texts().first(),
                  QStringLiteral("These folders are empty now:\n%1\n%2\nRemove them?")
                      .arg(fx.path("a"), fx.path("b")));
        EXPECT_EQ(exists(QFile::encodeName(fx.path("a"))), !yes);
        EXPECT_EQ(exists(QFile::encodeName(fx.path("b"))), !yes);
    }
    r.reset();
    EXPECT_EQ(EmptiedFolders::offerAfter({}, r), 0);
    EXPECT_TRUE(r.texts().isEmpty());
}

// Between the question and the answer the folder gets a file, or is
// swapped for another empty folder: it is left, and the failure said.
TEST(EmptiedFolders, AFolderFilledOrReplacedAfterTheQuestionIsLeft)
{
    ScriptedResponder& r = ScriptedResponder::instance();
    r.reset();
    FixtureBuilder fx;
    const QByteArray filled = QFile::encodeName(fx.file("filled/one.bin", 5));
    const QByteArray swapped = QFile::encodeName(fx.file("swapped/two.bin", 5));
    const QList<DeleteTarget> gone = deleteFiles({filled, swapped});
    r.queueAnswer(MessageAnswer::Yes);
    r.setOnShow([&](const ScriptedResponder::Entry& e) {
        if (!e.text.startsWith("These folders are empty now"))
            return;
        fx.file("filled/new.bin", 1);
        const QByteArray s = QFile::encodeName(fx.path("swapped"));
        ::rename(s.constData(), (s + "-old").constData());
        ::mkdir(s.constData(), 0755);
    });
    EXPECT_EQ(EmptiedFolders::offerAfter(gone, r), 0);
    EXPECT_TRUE(exists(QFile::encodeName(fx.path("filled/new.bin"))));
    EXPECT_TRUE(exists(QFile::encodeName(fx.path("swapped"))));
    EXPECT_TRUE(exists(QFile::encodeName(fx.path("swapped-old"))));
    ASSERT_EQ(r.texts().size(), 2);
    EXPECT_TRUE(r.texts().last().startsWith("These folders could not be removed"));
    r.reset();
}
