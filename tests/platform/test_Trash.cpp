#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/SafeFolder.h"
#include "platform/Trash.h"
#include "platform/TrashInfo.h"
#include "tests/platform/RaceFixture.h"
#include "tests/platform/RawFiles.h"
#include "tests/platform/TestMount.h"

#include <cstdlib>
#include <functional>

#include <unistd.h>

using namespace rw;
using namespace rwtest::raw;
using Result = SafeFolder::Result;

namespace
{

QByteArray infoFile(const QByteArray& trash, const QByteArray& name)
{
    return trash + "/info/" + name + ".trashinfo";
}

// Moves `name` of the folder `path` to the trash by its identity now.
Result trashEntry(const QByteArray& path, const QByteArray& name, QString* why = nullptr)
{
    SafeFolder folder;
    if (!folder.open(path)) {
        ADD_FAILURE() << "cannot open " << path.constData();
        return Result::Failed;
    }
    return Trash::moveToTrash(folder, name.constData(), identityOf(path + "/" + name), why);
}

TEST(TrashInfo, PathsArePercentEncodedBytewiseAndDecodedBack)
{
    const struct {
        QByteArray raw;
        QByteArray encoded;
    } cases[] = {
        {"/a b/c", "/a%20b/c"},
        {"/" + kTabName, "/tab%09name"},
        {"/" + kBadByteName, "/bad%FFbyte"},
        {"/" + kNewlineName, "/new%0Aline"},
        {"/" + kBackslashName, "/back%5Cslash"},
        {"/kept-_.!~*'()/AZaz09", "/kept-_.!~*'()/AZaz09"},
        {"/100%#?;=", "/100%25%23%3F%3B%3D"},
        {"/\xc3\xbc", "/%C3%BC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrashInfo::encodePath(c.raw), c.encoded);
        QByteArray back;
        EXPECT_TRUE(TrashInfo::decodePath(c.encoded, &back));
        EXPECT_EQ(back, c.raw);
    }
    QByteArray out;
    EXPECT_TRUE(TrashInfo::decodePath("/a%ff", &out)) << "lower-case hex is read too";
    EXPECT_EQ(out, "/a\xff");
    for (const QByteArray bad : {"%", "/a%2", "/%zz", "/%00"})
        EXPECT_FALSE(TrashInfo::decodePath(bad, &out)) << bad.constData();
}

TEST(TrashInfo, OnlyAWholeTrashInfoGroupIsValid)
{
    const struct {
        QByteArray text;
        bool valid;
    } cases[] = {
        {TrashInfo::format("/a%20b", "2024-02-29T23:59:01"), true},
        {"# note\n[Trash Info]\r\nPath = /x\r\nDeletionDate = 2024-01-02T03:04:05\r\n", true},
        {"[Trash Info]\nPath=/x\n", false},
        {"[Trash Info]\nDeletionDate=2024-01-02T03:04:05\n", false},
        {"[Trash Info]\nPath=/x\nDeletionDate=2024-01-02 03:04:05\n", false},
        {"[Other]\nPath=/x\nDeletionDate=2024-01-02T03:04:05\n", false},
        {"[Trash Info]\nDeletionDate=2024-01-02T03:04:05\n[Other]\nPath=/x\n", false},
    };
    for (const auto& c : cases) {
        QByteArray path, date;
        EXPECT_EQ(TrashInfo::parse(c.text, &path, &date), c.valid) << c.text.constData();
        if (c.valid) {
            EXPECT_TRUE(path == "/a%20b" || path == "/x");
            EXPECT_TRUE(TrashInfo::isValidDate(date));
        }
    }
}

TEST(Trash, MissingHomeTrashIsMadeAndItsEntriesRestore)
{
    const QByteArray r = root();
    const QByteArray cwd = r + "/cwd";
    makeFolder(cwd);
    ASSERT_EQ(::chdir(cwd.constData()), 0);
    const struct {
        const char* what;
        bool xdg;
        QByteArray trash;
        QList<QByteArray> made; // folders this test makes, all 0700
    } cases[] = {
        {"XDG_DATA_HOME without Trash", true, r + "/data/Trash", {r + "/data/Trash"}},
        {"no XDG_DATA_HOME and no ~/.local/share",
         false,
         r + "/home/.local/share/Trash",
         {r + "/home/.local", r + "/home/.local/share", r + "/home/.local/share/Trash"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.xdg)
            ::setenv("XDG_DATA_HOME", (r + "/data").constData(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
        ASSERT_EQ(Trash::homeTrashPath(), c.trash);
        ASSERT_FALSE(exists(c.trash));
        const QByteArray fx = fixture() + (c.xdg ? "/xdg" : "/home");
        makeFolder(fx);
        // Whole seconds: the deletion date comes from time(), which may lag
        // the precise clock by a tick, just past a second's turn.
        QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        before.setTime(QTime(before.time().hour(), before.time().minute(), before.time().second()));
        for (const QByteArray& n : {kTabName, kBadByteName}) {
            writeFile(fx + "/" + n, "content " + n);
            QString why;
            EXPECT_EQ(trashEntry(fx, n, &why), Result::Done) << why.toStdString();
        }
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);
        for (const QByteArray& p :
             c.made + QList<QByteArray>{c.trash + "/files", c.trash + "/info"})
            EXPECT_EQ(modeOf(p) & 07777, 0700u) << p.constData();
        for (const QByteArray& n : {kTabName, kBadByteName}) {
            EXPECT_FALSE(exists(fx + "/" + n));
            EXPECT_EQ(readFile(c.trash + "/files/" + n), "content " + n);
            EXPECT_EQ(modeOf(infoFile(c.trash, n)) & 0777, 0600u);
            QByteArray original;
            QString date;
            ASSERT_TRUE(Trash::readInfo(infoFile(c.trash, n), &original, &date));
            EXPECT_EQ(original, fx + "/" + n);
            const QDateTime when = QDateTime::fromString(date, Qt::ISODate);
            EXPECT_TRUE(TrashInfo::isValidDate(date.toLatin1()) && when >= before && when <= after)
                << date.toStdString();
        }
        EXPECT_TRUE(
            readFile(infoFile(c.trash, kTabName)).contains("\nPath=" + fx + "/tab%09name\n"));
        EXPECT_TRUE(readFile(infoFile(c.trash, kBadByteName)).contains("/bad%FFbyte\n"));

        ASSERT_TRUE(Trash::restore(c.trash, kBadByteName));
        EXPECT_EQ(readFile(fx + "/" + kBadByteName), "content " + kBadByteName);
        EXPECT_FALSE(exists(c.trash + "/files/" + kBadByteName));
        EXPECT_FALSE(exists(infoFile(c.trash, kBadByteName)));
        // QTemporaryDir cannot remove a name that is not UTF-8.
        ::unlink((fx + "/" + kBadByteName).constData());
    }
    EXPECT_TRUE(names(cwd).isEmpty()) << "nothing is ever put in the working folder";
}

TEST(Trash, WithoutAHomeNothingMovesAndTheWorkingFolderStaysEmpty)
{
    const QByteArray cwd = root() + "/cwd";
    makeFolder(cwd);
    ASSERT_EQ(::chdir(cwd.constData()), 0);
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "relative-home", 1);
    EXPECT_TRUE(Trash::homeTrashPath().isEmpty());
    const QByteArray fx = fixture();
    writeFile(fx + "/f", "kept");
    QString why;
    EXPECT_EQ(trashEntry(fx, "f", &why), Result::Failed);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(readFile(fx + "/f"), "kept");
    EXPECT_TRUE(names(cwd).isEmpty());
}

TEST(Trash, AHomeBehindALinkStillHasItsTrash)
{
    // As where /home is a link to /var/home: the user's own set-up, not
    // something a scan found, so the trash path may lead through it.
    const QByteArray r = root();
    makeFolder(r + "/var/home");
    makeLink(r + "/linkedhome", r + "/var/home");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", (r + "/linkedhome").constData(), 1);
    const QByteArray fx = fixture();
    writeFile(fx + "/f", "kept");
    QString why;
    ASSERT_EQ(trashEntry(fx, "f", &why), Result::Done) << why.toStdString();
    EXPECT_EQ(readFile(r + "/var/home/.local/share/Trash/files/f"), "kept");
    EXPECT_TRUE(S_ISLNK(modeOf(r + "/linkedhome")));
    ASSERT_TRUE(Trash::restore(Trash::homeTrashPath(), "f"));
    EXPECT_EQ(readFile(fx + "/f"), "kept");
}

TEST(Trash, AnEntryThatIsNotTheScannedOneStaysWhereItIs)
{
    const QByteArray fx = fixture();
    const QByteArray trash = Trash::homeTrashPath();
    writeFile(fx + "/f", "scanned");
    const FileIdentity scanned = identityOf(fx + "/f");
    SafeFolder folder;
    ASSERT_TRUE(folder.open(fx));

    writeFile(fx + "/g", "other");
    ::rename((fx + "/g").constData(), (fx + "/f").constData());
    QString why;
    EXPECT_EQ(Trash::moveToTrash(folder, "f", scanned, &why), Result::Replaced);
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(readFile(fx + "/f"), "other");
    EXPECT_EQ(Trash::moveToTrash(folder, "gone", {}, &why), Result::Missing);
    EXPECT_EQ(Trash::moveToTrash(folder, "../f", {}, &why), Result::Failed);
    EXPECT_TRUE(names(trash + "/files").isEmpty());
    EXPECT_TRUE(names(trash + "/info").isEmpty());
}

TEST(Trash, SameNamesGetReadableUniqueNames)
{
    const QByteArray fx = fixture();
    const QByteArray trash = Trash::homeTrashPath();
    for (int i = 1; i <= 3; ++i) {
        writeFile(fx + "/same", "v" + QByteArray::number(i));
        ASSERT_EQ(trashEntry(fx, "same"), Result::Done);
    }
    const QList<QByteArray> expected{"same", "same.2", "same.3"};
    ASSERT_EQ(names(trash + "/files"), expected);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(readFile(trash + "/files/" + expected[i]), "v" + QByteArray::number(i + 1));
        QByteArray original;
        EXPECT_TRUE(Trash::readInfo(infoFile(trash, expected[i]), &original, nullptr));
        EXPECT_EQ(original, fx + "/same");
    }

    writeFile(fx + "/same", "new");
    EXPECT_FALSE(Trash::restore(trash, "same.2")) << "a restore never replaces";
    EXPECT_EQ(readFile(fx + "/same"), "new");
    EXPECT_TRUE(exists(trash + "/files/same.2"));
    ::unlink((fx + "/same").constData());
    EXPECT_TRUE(Trash::restore(trash, "same.2"));
    EXPECT_EQ(readFile(fx + "/same"), "v2");
}

TEST(Trash, FoldersAreListedInDirectorySizes)
{
    const QByteArray fx = fixture();
    const QByteArray trash = Trash::homeTrashPath();
    const QByteArray dir = fx + "/dir\tx";
    writeFile(root() + "/big", QByteArray(5000, 'b'));
    makeFolder(dir + "/sub");
    writeFile(dir + "/a", QByteArray(100, 'a'));
    writeFile(dir + "/sub/b", QByteArray(23, 'b'));
    makeLink(dir + "/link", root() + "/big"); // never followed
    makeFolder(fx + "/second");
    writeFile(fx + "/second/c", "1234567");
    ASSERT_EQ(trashEntry(fx, "dir\tx"), Result::Done);
    ASSERT_EQ(trashEntry(fx, "second"), Result::Done);

    const auto mtime = [&](const QByteArray& name) {
        struct stat st;
        ::lstat(infoFile(trash, name).constData(), &st);
        return QByteArray::number(qint64(st.st_mtime));
    };
    EXPECT_EQ(readFile(trash + "/directorysizes"),
              "123 " + mtime("dir\tx") + " dir%09x\n" + "7 " + mtime("second") + " second\n");
    EXPECT_EQ(names(trash), (QList<QByteArray>{"directorysizes", "files", "info"}))
        << "no temporary file is left";
    EXPECT_EQ(readFile(trash + "/files/dir\tx/sub/b"), QByteArray(23, 'b'));
}

// A fresh tmpfs at <root>/<name>, or a skip when the test may not mount.
#define MOUNT_OR_SKIP(var, path)                                                                   \
    makeFolder(path);                                                                              \
    const rwtest::TestMount var = rwtest::TestMount::tmpfs(path);                                  \
    if (!var.ok())                                                                                 \
    GTEST_SKIP() << var.reason().toStdString()

TEST(TrashTopDir, EntriesOfAnotherFileSystemGoToItsTopDirTrash)
{
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray elsewhere = root() + "/elsewhere";
    makeFolder(elsewhere);
    const struct {
        const char* what;
        std::function<void(const QByteArray& top)> setUp;
        QByteArray trash; // relative to the top; empty: refused
    } cases[] = {
        {"nothing there yet", [](const QByteArray&) {}, ".Trash-" + uid},
        {"a shared sticky .Trash",
         [](const QByteArray& top) { makeFolder(top + "/.Trash", 01777); }, ".Trash/" + uid},
        {"a .Trash without the sticky bit",
         [](const QByteArray& top) { makeFolder(top + "/.Trash", 0777); }, ".Trash-" + uid},
        {"a .Trash that is a link",
         [&](const QByteArray& top) {
             ::chmod(elsewhere.constData(), 01777);
             makeLink(top + "/.Trash", elsewhere);
         },
         ".Trash-" + uid},
        {"a .Trash-uid that is a link",
         [&](const QByteArray& top) { makeLink(top + "/.Trash-" + uid, elsewhere); }, ""},
        {"a .Trash-uid of another user",
         [&](const QByteArray& top) {
             makeFolder(top + "/.Trash-" + uid, 0700);
             ASSERT_EQ(::chown((top + "/.Trash-" + uid).constData(), 12345, 12345), 0);
         },
         ""},
    };
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray top = root() + "/mnt" + QByteArray::number(++i);
        MOUNT_OR_SKIP(mount, top);
        c.setUp(top);
        makeFolder(top + "/dir");
        writeFile(top + "/dir/" + kBadByteName, "on the other disk");
        QString why;
        const Result r = trashEntry(top + "/dir", kBadByteName, &why);
        EXPECT_TRUE(names(elsewhere).isEmpty()) << "nothing goes through a link";
        EXPECT_TRUE(names(Trash::homeTrashPath() + "/files").isEmpty());
        if (c.trash.isEmpty()) {
            EXPECT_EQ(r, Result::Failed);
            EXPECT_FALSE(why.isEmpty());
            EXPECT_EQ(readFile(top + "/dir/" + kBadByteName), "on the other disk");
            continue;
        }
        ASSERT_EQ(r, Result::Done) << why.toStdString();
        const QByteArray trash = top + "/" + c.trash;
        EXPECT_EQ(modeOf(trash) & 07777, 0700u);
        EXPECT_EQ(readFile(trash + "/files/" + kBadByteName), "on the other disk");
        EXPECT_TRUE(readFile(infoFile(trash, kBadByteName)).contains("\nPath=dir/bad%FFbyte\n"))
            << "relative to the top folder";
        QByteArray original;
        ASSERT_TRUE(Trash::readInfo(infoFile(trash, kBadByteName), &original, nullptr));
        EXPECT_EQ(original, top + "/dir/" + kBadByteName);
        ASSERT_TRUE(Trash::restore(trash, kBadByteName));
        EXPECT_EQ(readFile(top + "/dir/" + kBadByteName), "on the other disk");
    }
}

TEST(TrashTopDir, AMoveAcrossFileSystemsIsReportedNeverCopied)
{
    // The home trash and the entry share a device, but the entry is reached
    // through a bind mount: the kernel refuses the rename with EXDEV.
    const QByteArray disk = root() + "/disk";
    MOUNT_OR_SKIP(mount, disk);
    makeFolder(disk + "/data");
    makeFolder(disk + "/src");
    ::setenv("XDG_DATA_HOME", (disk + "/data").constData(), 1);
    const QByteArray bound = root() + "/bound";
    makeFolder(bound);
    const rwtest::TestMount bind = rwtest::TestMount::bind(disk + "/src", bound);
    if (!bind.ok())
        GTEST_SKIP() << bind.reason().toStdString();
    writeFile(bound + "/f", "stays");

    QString why;
    EXPECT_EQ(trashEntry(bound, "f", &why), Result::Failed);
    EXPECT_TRUE(why.contains("another file system")) << why.toStdString();
    EXPECT_EQ(readFile(bound + "/f"), "stays");
    EXPECT_TRUE(names(disk + "/data/Trash/files").isEmpty());
    EXPECT_TRUE(names(disk + "/data/Trash/info").isEmpty()) << "the info file is removed again";
}

// As in the SafeFolder races, while each file is moved to the trash.
TEST(TrashRace, FolderSwappedForALinkNeverBringsOutsideFilesIntoTheTrash)
{
    const rwtest::RaceFixture fx(fixture(), root() + "/outside", 300);
    const QByteArray trash = Trash::homeTrashPath();
    int done = 0;
    rwtest::NameSwapper swapper(fx.folderPair(), 2'000'000, 20);
    fx.run(swapper, [&](int i) {
        SafeFolder folder;
        if (fx.openSub(i, &folder) &&
            Trash::moveToTrash(folder, fx.name(i).constData(), fx.fileId(i)) == Result::Done)
            ++done;
    });
    fx.expectOutsideIntact();
    EXPECT_EQ(done, fx.count());
    for (int i = 0; i < fx.count(); ++i)
        EXPECT_EQ(readFile(trash + "/files/" + fx.name(i)), "inside " + fx.name(i));
    EXPECT_EQ(names(trash + "/files").size(), fx.count());
}

TEST(TrashRace, FilesSwappedForLinksAreNeverLeftInTheTrash)
{
    const rwtest::RaceFixture fx(fixture(), root() + "/outside", 300);
    const QByteArray trash = Trash::homeTrashPath();
    SafeFolder folder;
    ASSERT_TRUE(folder.open(fx.sub()));
    rwtest::NameSwapper swapper(fx.makeFileLinks(), 2'000'000, 20);
    fx.run(swapper, [&](int i) {
        Result r = Result::Replaced;
        for (int attempt = 0; attempt < 50 && r == Result::Replaced; ++attempt)
            r = Trash::moveToTrash(folder, fx.name(i).constData(), fx.fileId(i));
    });
    fx.expectOutsideIntact();
    const QList<QByteArray> trashed = names(trash + "/files");
    EXPECT_EQ(names(trash + "/info").size(), trashed.size());
    for (const QByteArray& n : trashed) {
        EXPECT_TRUE(S_ISREG(modeOf(trash + "/files/" + n))) << n.constData();
        EXPECT_TRUE(readFile(trash + "/files/" + n).startsWith("inside ")) << n.constData();
    }
}

} // namespace
