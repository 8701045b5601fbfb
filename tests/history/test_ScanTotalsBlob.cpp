// A scan's packed totals come back exactly as they went in, and a value
// that is not such a blob (damaged, cut short, from a shared store anyone
// may write) is refused without reading past its end or allocating what
// its header claims.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "history/core/ScanTotalsBlob.h"

using namespace rw;

namespace
{

constexpr std::int64_t kTaken = 1'700'000'000;

std::vector<PackedTotals> sampleRows()
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    return {
        {7, 4096, 8192, 3, 1, kTaken - 60},
        {2, 0, 0, 0, 0, 0},                                      // empty folder, never changed
        {1'000'000'000'000, kMax, 0, kMax, kMax, kTaken + 3600}, // clock ahead
        {3, 1, 1'000'000'000, 1, 0, -5},                         // sparse: disk far from size
    };
}

// A header whose size varint claims `claimed` raw bytes in front of `body`.
QByteArray withClaimedSize(std::uint64_t claimed, const QByteArray& body)
{
    QByteArray out(1, char(1));
    while (claimed >= 0x80) {
        out.append(char(0x80 | (claimed & 0x7F)));
        claimed >>= 7;
    }
    out.append(char(claimed));
    return out + body;
}

} // namespace

TEST(ScanTotalsBlob, RoundTripsEveryFieldSortedById)
{
    std::vector<PackedTotals> rows = sampleRows();
    const QByteArray packed = packScanTotals(rows, kTaken);

    std::vector<PackedTotals> back;
    ASSERT_TRUE(unpackScanTotals(packed, kTaken, &back));
    std::vector<PackedTotals> expected = sampleRows();
    std::sort(expected.begin(), expected.end(),
              [](const PackedTotals& a, const PackedTotals& b) { return a.folderId < b.folderId; });
    ASSERT_EQ(back.size(), expected.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i].folderId, expected[i].folderId);
        EXPECT_EQ(back[i].bytes, expected[i].bytes);
        EXPECT_EQ(back[i].disk, expected[i].disk);
        EXPECT_EQ(back[i].files, expected[i].files);
        EXPECT_EQ(back[i].subFolders, expected[i].subFolders);
        EXPECT_EQ(back[i].latest, expected[i].latest);
    }

    std::vector<PackedTotals> none;
    std::vector<PackedTotals> emptyBack{{1, 1, 1, 1, 1, 1}};
    ASSERT_TRUE(unpackScanTotals(packScanTotals(none, kTaken), kTaken, &emptyBack));
    EXPECT_TRUE(emptyBack.empty());
}

TEST(ScanTotalsBlob, RefusesDamagedValuesAndLeavesNoRows)
{
    std::vector<PackedTotals> rows = sampleRows();
    const QByteArray good = packScanTotals(rows, kTaken);
    QByteArray newerFormat = good;
    newerFormat[0] = char(2);
    QByteArray flipped = good;
    flipped[good.size() / 2] = char(flipped[good.size() / 2] ^ 0x5A);

    const struct {
        const char* what;
        QByteArray value;
    } cases[] = {
        {"empty", QByteArray()},
        {"format byte only", QByteArray(1, char(1))},
        {"a newer format", newerFormat},
        {"cut short", good.left(good.size() - 3)},
        {"trailing bytes", good + QByteArray("xyz")},
        {"a flipped byte in the body", flipped},
        {"a size varint that never ends",
         QByteArray("\x01\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff")},
        // The header says 200 GB follow a few bytes: refused before any
        // buffer of that size is asked for (asking would fail or throw on
        // any machine with less memory).
        {"a size the body cannot hold", withClaimedSize(200'000'000'000ULL, good.mid(2))},
        {"a size just past what deflate can expand to",
         withClaimedSize(1032 * 64 + 9, QByteArray(64, '\0'))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<PackedTotals> back{{1, 1, 1, 1, 1, 1}};
        EXPECT_FALSE(unpackScanTotals(c.value, kTaken, &back));
        EXPECT_TRUE(back.empty());
    }
}
