#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <unistd.h>

#include "framework/core/PathBytes.h"
#include "framework/core/ProtectedPaths.h"
#include "tests/support/FixtureBuilder.h"

using rw::ProtectedKind;
using rw::RefusingWindow;
using rwtest::FixtureBuilder;

TEST(ProtectedPaths, OperatingSystemFoldersInEveryWritingAreRefused)
{
    FixtureBuilder fx;
    const QString etcLink = fx.symlink("etc-link", "/etc");
    const QString rootLink = fx.symlink("root-link", "/");
    const struct {
        QString path;
        ProtectedKind kind;
    } cases[] = {
        {"/", ProtectedKind::Root},
        {"//", ProtectedKind::Root},
        {"/usr/..", ProtectedKind::Root},
        {rootLink, ProtectedKind::Root},
        {"/bin", ProtectedKind::System},
        {"/boot", ProtectedKind::System},
        {"/dev", ProtectedKind::System},
        {"/etc", ProtectedKind::System},
        {"/lib", ProtectedKind::System},
        {"/lib64", ProtectedKind::System},
        {"/proc", ProtectedKind::System},
        {"/sbin", ProtectedKind::System},
        {"/sys", ProtectedKind::System},
        {"/usr", ProtectedKind::System},
        {"/var", ProtectedKind::System},
        {"/usr/", ProtectedKind::System},
        {"/usr/../usr", ProtectedKind::System},
        {"/./etc//", ProtectedKind::System},
        {etcLink, ProtectedKind::System},
        {QDir::homePath(), ProtectedKind::System},
        {QDir::homePath() + "/", ProtectedKind::System},
        {QDir::homePath() + "/sub/..", ProtectedKind::System},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rw::protectedFolderKind(c.path), c.kind) << c.path.toStdString();
        EXPECT_TRUE(rw::isProtectedFolder(c.path)) << c.path.toStdString();
        EXPECT_EQ(rw::protectedFolderKindBytes(QFile::encodeName(c.path)), c.kind)
            << c.path.toStdString();
    }
}

TEST(ProtectedPaths, OrdinaryFoldersAreNotProtected)
{
    FixtureBuilder fx;
    const QStringList paths = {fx.folder("music"),
                               fx.folder("music/old"),
                               fx.path("missing"),
                               QDir::homePath() + "/Documents",
                               "/etc/ssl",
                               "/usr2",
                               "/varx",
                               ""};
    for (const QString& path : paths) {
        EXPECT_FALSE(rw::isProtectedFolder(path)) << path.toStdString();
        EXPECT_EQ(rw::protectedFolderKindBytes(QFile::encodeName(path)), ProtectedKind::None)
            << path.toStdString();
    }
}

TEST(ProtectedPaths, FoldersGivenAsBytesAreJudgedByWhatTheyAre)
{
    FixtureBuilder fx;
    const QByteArray base = QFile::encodeName(fx.base());
    // A link whose name is not valid UTF-8 still leads to /etc; a folder of
    // such a name is an ordinary folder.
    const QByteArray etcLink = base + "/etc\xff";
    ASSERT_EQ(::symlink("/etc", etcLink.constData()), 0);
    const QByteArray odd = QFile::encodeName(fx.folder("plain")) + "/../odd\xff";
    const struct {
        QByteArray path;
        ProtectedKind kind;
    } cases[] = {{etcLink, ProtectedKind::System},
                 {etcLink + "/", ProtectedKind::System},
                 {odd, ProtectedKind::None},
                 {"/usr/\xff/..", ProtectedKind::System}};
    for (const auto& c : cases)
        EXPECT_EQ(rw::protectedFolderKindBytes(c.path), c.kind) << c.path.toStdString();
    EXPECT_EQ(rw::protectedFolderRefusalBytes(etcLink, RefusingWindow::Browser),
              "You cannot delete the Windows folder using Roomwise 95");
    ::unlink(etcLink.constData());
}

TEST(PathBytes, CleaningKeepsEveryByteOfTheNames)
{
    ASSERT_EQ(::chdir("/usr"), 0);
    const struct {
        QByteArray path;
        QByteArray clean, parent, last;
    } cases[] = {
        {"/", "/", "/", ""},
        {"//a//b\xff/", "/a/b\xff", "/a", "b\xff"},
        {"/a/./b/../c\t", "/a/c\t", "/a", "c\t"},
        {"/../x", "/x", "/", "x"},
        {"lib\\x", "/usr/lib\\x", "/usr", "lib\\x"},
    };
    for (const auto& c : cases) {
        const QByteArray clean = rw::cleanAbsolutePath(c.path);
        EXPECT_EQ(clean, c.clean) << c.path.toStdString();
        EXPECT_EQ(rw::parentPathBytes(clean), c.parent) << c.path.toStdString();
        EXPECT_EQ(rw::lastComponent(clean), c.last) << c.path.toStdString();
    }
    EXPECT_EQ(rw::joinPathBytes("/", "a\xff"), "/a\xff");
    EXPECT_EQ(rw::joinPathBytes("/b", "a"), "/b/a");
    EXPECT_EQ(rw::workingFolderBytes(), "/usr");
}

TEST(ProtectedPaths, MappedDriveRootIsARoot)
{
    FixtureBuilder fx;
    const QString drive = fx.folder("drive-d");
    fx.folder("drive-d/work");
    fx.mapDrive('D', drive);

    EXPECT_EQ(rw::protectedFolderKind(drive), ProtectedKind::Root);
    EXPECT_EQ(rw::protectedFolderKind(drive + "/"), ProtectedKind::Root);
    EXPECT_EQ(rw::protectedFolderKind(drive + "/work"), ProtectedKind::None);
}

TEST(ProtectedPaths, RefusalTextsDependOnTheWindow)
{
    FixtureBuilder fx;
    const QString browserRoot = "Cannot delete the root folder! To delete a folder including all "
                                "files and sub-folders double click on the desired folder shown "
                                "in the left panel.";
    const QString system = "You cannot delete the Windows folder using Roomwise 95";
    EXPECT_EQ(rw::protectedFolderRefusal("/", RefusingWindow::Browser), browserRoot);
    EXPECT_EQ(rw::protectedFolderRefusal("/", RefusingWindow::FolderHogs),
              "You cannot delete the root folder using Roomwise 95");
    EXPECT_EQ(rw::protectedFolderRefusal("/etc", RefusingWindow::Browser), system);
    EXPECT_EQ(rw::protectedFolderRefusal(QDir::homePath(), RefusingWindow::FolderHogs), system);
    EXPECT_EQ(rw::protectedFolderRefusal(fx.folder("x"), RefusingWindow::Browser), QString());
}
