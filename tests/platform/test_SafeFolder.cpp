#include <gtest/gtest.h>

#include "platform/SafeFolder.h"
#include "tests/platform/RaceFixture.h"
#include "tests/platform/RawFiles.h"
#include "tests/support/FixtureBuilder.h"

#include <QFile>

#include <cerrno>
#include <functional>

#include <cstdio>
#include <fcntl.h>

using namespace rw;
using namespace rwtest::raw;
using Result = SafeFolder::Result;

namespace
{

// Runs `body` once with openat2 and once with the component walk.
void forBothResolvers(const std::function<void()>& body)
{
    for (const bool kernel : {true, false}) {
        SCOPED_TRACE(kernel ? "openat2" : "component walk");
        SafeFolder::setKernelResolveEnabled(kernel);
        body();
    }
    SafeFolder::setKernelResolveEnabled(true);
}

TEST(SafeFolder, OpensRealFoldersAndRefusesLinksOnTheWay)
{
    const QByteArray fx = fixture();
    makeFolder(fx + "/a/b/c");
    makeLink(fx + "/a/link", "b");
    const FileIdentity b = identityOf(fx + "/a/b");
    const FileIdentity a = identityOf(fx + "/a");
    forBothResolvers([&] {
        struct Case {
            QByteArray path;
            FileIdentity expected;
            Result result; // Done: opens
        };
        const Case cases[] = {
            {fx + "/a/b", b, Result::Done},           {"/" + fx + "//a/./b/", b, Result::Done},
            {fx + "/a/link/c", {}, Result::Replaced}, // link in the middle
            {fx + "/a/link", {}, Result::Replaced},   // link at the end
            {fx + "/a/b", a, Result::Replaced},       // another folder than scanned
            {fx + "/a/none", {}, Result::Missing},    {fx + "/a/b/../b", {}, Result::Failed},
            {"relative/path", {}, Result::Failed},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.path.constData());
            SafeFolder folder;
            EXPECT_EQ(folder.open(c.path, c.expected), c.result == Result::Done);
            EXPECT_EQ(folder.result(), c.result);
            EXPECT_EQ(folder.isOpen(), c.result == Result::Done);
            if (c.result == Result::Done) {
                EXPECT_EQ(folder.path(), fx + "/a/b") << "empty and '.' components are dropped";
            }
        }
    });
    SafeFolder parent;
    ASSERT_TRUE(parent.open(fx + "/a"));
    SafeFolder child;
    EXPECT_TRUE(child.openChild(parent, "b", b));
    EXPECT_EQ(child.path(), fx + "/a/b");
    EXPECT_FALSE(child.openChild(parent, "link"));
    EXPECT_FALSE(child.openChild(parent, ".."));
    EXPECT_FALSE(child.openChild(parent, "b/c"));
}

TEST(SafeFolder, CheckTellsTheScannedObjectFromASwappedOne)
{
    const QByteArray fx = fixture();
    struct Case {
        const char* what;
        std::function<void(const QByteArray&)> change;
        bool keepIdentity; // false: only the type is expected
        Result result;
    };
    const Case cases[] = {
        {"unchanged", [](const QByteArray&) {}, true, Result::Done},
        {"swapped for a link",
         [&](const QByteArray& p) {
             ::unlink(p.constData());
             makeLink(p, fx + "/other");
         },
         true, Result::Replaced},
        {"swapped for another file",
         [&](const QByteArray& p) {
             writeFile(p + ".new", "same size");
             ::rename((p + ".new").constData(), p.constData());
         },
         true, Result::Replaced},
        {"gone", [](const QByteArray& p) { ::unlink(p.constData()); }, true, Result::Missing},
        {"type only, still a file", [](const QByteArray&) {}, false, Result::Done},
        {"type only, now a folder",
         [](const QByteArray& p) {
             ::unlink(p.constData());
             makeFolder(p);
         },
         false, Result::Replaced},
    };
    writeFile(fx + "/other", "outside");
    SafeFolder folder;
    ASSERT_TRUE(folder.open(fx));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray path = fx + "/" + kTabName;
        ::rmdir(path.constData());
        writeFile(path, "same size");
        FileIdentity expected = identityOf(path);
        if (!c.keepIdentity)
            expected.dev = expected.ino = 0;
        c.change(path);
        FileStatus now;
        EXPECT_EQ(folder.check(kTabName.constData(), expected, &now), c.result);
        ::unlink(path.constData());
    }
}

TEST(SafeFolder, RemoveTakesExactlyTheExpectedEntry)
{
    const QByteArray fx = fixture();
    for (const QByteArray& n : {kTabName, kNewlineName, kBackslashName, kBadByteName,
                                kLookAlikeName, QByteArray("target")})
        writeFile(fx + "/" + n, "bytes of " + n);
    makeLink(fx + "/link", "target");
    makeFolder(fx + "/empty");
    makeFolder(fx + "/full/x");
    SafeFolder folder;
    ASSERT_TRUE(folder.open(fx));

    // The look-alike is another file: the identity of one never removes the other.
    const FileIdentity bad = identityOf(fx + "/" + kBadByteName);
    EXPECT_EQ(folder.removeFile(kLookAlikeName.constData(), bad), Result::Replaced);
    EXPECT_EQ(folder.removeFile(kBadByteName.constData(), bad), Result::Done);
    EXPECT_FALSE(exists(fx + "/" + kBadByteName));
    EXPECT_EQ(readFile(fx + "/" + kLookAlikeName), "bytes of " + kLookAlikeName);

    for (const QByteArray& n : {kTabName, kNewlineName, kBackslashName}) {
        EXPECT_EQ(folder.removeFile(n.constData(), identityOf(fx + "/" + n)), Result::Done);
        EXPECT_FALSE(exists(fx + "/" + n));
    }
    EXPECT_EQ(folder.removeFile("link", identityOf(fx + "/link")), Result::Done);
    EXPECT_EQ(readFile(fx + "/target"), "bytes of target") << "a link goes, never its target";
    EXPECT_EQ(folder.removeFile("gone", {}), Result::Missing);

    EXPECT_EQ(folder.removeFile("empty", identityOf(fx + "/empty")), Result::Failed);
    EXPECT_EQ(folder.error(), EISDIR);
    EXPECT_EQ(folder.removeEmptyFolder("target", identityOf(fx + "/target")), Result::Failed);
    EXPECT_EQ(folder.removeEmptyFolder("full", identityOf(fx + "/full")), Result::Failed);
    EXPECT_TRUE(exists(fx + "/full/x"));
    EXPECT_EQ(folder.removeEmptyFolder("empty", identityOf(fx + "/empty")), Result::Done);
    EXPECT_FALSE(exists(fx + "/empty"));
    EXPECT_EQ(names(fx), (QList<QByteArray>{kLookAlikeName, "full", "target"}));
}

TEST(SafeFolderRace, FolderSwappedForALinkNeverRedirectsARemoval)
{
    int round = 0;
    forBothResolvers([&] {
        ++round;
        const rwtest::RaceFixture fx(fixture() + "/round" + QByteArray::number(round),
                                     root() + "/outside" + QByteArray::number(round), 300);
        int removed = 0;
        rwtest::NameSwapper swapper(fx.folderPair(), 2'000'000, 20);
        fx.run(swapper, [&](int i) {
            SafeFolder folder;
            if (fx.openSub(i, &folder) &&
                folder.removeFile(fx.name(i).constData(), fx.fileId(i)) == Result::Done)
                ++removed;
        });
        fx.expectOutsideIntact();
        EXPECT_EQ(removed, fx.count());
    });
}

TEST(SafeFolderRace, FilesSwappedForLinksNeverCostTheLinkTargets)
{
    const rwtest::RaceFixture fx(fixture(), root() + "/outside", 300);
    SafeFolder folder;
    ASSERT_TRUE(folder.open(fx.sub()));
    rwtest::NameSwapper swapper(fx.makeFileLinks(), 2'000'000, 20);
    fx.run(swapper, [&](int i) {
        Result r = Result::Replaced;
        for (int attempt = 0; attempt < 50 && r == Result::Replaced; ++attempt)
            r = folder.removeFile(fx.name(i).constData(), fx.fileId(i));
        EXPECT_NE(r, Result::Failed);
    });
    fx.expectOutsideIntact();
}

} // namespace

namespace
{

// The write bit is given only to the object that was asked about, never
// through a link, and the unchecked unlinks remove exactly one entry each.
TEST(SafeFolderEntryChanges, OwnerWritableOnlyForTheExpectedObject)
{
    rwtest::FixtureBuilder fx;
    fx.file("ro.txt", 3);
    fx.setMode("ro.txt", 0444);
    fx.file("other.txt", 3);
    fx.setMode("other.txt", 0444);
    fx.symlink("link", "other.txt");
    rw::SafeFolder folder;
    ASSERT_TRUE(folder.open(QFile::encodeName(fx.base())));
    rw::FileStatus ro, other, link;
    ASSERT_TRUE(folder.status("ro.txt", &ro));
    ASSERT_TRUE(folder.status("other.txt", &other));
    ASSERT_TRUE(folder.status("link", &link));
    const auto id = [](const rw::FileStatus& st) {
        return rw::FileIdentity{st.dev, st.ino, rw::FileIdentity::typeOfMode(st.mode)};
    };

    EXPECT_EQ(folder.makeOwnerWritable("ro.txt", id(ro)), rw::SafeFolder::Result::Done);
    // The name now leads to another object than the one given.
    EXPECT_EQ(folder.makeOwnerWritable("other.txt", id(ro)), rw::SafeFolder::Result::Replaced);
    EXPECT_NE(folder.makeOwnerWritable("link", id(link)), rw::SafeFolder::Result::Done);

    rw::FileStatus now;
    ASSERT_TRUE(folder.status("ro.txt", &now));
    EXPECT_EQ(now.mode & 0777, 0644u);
    ASSERT_TRUE(folder.status("other.txt", &now));
    EXPECT_EQ(now.mode & 0777, 0444u) << "neither the replaced name nor the link's target changes";
}

TEST(SafeFolderEntryChanges, UnlinksRemoveOneEntryAndNeverFollowALink)
{
    rwtest::FixtureBuilder fx;
    fx.file("target.txt", 3);
    fx.symlink("link", "target.txt");
    fx.folder("empty");
    fx.folder("full");
    fx.file("full/inside.txt", 1);
    rw::SafeFolder folder;
    ASSERT_TRUE(folder.open(QFile::encodeName(fx.base())));

    EXPECT_TRUE(rw::SafeFolder::unlinkEntry(folder.fd(), "link"));
    EXPECT_FALSE(rw::SafeFolder::unlinkEntry(folder.fd(), "empty")) << "a folder is refused";
    EXPECT_FALSE(rw::SafeFolder::unlinkEmptyFolder(folder.fd(), "full"));
    EXPECT_TRUE(rw::SafeFolder::unlinkEmptyFolder(folder.fd(), "empty"));

    rw::FileStatus st;
    EXPECT_TRUE(folder.status("target.txt", &st)) << "the link's target stays";
    EXPECT_FALSE(folder.status("link", &st));
    EXPECT_FALSE(folder.status("empty", &st));
    EXPECT_TRUE(folder.status("full", &st));
}

} // namespace
