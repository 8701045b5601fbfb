#include "platform/DataExtents.h"

#include "platform/ReadOnlyOpen.h"
#include "tests/support/FixtureBuilder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstdint>
#include <utility>
#include <vector>

namespace
{

using Ranges = std::vector<std::pair<std::int64_t, std::int64_t>>;

Ranges dataOf(const QString& path, std::int64_t size)
{
    const rw::FileDescriptor fd = rw::openRegularFileForReading(QFile::encodeName(path));
    EXPECT_TRUE(fd.isValid());
    rw::DataExtents extents(fd.get(), size);
    Ranges out;
    std::int64_t start = 0;
    std::int64_t end = 0;
    for (std::int64_t at = 0; extents.next(at, &start, &end); at = end)
        out.emplace_back(start, end);
    return out;
}

constexpr std::int64_t kMiB = std::int64_t(1) << 20;

TEST(DataExtents, FindsTheWrittenRangesOfASparseFile)
{
    rwtest::FixtureBuilder fx;
    // Data at 1 MiB and at the last block of 64 MiB, holes elsewhere.
    fx.sparseFile("sparse.img", 64 * kMiB);
    fx.writeAt("sparse.img", kMiB, QByteArray(4096, 'a'));
    fx.writeAt("sparse.img", 64 * kMiB - 4096, QByteArray(4096, 'b'));
    const Ranges ranges = dataOf(fx.path("sparse.img"), 64 * kMiB);
    // The file system may report more data than was written (never less):
    // every written byte lies in a range, and most of the file does not.
    std::int64_t covered = 0;
    bool first = false;
    bool last = false;
    for (const auto& [s, e] : ranges) {
        EXPECT_LT(s, e);
        covered += e - s;
        first = first || (s <= kMiB && e >= kMiB + 4096);
        last = last || (s <= 64 * kMiB - 4096 && e == 64 * kMiB);
    }
    EXPECT_TRUE(first);
    EXPECT_TRUE(last);
    EXPECT_LT(covered, 8 * kMiB);

    // Only a hole: no data at all; cut at the size the reader asked for.
    fx.sparseFile("empty.img", 16 * kMiB);
    EXPECT_TRUE(dataOf(fx.path("empty.img"), 16 * kMiB).empty());
    EXPECT_EQ(dataOf(fx.path("sparse.img"), kMiB + 100), (Ranges{{kMiB, kMiB + 100}}));
    EXPECT_TRUE(dataOf(fx.path("sparse.img"), 0).empty());
}

} // namespace
