#include <gtest/gtest.h>

#include <limits>

#include "framework/core/MarkTotals.h"
#include "platform/DirListing.h"

using namespace rw;

namespace
{

// Rows as a scan makes them: folders by path and identity, files by name,
// device and inode; `linked` when the file had other names.
struct Rows {
    ResultSet set;

    std::uint32_t folder(const QByteArray& path, std::uint64_t dev, std::uint64_t ino)
    {
        return set.addFolder(path, FileIdentity{dev, ino, FileIdentity::Type::Folder});
    }
    std::uint32_t file(std::uint32_t folder, std::string_view name, std::uint64_t dev,
                       std::uint64_t ino, bool linked = true)
    {
        FileStatus st;
        st.dev = dev;
        st.ino = ino;
        st.nlink = linked ? 2 : 1;
        return set.add(folder, name, st);
    }
};

} // namespace

TEST(MarkTotals, NamesOfOneInodeCountTheirBytesOnce)
{
    Rows rows;
    const std::uint32_t f = rows.folder("/d", 1, 2);
    const std::uint32_t a = rows.file(f, "a", 1, 10), aLink = rows.file(f, "a-link", 1, 10),
                        b = rows.file(f, "b", 1, 11), other = rows.file(f, "other", 2, 10);
    MarkTotals t;
    t.marked(rows.set, a, 100);
    t.marked(rows.set, aLink, 100);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 100);
    t.marked(rows.set, b, 50);
    t.marked(rows.set, other, 7); // same inode number on another device: another file
    EXPECT_EQ(t.bytes(), 157);
    t.unmarked(rows.set, a, 100);
    EXPECT_EQ(t.bytes(), 157); // its other name stays marked
    t.unmarked(rows.set, aLink, 100);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 57);
    t.clear();
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.bytes(), 0);
}

TEST(MarkTotals, GoneFilesUnknownIdentitiesAndSingleNames)
{
    Rows rows;
    const std::uint32_t f = rows.folder("/d", 1, 2);
    MarkTotals t;
    t.marked(rows.set, rows.file(f, "gone", 1, 10), -1); // vanished: nothing counted
    EXPECT_EQ(t.count(), 0);
    // No identity recorded: every record is a file of its own.
    const std::uint32_t u1 = rows.file(f, "u1", 0, 0), u2 = rows.file(f, "u2", 0, 0);
    t.marked(rows.set, u1, 30);
    t.marked(rows.set, u2, 30);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 60);
    t.unmarked(rows.set, u1, 30);
    EXPECT_EQ(t.bytes(), 30);
    // A file scanned with one name is not matched against another row's
    // inode; the names of a hard-linked file still count once.
    t.clear();
    t.marked(rows.set, rows.file(f, "single", 1, 10, false), 100);
    const std::uint32_t l1 = rows.file(f, "l1", 1, 20), l2 = rows.file(f, "l2", 1, 20);
    t.marked(rows.set, l1, 40);
    t.marked(rows.set, l2, 40);
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.bytes(), 140);
}

// One folder reached through two paths (a bind mount, a folder given
// twice) lists each of its entries twice: an entry counts once however
// many of its rows are marked, with or without other names, and stays
// counted until its last row is unmarked.
TEST(MarkTotals, TheSameEntryThroughTwoPathsCountsOnce)
{
    Rows rows;
    const std::uint32_t c = rows.folder("/c/photos", 1, 2);
    const std::uint32_t d = rows.folder("/d", 1, 2); // the same folder as d:
    const std::uint32_t elsewhere = rows.folder("/c/other", 1, 3);
    EXPECT_TRUE(rows.set.folderHasOtherPath(c));
    EXPECT_TRUE(rows.set.folderHasOtherPath(d));
    EXPECT_FALSE(rows.set.folderHasOtherPath(elsewhere));
    const std::string_view odd("y\t\n\xff.bin");
    const std::uint32_t y = rows.file(c, odd, 1, 10, false), yOnD = rows.file(d, odd, 1, 10, false);
    const std::uint32_t h = rows.file(c, "h", 1, 20), hOnD = rows.file(d, "h", 1, 20),
                        hLink = rows.file(elsewhere, "h-link", 1, 20);
    EXPECT_TRUE(rows.set.sameEntry(y, yOnD));
    EXPECT_TRUE(rows.set.sameEntry(h, hOnD));
    EXPECT_FALSE(rows.set.sameEntry(h, hLink));

    MarkTotals t;
    t.marked(rows.set, y, 1000);
    t.marked(rows.set, yOnD, 1000);
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.bytes(), 1000);
    t.marked(rows.set, h, 70);
    t.marked(rows.set, hOnD, 70);
    t.marked(rows.set, hLink, 70);
    EXPECT_EQ(t.count(), 3); // y, h and its other name
    EXPECT_EQ(t.bytes(), 1070);
    t.unmarked(rows.set, y, 1000);
    EXPECT_EQ(t.count(), 3); // still marked on d:
    EXPECT_EQ(t.bytes(), 1070);
    t.unmarked(rows.set, yOnD, 1000);
    t.unmarked(rows.set, hOnD, 70);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 70);
    t.unmarked(rows.set, h, 70);
    t.unmarked(rows.set, hLink, 70);
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.bytes(), 0);
}

// Sparse files can claim sizes near the top of the 64-bit range: the sum of
// several stops at the top instead of turning negative, and unmarking takes
// back exactly what marking added.
TEST(MarkTotals, SumsBeyondTheRangeStopAtTheTopAndUnmarkExactly)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    Rows rows;
    const std::uint32_t f = rows.folder("/vm", 1, 2);
    const std::uint32_t a = rows.file(f, "a.img", 1, 1, false),
                        b = rows.file(f, "b.img", 1, 2, false),
                        c = rows.file(f, "c.img", 1, 3, false);
    MarkTotals t;
    t.marked(rows.set, a, kMax - 5);
    t.marked(rows.set, b, kMax - 5);
    t.marked(rows.set, c, kMax);
    EXPECT_EQ(t.bytes(), kMax);
    t.unmarked(rows.set, c, kMax);
    EXPECT_EQ(t.bytes(), kMax);
    t.unmarked(rows.set, b, kMax - 5);
    EXPECT_EQ(t.bytes(), kMax - 5);
    t.unmarked(rows.set, a, kMax - 5);
    EXPECT_EQ(t.bytes(), 0);
}
