#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "base/SearchPath.h"
#include "framework/ResultGridController.h"
#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/clean/core/CleanScan.h"

using namespace rw;

namespace
{

QString typeOf(const QString& ext)
{
    return ext.isEmpty() ? QString() : ext.mid(1).toUpper() + QStringLiteral(" File");
}

// The lines of the scan's records, in walk order.
QStringList linesOf(const CleanScan& scan)
{
    QStringList out;
    for (std::uint32_t rec = 0; rec < scan.records()->size(); ++rec)
        out << scan.lines()->line(rec);
    return out;
}

// Walks drive D: with the cleaner's strategy and returns its lines.
QStringList scanD(CleanScan& scan)
{
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    DriveInfo drive;
    EXPECT_TRUE(findDrive(QChar('D'), &drive));
    walker.scanAllDrives({drive.entryText()});
    return linesOf(scan);
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
    for (std::uint32_t rec = 0; rec < 2; ++rec) {
        const QString l = found[int(rec)];
        const QStringList f = l.split('\t');
        ASSERT_EQ(f.size(), ccColumnCount) << l.toStdString();
        EXPECT_EQ(f[ccType], "BAK File");
        const bool onPath = f[ccFileName].contains("/bin/");
        EXPECT_EQ(scan.records()->record(rec).has(ResultRecord::Tagged), onPath);
        if (onPath) {
            EXPECT_EQ(f[ccSize], "1,500");
            EXPECT_EQ(f[ccFileName], root + "/bin/tool.bak" + tag);
            // The tag is shown only; the record names the file itself.
            EXPECT_EQ(scan.records()->pathBytes(rec), QFile::encodeName(root + "/bin/tool.bak"));
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
    scan.setRecordSink([&](std::uint32_t rec) {
        seen << scan.lines()->field(rec, ccFileName);
        scan.setPatterns({QStringLiteral("*.old")});
    });
    scanD(scan);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_TRUE(seen[0].endsWith("one.tmp"));
    EXPECT_TRUE(seen[1].endsWith("two.old"));
    // The sink heard of each record as it was found, in walk order; the
    // records stay for the grid that shows them.
    EXPECT_EQ(scan.records()->size(), 2u);
    EXPECT_EQ(linesOf(scan).value(1).split('\t').value(ccFileName), seen[1]);
}
