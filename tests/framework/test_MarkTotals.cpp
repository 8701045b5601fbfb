#include <gtest/gtest.h>

#include <limits>

#include "framework/core/MarkTotals.h"

using namespace rw;

namespace
{

// A record as a scan makes it: `linked` when the file had other names.
ResultRecord file(std::uint64_t dev, std::uint64_t ino, bool linked = true)
{
    ResultRecord r;
    r.dev = dev;
    r.ino = ino;
    r.set(ResultRecord::MaybeLinked, linked);
    return r;
}

} // namespace

TEST(MarkTotals, NamesOfOneInodeCountTheirBytesOnce)
{
    MarkTotals t;
    const ResultRecord a = file(1, 10), aLink = file(1, 10), b = file(1, 11), other = file(2, 10);
    t.marked(a, 100);
    t.marked(aLink, 100);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 100);
    t.marked(b, 50);
    t.marked(other, 7); // same inode number on another device: another file
    EXPECT_EQ(t.bytes(), 157);
    t.unmarked(a, 100);
    EXPECT_EQ(t.bytes(), 157); // its other name stays marked
    t.unmarked(aLink, 100);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 57);
    t.clear();
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.bytes(), 0);
}

TEST(MarkTotals, GoneFilesAndUnknownIdentities)
{
    MarkTotals t;
    t.marked(file(1, 10), -1); // vanished: nothing counted
    EXPECT_EQ(t.count(), 0);
    // No identity recorded: every record is a file of its own.
    t.marked(file(0, 0), 30);
    t.marked(file(0, 0), 30);
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.bytes(), 60);
    t.unmarked(file(0, 0), 30);
    EXPECT_EQ(t.bytes(), 30);
}

TEST(MarkTotals, OnlyFilesSeenWithOtherNamesAreMatchedByInode)
{
    // A scan that saw a single name needs no table entry for it; the names
    // of a hard-linked file still count once, and a file scanned with one
    // name is not matched against another row's inode.
    MarkTotals t;
    t.marked(file(1, 10, false), 100);
    t.marked(file(1, 20, true), 40);
    t.marked(file(1, 20, true), 40);
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.bytes(), 140);
    t.unmarked(file(1, 10, false), 100);
    t.unmarked(file(1, 20, true), 40);
    EXPECT_EQ(t.bytes(), 40);
}

// Sparse files can claim sizes near the top of the 64-bit range: the sum of
// several stops at the top instead of turning negative, and unmarking takes
// back exactly what marking added.
TEST(MarkTotals, SumsBeyondTheRangeStopAtTheTopAndUnmarkExactly)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    MarkTotals t;
    t.marked(file(1, 1, false), kMax - 5);
    t.marked(file(1, 2, false), kMax - 5);
    t.marked(file(1, 3, false), kMax);
    EXPECT_EQ(t.bytes(), kMax);
    t.unmarked(file(1, 3, false), kMax);
    EXPECT_EQ(t.bytes(), kMax);
    t.unmarked(file(1, 2, false), kMax - 5);
    EXPECT_EQ(t.bytes(), kMax - 5);
    t.unmarked(file(1, 1, false), kMax - 5);
    EXPECT_EQ(t.bytes(), 0);
}
