#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/SharedRoutines.h"
#include "browser/core/FolderListing.h"
#include "framework/core/FileTypes.h"
#include "platform/DisplayName.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/WithoutReadOverride.h"

using rw::listFolderFiles;

namespace
{

rw::FolderListing listAt(const QString& folder, const QString& mask)
{
    return listFolderFiles(QFile::encodeName(folder), mask);
}

QStringList names(const rw::FolderListing& listing)
{
    QStringList out;
    for (std::uint32_t r = 0; r < listing.count(); ++r)
        out << listing.set->nameText(r);
    return out;
}

// The six cells of record `rec` as the grid shows them.
QStringList cells(const rw::FolderListing& listing, std::uint32_t rec)
{
    const auto lines = rw::folderListingLines(listing);
    QStringList out;
    for (int n = 0; n < lines->fieldCount(); ++n)
        out << lines->field(rec, n);
    return out;
}

// A file whose name is given as raw bytes, `size` bytes of `fill`.
void writeFile(const QByteArray& path, int size, char fill = 'x')
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    const QByteArray content(size, fill);
    EXPECT_EQ(::write(fd, content.constData(), std::size_t(size)), size);
    ::close(fd);
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

    const rw::FolderListing listing = listAt(fx.path("dir"), "*.*");
    ASSERT_TRUE(listing.readable);
    EXPECT_EQ(names(listing), (QStringList{"Alpha.TXT", "beta.txt", "gamma", "link.txt"}));
    // The link counts with its own size (the length of its target text).
    EXPECT_EQ(listing.set->record(3).size, 15);
    EXPECT_EQ(listing.set->identity(3).type, rw::FileIdentity::Type::SymLink);
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
        EXPECT_EQ(names(listAt(fx.path("dir"), c.mask)), c.expected) << c.mask;
}

TEST(FolderListing, TotalsAreSixtyFourBit)
{
    rwtest::FixtureBuilder fx;
    fx.sparseFile("dir/huge.img", 5'000'000'000LL);
    fx.sparseFile("dir/big.img", 3'000'000'000LL);
    const rw::FolderListing listing = listAt(fx.path("dir"), "*.img");
    ASSERT_EQ(listing.count(), 2u);
    EXPECT_EQ(listing.totalSize, 8'000'000'000LL);
    EXPECT_EQ(cells(listing, 1)[3], "5,000,000,000");
}

TEST(FolderListing, CellsShowDatesSizeNameAndType)
{
    rwtest::FixtureBuilder fx;
    fx.file("dir/notes.xyz", 1234);
    fx.file("dir/Makefile", 1);
    const QDateTime modified(QDate(2021, 3, 4), QTime(13, 14, 16));
    const QDateTime accessed(QDate(2022, 5, 6), QTime(7, 8, 10));
    fx.setTimes("dir/notes.xyz", modified, accessed);

    const rw::FolderListing listing = listAt(fx.path("dir"), "*.*");
    ASSERT_EQ(listing.count(), 2u);
    EXPECT_EQ(
        cells(listing, 1),
        (QStringList{rw::formatShortDate(modified.date()),
                     QLocale().toString(modified.time(), rw::longTimeFormat()),
                     rw::formatShortDate(accessed.date()), "1,234", "notes.xyz", "XYZ File"}));
    // No extension: no type, which is what keeps double click from marking it.
    EXPECT_EQ(cells(listing, 0)[5], "");
    // A name ending in a dot has the extension "." and its type text.
    fx.file("dotted/dotend.", 1);
    const rw::FolderListing dotted = listAt(fx.path("dotted"), "*.*");
    ASSERT_EQ(dotted.count(), 1u);
    EXPECT_EQ(cells(dotted, 0)[5], " File");
}

TEST(FolderListing, MissingFolderIsReportedNotListed)
{
    rwtest::FixtureBuilder fx;
    const rw::FolderListing listing = listAt(fx.path("gone"), "*.*");
    EXPECT_FALSE(listing.readable);
    EXPECT_NE(listing.error, 0);
    EXPECT_EQ(listing.count(), 0u);
    EXPECT_EQ(listing.set->folderCount(), 0u);
}

TEST(FolderListing, FolderThatCannotBeReadIsSaidWithTheReason)
{
    rwtest::FixtureBuilder fx;
    fx.file("locked/inside.txt", 5);
    fx.setMode("locked", 0000);
    rw::FolderListing listing;
    {
        rwtest::WithoutReadOverride notRoot;
        listing = listAt(fx.path("locked"), "*.*");
    }
    fx.setMode("locked", 0755);
    EXPECT_FALSE(listing.readable);
    EXPECT_EQ(listing.error, EACCES);
    const QString text = listing.unreadableText(QFile::encodeName(fx.path("locked")));
    EXPECT_TRUE(text.contains(fx.path("locked"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromLocal8Bit(std::strerror(EACCES)))) << text.toStdString();
    // A folder that was read says nothing.
    EXPECT_TRUE(listAt(fx.path("locked"), "*.*").unreadableText("x").isEmpty());
}

TEST(FolderListing, RecordsKeepTheBytesOfOddNames)
{
    rwtest::FixtureBuilder fx;
    const QByteArray dir = QFile::encodeName(fx.folder("odd"));
    const QByteArray longName = QByteArray(251, 'L') + ".txt";
    const struct {
        QByteArray name;
        int size;
        QString shown;
    } files[] = {
        {"x\xff.txt", 300, "x\\xFF.txt"},
        {"x\xef\xbf\xbd.txt", 400, QString::fromUtf8("x\xef\xbf\xbd.txt")},
        {"t\tab.txt", 7, "t\\tab.txt"},
        {"new\nline.txt", 11, "new\\nline.txt"},
        {"back\\slash.txt", 13, "back\\\\slash.txt"},
        {longName, 17, QString::fromLatin1(longName)},
    };
    for (const auto& f : files)
        writeFile(dir + '/' + f.name, f.size);

    const rw::FolderListing listing = listFolderFiles(dir, "*.txt");
    ASSERT_EQ(listing.count(), std::size(files));
    EXPECT_EQ(listing.totalSize, 300 + 400 + 7 + 11 + 13 + 17);
    // The one folder is the one listed, with the identity of what was read.
    ASSERT_EQ(listing.set->folderCount(), 1u);
    EXPECT_EQ(listing.set->folder(0).path, dir);
    struct stat st {
    };
    ASSERT_EQ(::stat(dir.constData(), &st), 0);
    EXPECT_EQ(listing.set->folder(0).identity,
              (rw::FileIdentity{st.st_dev, st.st_ino, rw::FileIdentity::Type::Folder}));

    for (const auto& f : files) {
        std::uint32_t rec = 0;
        while (rec < listing.count() &&
               listing.set->name(rec) != std::string_view(f.name.constData(), f.name.size()))
            ++rec;
        ASSERT_LT(rec, listing.count()) << f.shown.toStdString();
        EXPECT_EQ(listing.set->record(rec).size, f.size) << f.shown.toStdString();
        EXPECT_EQ(listing.set->pathBytes(rec), dir + '/' + f.name);
        // Whole name in one cell, and the type of its extension.
        const QStringList c = cells(listing, rec);
        EXPECT_EQ(c[4], f.shown);
        EXPECT_EQ(c[5], rw::FileTypeDescription(".txt")) << f.shown.toStdString();
    }
    // Shown order without regard to case; the look-alikes stay apart.
    EXPECT_EQ(names(listing).indexOf(QString::fromUtf8("x\xef\xbf\xbd.txt")),
              names(listing).lastIndexOf(QString::fromUtf8("x\xef\xbf\xbd.txt")));
    QStringList sorted = names(listing);
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(names(listing), sorted);
}
