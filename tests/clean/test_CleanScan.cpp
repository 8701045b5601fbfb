#include <gtest/gtest.h>

#include <QDir>

#include "app/core/SearchPath.h"
#include "framework/ResultGridController.h"
#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tools/clean/core/CleanScan.h"

using namespace rw;

namespace
{

QString typeOf(const QString& ext)
{
    return ext.isEmpty() ? QString() : ext.mid(1).toUpper() + QStringLiteral(" File");
}

// Walks drive D: with the cleaner's strategy and returns its lines.
QStringList scanD(CleanScan& scan)
{
    bool abort = false;
    FolderWalker walker(scan, abort);
    DriveInfo drive;
    EXPECT_TRUE(findDrive(QChar('D'), &drive));
    walker.scanAllDrives({drive.entryText()});
    return scan.lines();
}

QStringList field(const QStringList& lines, int n)
{
    QStringList out;
    for (const QString& l : lines)
        out << l.split('\t').value(n);
    out.sort();
    return out;
}

} // namespace

TEST(CleanScan, ListsMatchingFilesHiddenOnesTooButNoFoldersLinksOrSpecialFiles)
{
    rwtest::FixtureBuilder fb;
    const QString root = fb.folder("tree");
    fb.file("tree/A.TMP", 10);
    fb.file("tree/sub/b.Tmp", 20);
    fb.file("tree/.c.tmp", 30);
    fb.file("tree/d.tmp.txt", 40);
    fb.fifo("tree/e.tmp");
    fb.folder("tree/f.tmp");
    fb.file("tree/.hidden/g.tmp", 50); // below a hidden folder: never reached
    fb.file("tree/target.dat", 60);
    fb.symlink("tree/link.tmp", "target.dat");
    fb.mapDrive('D', "tree");

    CleanScan scan(QStringList{QStringLiteral("*.tmp\tTMP File")});
    scan.setSearchPathTest([](const QString&) { return false; });
    const QStringList found = scanD(scan);
    EXPECT_EQ(field(found, ccFileName),
              (QStringList{root + "/.c.tmp", root + "/A.TMP", root + "/sub/b.Tmp"}));
    EXPECT_EQ(scan.foundCount(), 3);
}

TEST(CleanScan, LineHoldsSixColumnsAndTagsFilesOnTheSearchPath)
{
    rwtest::FixtureBuilder fb;
    const QString root = fb.folder("tree");
    fb.file("tree/bin/tool.bak", 1500);
    fb.file("tree/doc/old.bak", 2);
    fb.mapDrive('D', "tree");

    // The program's own search-path list, as the launcher sets it.
    const QStringList saved = searchPathFolders();
    setSearchPathFolders({(root + "/bin").toUpper()});
    CleanScan scan(QStringList{QStringLiteral("*.bak")});
    scan.setTypeDescriber(&typeOf);
    const QStringList found = scanD(scan);
    setSearchPathFolders(saved);

    ASSERT_EQ(found.size(), 2);
    const QString tag = ResultGridController::searchPathTag();
    EXPECT_EQ(CleanScan::searchPathTag(), tag);
    for (const QString& l : found) {
        const QStringList f = l.split('\t');
        ASSERT_EQ(f.size(), ccColumnCount) << l.toStdString();
        EXPECT_EQ(f[ccType], "BAK File");
        if (f[ccFileName].contains("/bin/")) {
            EXPECT_EQ(f[ccSize], "1,500");
            EXPECT_EQ(f[ccFileName], root + "/bin/tool.bak" + tag);
            // The grid strips the tag before any file operation.
            EXPECT_EQ(ResultGridController::stripSearchPathTag(f[ccFileName]),
                      root + "/bin/tool.bak");
        } else {
            EXPECT_EQ(f[ccFileName], root + "/doc/old.bak");
        }
        EXPECT_FALSE(f[ccModified].isEmpty());
        EXPECT_FALSE(f[ccTime].isEmpty());
        EXPECT_FALSE(f[ccAccess].isEmpty());
    }
}

TEST(CleanScan, PatternsChangedDuringARunCountFromTheNextFile)
{
    rwtest::FixtureBuilder fb;
    // Sub-folders are walked before a folder's own files.
    fb.file("tree/deep/one.tmp", 1);
    fb.file("tree/two.old", 1);
    fb.mapDrive('D', "tree");

    CleanScan scan(QStringList{QStringLiteral("*.tmp")});
    scan.setSearchPathTest([](const QString&) { return false; });
    QStringList seen;
    scan.setLineSink([&](const QString& l) {
        seen << l.split('\t').value(ccFileName);
        scan.setPatterns({QStringLiteral("*.old")});
    });
    scanD(scan);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].endsWith("one.tmp"));
    EXPECT_TRUE(seen[1].endsWith("two.old"));
    EXPECT_TRUE(scan.lines().isEmpty()); // with a sink nothing is kept
}
