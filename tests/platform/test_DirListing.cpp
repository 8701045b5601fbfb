#include "platform/DirListing.h"
#include "platform/FileAttributes.h"

#include "tests/support/FixtureBuilder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <map>
#include <string>

namespace
{

std::map<std::string, rw::EntryType> listAll(rw::DirListing& listing)
{
    std::map<std::string, rw::EntryType> out;
    std::size_t cursor = 0;
    rw::DirEntry e;
    while (listing.next(cursor, &e))
        out[std::string(e.name)] = e.type;
    return out;
}

TEST(DirListing, ListsEveryEntryWithItsKindButNotDotEntries)
{
    rwtest::FixtureBuilder fx;
    fx.file("plain.txt", 10);
    fx.file(".hidden", 1);
    fx.folder("sub");
    fx.symlink("link", "sub");
    fx.fifo("pipe");

    rw::DirListing listing;
    ASSERT_TRUE(listing.open(QFile::encodeName(fx.base())));
    ASSERT_TRUE(listing.readAll());
    const auto entries = listAll(listing);
    const std::map<std::string, rw::EntryType> expected = {
        {"plain.txt", rw::EntryType::File}, {".hidden", rw::EntryType::File},
        {"sub", rw::EntryType::Directory},  {"link", rw::EntryType::SymLink},
        {"pipe", rw::EntryType::Special},
    };
    EXPECT_EQ(entries, expected);
}

TEST(DirListing, StatusGivesSizeTimesAndAttributes)
{
    rwtest::FixtureBuilder fx;
    fx.file("data.bin", 1234);
    fx.file(".dot", 0);
    fx.file("ro.txt", 3);
    fx.setMode("ro.txt", 0444);
    fx.fifo("pipe");
    fx.symlink("link", "data.bin");
    fx.hardlink("again.bin", "data.bin");
    const QDateTime modified(QDate(2001, 2, 3), QTime(4, 5, 6));
    const QDateTime accessed(QDate(2002, 3, 4), QTime(5, 6, 8));
    fx.setTimes("data.bin", modified, accessed);

    rw::DirListing listing;
    ASSERT_TRUE(listing.open(QFile::encodeName(fx.base())));
    rw::FileStatus st;
    ASSERT_TRUE(listing.status("data.bin", &st));
    EXPECT_EQ(st.size, 1234);
    EXPECT_EQ(st.attributes, 0u);
    EXPECT_EQ(st.mtime, modified.toSecsSinceEpoch());
    EXPECT_EQ(st.atime, accessed.toSecsSinceEpoch());
    EXPECT_EQ(st.nlink, 2u);
    EXPECT_NE(st.ino, 0u);

    ASSERT_TRUE(listing.status(".dot", &st));
    EXPECT_EQ(st.attributes, std::uint32_t(rw::faHidden));
    ASSERT_TRUE(listing.status("ro.txt", &st));
    EXPECT_EQ(st.attributes, std::uint32_t(rw::faReadOnly));
    ASSERT_TRUE(listing.status("pipe", &st));
    EXPECT_TRUE(st.attributes & rw::faSysFile);
    ASSERT_TRUE(listing.status("link", &st)); // the link itself, not its target
    EXPECT_TRUE(st.attributes & rw::faSymLink);
    EXPECT_NE(st.size, 1234);
    EXPECT_FALSE(listing.status("missing", &st));
}

TEST(DirListing, RefusesLinksAndFilesAsFolders)
{
    rwtest::FixtureBuilder fx;
    fx.folder("real");
    fx.symlink("alias", "real");
    fx.file("file.txt", 1);
    const QByteArray base = QFile::encodeName(fx.base());

    rw::DirListing listing;
    EXPECT_FALSE(listing.open(base + "/alias"));
    EXPECT_FALSE(listing.isOpen());
    EXPECT_TRUE(listing.open(base + "/alias", /*followLink=*/true));
    EXPECT_FALSE(listing.open(base + "/file.txt"));
    EXPECT_FALSE(listing.open(base + "/nothing"));

    // Relative to a parent descriptor.
    rw::DirListing parent;
    ASSERT_TRUE(parent.open(base));
    EXPECT_TRUE(listing.open(parent.fd(), "real"));
    EXPECT_FALSE(listing.open(parent.fd(), "alias"));
}

TEST(DirListing, ReattachKeepsTheEntriesRead)
{
    rwtest::FixtureBuilder fx;
    for (int i = 0; i < 300; ++i) // more than one read of the kernel buffer
        fx.file(QStringLiteral("a_rather_long_file_name_to_fill_buffers_%1.txt").arg(i));
    const QByteArray base = QFile::encodeName(fx.base());
    rw::DirListing listing;
    ASSERT_TRUE(listing.open(base));
    ASSERT_TRUE(listing.readAll());
    rw::FileStatus self;
    ASSERT_TRUE(listing.selfStatus(&self));
    listing.releaseDescriptor();
    EXPECT_FALSE(listing.isOpen());
    listing.reattach(rw::openFolderChecked(rw::DirListing::kWorkingFolder, base.constData(),
                                           self.dev, self.ino));
    ASSERT_TRUE(listing.isOpen());
    EXPECT_EQ(listAll(listing).size(), 300u);
    rw::FileStatus st;
    EXPECT_TRUE(listing.status("a_rather_long_file_name_to_fill_buffers_7.txt", &st));
}

} // namespace

namespace
{

// The walk's decision on a folder's mount, apart from any real mount: a
// device change always ends the walk there; with both mount ids known a
// different id does too (a bind mount of the same file system); an id the
// kernel did not give leaves the device alone to decide.
TEST(MountIdentity, SameMountDecision)
{
    struct Case {
        rw::MountIdentity root, folder;
        bool same;
    } cases[] = {
        {{1, 10}, {1, 10}, true}, {{1, 10}, {1, 11}, false}, {{1, 10}, {2, 10}, false},
        {{1, 0}, {1, 11}, true},  {{1, 10}, {1, 0}, true},   {{1, 0}, {2, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.folder.sameMount(c.root), c.same) << c.root.dev << "/" << c.root.mountId << " "
                                                      << c.folder.dev << "/" << c.folder.mountId;
}

TEST(DirListing, FolderReopenedOnlyWhenItIsTheSameObject)
{
    rwtest::FixtureBuilder fx;
    fx.folder("a/b");
    fx.folder("c");
    rw::DirListing a;
    rw::DirListing b;
    ASSERT_TRUE(a.open(QFile::encodeName(fx.path("a"))));
    ASSERT_TRUE(b.open(a.fd(), "b"));
    rw::FileStatus aSt;
    rw::FileStatus bSt;
    ASSERT_TRUE(a.selfStatus(&aSt));
    ASSERT_TRUE(b.selfStatus(&bSt));
    EXPECT_NE(aSt.mountId, 0u); // the kernel here tells mount ids

    EXPECT_TRUE(rw::openFolderChecked(b.fd(), "..", aSt.dev, aSt.ino).isValid());
    EXPECT_TRUE(rw::openFolderChecked(a.fd(), "b", bSt.dev, bSt.ino).isValid());
    // Another folder in its place is refused.
    ASSERT_EQ(::rename(QFile::encodeName(fx.path("a/b")).constData(),
                       QFile::encodeName(fx.path("moved")).constData()),
              0);
    ASSERT_EQ(::rename(QFile::encodeName(fx.path("c")).constData(),
                       QFile::encodeName(fx.path("a/b")).constData()),
              0);
    errno = 0;
    EXPECT_FALSE(rw::openFolderChecked(a.fd(), "b", bSt.dev, bSt.ino).isValid());
    EXPECT_EQ(errno, ESTALE);
    EXPECT_FALSE(rw::openFolderChecked(b.fd(), "..", aSt.dev, aSt.ino).isValid());
}

} // namespace
