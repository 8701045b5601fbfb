#include "platform/LinkReplace.h"

#include "platform/SafeFolder.h"
#include "tests/platform/RaceFixture.h"
#include "tests/platform/RawFiles.h"
#include "tests/support/MountNamespaceChild.h"
#include "tests/support/ReflinkFileSystem.h"

#include <fcntl.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace rw;
using namespace rwtest::raw;
using Kind = LinkReplace::Kind;
using Result = LinkReplace::Result;

namespace
{

QByteArray pattern(int size, int seed)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = char((i * 31 + seed * 7) & 0xff);
    return out;
}

struct stat statOf(const QByteArray& path)
{
    struct stat st {
    };
    ::lstat(path.constData(), &st);
    return st;
}

// Names of the folder that are leftovers of a replace (temporary links).
int temporaries(const QByteArray& folder)
{
    int n = 0;
    for (const QByteArray& name : names(folder))
        n += name.startsWith(LinkReplace::temporaryPrefix());
    return n;
}

// Opens both folders and files and replaces `folder`/`name` by a link to
// `keptFolder`/`keptName`; the link kind made goes to `kind`.
Result replaceOne(const QByteArray& folder, const QByteArray& name, const QByteArray& keptFolder,
                  const QByteArray& keptName, LinkReplace* link, bool hardLinkOnly = false)
{
    SafeFolder f;
    SafeFolder k;
    if (!f.open(folder) || !k.open(keptFolder))
        return Result::Failed;
    if (!link->openFile(f, name.constData(), identityOf(folder + '/' + name)) ||
        !link->openKept(k, keptName.constData(), identityOf(keptFolder + '/' + keptName)))
        return Result::Failed;
    return link->replace(f, name.constData(), k, keptName.constData(), hardLinkOnly);
}

} // namespace

// On the test's own file system (no clones there, or a clone where it
// can): every odd name becomes a link to the kept copy, opens the same
// bytes, and leaves no temporary name behind; a hard link is the kept
// copy's inode, a reflink a file of its own.
TEST(LinkReplace, ReplacesFilesWithOddNamesByALinkToTheKeptCopy)
{
    const QByteArray a = fixture() + "/a";
    const QByteArray b = fixture() + "/b";
    makeFolder(a);
    makeFolder(b);
    int seed = 0;
    for (const QByteArray& name : {kTabName, kNewlineName, kBadByteName, kBackslashName}) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray data = pattern(70000, ++seed);
        writeFile(a + '/' + name, data);
        writeFile(b + "/kept-" + name, data);
        const ino_t oldIno = statOf(a + '/' + name).st_ino;
        LinkReplace link;
        ASSERT_EQ(replaceOne(a, name, b, "kept-" + name, &link), Result::Done);
        EXPECT_EQ(readFile(a + '/' + name), data);
        EXPECT_EQ(readFile(b + "/kept-" + name), data);
        EXPECT_TRUE(link.freed());
        const struct stat now = statOf(a + '/' + name);
        const struct stat kept = statOf(b + "/kept-" + name);
        EXPECT_NE(now.st_ino, oldIno);
        if (link.linkKind() == Kind::HardLink) {
            EXPECT_EQ(now.st_ino, kept.st_ino);
            EXPECT_EQ(kept.st_nlink, 2u);
            EXPECT_FALSE(link.attributesKept());
        } else {
            EXPECT_EQ(link.linkKind(), Kind::Reflink);
            EXPECT_NE(now.st_ino, kept.st_ino);
        }
        EXPECT_EQ(temporaries(a), 0);
    }
}

// A file written to after it was opened (and compared), or a kept copy
// written to, is left as it is; so is a name that meanwhile holds another
// file. Nothing else is touched and no temporary name stays.
TEST(LinkReplace, LeavesAFileThatChangedOrWasReplaced)
{
    const QByteArray a = fixture() + "/a";
    makeFolder(a);
    const QByteArray data = pattern(5000, 3);
    struct Case {
        const char* what;
        std::function<void()> meddle;
        Result expected;
        QByteArray fileAfter;
        QByteArray keptAfter;
    } cases[] = {
        {"the file written to", [&] { writeFile(a + "/" + kTabName, "new bytes"); },
         Result::Changed, "new bytes", data},
        {"the kept copy written to", [&] { writeFile(a + "/kept", "other bytes"); },
         Result::Changed, data, "other bytes"},
        {"another file put in the file's place",
         [&] {
             writeFile(a + "/other", "someone else's");
             ::rename((a + "/other").constData(), (a + "/" + kTabName).constData());
         },
         Result::Replaced, "someone else's", data},
        {"a link put in the file's place",
         [&] {
             ::unlink((a + "/" + kTabName).constData());
             makeLink(a + "/" + kTabName, "kept");
         },
         Result::Replaced,
         data, // the link's target, read through the link would be the kept copy
         data},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(a + "/" + kTabName, data);
        writeFile(a + "/kept", data);
        SafeFolder f;
        ASSERT_TRUE(f.open(a));
        LinkReplace link;
        ASSERT_TRUE(link.openFile(f, kTabName.constData(), identityOf(a + "/" + kTabName)));
        ASSERT_TRUE(link.openKept(f, "kept", identityOf(a + "/kept")));
        // Later than the stamps the open noted, on every file system's clock.
        ::usleep(20000);
        c.meddle();
        EXPECT_EQ(link.replace(f, kTabName.constData(), f, "kept"), c.expected);
        if (!S_ISLNK(modeOf(a + "/" + kTabName)))
            EXPECT_EQ(readFile(a + "/" + kTabName), c.fileAfter);
        else
            EXPECT_EQ(statOf(a + "/" + kTabName).st_mode & S_IFMT, unsigned(S_IFLNK));
        EXPECT_EQ(readFile(a + "/kept"), c.keptAfter);
        EXPECT_EQ(temporaries(a), 0);
        ::unlink((a + "/" + kTabName).constData());
    }
}

// Two names of one inode are no pair to replace: nothing is done.
TEST(LinkReplace, RefusesTwoNamesOfOneInode)
{
    const QByteArray a = fixture() + "/a";
    makeFolder(a);
    writeFile(a + "/one", "same");
    ASSERT_EQ(::link((a + "/one").constData(), (a + "/two").constData()), 0);
    LinkReplace link;
    EXPECT_EQ(replaceOne(a, "one", a, "two", &link), Result::Failed);
    EXPECT_TRUE(link.sameInode());
    EXPECT_EQ(names(a), QList<QByteArray>({"one", "two"}));
}

// A kept copy on another file system (a tmpfs mounted in a private mount
// namespace) can be joined by no link: the file is left and says so.
TEST(LinkReplace, AKeptCopyOnAnotherFileSystemLeavesTheFile)
{
    const QByteArray a = fixture() + "/a";
    const QByteArray other = fixture() + "/other";
    makeFolder(a);
    makeFolder(other);
    const rwtest::MountNamespaceChild child({}, [&]() -> QByteArray {
        if (::mount("tmpfs", other.constData(), "tmpfs", 0, "size=8m") != 0)
            return "SKIP no tmpfs";
        const QByteArray data = pattern(9000, 4);
        writeFile(a + "/file", data);
        writeFile(other + "/kept", data);
        SafeFolder f;
        SafeFolder k;
        LinkReplace link;
        if (!f.open(a) || !k.open(other) || !link.openFile(f, "file", {}) ||
            !link.openKept(k, "kept", {}))
            return "open failed";
        const Kind possible = link.possibleKind(f);
        const Result r = link.replace(f, "file", k, "kept");
        return "possible " + QByteArray::number(int(possible)) + ", result " +
               QByteArray::number(int(r)) + ", same " +
               QByteArray::number(readFile(a + "/file") == data) + ", left " +
               QByteArray::number(temporaries(a));
    });
    if (!child.ran() || child.answer().startsWith("SKIP"))
        GTEST_SKIP() << (child.ran() ? child.answer().toStdString()
                                     : child.skipReason().toStdString());
    EXPECT_EQ(child.answer().toStdString(),
              ("possible 0, result " + QByteArray::number(int(Result::OtherFileSystem)) +
               ", same 1, left 0")
                  .toStdString());
}

namespace
{

// An access ACL in the kernel's xattr form: the owner read-write, `user`
// read, the owning group read, the mask read, others nothing (mode 0640).
QByteArray accessAcl(std::uint32_t user)
{
    QByteArray out;
    const auto put32 = [&out](std::uint32_t v) {
        out.append(reinterpret_cast<const char*>(&v), 4);
    };
    const auto entry = [&](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        out.append(reinterpret_cast<const char*>(&tag), 2);
        out.append(reinterpret_cast<const char*>(&perm), 2);
        put32(id);
    };
    put32(2);                   // the format's version
    entry(0x01, 6, 0xFFFFFFFF); // owner
    entry(0x02, 4, user);
    entry(0x04, 4, 0xFFFFFFFF); // owning group
    entry(0x10, 4, 0xFFFFFFFF); // mask
    entry(0x20, 0, 0xFFFFFFFF); // others
    return out;
}

QByteArray attribute(const QByteArray& path, const char* name)
{
    char buffer[256];
    const ssize_t got = ::getxattr(path.constData(), name, buffer, sizeof buffer);
    return got < 0 ? QByteArray("(none)") : QByteArray(buffer, qsizetype(got));
}

} // namespace

// On a file system that clones (btrfs or XFS made on a loop device in a
// private mount namespace): the file becomes a reflink, a file of its own
// whose extents are shared with the kept copy, with the replaced file's
// permissions, owner, times, ACL and extended attributes; and a hard link
// when only that is asked.
TEST(LinkReplace, MakesAReflinkThatKeepsTheFilesAttributes)
{
    const QByteArray mnt = fixture() + "/mnt";
    makeFolder(mnt);
    const rwtest::ReflinkFileSystem fs(root() + "/reflink.img");
    if (!fs.made())
        GTEST_SKIP() << fs.skipReason().toStdString();
    const rwtest::MountNamespaceChild child({}, [&]() -> QByteArray {
        const QByteArray why = fs.mountAt(mnt);
        if (!why.isEmpty())
            return "SKIP " + why;
        const QByteArray a = mnt + "/a";
        const QByteArray b = mnt + "/b";
        makeFolder(a);
        makeFolder(b);
        const QByteArray data = pattern(256 * 1024, 5);
        writeFile(a + '/' + kBadByteName, data);
        writeFile(b + "/kept", data);
        ::chmod((a + '/' + kBadByteName).constData(), 0640);
        ::chown((a + '/' + kBadByteName).constData(), 1234, 5678);
        const struct timespec times[2] = {{1000000000, 5}, {1200000000, 7}};
        ::utimensat(AT_FDCWD, (a + '/' + kBadByteName).constData(), times, 0);
        ::chmod((b + "/kept").constData(), 0600);
        // An access ACL that lets one more user read, and an attribute of
        // the user's own: a clone shares only bytes, so both must be copied.
        const QByteArray acl = accessAcl(4321);
        const bool aclSet =
            ::setxattr((a + '/' + kBadByteName).constData(), "system.posix_acl_access",
                       acl.constData(), std::size_t(acl.size()), 0) == 0;
        const bool noteSet =
            ::setxattr((a + '/' + kBadByteName).constData(), "user.note", "kept\tsafe", 9, 0) == 0;
        ::sync();

        LinkReplace link;
        const Result r = replaceOne(a, kBadByteName, b, "kept", &link);
        const struct stat now = statOf(a + '/' + kBadByteName);
        const struct stat kept = statOf(b + "/kept");
        // The first extent of the new file is shared with the kept copy.
        bool shared = false;
        const int fd = ::open((a + '/' + kBadByteName).constData(), O_RDONLY);
        if (fd >= 0) {
            ::fsync(fd);
            alignas(struct fiemap) char
                buffer[sizeof(struct fiemap) + sizeof(struct fiemap_extent)] = {};
            auto* map = reinterpret_cast<struct fiemap*>(buffer);
            map->fm_length = FIEMAP_MAX_OFFSET;
            map->fm_flags = FIEMAP_FLAG_SYNC;
            map->fm_extent_count = 1;
            shared = ::ioctl(fd, FS_IOC_FIEMAP, map) == 0 && map->fm_mapped_extents == 1 &&
                     (map->fm_extents[0].fe_flags & FIEMAP_EXTENT_SHARED);
            ::close(fd);
        }
        QByteArray out =
            fs.type() + ": result " + QByteArray::number(int(r)) + ", kind " +
            QByteArray::number(int(link.linkKind())) + ", same bytes " +
            QByteArray::number(readFile(a + '/' + kBadByteName) == data) + ", own inode " +
            QByteArray::number(now.st_ino != kept.st_ino) + ", shared " +
            QByteArray::number(shared) + ", mode " + QByteArray::number(now.st_mode & 07777, 8) +
            ", owner " + QByteArray::number(now.st_uid) + ":" + QByteArray::number(now.st_gid) +
            ", mtime " + QByteArray::number(qint64(now.st_mtim.tv_sec)) + "." +
            QByteArray::number(qint64(now.st_mtim.tv_nsec)) + ", kept " +
            QByteArray::number(link.attributesKept()) + ", freed " +
            QByteArray::number(link.freed()) + ", left " + QByteArray::number(temporaries(a)) +
            ", acl " +
            QByteArray::number(
                aclSet && attribute(a + '/' + kBadByteName, "system.posix_acl_access") == acl) +
            ", note " +
            QByteArray::number(noteSet &&
                               attribute(a + '/' + kBadByteName, "user.note") == "kept\tsafe");

        // Asked for a hard link only, the same folder pair gets one.
        writeFile(a + "/second", data);
        LinkReplace hard;
        const Result h = replaceOne(a, "second", b, "kept", &hard, true);
        out += "; hard: result " + QByteArray::number(int(h)) + ", kind " +
               QByteArray::number(int(hard.linkKind())) + ", inode " +
               QByteArray::number(statOf(a + "/second").st_ino == kept.st_ino);
        return out;
    });
    if (!child.ran() || child.answer().startsWith("SKIP"))
        GTEST_SKIP() << (child.ran() ? child.answer().toStdString()
                                     : child.skipReason().toStdString());
    EXPECT_EQ(child.answer().toStdString(),
              (fs.type() + ": result 0, kind " + QByteArray::number(int(Kind::Reflink)) +
               ", same bytes 1, own inode 1, shared 1, mode 640, owner 1234:5678, mtime "
               "1200000000.7, kept 1, freed 1, left 0, acl 1, note 1; hard: result 0, kind " +
               QByteArray::number(int(Kind::HardLink)) + ", inode 1")
                  .toStdString());
}

namespace
{

// A folder "kept" beside the race's folder with a copy of each of its
// files, the copies the racing replaces link to.
QByteArray makeKeptTwins(const rwtest::RaceFixture& fx)
{
    const QByteArray keptFolder = fixture() + "/kept";
    makeFolder(keptFolder);
    for (int i = 0; i < fx.count(); ++i)
        writeFile(keptFolder + '/' + fx.name(i), "inside " + fx.name(i));
    return keptFolder;
}

} // namespace

// A racer swaps the folder for a link to another folder holding files of
// the same names while every file is replaced: each replace works on the
// folder that was opened, and nothing in the other folder is touched.
TEST(LinkReplaceRace, AFolderSwappedForALinkTouchesNothingOutside)
{
    const rwtest::RaceFixture fx(fixture(), root() + "/outside", 200);
    const QByteArray keptFolder = makeKeptTwins(fx);
    SafeFolder kept;
    ASSERT_TRUE(kept.open(keptFolder));
    int linked = 0;
    rwtest::NameSwapper swapper(fx.folderPair(), 2'000'000, 20);
    fx.run(swapper, [&](int i) {
        SafeFolder folder;
        LinkReplace link;
        if (fx.openSub(i, &folder) && link.openFile(folder, fx.name(i).constData(), fx.fileId(i)) &&
            link.openKept(kept, fx.name(i).constData(), {}) &&
            link.replace(folder, fx.name(i).constData(), kept, fx.name(i).constData()) ==
                Result::Done)
            ++linked;
    });
    fx.expectOutsideIntact();
    EXPECT_EQ(linked, fx.count());
    // The swapper may have stopped with the folder under the other name.
    const QByteArray real = S_ISDIR(modeOf(fx.sub())) ? fx.sub() : fixture() + "/alt";
    for (int i = 0; i < fx.count(); ++i) {
        EXPECT_EQ(readFile(real + '/' + fx.name(i)), "inside " + fx.name(i));
        EXPECT_EQ(statOf(real + '/' + fx.name(i)).st_ino,
                  statOf(keptFolder + '/' + fx.name(i)).st_ino);
    }
    EXPECT_EQ(temporaries(real), 0);
}

// The racer swaps each file for a link to its outside twin: a replace
// either meets the file (and replaces it) or is refused; the outside files
// stay as they were.
TEST(LinkReplaceRace, AFileSwappedForALinkNeverCostsTheLinkTarget)
{
    const rwtest::RaceFixture fx(fixture(), root() + "/outside", 200);
    const QByteArray keptFolder = makeKeptTwins(fx);
    SafeFolder kept;
    SafeFolder folder;
    ASSERT_TRUE(kept.open(keptFolder));
    ASSERT_TRUE(folder.open(fx.sub()));
    rwtest::NameSwapper swapper(fx.makeFileLinks(), 2'000'000, 20);
    fx.run(swapper, [&](int i) {
        LinkReplace link;
        if (link.openFile(folder, fx.name(i).constData(), fx.fileId(i)) &&
            link.openKept(kept, fx.name(i).constData(), {})) {
            EXPECT_NE(link.replace(folder, fx.name(i).constData(), kept, fx.name(i).constData()),
                      Result::Failed);
        }
    });
    fx.expectOutsideIntact();
    EXPECT_EQ(temporaries(fx.sub()), 0);
}
