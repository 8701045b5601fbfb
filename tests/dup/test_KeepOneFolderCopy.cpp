#include <gtest/gtest.h>

#include <cstdio>

#include <QDir>
#include <QFile>

#include <functional>

#include "platform/DirListing.h"
#include "platform/SafeFolder.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/MountNamespaceChild.h"
#include "tests/support/RawPaths.h"
#include "tools/dup/core/KeepOneFolderCopy.h"

using namespace rw;
using rwtest::FixtureBuilder;

namespace
{

const QByteArray kOddName("odd\tna\nme\xff.txt");

void makeUnit(FixtureBuilder& fx, const QString& rel)
{
    fx.fileWithContent(rel + "/a.txt", QByteArray(5000, 'a'));
    fx.fileWithContent(rel + "/sub/b.txt", QByteArray(300, 'b'));
    fx.fileWithContent(rel + "/.hidden", QByteArray(10, 'h'));
    rwtest::writeRawFile(QFile::encodeName(fx.path(rel)) + '/' + kOddName, QByteArray(70, 'o'));
}

// A folder as the scan names it: its parent's path and identity, its name
// and its own identity.
KeepOneFolderCopy::Member member(const QByteArray& path, bool leaving)
{
    const qsizetype slash = path.lastIndexOf('/');
    KeepOneFolderCopy::Member m;
    m.target.folder = path.left(slash);
    m.target.name = path.mid(slash + 1);
    FileStatus parent;
    FileStatus self;
    EXPECT_TRUE(pathStatus(m.target.folder, &parent));
    EXPECT_TRUE(pathStatus(path, &self));
    m.target.folderIdentity = {parent.dev, parent.ino, FileIdentity::Type::Folder};
    m.target.identity = {self.dev, self.ino, FileIdentity::Type::Folder};
    m.target.shown = QFile::decodeName(path);
    m.leaving = leaving;
    return m;
}

bool sameTree(const FixtureBuilder& fx, const QString& a, const QString& b)
{
    SafeFolder fa;
    SafeFolder fb;
    EXPECT_TRUE(fa.open(QFile::encodeName(fx.path(a))));
    EXPECT_TRUE(fb.open(QFile::encodeName(fx.path(b))));
    return KeepOneFolderCopy::sameTree(fa.fd(), fb.fd());
}

} // namespace

// The comparison just before a folder goes: equal only for the same names
// holding the same bytes; links and special files are never vouched for,
// and a folder never equals one inside it.
TEST(KeepOneFolderCopy, SameTreeComparesEveryNameAndByte)
{
    const struct {
        const char* what;
        std::function<void(FixtureBuilder&)> alter;
        bool same;
    } cases[] = {
        {"a copy", [](FixtureBuilder&) {}, true},
        {"a hard link for a file",
         [](FixtureBuilder& fx) {
             QFile::remove(fx.path("y/a.txt"));
             fx.hardlink("y/a.txt", "x/a.txt");
         },
         true},
        {"the last byte differs",
         [](FixtureBuilder& fx) {
             QByteArray b(300, 'b');
             b[299] = 'c';
             fx.fileWithContent("y/sub/b.txt", b);
         },
         false},
        {"an extra empty folder", [](FixtureBuilder& fx) { fx.folder("y/sub/empty"); }, false},
        {"the odd name missing",
         [](FixtureBuilder& fx) {
             QFile::remove(QFile::decodeName(QFile::encodeName(fx.path("y")) + '/' + kOddName));
         },
         false},
        {"the same link in both",
         [](FixtureBuilder& fx) {
             fx.symlink("x/l", "a.txt");
             fx.symlink("y/l", "a.txt");
         },
         false},
        {"a pipe in both",
         [](FixtureBuilder& fx) {
             fx.fifo("x/p");
             fx.fifo("y/p");
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FixtureBuilder fx;
        makeUnit(fx, "x");
        makeUnit(fx, "y");
        c.alter(fx);
        EXPECT_EQ(sameTree(fx, "x", "y"), c.same);
    }
    FixtureBuilder fx;
    makeUnit(fx, "x");
    EXPECT_FALSE(sameTree(fx, "x", "x/sub"));
    EXPECT_FALSE(sameTree(fx, "x/sub", "x"));
}

// A folder goes only while a copy that is not marked still is the folder
// the scan saw and holds the same tree.
TEST(KeepOneFolderCopy, NeverTheLastCopyNorOneWhoseCopyChanged)
{
    FixtureBuilder fx;
    makeUnit(fx, "x");
    makeUnit(fx, "y");
    const QByteArray x = QFile::encodeName(fx.path("x"));
    const QByteArray y = QFile::encodeName(fx.path("y"));

    KeepOneFolderCopy keep;
    keep.addGroup({member(x, true), member(y, false)});
    EXPECT_TRUE(keep.mayGo(member(x, true).target));

    KeepOneFolderCopy bothMarked;
    bothMarked.addGroup({member(x, true), member(y, true)});
    EXPECT_FALSE(bothMarked.mayGo(member(x, true).target));

    KeepOneFolderCopy notInAGroup;
    EXPECT_FALSE(notInAGroup.mayGo(member(x, true).target));

    // The copy changed after the scan.
    fx.fileWithContent("y/sub/b.txt", QByteArray(300, 'B'));
    EXPECT_FALSE(keep.mayGo(member(x, true).target));

    // The copy was replaced by another folder of the same contents under
    // its name: not the folder the scan saw.
    const KeepOneFolderCopy::Member scanned = member(y, false);
    ASSERT_TRUE(QDir().rename(fx.path("y"), fx.path("y-old"))); // kept, so its inode is not reused
    makeUnit(fx, "y");
    KeepOneFolderCopy replaced;
    replaced.addGroup({member(x, true), scanned});
    EXPECT_FALSE(replaced.mayGo(member(x, true).target));
}

// The folder reached again through a bind mount is the same folder: never
// its own copy.
TEST(KeepOneFolderCopy, ABindMountOfTheFolderIsNoCopy)
{
    FixtureBuilder fx;
    makeUnit(fx, "x");
    const QByteArray x = QFile::encodeName(fx.path("x"));
    const QByteArray mount = QFile::encodeName(fx.folder("m"));
    const rwtest::MountNamespaceChild child({{x, mount}}, [&] {
        KeepOneFolderCopy keep;
        keep.addGroup({member(x, true), member(mount, false)});
        const bool mayGo = keep.mayGo(member(x, true).target);
        return QByteArray(mayGo ? "may go" : "kept");
    });
    if (!child.ran())
        GTEST_SKIP() << child.skipReason().toStdString();
    EXPECT_EQ(child.answer(), QByteArray("kept"));
}
