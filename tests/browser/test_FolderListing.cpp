#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include "app/core/SharedRoutines.h"
#include "browser/core/FolderListing.h"
#include "tests/support/FixtureBuilder.h"

using rw::folderListingCells;
using rw::listFolderFiles;

namespace
{

QStringList names(const rw::FolderListing& listing)
{
    QStringList out;
    for (const rw::ListedFile& f : listing.files)
        out << f.shownName;
    return out;
}

} // namespace

TEST(FolderListing, ListsOnlyPlainFilesAndLinksInNameOrder)
{
    rwtest::FixtureBuilder fx;
    fx.file("dir/beta.txt", 30);
    fx.file("dir/Alpha.TXT", 10);
    fx.file("dir/gamma", 5);
    fx.file("dir/.hidden.txt", 99);
    fx.folder("dir/sub.txt");
    fx.fifo("dir/pipe.txt");
    fx.symlink("dir/link.txt", "/nowhere/at/all"); // dangling: listed as itself

    const rw::FolderListing listing = listFolderFiles(fx.path("dir"), "*.*");
    ASSERT_TRUE(listing.readable);
    EXPECT_EQ(names(listing), (QStringList{"Alpha.TXT", "beta.txt", "gamma", "link.txt"}));
    // The link counts with its own size (the length of its target text).
    EXPECT_EQ(listing.files[3].size, 15);
    EXPECT_EQ(listing.totalSize, 10 + 30 + 5 + 15);
}

TEST(FolderListing, MaskFollowsTheCommandLineRules)
{
    rwtest::FixtureBuilder fx;
    for (const char* name : {"a.txt", "B.TXT", "c.doc", "readme", "d.txt.bak"})
        fx.file(QString("dir/") + name, 1);

    const struct {
        const char* mask;
        QStringList expected;
    } cases[] = {
        {"*.txt", {"a.txt", "B.TXT"}},
        {"*.", {"readme"}},
        {"*", {"a.txt", "B.TXT", "c.doc", "d.txt.bak", "readme"}},
        {"", {"a.txt", "B.TXT", "c.doc", "d.txt.bak", "readme"}},
        {"?.doc", {"c.doc"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(names(listFolderFiles(fx.path("dir"), c.mask)), c.expected) << c.mask;
}

TEST(FolderListing, TotalsAreSixtyFourBit)
{
    rwtest::FixtureBuilder fx;
    fx.sparseFile("dir/huge.img", 5'000'000'000LL);
    fx.sparseFile("dir/big.img", 3'000'000'000LL);
    const rw::FolderListing listing = listFolderFiles(fx.path("dir"), "*.img");
    ASSERT_EQ(listing.files.size(), 2u);
    EXPECT_EQ(listing.totalSize, 8'000'000'000LL);
    EXPECT_EQ(folderListingCells(listing.files[1])[3], "5,000,000,000");
}

TEST(FolderListing, CellsShowDatesSizeNameAndType)
{
    rwtest::FixtureBuilder fx;
    fx.file("dir/notes.xyz", 1234);
    fx.file("dir/Makefile", 1);
    const QDateTime modified(QDate(2021, 3, 4), QTime(13, 14, 16));
    const QDateTime accessed(QDate(2022, 5, 6), QTime(7, 8, 10));
    fx.setTimes("dir/notes.xyz", modified, accessed);

    const rw::FolderListing listing = listFolderFiles(fx.path("dir"), "*.*");
    ASSERT_EQ(listing.files.size(), 2u);
    EXPECT_EQ(
        folderListingCells(listing.files[1]),
        (QStringList{rw::formatShortDate(modified.date()),
                     QLocale().toString(modified.time(), rw::longTimeFormat()),
                     rw::formatShortDate(accessed.date()), "1,234", "notes.xyz", "XYZ File"}));
    // No extension: no type, which is what keeps double click from marking it.
    EXPECT_EQ(folderListingCells(listing.files[0])[5], "");
}

TEST(FolderListing, MissingFolderIsReportedNotListed)
{
    rwtest::FixtureBuilder fx;
    const rw::FolderListing listing = listFolderFiles(fx.path("gone"), "*.*");
    EXPECT_FALSE(listing.readable);
    EXPECT_NE(listing.error, 0);
    EXPECT_TRUE(listing.files.empty());
}
