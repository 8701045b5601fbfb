// The comparison of two scans as grid rows: texts of every column, folders
// named by their bytes below the root, unchanged folders left out, and the
// choice of the scan a week before.
#include <gtest/gtest.h>

#include "tools/grew/core/GrowthList.h"

using namespace rw;

namespace
{

using Change = FolderGrowthRow::Change;

StoredScan scanAt(std::int64_t id, std::int64_t taken, bool complete = true)
{
    StoredScan s;
    s.id = id;
    s.taken = taken;
    s.complete = complete;
    return s;
}

} // namespace

TEST(GrowthList, EveryChangedFolderIsARowNamedByItsBytes)
{
    const QByteArray root("/srv\xff", 5);
    const std::vector<FolderGrowthRow> rows = {
        {"", 1000, 1500, Change::Grown}, {"a", 200, 700, Change::Grown},
        {"b\tc", 300, 0, Change::Gone},  {QByteArray("n\ny/z"), 0, 100, Change::New},
        {"same", 50, 50, Change::Same},  {"less", 400, 300, Change::Shrunk},
    };
    const std::shared_ptr<ResultLines> lines = growthLines(root, rows);
    ASSERT_EQ(lines->set().size(), 5u) << "unchanged folders are not listed";
    const struct {
        QByteArray path;
        QString line;
    } expected[] = {
        {root, "Grown\t1,000\t1,500\t+500\t100.00\t/srv\\xFF"},
        {root + "/a", "Grown\t200\t700\t+500\t100.00\t/srv\\xFF/a"},
        {root + "/b\tc", "Gone\t300\t0\t-300\t-60.00\t/srv\\xFF/b\\tc"},
        {root + "/n\ny/z", "New\t0\t100\t+100\t20.00\t/srv\\xFF/n\\ny/z"},
        {root + "/less", "Shrunk\t400\t300\t-100\t-20.00\t/srv\\xFF/less"},
    };
    for (std::uint32_t rec = 0; rec < lines->set().size(); ++rec) {
        SCOPED_TRACE(rec);
        EXPECT_EQ(lines->set().pathBytes(rec), expected[rec].path);
        EXPECT_EQ(lines->line(rec), expected[rec].line);
    }
}

TEST(GrowthList, UnderTheTopFolderAndWithoutChangeOfTheWhole)
{
    const std::vector<FolderGrowthRow> rows = {
        {"", 100, 100, Change::Same},
        {"x", 0, 40, Change::New},
        {"y", 40, 0, Change::Gone},
    };
    const std::shared_ptr<ResultLines> lines = growthLines("/", rows);
    ASSERT_EQ(lines->set().size(), 2u);
    EXPECT_EQ(lines->set().pathBytes(0), "/x");
    EXPECT_EQ(lines->set().pathBytes(1), "/y");
    // No share of a change the whole did not make.
    EXPECT_EQ(lines->line(0), "New\t0\t40\t+40\t\t/x");
}

TEST(GrowthList, OnlyWholeScansAreCompared)
{
    const std::vector<StoredScan> scans = {scanAt(4, 400, false), scanAt(3, 300), scanAt(2, 200),
                                           scanAt(1, 100, false)};
    const std::vector<StoredScan> whole = comparableScans(scans);
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_EQ(whole[0].id, 3);
    EXPECT_EQ(whole[1].id, 2);
}

TEST(GrowthList, TheScanAWeekBefore)
{
    constexpr std::int64_t day = 24 * 3600;
    // Newest first.
    const std::vector<StoredScan> scans = {scanAt(5, 30 * day), scanAt(4, 29 * day),
                                           scanAt(3, 24 * day), scanAt(2, 22 * day),
                                           scanAt(1, 10 * day)};
    const struct {
        std::int64_t taken;
        int index;
    } table[] = {
        {30 * day, 3},  // 6 days before is not a week: the next one is
        {31 * day, 2},  // exactly seven days
        {29 * day, 3},  //
        {22 * day, 4},  // only one older, 12 days
        {11 * day, 4},  // none a week older: the oldest before
        {10 * day, -1}, // none older at all
    };
    for (const auto& row : table)
        EXPECT_EQ(scanAWeekBefore(scans, row.taken), row.index) << row.taken / day;
}
