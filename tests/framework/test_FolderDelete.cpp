#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/DeleteRun.h"
#include "framework/core/FolderDelete.h"
#include "framework/core/PathTarget.h"
#include "platform/DisplayName.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/NameSwapper.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

using rwtest::rawExists;
using rwtest::rawFile;
using rwtest::rawFolder;

using rw::MessageAnswer;
using rwtest::FixtureBuilder;
using rwtest::ScriptedResponder;

namespace
{

ScriptedResponder& responder()
{
    return ScriptedResponder::instance();
}

// Every path (files, links, folders) below `folder`, without following links.
QStringList entriesBelow(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

bool exists(const QString& path)
{
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

QString question(const QString& path, const char* attribute)
{
    return path + QLatin1String(attribute) +
           QStringLiteral("delete this file and continue deleting other files? ");
}

// Makes the named entries fail to be removed or recycled.
class FailingOps : public rw::FolderDeleteOps
{
public:
    explicit FailingOps(QList<QByteArray> names) : m_names(std::move(names)) {}
    bool removeEntry(int dirFd, const QByteArray& name) override
    {
        return !m_names.contains(name) && FolderDeleteOps::removeEntry(dirFd, name);
    }
    bool moveToTrash(const rw::SafeFolder& folder, const QByteArray& name,
                     const rw::FileIdentity& expected) override
    {
        return !m_names.contains(name) && FolderDeleteOps::moveToTrash(folder, name, expected);
    }

private:
    QList<QByteArray> m_names;
};

// Records how many questions had been asked at each removal.
class RecordingOps : public rw::FolderDeleteOps
{
public:
    bool removeEntry(int dirFd, const QByteArray& name) override
    {
        questionsAtRemoval << ScriptedResponder::instance().entries().size();
        return FolderDeleteOps::removeEntry(dirFd, name);
    }
    bool removeFolder(int dirFd, const QByteArray& name) override
    {
        questionsAtRemoval << ScriptedResponder::instance().entries().size();
        return FolderDeleteOps::removeFolder(dirFd, name);
    }
    QList<qsizetype> questionsAtRemoval;
};

} // namespace

TEST(FolderDelete, OrdinaryTreeGoesWithoutQuestionsAndCountsEveryFile)
{
    FixtureBuilder fx;
    fx.file("tree/a.txt", 100);
    fx.file("tree/sub/b.bin", 2000);
    fx.file("tree/sub/deeper/c", 0);
    fx.folder("tree/empty");
    fx.fileWithContent(QString::fromUtf8("tree/sub/\u00e9t\u00e9 \u6587.txt"), "12345");

    const auto result =
        rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());

    EXPECT_TRUE(responder().entries().isEmpty());
    EXPECT_TRUE(result.completed());
    EXPECT_TRUE(result.folderRemoved);
    EXPECT_EQ(result.filesRemoved, 4);
    EXPECT_EQ(result.bytesFreed, 2105);
    EXPECT_EQ(result.foldersRemoved, 4);
    EXPECT_TRUE(result.failures.isEmpty());
    EXPECT_FALSE(exists(fx.path("tree")));
    EXPECT_TRUE(QDir(fx.base()).exists());
}

TEST(FolderDelete, SpecialFilesAskEachAttributeInOrder)
{
    FixtureBuilder fx;
    const QString file = fx.file("tree/.secret", 10);
    fx.setMode("tree/.secret", 0444);
    const QString fifo = fx.fifo("tree/sub/pipe");
    responder().setDefaultAnswer(MessageAnswer::Yes);

    const auto result =
        rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());

    QStringList texts = responder().texts();
    ASSERT_EQ(texts.size(), 3);
    // Read-only before hidden for the same file; the folders' order is free.
    const int first = texts.indexOf(question(file, " is read-only, "));
    ASSERT_GE(first, 0);
    EXPECT_EQ(texts.value(first + 1), question(file, " is hidden, "));
    EXPECT_TRUE(texts.contains(question(fifo, " is a system file, ")));
    EXPECT_EQ(responder().entries().at(0).buttons, rw::MessageButtons::YesNoCancel);
    EXPECT_TRUE(result.completed());
    EXPECT_EQ(result.filesRemoved, 2);
    EXPECT_FALSE(exists(fx.path("tree")));
}

namespace
{

mode_t modeOf(const QString& path)
{
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

} // namespace

TEST(FolderDelete, YesClearsReadOnlyAndEarlierClearsStay)
{
    // Recycled: the file lands in the bin writable again, its other bits kept;
    // a hidden name is kept as it is.
    {
        FixtureBuilder fx(rwtest::fixtureRoot() + "/recycle");
        fx.file("tree/.ro.txt", 5);
        fx.setMode("tree/.ro.txt", 0440);
        responder().setDefaultAnswer(MessageAnswer::Yes);
        const auto result =
            rw::DeleteFolderTree(fx.path("tree"), true, rwtest::ScriptedResponder::instance());
        EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join('\n').toStdString();
        EXPECT_EQ(result.filesRemoved, 1);
        const QString trashed = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files/.ro.txt";
        ASSERT_TRUE(exists(trashed));
        EXPECT_EQ(modeOf(trashed), mode_t(0640));
    }
    // Yes to read-only, then No to hidden: the file stays, writable.
    {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() + "/stop");
        const QString file = fx.file("tree/.ro-hidden", 3);
        fx.setMode("tree/.ro-hidden", 0444);
        responder().queueAnswer(MessageAnswer::Yes);
        responder().queueAnswer(MessageAnswer::No);
        const auto result =
            rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());
        EXPECT_EQ(responder().texts(),
                  (QStringList{question(file, " is read-only, "), question(file, " is hidden, ")}));
        EXPECT_TRUE(result.aborted);
        ASSERT_TRUE(exists(file));
        EXPECT_EQ(modeOf(file), mode_t(0644));
    }
}

TEST(FolderDelete, NoOrCancelAtTheFirstQuestionStopsEverything)
{
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() +
                          (answer == MessageAnswer::No ? "/no" : "/cancel"));
        for (int i = 0; i < 5; ++i)
            fx.file(QStringLiteral("tree/plain%1").arg(i), 7);
        fx.file("tree/sub/.ro-hidden", 3);
        fx.setMode("tree/sub/.ro-hidden", 0444);
        fx.file("tree/sub/.other-hidden", 3);
        fx.file("tree/zz/plain", 7);
        responder().queueAnswer(answer);
        const int before = entriesBelow(fx.path("tree")).size();

        RecordingOps ops;
        const auto result = rw::DeleteFolderTree(fx.path("tree"), false,
                                                 rwtest::ScriptedResponder::instance(), &ops);

        // Nothing at all was removed after the answer.
        EXPECT_FALSE(ops.questionsAtRemoval.contains(1));
        // Only one question: the walk ended at the first No or Cancel.
        ASSERT_EQ(responder().entries().size(), 1);
        EXPECT_TRUE(result.aborted);
        EXPECT_FALSE(result.completed());
        EXPECT_FALSE(result.folderRemoved);
        EXPECT_TRUE(result.failures.isEmpty());
        EXPECT_TRUE(exists(fx.path("tree/sub/.ro-hidden")));
        EXPECT_TRUE(exists(fx.path("tree/sub/.other-hidden")));
        // The counts are exactly what disappeared.
        const QStringList after = entriesBelow(fx.path("tree"));
        EXPECT_EQ(before - after.size(), result.filesRemoved + result.foldersRemoved);
        EXPECT_EQ(result.bytesFreed, result.filesRemoved * 7);
    }
}

TEST(FolderDelete, SymbolicLinksAreRemovedAsLinksAndNothingOutsideIsTouched)
{
    for (const bool recycle : {false, true}) {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() + (recycle ? "/recycle" : "/delete"));
        fx.file("outside/keep1.txt", 11);
        fx.file("outside/deep/keep2.txt", 22);
        const QStringList outsideBefore = entriesBelow(fx.path("outside"));
        fx.file("tree/real.txt", 5);
        fx.symlink("tree/to-sibling", fx.path("outside"));
        fx.symlink("tree/sub/to-root", "/");
        fx.symlink("tree/sub/to-file", fx.path("outside/keep1.txt"));
        fx.symlink("tree/sub/dangling", fx.path("nowhere"));
        fx.symlink("tree/loop/a", fx.path("tree/loop/b"));
        fx.symlink("tree/loop/b", fx.path("tree/loop/a"));
        fx.symlink("tree/loop/up", fx.path("tree"));

        const auto result =
            rw::DeleteFolderTree(fx.path("tree"), recycle, rwtest::ScriptedResponder::instance());

        EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join('\n').toStdString();
        EXPECT_TRUE(result.folderRemoved);
        EXPECT_EQ(result.filesRemoved, 8);
        EXPECT_FALSE(exists(fx.path("tree")));
        EXPECT_EQ(entriesBelow(fx.path("outside")), outsideBefore);
        EXPECT_EQ(QFileInfo(fx.path("outside/deep/keep2.txt")).size(), 22);
        EXPECT_TRUE(QFileInfo::exists("/etc"));
        if (recycle) {
            const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files";
            EXPECT_EQ(QDir(trash).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                      QStringList{"real.txt"});
        }
    }
}

TEST(FolderDelete, FolderGivenAsALinkIsRefused)
{
    FixtureBuilder fx;
    fx.file("target/keep.txt", 4);
    const QString link = fx.symlink("link", fx.path("target"));

    const auto result = rw::DeleteFolderTree(link, false, rwtest::ScriptedResponder::instance());

    EXPECT_FALSE(result.folderRemoved);
    EXPECT_EQ(result.filesRemoved, 0);
    EXPECT_TRUE(exists(fx.path("target/keep.txt")));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    ASSERT_EQ(responder().entries().size(), 1);
    EXPECT_EQ(responder().entries().first().kind, rw::MessageKind::Error);
}

TEST(FolderDelete, FilesThatCannotGoAreReportedNotCountedAndKeepTheirFolders)
{
    for (const bool recycle : {false, true}) {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() + (recycle ? "/recycle" : "/delete"));
        fx.file("tree/ok.txt", 10);
        const QString stuck = fx.file("tree/a/b/stuck.txt", 1000);
        fx.file("tree/a/b/fine.txt", 20);
        fx.file("tree/c/fine.txt", 30);
        FailingOps ops({"stuck.txt"});

        const auto result = rw::DeleteFolderTree(fx.path("tree"), recycle,
                                                 rwtest::ScriptedResponder::instance(), &ops);

        EXPECT_TRUE(result.completed());
        EXPECT_FALSE(result.folderRemoved);
        EXPECT_EQ(result.filesRemoved, 3);
        EXPECT_EQ(result.bytesFreed, 60);
        EXPECT_EQ(result.foldersRemoved, 1); // only tree/c
        const QString expected = (recycle ? QStringLiteral("Couldn't recycle file - ")
                                          : QStringLiteral("Couldn't delete file - ")) +
                                 stuck;
        EXPECT_EQ(result.failures, QStringList{expected});
        EXPECT_EQ(responder().texts(), QStringList{expected});
        EXPECT_EQ(entriesBelow(fx.path("tree")),
                  QStringList({fx.path("tree/a"), fx.path("tree/a/b"), stuck}));
    }
}

TEST(FolderDelete, RecycledFilesLandInTheTrash)
{
    FixtureBuilder fx;
    fx.file("tree/one.txt", 100);
    fx.file("tree/sub/two.txt", 200);

    const auto result =
        rw::DeleteFolderTree(fx.path("tree"), true, rwtest::ScriptedResponder::instance());

    EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join('\n').toStdString();
    EXPECT_TRUE(result.folderRemoved);
    EXPECT_EQ(result.filesRemoved, 2);
    EXPECT_EQ(result.bytesFreed, 300);
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files";
    EXPECT_TRUE(trash.startsWith(rwtest::testRoot()));
    EXPECT_EQ(QFileInfo(trash + "/one.txt").size(), 100);
    EXPECT_EQ(QFileInfo(trash + "/two.txt").size(), 200);
}

TEST(FolderDelete, DepthBeyondTheOpenFolderLimitIsDeleted)
{
    FixtureBuilder fx;
    QString rel = "tree";
    for (int i = 0; i < 300; ++i)
        rel += "/d";
    fx.file(rel + "/leaf", 9);
    fx.file("tree/d/top", 1);

    const auto result =
        rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());

    EXPECT_TRUE(result.failures.isEmpty());
    EXPECT_EQ(result.filesRemoved, 2);
    EXPECT_EQ(result.foldersRemoved, 301);
    EXPECT_FALSE(exists(fx.path("tree")));
}

// Paths this deep are longer than any system call takes: every folder is
// reached relative to an open one, and every file and folder goes.
TEST(FolderDelete, TwentyThousandDeepChainIsDeletedWhole)
{
    FixtureBuilder fx;
    constexpr int kLevels = 20000;
    fx.deepChain("tree", kLevels, "d", "f");

    const auto result =
        rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());

    EXPECT_TRUE(result.failures.isEmpty()) << qPrintable(result.failures.value(0).left(200));
    EXPECT_EQ(result.filesRemoved, kLevels);
    EXPECT_EQ(result.foldersRemoved, kLevels + 1);
    EXPECT_TRUE(result.folderRemoved);
    EXPECT_FALSE(exists(fx.path("tree")));
}

TEST(FolderDelete, ProtectedFolderIsRefusedUntouched)
{
    const QString file = FixtureBuilder(QDir::homePath()).file("keep.txt", 3);

    const auto result =
        rw::DeleteFolderTree(QDir::homePath() + "/", false, rwtest::ScriptedResponder::instance());

    EXPECT_FALSE(result.folderRemoved);
    EXPECT_EQ(result.failures.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(file));
}

TEST(FolderDelete, HomeFolderInsideTheTreeIsKept)
{
    FixtureBuilder fx;
    fx.file("tree/other/a", 3);
    const QString kept = fx.file("tree/user/notes.txt", 4);
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(fx.path("tree/user")));
    const auto result =
        rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());
    qputenv("HOME", oldHome);

    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_FALSE(exists(fx.path("tree/other")));
    EXPECT_EQ(result.filesRemoved, 1);
    EXPECT_EQ(result.failures,
              QStringList{"Won't delete folder - " + fx.path("tree/user") + " (protected folder)"});
}

TEST(FolderDelete, MountPointsInsideTheTreeAreLeftAlone)
{
    // A file system of its own, and a bind mount of a folder of the same file
    // system, which only the mount id tells apart.
    for (const bool bind : {false, true}) {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() + (bind ? "/bind" : "/tmpfs"));
        fx.file("tree/plain", 5);
        const QString mount = fx.folder("tree/mnt");
        const QString outside = fx.folder("outside");
        const QByteArray target = QFile::encodeName(mount);
        const int rc = bind ? ::mount(QFile::encodeName(outside).constData(), target.constData(),
                                      nullptr, MS_BIND, nullptr)
                            : ::mount("tmpfs", target.constData(), "tmpfs", 0, nullptr);
        if (rc != 0)
            GTEST_SKIP() << "cannot mount a file system here";
        FixtureBuilder(mount).file("inside", 8);

        const auto result =
            rw::DeleteFolderTree(fx.path("tree"), false, rwtest::ScriptedResponder::instance());
        const bool insideKept = QFileInfo::exists(mount + "/inside");
        ::umount(target.constData());

        EXPECT_TRUE(insideKept);
        EXPECT_EQ(result.filesRemoved, 1);
        EXPECT_FALSE(result.folderRemoved);
        EXPECT_EQ(result.failures, QStringList{"Won't delete folder - " + mount +
                                               " (another file system is mounted there)"});
    }
}

TEST(FolderDelete, SummaryTexts)
{
    EXPECT_EQ(rw::folderDeleteSummaryText(false, 1234, 5678901, true),
              "Deleted 1,234 files for a savings of 5,678,901 bytes.");
    EXPECT_EQ(rw::folderDeleteSummaryText(true, 2, 3000000000LL, false),
              "Recycled 2 files for a savings of 3,000,000,000 bytes. (Note: Deletion "
              "operation canceled ... not all files deleted)");
    QStringList many;
    for (int i = 0; i < 20; ++i)
        many << QStringLiteral("Couldn't delete file - /f%1").arg(i);
    const QString text = rw::folderDeleteFailureText(many);
    EXPECT_TRUE(text.contains("/f14"));
    EXPECT_FALSE(text.contains("/f15"));
    EXPECT_TRUE(text.endsWith("... and 5 more"));
    EXPECT_EQ(rw::folderDeleteFailureText({"x"}), "x");
}

namespace
{

QList<QByteArray> rawEntries(const QByteArray& dir)
{
    QList<QByteArray> out;
    if (DIR* d = ::opendir(dir.constData())) {
        while (const dirent* e = ::readdir(d))
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                out << QByteArray(e->d_name);
        ::closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
}

QByteArray bytes(const QString& path)
{
    return QFile::encodeName(path);
}

const QList<QByteArray> kOddNames = {
    QByteArray("tab\there"), QByteArray("line\nbreak"),     QByteArray("back\\slash"),
    QByteArray("Bad\xff"),   QByteArray("Bad\xef\xbf\xbd"), QByteArray(255, 'n'),
};

} // namespace

TEST(FolderDelete, OddNamesInsideTheTreeAreDeletedOrRecycledByTheirBytes)
{
    for (const bool recycle : {false, true}) {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() + (recycle ? "/recycle" : "/delete"));
        const QByteArray tree = bytes(fx.folder("tree"));
        int size = 1;
        std::int64_t total = 0;
        for (const QByteArray& name : kOddNames) {
            rawFile(tree + '/' + name, size);
            total += size++;
        }
        // A folder with an odd name, holding one more odd name.
        rawFolder(tree + "/Bad\xff" + ".d");
        rawFile(tree + "/Bad\xff" + ".d/line\nbreak", 100);

        const auto result = rw::DeleteFolderTree(rw::targetForPath(tree), recycle,
                                                 rwtest::ScriptedResponder::instance());

        EXPECT_TRUE(result.failures.isEmpty()) << result.failures.join('\n').toStdString();
        EXPECT_TRUE(result.folderRemoved);
        EXPECT_EQ(result.filesRemoved, 7);
        EXPECT_EQ(result.bytesFreed, total + 100);
        EXPECT_EQ(result.foldersRemoved, 2);
        EXPECT_FALSE(rawExists(tree));
        const QByteArray trash = qgetenv("XDG_DATA_HOME") + "/Trash/files";
        EXPECT_EQ(rawEntries(trash).size(), recycle ? 7 : 0);
        if (recycle) {
            // Each trashed file keeps its name; the 255-byte one is cut to
            // leave room for the ".trashinfo" of its info file.
            const QList<QByteArray> trashed = rawEntries(trash);
            for (const QByteArray& name : kOddNames) {
                const bool kept =
                    std::any_of(trashed.begin(), trashed.end(), [&](const QByteArray& t) {
                        return name.size() < 255 ? t == name
                                                 : t.size() >= 200 && name.startsWith(t);
                    });
                EXPECT_TRUE(kept) << rw::displayName(name).toStdString();
            }
        }
    }
}

TEST(FolderDelete, TargetBesideItsLookAlikeDeletesOnlyItself)
{
    FixtureBuilder fx;
    const QByteArray base = bytes(fx.folder("here"));
    const QByteArray bad = rawFolder(base + "/Bad\xff");
    rawFile(bad + "/f", 5);
    const QByteArray lookAlike = rawFolder(base + "/Bad\xef\xbf\xbd");
    rawFile(lookAlike + "/f", 9);

    const auto result =
        rw::DeleteFolderTree(rw::targetForPath(bad), false, rwtest::ScriptedResponder::instance());

    EXPECT_TRUE(result.folderRemoved);
    EXPECT_EQ(result.bytesFreed, 5);
    EXPECT_EQ(rawEntries(base), QList<QByteArray>{"Bad\xef\xbf\xbd"});
    EXPECT_TRUE(rawExists(lookAlike + "/f"));
}

TEST(FolderDelete, FolderOrParentReplacedSinceTheScanIsLeftAloneAndReported)
{
    enum class Swap { Folder, ParentByLink, ParentByFolder };
    for (const Swap swap : {Swap::Folder, Swap::ParentByLink, Swap::ParentByFolder}) {
        responder().reset();
        FixtureBuilder fx(rwtest::fixtureRoot() + QStringLiteral("/swap%1").arg(int(swap)));
        fx.file("d/P/Victim/mine.txt", 10);
        fx.file("outside/Victim/theirs.txt", 20);
        const rw::DeleteTarget seen = rw::targetForPath(bytes(fx.path("d/P/Victim")));
        ASSERT_TRUE(seen.identity.isKnown());
        switch (swap) {
        case Swap::Folder: // another folder under the same name
            ASSERT_TRUE(QDir().rename(fx.path("d/P/Victim"), fx.path("d/P/Old")));
            fx.file("d/P/Victim/theirs.txt", 20);
            break;
        case Swap::ParentByLink: // the parent made a link to somewhere else
            ASSERT_TRUE(QDir().rename(fx.path("d/P"), fx.path("d/P.orig")));
            fx.symlink("d/P", fx.path("outside"));
            break;
        case Swap::ParentByFolder: // the parent made another folder
            ASSERT_TRUE(QDir().rename(fx.path("d/P"), fx.path("d/P.orig")));
            fx.file("d/P/Victim/theirs.txt", 20);
            break;
        }
        const QStringList outsideBefore = entriesBelow(fx.path("outside"));
        const QStringList treeBefore = entriesBelow(fx.path("d"));

        const auto result =
            rw::DeleteFolderTree(seen, false, rwtest::ScriptedResponder::instance());

        EXPECT_FALSE(result.folderRemoved) << int(swap);
        EXPECT_EQ(result.filesRemoved, 0);
        EXPECT_EQ(result.foldersRemoved, 0);
        EXPECT_EQ(entriesBelow(fx.path("outside")), outsideBefore);
        EXPECT_EQ(entriesBelow(fx.path("d")), treeBefore);
        EXPECT_EQ(result.failures, QStringList{rw::DeleteRun::replacedText(seen.shown)})
            << int(swap);
        EXPECT_EQ(responder().texts(), result.failures);
    }
}

TEST(FolderDelete, TargetsThatNameNoEntryAreRefused)
{
    FixtureBuilder fx;
    fx.file("d/x/keep", 3);
    rw::DeleteTarget t = rw::targetForPath(bytes(fx.path("d/x")));
    for (const QByteArray& name :
         {QByteArray(""), QByteArray("."), QByteArray(".."), QByteArray("x/../x")}) {
        responder().reset();
        t.name = name;
        const auto result = rw::DeleteFolderTree(t, false, rwtest::ScriptedResponder::instance());
        EXPECT_FALSE(result.folderRemoved) << name.toStdString();
        EXPECT_EQ(result.failures.size(), 1) << name.toStdString();
        EXPECT_TRUE(QFileInfo::exists(fx.path("d/x/keep")));
    }
}

TEST(FolderDelete, AFolderExchangedWithALinkDuringTheRunNeverCostsAnOutsideFile)
{
    // Another process exchanges a folder inside the tree with a link to an
    // outside folder of the same file names, over and over, while the tree
    // is deleted and, on a second tree, recycled.
    for (bool recycle : {false, true}) {
        FixtureBuilder fx;
        const QString tree = recycle ? "tree2" : "tree1";
        for (int i = 0; i < 300; ++i) {
            fx.file(QString("%1/inner/f%2.bin").arg(tree).arg(i), 3);
            fx.file(QString("%1/f%2.bin").arg(tree).arg(i), 3);
            fx.file(QString("outside/f%1.bin").arg(i), 7);
        }
        fx.symlink(tree + "/link", fx.path("outside"));
        const QByteArray inner = QFile::encodeName(fx.path(tree + "/inner"));
        const QByteArray link = QFile::encodeName(fx.path(tree + "/link"));
        {
            rwtest::NameSwapper swapper({{inner, link}}, 2000000, 20);
            ASSERT_TRUE(swapper.waitUntilSwapping(5));
            rw::DeleteFolderTree(fx.path(tree), recycle, rwtest::ScriptedResponder::instance());
        }
        for (int i = 0; i < 300; ++i) {
            QFile f(fx.path(QString("outside/f%1.bin").arg(i)));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << "outside file " << i << " is gone";
            EXPECT_EQ(f.size(), 7);
        }
        const QDir trash(qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files");
        for (const QFileInfo& t : trash.entryInfoList(QDir::Files | QDir::Hidden))
            EXPECT_NE(t.size(), 7) << "an outside file is in the trash";
        rwtest::ScriptedResponder::instance().clear();
    }
}
