#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/Settings.h"
#include "platform/Drives.h"
#include "platform/ProfileFile.h"
#include "platform/RunDrives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

namespace
{

// The table is the process's: every case starts and ends with it empty.
struct RunDrivesTest : ::testing::Test {
    rwtest::FixtureBuilder fx;
    RunDrivesTest() { RunDrives::clear(); }
    ~RunDrivesTest() override { RunDrives::clear(); }

    // The letters no drive has yet, in order.
    static QList<QChar> freeLetters()
    {
        QList<QChar> used;
        for (const DriveInfo& d : driveList())
            used << d.letter;
        QList<QChar> out;
        for (char c = 'C'; c <= 'Z'; ++c)
            if (!used.contains(QChar(c)))
                out << QChar(c);
        return out;
    }
};

QByteArray settingsBytes()
{
    QFile f(rwtest::settingsFilePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

} // namespace

TEST_F(RunDrivesTest, FoldersTakeTheNextFreeLettersAndAreListedAsDrives)
{
    fx.mapDrive('D', fx.folder("mapped"));
    const QString photos = fx.folder("Photos");
    const QString music = fx.folder("Music");
    const QList<QChar> free = freeLetters();
    ASSERT_GE(free.size(), 3);

    QChar first, second;
    EXPECT_EQ(RunDrives::add(QFile::encodeName(photos), &first), RunDrives::Outcome::Added);
    EXPECT_EQ(RunDrives::add(QFile::encodeName(music), &second), RunDrives::Outcome::Added);
    EXPECT_EQ(first, free[0]);
    EXPECT_EQ(second, free[1]);
    EXPECT_NE(first, QChar('D')) << "a letter of [Drives] is taken";

    DriveInfo d;
    ASSERT_TRUE(findDrive(first.toLower(), &d));
    EXPECT_EQ(d.root, photos);
    EXPECT_EQ(d.entryText(), QString(first.toLower()) + ": [" + photos + "]");
    EXPECT_TRUE(DriveValid(first));
    EXPECT_TRUE(RunDrives::isRunOnly(first));

    // The same folder again, relative or with a trailing '/', is the drive it is.
    QDir::setCurrent(fx.base());
    QChar again;
    EXPECT_EQ(RunDrives::add("Photos/", &again), RunDrives::Outcome::AlreadyThere);
    EXPECT_EQ(again, first);
    EXPECT_EQ(RunDrives::add("/", &again), RunDrives::Outcome::AlreadyThere);
    EXPECT_EQ(again, QChar('C'));
    EXPECT_EQ(RunDrives::add(QFile::encodeName(fx.path("mapped")), &again),
              RunDrives::Outcome::AlreadyThere);
    EXPECT_EQ(again, QChar('D'));
    EXPECT_EQ(RunDrives::entries().size(), 2);

    // A removed drive is gone and its letter is the next one given.
    EXPECT_TRUE(RunDrives::remove(first));
    EXPECT_FALSE(findDrive(first, nullptr));
    EXPECT_FALSE(RunDrives::remove(QChar('D'))) << "only run-only drives are removed";
    QChar third;
    EXPECT_EQ(RunDrives::add(QFile::encodeName(fx.folder("Films")), &third),
              RunDrives::Outcome::Added);
    EXPECT_EQ(third, first);
}

TEST_F(RunDrivesTest, WhatIsNoReadableFolderIsRefusedAndSaidSo)
{
    const QString file = fx.file("note.txt", 3);
    const struct {
        QByteArray path;
        RunDrives::Outcome outcome;
        const char* text;
    } cases[] = {
        {QFile::encodeName(fx.path("nowhere")), RunDrives::Outcome::Missing, " does not exist."},
        {QFile::encodeName(file), RunDrives::Outcome::NotAFolder, " is not a folder."},
        {"/dev/null", RunDrives::Outcome::NotAFolder, " is not a folder."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QChar letter = QChar('?');
        EXPECT_EQ(RunDrives::add(c.path, &letter), c.outcome);
        EXPECT_EQ(letter, QChar('?'));
        EXPECT_EQ(RunDrives::refusalText(c.outcome, c.path), QFile::decodeName(c.path) + c.text);
    }
    EXPECT_TRUE(RunDrives::entries().isEmpty());

    // A folder its owner alone may read, asked for by someone else. The
    // super-user reads every folder, so the asking is done by a child that
    // has given that up.
    const QString locked = fx.folder("locked");
    fx.file("locked/inside.txt");
    fx.setMode("locked", 0700);
    // The folders above it open to all, so it is the folder itself that refuses.
    for (const QString& above : {rwtest::testRoot(), fx.base()})
        ASSERT_EQ(::chmod(QFile::encodeName(above).constData(), 0755), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(int(RunDrives::add(QFile::encodeName(locked))));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (::geteuid() != 0) {
        EXPECT_EQ(WEXITSTATUS(status), int(RunDrives::Outcome::Added)) << "the owner reads it";
    } else {
        EXPECT_EQ(WEXITSTATUS(status), int(RunDrives::Outcome::NotReadable));
    }
    EXPECT_EQ(RunDrives::refusalText(RunDrives::Outcome::NotReadable, QFile::encodeName(locked)),
              "The folder " + locked + " cannot be read.");
}

TEST_F(RunDrivesTest, NothingIsWrittenUntilAFolderIsKept)
{
    fx.mapDrive('D', fx.folder("mapped"));
    const QByteArray before = settingsBytes();
    const QString photos = fx.folder("Photos");
    QChar letter;
    ASSERT_EQ(RunDrives::add(QFile::encodeName(photos), &letter), RunDrives::Outcome::Added);
    ASSERT_TRUE(findDrive(letter, nullptr));
    EXPECT_TRUE(RunDrives::remove(letter));
    ASSERT_EQ(RunDrives::add(QFile::encodeName(photos), &letter), RunDrives::Outcome::Added);
    EXPECT_EQ(settingsBytes(), before) << "run-only drives are never written";

    // Kept: [Drives] names it and the next run (a table without it) lists it.
    QString why;
    ASSERT_TRUE(keepDriveFolder(letter, QFile::encodeName(photos), &why)) << why.toStdString();
    RunDrives::markKept(letter);
    EXPECT_FALSE(RunDrives::isRunOnly(letter));
    EXPECT_FALSE(RunDrives::remove(letter)) << "a kept folder is the settings' drive";
    ProfileFile ini(QStringLiteral("roomwse.ini"));
    EXPECT_EQ(ini.readString("Drives", QString(letter), ""), photos);
    EXPECT_EQ(ini.readString("Drives", "D", ""), fx.path("mapped")) << "the others stay";
    RunDrives::clear();
    DriveInfo d;
    ASSERT_TRUE(findDrive(letter, &d));
    EXPECT_EQ(d.root, photos);
}

TEST_F(RunDrivesTest, NamesAreBytesAndOnlyTextNamesAreKept)
{
    const QByteArray base = QFile::encodeName(fx.base());
    const QByteArray names[] = {"tab\there", "line\nbreak", "bad\xff\xfe", "blank "};
    for (const QByteArray& name : names) {
        SCOPED_TRACE(name.toHex().toStdString());
        const QByteArray folder = rwtest::rawFolder(base + '/' + name);
        rwtest::rawFile(folder + "/inside.txt", 5);
        QChar letter;
        ASSERT_EQ(RunDrives::add(folder, &letter), RunDrives::Outcome::Added);
        DriveInfo d;
        ASSERT_TRUE(findDrive(letter, &d));
        EXPECT_EQ(d.rootPath(), folder) << "the bytes, not a decoding of them";
        EXPECT_TRUE(DriveValid(letter));
        EXPECT_FALSE(d.entryText().contains('\n')) << "one line in a list";
        EXPECT_FALSE(d.entryText().contains('\t'));
        DriveGeometry g;
        EXPECT_TRUE(driveGeometry(letter, &g));
        EXPECT_GT(g.clusterSize, 0);

        const QByteArray before = settingsBytes();
        QString why;
        EXPECT_FALSE(keepDriveFolder(letter, folder, &why));
        EXPECT_TRUE(why.contains("cannot be kept")) << why.toStdString();
        EXPECT_EQ(settingsBytes(), before);
    }
}
