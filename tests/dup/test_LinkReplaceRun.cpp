#include <gtest/gtest.h>

#include <QFile>

#include "framework/core/LinkReplaceRun.h"
#include "framework/core/PathTarget.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/MountNamespaceChild.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ReflinkFileSystem.h"
#include "tools/dup/core/ContentLinks.h"
#include "tools/dup/core/KeepOneCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace rw;
using rwtest::FixtureBuilder;
using Reason = LinkReplaceRun::Reason;

namespace
{

// A name with a tab, a line feed and a byte that is not UTF-8.
const QByteArray kOddName("y\t\n\xff.bin");

QByteArray readRaw(const QByteArray& path)
{
    QByteArray out;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "<missing>";
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        out.append(buffer, n);
    ::close(fd);
    return out;
}

ino_t inodeOf(const QByteArray& path)
{
    struct stat st {
    };
    ::lstat(path.constData(), &st);
    return st.st_ino;
}

// A group of files, the first `leaving` marked, as the duplicate window
// hands it to the run: the items of ContentLinks over a KeepOneCopy.
QList<LinkReplaceRun::Item> groupItems(const QList<QByteArray>& paths, int leaving)
{
    KeepOneCopy keep;
    std::vector<KeepOneCopy::Member> members;
    for (int i = 0; i < paths.size(); ++i)
        members.push_back({targetForPath(paths[i]), i < leaving});
    keep.addGroup(members);
    return ContentLinks::items(keep);
}

QList<Reason> reasons(const LinkReplaceRun::Outcome& out)
{
    QList<Reason> r;
    for (const LinkReplaceRun::FileResult& f : out.files)
        r.append(f.reason);
    return r;
}

} // namespace

// The last-copy guard holds for links too: marked files become links to a
// member that stays, never to one that goes in the same run; a group whose
// members are all marked keeps them all; a copy whose bytes changed since
// the scan (or a file that changed) is no copy.
TEST(LinkReplaceRun, LinksMarkedFilesOnlyToACopyThatStaysWithTheSameBytes)
{
    FixtureBuilder fx;
    const QByteArray a = QFile::encodeName(fx.folder("a"));
    const QByteArray b = QFile::encodeName(fx.folder("b"));
    const QByteArray data = rwtest::patternBytes(30000, 1);
    struct Case {
        const char* what;
        QList<QByteArray> files; // all written with `data`
        int leaving;
        std::function<void()> afterScan;
        QList<Reason> expected;
        int linkedToLast; // how many end as the last file's inode
    } cases[] = {
        {"two marked, one stays",
         {a + '/' + kOddName, b + "/c.bin", b + "/kept.bin"},
         2,
         {},
         {Reason::Linked, Reason::Linked},
         3},
        {"all marked", {a + "/m1.bin", b + "/m2.bin"}, 2, {}, {Reason::NoCopy, Reason::NoCopy}, 1},
        {"the copy changed since the scan",
         {a + "/f.bin", b + "/changed.bin"},
         1,
         [&] { rwtest::writeRawFile(b + "/changed.bin", rwtest::patternBytes(30000, 2)); },
         {Reason::NoCopy},
         1},
        {"the file changed since the scan",
         {a + "/written.bin", b + "/k2.bin"},
         1,
         [&] { rwtest::writeRawFile(a + "/written.bin", rwtest::patternBytes(30000, 3)); },
         {Reason::NoCopy},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const QByteArray& f : c.files)
            rwtest::writeRawFile(f, data);
        QList<LinkReplaceRun::Item> items = groupItems(c.files, c.leaving);
        if (c.afterScan)
            c.afterScan();
        QList<QByteArray> before;
        for (const QByteArray& f : c.files)
            before.append(readRaw(f));
        LinkReplaceRun run(items, ContentLinks::sameBytes());
        run.setHardLinkOnly(true);
        const LinkReplaceRun::Outcome out = run.run();
        EXPECT_EQ(reasons(out), c.expected);
        int linked = 0;
        for (int i = 0; i < c.files.size(); ++i) {
            // Every path opens what it held.
            EXPECT_EQ(readRaw(c.files[i]), before[i]);
            linked += inodeOf(c.files[i]) == inodeOf(c.files.last());
        }
        EXPECT_EQ(linked, c.linkedToLast);
        EXPECT_EQ(out.hardLinks, c.expected.count(Reason::Linked));
        EXPECT_EQ(out.bytesFreed, 30000 * c.expected.count(Reason::Linked));
    }
}

// The plan counts the link kinds and an inode's bytes once, when all its
// names go: a marked file with another name outside the group frees nothing.
TEST(LinkReplaceRun, PlanCountsTheBytesAFileFreesOnlyWithItsLastName)
{
    FixtureBuilder fx;
    const QByteArray a = QFile::encodeName(fx.folder("a"));
    const QByteArray data = rwtest::patternBytes(12000, 4);
    rwtest::writeRawFile(a + "/one.bin", data);
    rwtest::writeRawFile(a + "/two.bin", data);
    ASSERT_EQ(::link((a + "/two.bin").constData(), (a + "/two-elsewhere.bin").constData()), 0);
    rwtest::writeRawFile(a + "/kept.bin", data);
    LinkReplaceRun run(groupItems({a + "/one.bin", a + "/two.bin", a + "/kept.bin"}, 2),
                       ContentLinks::sameBytes());
    const LinkReplaceRun::Plan plan = run.plan();
    EXPECT_EQ(plan.reflinks + plan.hardLinks, 2);
    EXPECT_EQ(plan.left, 0);
    EXPECT_EQ(plan.bytesFreed, 12000);
    const LinkReplaceRun::Outcome out = run.run();
    EXPECT_EQ(out.reflinks + out.hardLinks, 2);
    EXPECT_EQ(out.filesFreed, 1);
    EXPECT_EQ(out.bytesFreed, 12000);
    EXPECT_EQ(readRaw(a + "/two-elsewhere.bin"), data);
    EXPECT_TRUE(LinkReplaceRun::reportText(out).startsWith("Files replaced by links: 2 "));
}

// The only copy that stays is the marked file's own entry seen through a
// bind mount: it is no copy (the same inode), and the file stays. With a
// real copy besides, the file becomes a link to that one.
TEST(LinkReplaceRun, TheFilesOwnEntryThroughABindMountIsNoCopy)
{
    FixtureBuilder fx;
    const QByteArray b = QFile::encodeName(fx.folder("c/b"));
    const QByteArray d = QFile::encodeName(fx.folder("d"));
    const QByteArray other = QFile::encodeName(fx.folder("c/other"));
    const QByteArray data = rwtest::patternBytes(5000, 5);
    rwtest::writeRawFile(b + '/' + kOddName, data);
    rwtest::writeRawFile(other + "/x.bin", data);
    const rwtest::MountNamespaceChild child({{b, d}}, [&] {
        const ino_t own = inodeOf(b + '/' + kOddName);
        LinkReplaceRun alone(groupItems({b + '/' + kOddName, d + '/' + kOddName}, 1),
                             ContentLinks::sameBytes());
        const LinkReplaceRun::Outcome first = alone.run();
        QByteArray answer = "alone: " + QByteArray::number(int(first.files.at(0).reason)) +
                            " same inode " + QByteArray::number(inodeOf(b + '/' + kOddName) == own);
        LinkReplaceRun withCopy(
            groupItems({b + '/' + kOddName, d + '/' + kOddName, other + "/x.bin"}, 1),
            ContentLinks::sameBytes());
        withCopy.setHardLinkOnly(true);
        const LinkReplaceRun::Outcome second = withCopy.run();
        answer += "; with a copy: " + QByteArray::number(int(second.files.at(0).reason)) +
                  " linked to x " +
                  QByteArray::number(inodeOf(b + '/' + kOddName) == inodeOf(other + "/x.bin"));
        return answer;
    });
    if (!child.ran())
        GTEST_SKIP() << child.skipReason().toStdString();
    EXPECT_EQ(child.answer().toStdString(),
              ("alone: " + QByteArray::number(int(Reason::AlreadyLinked)) +
               " same inode 1; with a copy: " + QByteArray::number(int(Reason::Linked)) +
               " linked to x 1")
                  .toStdString());
}

// On a file system that clones (btrfs or XFS on a loop device in a private
// mount namespace) the plan foresees reflinks and the run makes them: each
// marked file keeps an inode of its own with its own permissions, and the
// bytes are counted freed.
TEST(LinkReplaceRun, PlansAndMakesReflinksWhereTheFileSystemClones)
{
    FixtureBuilder fx;
    const QByteArray mnt = QFile::encodeName(fx.folder("mnt"));
    const rwtest::ReflinkFileSystem fs(QFile::encodeName(fx.path("reflink.img")));
    if (!fs.made())
        GTEST_SKIP() << fs.skipReason().toStdString();
    const rwtest::MountNamespaceChild child({}, [&]() -> QByteArray {
        const QByteArray why = fs.mountAt(mnt);
        if (!why.isEmpty())
            return "SKIP " + why;
        const QByteArray data = rwtest::patternBytes(200000, 7);
        ::mkdir((mnt + "/a").constData(), 0755);
        ::mkdir((mnt + "/b").constData(), 0755);
        rwtest::writeRawFile(mnt + "/a/" + kOddName, data);
        rwtest::writeRawFile(mnt + "/a/second.bin", data);
        rwtest::writeRawFile(mnt + "/b/kept.bin", data);
        ::chmod((mnt + "/a/second.bin").constData(), 0604);
        LinkReplaceRun run(
            groupItems({mnt + "/a/" + kOddName, mnt + "/a/second.bin", mnt + "/b/kept.bin"}, 2),
            ContentLinks::sameBytes());
        const LinkReplaceRun::Plan plan = run.plan();
        const LinkReplaceRun::Outcome out = run.run();
        struct stat st {
        };
        ::lstat((mnt + "/a/second.bin").constData(), &st);
        return "plan " + QByteArray::number(plan.reflinks) + "/" +
               QByteArray::number(plan.hardLinks) + " " + QByteArray::number(plan.bytesFreed) +
               ", run " + QByteArray::number(out.reflinks) + "/" +
               QByteArray::number(out.hardLinks) + " " + QByteArray::number(out.bytesFreed) +
               ", own inode " + QByteArray::number(st.st_ino != inodeOf(mnt + "/b/kept.bin")) +
               ", mode " + QByteArray::number(st.st_mode & 07777, 8) + ", bytes " +
               QByteArray::number(readRaw(mnt + "/a/" + kOddName) == data &&
                                  readRaw(mnt + "/a/second.bin") == data);
    });
    if (!child.ran() || child.answer().startsWith("SKIP"))
        GTEST_SKIP() << (child.ran() ? child.answer().toStdString()
                                     : child.skipReason().toStdString());
    EXPECT_EQ(child.answer().toStdString(),
              "plan 2/0 400000, run 2/0 400000, own inode 1, mode 604, bytes 1");
}

// Stop between two files: what was done stays done, the rest is untouched
// and reported as not reached.
TEST(LinkReplaceRun, StoppedRunLeavesTheRestUntouched)
{
    FixtureBuilder fx;
    const QByteArray a = QFile::encodeName(fx.folder("a"));
    const QByteArray data = rwtest::patternBytes(3000, 8);
    for (const char* name : {"1.bin", "2.bin", "3.bin", "kept.bin"})
        rwtest::writeRawFile(a + '/' + name, data);
    const ino_t second = inodeOf(a + "/2.bin");
    LinkReplaceRun run(groupItems({a + "/1.bin", a + "/2.bin", a + "/3.bin", a + "/kept.bin"}, 3),
                       ContentLinks::sameBytes());
    const LinkReplaceRun::Outcome out = run.run([](int index) { return index < 1; });
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(reasons(out),
              QList<Reason>({Reason::Linked, Reason::NotReached, Reason::NotReached}));
    EXPECT_EQ(out.bytesFreed, 3000);
    EXPECT_EQ(inodeOf(a + "/2.bin"), second);
    EXPECT_TRUE(
        LinkReplaceRun::reportText(out).contains("2.bin: not reached: the run was stopped"));
}

// The report names the reflinks that could not keep everything of the file
// they replaced apart from the files left, so neither goes unsaid.
TEST(LinkReplaceRun, ReportNamesReflinksThatLostAttributesAndFilesLeft)
{
    LinkReplaceRun::Outcome out;
    out.reflinks = 2;
    out.bytesFreed = 3000;
    LinkReplaceRun::FileResult kept;
    kept.shown = "/t/kept-all";
    kept.reason = LinkReplaceRun::Reason::Linked;
    kept.kind = LinkReplace::Kind::Reflink;
    kept.attributesKept = true;
    LinkReplaceRun::FileResult lost = kept;
    lost.shown = "/t/other owner";
    lost.attributesKept = false;
    LinkReplaceRun::FileResult left;
    left.shown = "/t/left";
    left.reason = LinkReplaceRun::Reason::NoCopy;
    out.files = {kept, lost, left};
    const QString text = LinkReplaceRun::reportText(out);
    EXPECT_TRUE(
        text.startsWith("Files replaced by links: 2 (reflinks: 2, hard links: 0). Bytes "
                        "freed: 3,000 bytes.\nThese reflinks could not keep the replaced file's "
                        "owner, permissions, times or extended attributes:\n/t/other "
                        "owner\nThese files were left as they are:\n/t/left: "))
        << qPrintable(text);
    EXPECT_FALSE(text.contains("kept-all"));
}
