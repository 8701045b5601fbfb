#include <gtest/gtest.h>

#include "base/DataFiles.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

// Makes `path` (and its folders) with some text in it.
QString makeFile(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html></html>");
    return path;
}

// A program folder laid out as an installed tree: <root>/prefix/bin.
struct InstalledTree {
    QString prefix = rwtest::testRoot() + "/prefix";
    QString bin = prefix + "/bin";
    InstalledTree() { QDir().mkpath(bin); }
};

} // namespace

TEST(DataFiles, TheHelpFileIsFoundUnderShareRoomwiseBesideTheProgramsBin)
{
    InstalledTree tree;
    const QString help = makeFile(tree.prefix + "/share/roomwise/roomwise.hlp");
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp", {}), help);
}

TEST(DataFiles, AFileBesideTheProgramComesFirst)
{
    InstalledTree tree;
    makeFile(tree.prefix + "/share/roomwise/roomwise.hlp");
    const QString data = rwtest::testRoot() + "/xdg";
    makeFile(data + "/roomwise/roomwise.hlp");
    const QString beside = makeFile(tree.bin + "/roomwise.hlp");
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp", {data}), beside);
}

TEST(DataFiles, TheDataFoldersAreSearchedLastInTheirOrder)
{
    InstalledTree tree;
    const QString first = rwtest::testRoot() + "/first";
    const QString second = rwtest::testRoot() + "/second";
    QDir().mkpath(first);
    const QString help = makeFile(second + "/roomwise/roomwise.hlp");
    makeFile(rwtest::testRoot() + "/third/roomwise/roomwise.hlp");
    EXPECT_EQ(
        rw::FindDataFile(tree.bin, "roomwise.hlp", {first, second, rwtest::testRoot() + "/third"}),
        help);
    // With the installed tree's copy present, that one wins over the data folders.
    const QString installed = makeFile(tree.prefix + "/share/roomwise/roomwise.hlp");
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp", {first, second}), installed);
}

TEST(DataFiles, TheCandidatesAreInSearchOrderAndSkipRelativeDataFolders)
{
    EXPECT_EQ(rw::DataFileCandidates("/opt/rw/bin", "roomwise.hlp",
                                     {"/usr/local/share/", "share", "", "/usr/share"}),
              (QStringList{"/opt/rw/bin/roomwise.hlp", "/opt/rw/share/roomwise/roomwise.hlp",
                           "/usr/local/share/roomwise/roomwise.hlp",
                           "/usr/share/roomwise/roomwise.hlp"}));
}

TEST(DataFiles, AFolderOfThatNameDoesNotCount)
{
    InstalledTree tree;
    QDir().mkpath(tree.bin + "/roomwise.hlp");
    const QString help = makeFile(tree.prefix + "/share/roomwise/roomwise.hlp");
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp", {}), help);
}

TEST(DataFiles, AMissingFileIsNamedBesideTheProgram)
{
    InstalledTree tree;
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp", {rwtest::testRoot() + "/none"}),
              tree.bin + "/roomwise.hlp");
}

TEST(DataFiles, TheXdgDataFoldersOfTheEnvironmentAreSearched)
{
    // XDG_DATA_HOME already points into the test's own folder.
    InstalledTree tree;
    const QString dirs = rwtest::testRoot() + "/dirs";
    const QString help = makeFile(dirs + "/roomwise/roomwise.hlp");
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", dirs.toLocal8Bit());
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp"), help);
    const QString home = makeFile(qEnvironmentVariable("XDG_DATA_HOME") + "/roomwise/roomwise.hlp");
    EXPECT_EQ(rw::FindDataFile(tree.bin, "roomwise.hlp"), home);
    if (saved.isNull())
        qunsetenv("XDG_DATA_DIRS");
    else
        qputenv("XDG_DATA_DIRS", saved);
}
