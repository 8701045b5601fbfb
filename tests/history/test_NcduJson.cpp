// Scans in ncdu's export format: a tree exported by Debian's ncdu and by
// our own walk reads back to the same folder totals; names travel as bytes;
// what is not such an export, or names a path out of its folder, is refused
// with a reason; a tree deeper than any call stack reads without recursion.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <map>

#include "framework/core/FolderWalker.h"
#include "history/core/HistoryStore.h"
#include "history/core/HistoryTap.h"
#include "history/core/NcduExportScan.h"
#include "history/core/NcduJson.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/dirhog/core/DirHogScan.h"

using namespace rw;

namespace
{

// A tree with nested folders, a hard link across folders, a sparse file, a
// symbolic link (never counted), empty files and names that are no text.
void buildTree(rwtest::FixtureBuilder& fb)
{
    fb.file("tree/a/one", 5000);
    fb.file("tree/a/b/two", 123);
    fb.file("tree/a/b/c/empty", 0);
    fb.file("tree/d/three", 70000);
    fb.hardlink("tree/d/linked", "tree/a/one");
    fb.hardlink("tree/a/b/linked-too", "tree/a/one");
    fb.sparseFile("tree/d/sparse", 10 << 20);
    fb.symlink("tree/d/link", "../a");
    fb.file("tree/.hidden-file", 11);
    const QByteArray odd = QFile::encodeName(fb.path("tree")) + "/odd\t\n\xff";
    rwtest::rawFolder(odd);
    rwtest::rawFile(odd + "/na\xfeme\n", 42);
    fb.folder("tree/empty-folder");
}

std::map<QByteArray, FolderTotalsRow> byPath(const std::vector<FolderTotalsRow>& rows)
{
    std::map<QByteArray, FolderTotalsRow> out;
    for (const FolderTotalsRow& r : rows)
        out[r.path] = r;
    return out;
}

bool exportOurs(const QString& root, QByteArray* json)
{
    QBuffer buffer(json);
    buffer.open(QIODevice::WriteOnly);
    NcduExportScan scan(&buffer);
    scan.begin(1'700'000'000, QStringLiteral("our-host"));
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    const DriveInfo drive{QChar('D'), root};
    return walker.walkTree(drive, drive.entryText()) && scan.finish();
}

bool readBytes(const QByteArray& json, NcduScan* scan, QString* error)
{
    QByteArray copy = json;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readNcduExport(buffer, scan, error);
}

} // namespace

TEST(NcduJson, OurExportAndNcdusReadBackToTheSameTotals)
{
    rwtest::FixtureBuilder fb;
    buildTree(fb);
    const QString root = fb.path("tree");
    QByteArray ours;
    ASSERT_TRUE(exportOurs(root, &ours));
    NcduScan fromOurs;
    QString error;
    ASSERT_TRUE(readBytes(ours, &fromOurs, &error)) << error.toStdString();
    EXPECT_EQ(fromOurs.root, QFile::encodeName(root));
    EXPECT_EQ(fromOurs.taken, 1'700'000'000);
    EXPECT_EQ(fromOurs.host, "our-host");
    EXPECT_TRUE(fromOurs.complete);
    const auto mine = byPath(fromOurs.rows);

    // What a folder hog walk keeps in the history is the same.
    {
        DirHogScan hogs(DirHogMode::MainFolders);
        HistoryTap tap(hogs);
        bool abort = false;
        FolderWalker walker(tap, abort, rwtest::ScriptedResponder::instance());
        const DriveInfo drive{QChar('D'), root};
        ASSERT_TRUE(walker.walkTree(drive, drive.entryText()));
        const std::vector<TappedRoot> roots = tap.takeRoots();
        ASSERT_EQ(roots.size(), 1u);
        const auto kept = byPath(roots[0].rows);
        ASSERT_EQ(kept.size(), 7u);
        for (const auto& [path, row] : byPath(fromOurs.rows)) {
            ASSERT_TRUE(kept.count(path)) << path.toStdString();
            EXPECT_EQ(kept.at(path).bytes, row.bytes) << path.toStdString();
            EXPECT_EQ(kept.at(path).disk, row.disk) << path.toStdString();
            EXPECT_EQ(kept.at(path).files, row.files) << path.toStdString();
            EXPECT_EQ(kept.at(path).subFolders, row.subFolders) << path.toStdString();
            EXPECT_EQ(kept.at(path).latest, row.latest) << path.toStdString();
        }
    }

    // What the totals must be, whoever exported the tree.
    ASSERT_EQ(mine.size(), 7u);
    const FolderTotalsRow& top = mine.at("");
    EXPECT_EQ(top.bytes, 5000 + 123 + 70000 + (10 << 20) + 11 + 42);
    EXPECT_EQ(top.files, 7); // the hard-linked file once; the link never
    EXPECT_EQ(top.subFolders, 6);
    EXPECT_EQ(mine.at("a").bytes, 5000 + 123);
    EXPECT_EQ(mine.at("a/b").bytes, 5000 + 123); // its own name of the linked file
    EXPECT_EQ(mine.at("d").bytes, 5000 + 70000 + (10 << 20));
    EXPECT_LT(mine.at("d").disk, (10 << 20)); // the hole takes no room
    EXPECT_EQ(mine.at(QByteArray("odd\t\n\xff")).bytes, 42);
    EXPECT_EQ(mine.at("empty-folder").files, 0);

    if (QStandardPaths::findExecutable(QStringLiteral("ncdu")).isEmpty())
        GTEST_SKIP() << "ncdu is not installed (Debian package ncdu)";
    QProcess ncdu;
    ncdu.start(QStringLiteral("ncdu"), {QStringLiteral("-e"), QStringLiteral("-x"),
                                        QStringLiteral("-o"), QStringLiteral("-"), root});
    ASSERT_TRUE(ncdu.waitForFinished(60000));
    ASSERT_EQ(ncdu.exitCode(), 0) << ncdu.readAllStandardError().toStdString();
    NcduScan fromNcdu;
    ASSERT_TRUE(readBytes(ncdu.readAllStandardOutput(), &fromNcdu, &error)) << error.toStdString();
    EXPECT_EQ(fromNcdu.root, QFile::encodeName(root));
    const auto theirs = byPath(fromNcdu.rows);
    ASSERT_EQ(theirs.size(), mine.size());
    for (const auto& [path, row] : mine) {
        ASSERT_TRUE(theirs.count(path)) << path.toStdString();
        const FolderTotalsRow& other = theirs.at(path);
        EXPECT_EQ(other.bytes, row.bytes) << path.toStdString();
        EXPECT_EQ(other.disk, row.disk) << path.toStdString();
        EXPECT_EQ(other.files, row.files) << path.toStdString();
        EXPECT_EQ(other.subFolders, row.subFolders) << path.toStdString();
        EXPECT_EQ(other.latest, row.latest) << path.toStdString();
    }

    // ncdu opens our export too: read back through it, the totals hold.
    const QString ourFile = fb.fileWithContent("ours.json", ours);
    QProcess reread;
    reread.start(QStringLiteral("ncdu"),
                 {QStringLiteral("-f"), ourFile, QStringLiteral("-o"), QStringLiteral("-")});
    ASSERT_TRUE(reread.waitForFinished(60000));
    ASSERT_EQ(reread.exitCode(), 0) << reread.readAllStandardError().toStdString();
    NcduScan throughNcdu;
    ASSERT_TRUE(readBytes(reread.readAllStandardOutput(), &throughNcdu, &error))
        << error.toStdString();
    const auto again = byPath(throughNcdu.rows);
    ASSERT_EQ(again.size(), mine.size());
    for (const auto& [path, row] : mine) {
        ASSERT_TRUE(again.count(path)) << path.toStdString();
        EXPECT_EQ(again.at(path).bytes, row.bytes) << path.toStdString();
        EXPECT_EQ(again.at(path).files, row.files) << path.toStdString();
    }
}

TEST(NcduJson, AnImportedFileIsStoredUnderItsHost)
{
    rwtest::FixtureBuilder fb;
    const QString file = fb.fileWithContent(
        "web-01.json",
        "[1,2,{\"progname\":\"ncdu\",\"progver\":\"1.18\",\"timestamp\":1600000000},\n"
        "[{\"name\":\"/srv\",\"dev\":9},{\"name\":\"f\",\"asize\":10,\"dsize\":4096},"
        "[{\"name\":\"sub\"},{\"name\":\"g\\u00ff\\t\",\"asize\":5,\"dsize\":4096,"
        "\"extra\":{\"nested\":[1,2.5e3,null]}}]]]");
    HistoryStore store;
    ASSERT_TRUE(store.open(fb.path("h.sqlite")));
    QString error;
    const std::int64_t id = importNcduScan(store, file, &error);
    ASSERT_GT(id, 0) << error.toStdString();
    StoredScan scan;
    ASSERT_TRUE(store.scan(id, &scan));
    EXPECT_EQ(scan.host, "web-01"); // the file's name: ncdu does not say
    EXPECT_EQ(scan.root, "/srv");
    EXPECT_EQ(scan.taken, 1600000000);
    EXPECT_EQ(scan.kind, "import");
    EXPECT_EQ(scan.rootBytes, 15);
    EXPECT_GT(importNcduScan(store, file, &error, QStringLiteral("given")), 0);
    EXPECT_EQ(store.scans({}, QStringLiteral("given")).size(), 1u);
    EXPECT_EQ(importNcduScan(store, fb.path("missing.json"), &error), 0);
    EXPECT_FALSE(error.isEmpty());
}

TEST(NcduJson, WhatIsNotAnExportOrClimbsOutOfItsFolderIsRefused)
{
    const char* const bad[] = {
        "",
        "{}",
        "[2,0,{},[{\"name\":\"/r\"}]]",                                 // another version
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"../x\",\"asize\":1}]]", // a path, not a name
        "[1,0,{},[{\"name\":\"/r\"},[{\"name\":\"..\"}]]]",             // climbs out
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"\"}]]",                 // no name
        "[1,0,{},[{\"name\":\"/r\"},{\"asize\":1}]]",                   // no name at all
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"a\",\"asize\":-5}]]",   // negative size
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"a\",\"asize\":99999999999999999999}]]",
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"a\"}", // cut short
        "[1,0,{},[{\"name\":\"/r\"}]] trailing",
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"a\\q\"}]]", // unknown escape
    };
    for (const char* text : bad) {
        NcduScan scan;
        QString error;
        EXPECT_FALSE(readBytes(QByteArray(text), &scan, &error)) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
}

TEST(NcduJson, ADeepTreeIsReadAndOneDeeperThanAnyRealOneRefused)
{
    constexpr int depth = 8000;
    QByteArray json = "[1,0,{},[{\"name\":\"/deep\"}";
    for (int i = 0; i < depth; ++i)
        json += ",[{\"name\":\"d\"}";
    json += ",{\"name\":\"f\",\"asize\":7,\"read_error\":true}";
    json += QByteArray(depth, ']');
    json += "]]";
    NcduScan scan;
    QString error;
    ASSERT_TRUE(readBytes(json, &scan, &error)) << error.toStdString();
    EXPECT_EQ(scan.rows.size(), std::size_t(depth) + 1);
    EXPECT_FALSE(scan.complete);
    EXPECT_EQ(byPath(scan.rows).at("").bytes, 7);
    EXPECT_EQ(byPath(scan.rows).at("").subFolders, depth);

    QByteArray tooDeep = "[1,0,{},[{\"name\":\"/deep\"}";
    for (int i = 0; i < 9000; ++i)
        tooDeep += ",[{\"name\":\"d\"}";
    tooDeep += QByteArray(9000, ']') + "]]";
    EXPECT_FALSE(readBytes(tooDeep, &scan, &error));
    EXPECT_TRUE(error.contains("path too long")) << error.toStdString();
}
