#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <stdexcept>
#include <sys/statvfs.h>

#include "platform/Drives.h"
#include "platform/ProfileFile.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"

using namespace rw;

namespace
{

QString rootOf(QChar letter)
{
    DriveInfo d;
    return findDrive(letter, &d) ? d.root : QStringLiteral("<none>");
}

} // namespace

TEST(Drives, CIsTheRootFileSystem)
{
    const QList<DriveInfo> drives = driveList();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first().letter, QChar('C'));
    EXPECT_EQ(drives.first().root, "/");
    EXPECT_EQ(drives.first().entryText(), "c: [/]");
    for (qsizetype i = 1; i < drives.size(); ++i)
        EXPECT_LT(drives[i - 1].letter, drives[i].letter) << "one entry per letter, in order";
}

TEST(Drives, MappingAddsOrReplacesLetters)
{
    rwtest::FixtureBuilder fx;
    const QString one = fx.folder("one");
    const QString two = fx.folder("two");
    fx.mapDrive('X', "one/");
    fx.mapDrive('C', two);
    EXPECT_EQ(rootOf('X'), one) << "the trailing separator is dropped";
    EXPECT_EQ(rootOf('x'), one) << "either case finds the drive";
    EXPECT_EQ(rootOf('C'), two);
    DriveInfo x;
    ASSERT_TRUE(findDrive('X', &x));
    EXPECT_EQ(x.entryText(), "x: [" + one + "]");
}

TEST(Drives, OddMappingsAreIgnoredOrFirstWins)
{
    rwtest::FixtureBuilder fx;
    const QString one = fx.folder("one");
    const QString two = fx.folder("two");
    QDir().mkpath(rwtest::testRoot() + "/config/roomwise");
    QFile f(rwtest::settingsFilePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("[Drives]\nq=" + one + "\nQ=" + two + "\nR=relative/folder\nST=" + one + "\n9=" + one +
             "\n")
                .toUtf8());
    f.close();
    EXPECT_EQ(rootOf('Q'), one);
    EXPECT_EQ(rootOf('R'), "<none>");
    for (const DriveInfo& d : driveList())
        EXPECT_TRUE(d.letter >= QChar('A') && d.letter <= QChar('Z'));
}

TEST(Drives, CurrentDriveIsTheLongestRootPrefix)
{
    rwtest::FixtureBuilder fx;
    const QString outer = fx.folder("a");
    const QString inner = fx.folder("a/b");
    const QString sibling = fx.folder("a/bc/d");
    fx.mapDrive('X', outer);
    fx.mapDrive('Y', inner);

    ASSERT_TRUE(QDir::setCurrent(fx.folder("a/b/c")));
    EXPECT_EQ(currentDrive().letter, QChar('Y'));
    ASSERT_TRUE(QDir::setCurrent(sibling));
    EXPECT_EQ(currentDrive().letter, QChar('X')) << "a/bc is not inside a/b";
    ASSERT_TRUE(QDir::setCurrent(inner));
    EXPECT_EQ(currentDrive().letter, QChar('Y'));

    DriveInfo d;
    ASSERT_TRUE(driveOfPath(inner + "/../b/file", &d));
    EXPECT_EQ(d.letter, QChar('Y'));
}

TEST(Drives, DriveValidAsksTheFileSystem)
{
    rwtest::FixtureBuilder fx;
    fx.mapDrive('X', fx.folder("there"));
    fx.mapDrive('Y', "gone");
    fx.mapDrive('Z', fx.file("plain.txt", 10));
    EXPECT_FALSE(DriveValid('Z')) << "a file is no drive root";
    EXPECT_TRUE(DriveValid('X'));
    EXPECT_TRUE(DriveValid('x'));
    EXPECT_FALSE(DriveValid('Y'));
    EXPECT_TRUE(DriveValid('C'));
    try {
        DriveValid('1');
        FAIL() << "a digit is no drive";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Not a valid drive ID");
    }
}

TEST(Drives, GeometryComesFromStatvfs)
{
    rwtest::FixtureBuilder fx;
    const QString folder = fx.folder("geo");
    fx.mapDrive('X', folder);
    fx.mapDrive('Y', "gone");
    struct statvfs s {
    };
    ASSERT_EQ(::statvfs(QFile::encodeName(folder).constData(), &s), 0);

    DriveGeometry g;
    ASSERT_TRUE(driveGeometry('X', &g));
    EXPECT_EQ(g.clusterSize, std::int64_t(s.f_frsize));
    EXPECT_EQ(g.totalClusters, std::int64_t(s.f_blocks));
    EXPECT_EQ(g.totalBytes(), std::int64_t(s.f_frsize) * std::int64_t(s.f_blocks));
    EXPECT_GT(g.totalBytes(), 0);
    EXPECT_LE(g.freeBytes(), g.totalBytes());
    EXPECT_FALSE(driveGeometry('Y', &g));
}
