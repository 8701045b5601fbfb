// The folder map's tree from a real walk: every file once with its bytes,
// hard links counted once in disk usage, names kept as bytes, types.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "base/Messages.h"
#include "framework/core/FolderWalker.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/map/core/MapScan.h"
#include "tools/map/core/MapTypeClass.h"

using namespace rw;

namespace
{

MapTree walk(const QString& root, MapScan& scan, FolderWalker::OpenFilter shut = {})
{
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    if (shut)
        walker.setOpenFilter(shut);
    DriveInfo drive;
    drive.letter = QLatin1Char('C');
    drive.root = root;
    EXPECT_TRUE(walker.walkTree(drive, root));
    return scan.takeTree();
}

std::uint32_t find(const MapTree& tree, const QByteArray& path)
{
    for (std::uint32_t i = 0; i < tree.nodeCount(); ++i)
        if (tree.pathBytes(i) == path)
            return i;
    return MapTree::kNone;
}

} // namespace

TEST(MapTree, AWalkKeepsEveryFileWithItsBytesAndHardLinksOnceOnDisk)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/a/one.bin", 10000);
    fb.file("tree/a/b/two.bin", 5000);
    fb.file("tree/.hidden", 300);
    fb.file("tree/empty.txt", 0);
    fb.hardlink("tree/a/again.bin", "tree/a/one.bin");
    fb.symlink("tree/loop", "tree");
    const QByteArray root = QFile::encodeName(fb.path("tree"));
    const QByteArray odd =
        rwtest::makeRawFile(fb.path("tree"), QByteArray("t\tab\nnl\xff.dat"), 77);

    MapScan scan;
    const MapTree tree = walk(fb.path("tree"), scan);
    ASSERT_FALSE(tree.isEmpty());
    EXPECT_EQ(tree.pathBytes(0), root);
    // Apparent sizes count every name; disk usage each inode once.
    EXPECT_EQ(tree.node(0).size, 10000 + 5000 + 300 + 0 + 10000 + 77);
    const std::uint32_t one = find(tree, root + "/a/one.bin");
    const std::uint32_t again = find(tree, root + "/a/again.bin");
    ASSERT_NE(one, MapTree::kNone);
    ASSERT_NE(again, MapTree::kNone);
    EXPECT_EQ(std::min(tree.node(one).disk, tree.node(again).disk), 0);
    EXPECT_GT(std::max(tree.node(one).disk, tree.node(again).disk), 0);
    // The name is the file system's bytes; the path reaches the file.
    const std::uint32_t raw = find(tree, odd);
    ASSERT_NE(raw, MapTree::kNone);
    EXPECT_TRUE(rwtest::rawExists(tree.pathBytes(raw)));
    // A deletion reaches exactly that entry: its folder, name and identities.
    const DeleteTarget target = tree.deleteTarget(raw);
    EXPECT_EQ(target.pathBytes(), odd);
    struct stat st {
    };
    ASSERT_EQ(::lstat(odd.constData(), &st), 0);
    EXPECT_EQ(target.identity.ino, std::uint64_t(st.st_ino));
    EXPECT_EQ(target.identity.dev, std::uint64_t(st.st_dev));
    EXPECT_EQ(target.identity.type, FileIdentity::Type::File);
    // A link is not followed, so nothing is met twice.
    EXPECT_EQ(find(tree, root + "/loop"), MapTree::kNone);
    // Folders list their children largest first.
    const std::uint32_t a = find(tree, root + "/a");
    std::int64_t previous = INT64_MAX;
    for (auto c = tree.childrenBegin(a); c != tree.childrenEnd(a); ++c) {
        EXPECT_LE(tree.node(*c).size, previous);
        previous = tree.node(*c).size;
    }
}

TEST(MapTree, AFolderThatCannotBeReadMarksItsParentIncomplete)
{
    rwtest::FixtureBuilder fb;
    fb.file("tree/open/a.txt", 10);
    fb.file("tree/shut/b.txt", 10);
    MapScan scan;
    // The walk's own seam: this folder counts as one that cannot be opened
    // (as a mode of 0 does for anyone but root).
    const MapTree tree =
        walk(fb.path("tree"), scan, [](const QByteArray& path) { return !path.endsWith("/shut"); });
    EXPECT_TRUE(tree.node(0).incomplete);
    ASSERT_EQ(scan.unreadable().size(), 1);
    EXPECT_TRUE(scan.unreadable().first().endsWith("/shut"));
}

TEST(MapTypeClass, NamesFallIntoTheirClasses)
{
    const struct {
        const char* name;
        MapTypeClass type;
    } cases[] = {
        {"photo.JPG", MapTypeClass::Image},       {"movie.mkv", MapTypeClass::Video},
        {"song.mp3", MapTypeClass::Audio},        {"backup.tar.gz", MapTypeClass::Archive},
        {"paper.pdf", MapTypeClass::Document},    {"notes.txt", MapTypeClass::Text},
        {"main.cpp", MapTypeClass::Code},         {"libz.so", MapTypeClass::Executable},
        {"disc.iso", MapTypeClass::DiskImage},    {"tool.deb", MapTypeClass::Package},
        {"accounts.mdb", MapTypeClass::Database}, {"face.ttf", MapTypeClass::Font},
        {"blob.qqqzzz", MapTypeClass::Other},     {"script.sh", MapTypeClass::Code},
    };
    MapTypeClassifier classifier;
    for (const auto& c : cases) {
        EXPECT_EQ(int(classifier.classOf(c.name)), int(c.type)) << c.name;
        // Asked again, the cached answer is the same.
        EXPECT_EQ(int(classifier.classOf(c.name)), int(c.type)) << c.name;
    }
    // Every class has a name and its own colour.
    QSet<std::uint32_t> colours;
    for (int i = 0; i < kMapTypeClassCount; ++i) {
        EXPECT_FALSE(mapTypeClassName(MapTypeClass(i)).isEmpty());
        colours.insert(mapTypeClassColour(MapTypeClass(i)));
    }
    EXPECT_EQ(colours.size(), kMapTypeClassCount);
}
