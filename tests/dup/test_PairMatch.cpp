#include <gtest/gtest.h>

#include "tools/dup/core/PairMatch.h"

using namespace rw;

namespace
{

const QStringList kHeading = {"Filename", "Size", "Modified", "Time", "Access", "Folder", "Type"};

QStringList row(const QString& name, const QString& size, const QString& date = "1/2/2024",
                const QString& time = "10:00:00 AM", const QString& type = "Text",
                const QString& folder = "/data")
{
    return {name, size, date, time, "1/3/2024", folder, type};
}

DupGridCopy gridOf(const QVector<QStringList>& rows)
{
    DupGridCopy g;
    QVector<QStringList> all{kHeading};
    all += rows;
    g.setRows(all);
    return g;
}

} // namespace

TEST(PairMatch, EachModeComparesItsOwnColumns)
{
    const QStringList base = row("README.TXT", "1,200");
    struct Case {
        const char* what;
        QStringList other;
        bool expected[7]; // modes 0..6
    };
    const Case cases[] = {
        {"name differs only in case",
         row("readme.txt", "1,200"),
         {true, true, true, true, true, true, true}},
        {"other name, same size (a size-only pair)",
         row("notes.txt", "1,200"),
         {false, false, false, true, true, true, true}},
        {"other size", row("README.TXT", "1,201"), {true, false, false, false, false, false, true}},
        {"other date",
         row("README.TXT", "1,200", "1/5/2024"),
         {true, true, false, true, false, true, false}},
        {"other time",
         row("README.TXT", "1,200", "1/2/2024", "10:00:02 AM"),
         {true, true, false, true, false, true, false}},
        {"other type",
         row("README.TXT", "1,200", "1/2/2024", "10:00:00 AM", "Document"),
         {true, true, true, true, true, false, false}},
        {"other folder and access date never count",
         {"README.TXT", "1,200", "1/2/2024", "10:00:00 AM", "7/7/2023", "/else", "Text"},
         {true, true, true, true, true, true, true}},
        {"type compared exactly",
         row("README.TXT", "1,200", "1/2/2024", "10:00:00 AM", "TEXT"),
         {true, true, true, true, true, false, false}},
    };
    for (const Case& c : cases) {
        const DupGridCopy g = gridOf({base, c.other});
        for (int mode = 0; mode < 7; ++mode)
            EXPECT_EQ(qPairMatches(g, mode, 1), c.expected[mode]) << c.what << ", mode " << mode;
        // Outside the eight rules every pair matches.
        EXPECT_TRUE(qPairMatches(g, 8, 1)) << c.what;
        EXPECT_TRUE(qPairMatches(g, -1, 1)) << c.what;
        // "Size and contents" pairs rows by their group, not by their cells:
        // these rows carry none.
        EXPECT_FALSE(qPairMatches(g, kContentsMatchMode, 1)) << c.what;
        // There is no partner past the last row, nor a pair with the heading.
        EXPECT_FALSE(qPairMatches(g, 8, 2)) << c.what;
        EXPECT_FALSE(qPairMatches(g, 8, 0)) << c.what;
    }
}

TEST(PairMatch, ContentPairsAreTwoFilesOfOneGroup)
{
    // Group 0: file 0 with two names (hard links), file 1. Group 1: files 2, 3.
    auto member = [](const QString& name, int group, int file) {
        QStringList r = row(name, "10");
        r << QString::number(group) << QString::number(file);
        return r;
    };
    const DupGridCopy g = gridOf({member("a", 0, 0), member("a-link", 0, 0), member("b", 0, 1),
                                  member("c", 1, 2), member("d", 1, 3)});
    const int mode = kContentsMatchMode;
    EXPECT_FALSE(qPairMatches(g, mode, 1)); // two names of one file
    EXPECT_TRUE(qPairMatches(g, mode, 2));
    EXPECT_FALSE(qPairMatches(g, mode, 3)); // across groups, though the sizes agree
    EXPECT_TRUE(qPairMatches(g, mode, 4));
    EXPECT_EQ(nextPairRow(g, mode, 1), 2);
    EXPECT_EQ(nextPairRow(g, mode, 2), 4);
    EXPECT_EQ(previousPairRow(g, mode, 4), 2);

    // The copy keeps the group and file columns.
    DupGridCopy copy;
    copy.copyFrom(g);
    EXPECT_EQ(copy.cell(dcGroup, 4), "1");
    EXPECT_EQ(copy.cell(dcFile, 2), "0");
}

TEST(PairMatch, StepsForwardAndBackThroughPairs)
{
    // Groups: rows 1-2 (a), rows 3-5 (b), row 6 alone, rows 7-8 (c).
    const DupGridCopy g = gridOf({row("a", "1"), row("A", "1"), row("b", "2"), row("b", "2"),
                                  row("B", "2"), row("x", "9"), row("c", "3"), row("c", "3")});
    const int mode = 1;
    EXPECT_EQ(nextPairRow(g, mode, 1), 3);
    EXPECT_EQ(nextPairRow(g, mode, 3), 4);
    EXPECT_EQ(nextPairRow(g, mode, 4), 7); // skips 5-6 and 6-7
    // On the second-to-last row (7 of 8): nothing happens.
    EXPECT_EQ(nextPairRow(g, mode, 7), -1);
    EXPECT_EQ(nextPairRow(g, mode, 8), -1);

    EXPECT_EQ(previousPairRow(g, mode, 7), 4);
    EXPECT_EQ(previousPairRow(g, mode, 4), 3);
    EXPECT_EQ(previousPairRow(g, mode, 3), 1);
    EXPECT_EQ(previousPairRow(g, mode, 1), -1); // on row 1: nothing happens
    EXPECT_EQ(GetPrevDupRow(g, mode, 7), 4);
    EXPECT_EQ(GetNextDupRow(g, mode, 4), 7);
}

TEST(PairMatch, NoLaterPairStaysAndNoEarlierPairLandsOnTheFirstRows)
{
    // Only rows 3-4 pair up.
    const DupGridCopy g = gridOf(
        {row("a", "1"), row("b", "2"), row("c", "3"), row("c", "3"), row("d", "4"), row("e", "5")});
    const int mode = 0;
    // The search itself ends on the last row, which has no partner ...
    EXPECT_EQ(GetNextDupRow(g, mode, 3), 6);
    // ... so the step stays where it is.
    EXPECT_EQ(nextPairRow(g, mode, 3), -1);
    EXPECT_EQ(nextPairRow(g, mode, 1), 3);
    // Backwards with no earlier match: rows 1 and 2, even though they differ.
    EXPECT_EQ(previousPairRow(g, mode, 3), 1);
    EXPECT_EQ(previousPairRow(g, mode, 2), 1);
}

TEST(PairMatch, CopyKeepsEveryCellAndAnswersEmptyOutside)
{
    const DupGridCopy source = gridOf({row("a", "1"), row("b", "2")});
    DupGridCopy copy;
    copy.copyFrom(source);
    ASSERT_EQ(copy.rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < dcColumnCount; ++c)
            EXPECT_EQ(copy.cell(c, r), source.cell(c, r));
    EXPECT_EQ(copy.cell(dcFolder, 2), "/data");
    EXPECT_EQ(copy.cell(0, 3), "");
    EXPECT_EQ(copy.cell(dcCopiedColumnCount, 1), "");
}

TEST(PairMatch, CrcLabelIsBlankPaddedUpperCaseHex)
{
    EXPECT_EQ(crcLabelText(0xCBF43926u), "CBF43926");
    EXPECT_EQ(crcLabelText(0x3F1A0Cu), "  3F1A0C");
    EXPECT_EQ(crcLabelText(0xABCu), "     ABC");
    EXPECT_EQ(crcLabelText(0u), "       0");
    EXPECT_EQ(crcVerdict(5, 5), " file contents are identical");
    EXPECT_EQ(crcVerdict(5, 6), " file contents differ");
}

TEST(PairMatch, VersionLinesDifferOnlyWhenBothFilesHaveThem)
{
    const QStringList absent = {"Extended profile absent"};
    const QStringList a = {"Company: Acme", "File version: 1.0"};
    const QStringList b = {"Company: Acme", "File version: 2.0"};
    EXPECT_FALSE(versionLineDiffers(a, b, 0));
    EXPECT_TRUE(versionLineDiffers(a, b, 1));
    EXPECT_FALSE(versionLineDiffers(a, absent, 0));
    EXPECT_FALSE(versionLineDiffers(absent, b, 1));
    EXPECT_FALSE(versionLineDiffers(absent, absent, 0));
}
