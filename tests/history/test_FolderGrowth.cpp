// Folder by folder, what grew between two scans: grown, shrunk, new, gone
// (a rename is both), unchanged ones last, largest change first.
#include <gtest/gtest.h>

#include "history/core/FolderGrowth.h"

using namespace rw;
using Change = FolderGrowthRow::Change;

TEST(FolderGrowth, EveryFolderOnceLargestChangeFirst)
{
    const std::vector<FolderTotalsRow> before = {
        {"", 1000},        {"docs", 300}, {"photos", 500},
        {"old name", 100}, {"same", 100}, {QByteArray("bad\xff", 4), 0},
    };
    const std::vector<FolderTotalsRow> after = {
        {"", 1800},
        {"docs", 250},
        {"photos", 1200},
        {"new name", 100},
        {"same", 100},
        {"cache", 150},
        {QByteArray("bad\xff", 4), 0},
    };
    const std::vector<FolderGrowthRow> rows = compareScans(before, after);
    const struct {
        QByteArray path;
        std::int64_t before, after;
        Change change;
    } expected[] = {
        {"", 1000, 1800, Change::Grown},
        {"photos", 500, 1200, Change::Grown},
        {"cache", 0, 150, Change::New},
        {"new name", 0, 100, Change::New},
        {"old name", 100, 0, Change::Gone},
        {"docs", 300, 250, Change::Shrunk},
        {QByteArray("bad\xff", 4), 0, 0, Change::Same},
        {"same", 100, 100, Change::Same},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].path, expected[i].path);
        EXPECT_EQ(rows[i].before, expected[i].before);
        EXPECT_EQ(rows[i].after, expected[i].after);
        EXPECT_EQ(int(rows[i].change), int(expected[i].change));
    }
}
