#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/FolderWritable.h"
#include "platform/Folders.h"
#include "platform/ProfileFile.h"
#include "tests/platform/TestMount.h"
#include "tests/support/TestEnvironment.h"

#include <functional>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace rw;

namespace
{

QString iniPath()
{
    return rwtest::testRoot() + QStringLiteral("/p.ini");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ProfileFile, MissingFileSectionOrKeyGivesTheDefault)
{
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("S", "k", "def"), "def");
    EXPECT_EQ(ini.readInt("S", "k", -1), -1);
    EXPECT_FALSE(ini.hasSection("S"));
    EXPECT_FALSE(QFile::exists(iniPath())) << "a read never creates the file";

    writeBytes(iniPath(), "[S]\na=1\nbad=12x\n");
    EXPECT_EQ(ini.readString("T", "a", "def"), "def");
    EXPECT_EQ(ini.readString("S", "b", "def"), "def");
    EXPECT_EQ(ini.readInt("S", "bad", -7), -7) << "not a number gives the default";
    EXPECT_EQ(ini.readInt("S", "a", -7), 1);
}

TEST(ProfileFile, NamesMatchWithoutRegardToCase)
{
    writeBytes(iniPath(), "[RoomWise]\nNDelete=5\n");
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readInt("roomwise", "ndelete", -1), 5);
    ASSERT_TRUE(ini.writeInt("ROOMWISE", "NDELETE", 6));
    EXPECT_EQ(readBytes(iniPath()), "[RoomWise]\nNDELETE=6\n")
        << "the existing header is kept, the key line replaced in place";
}

TEST(ProfileFile, OddLinesAreReadTheClassicWay)
{
    writeBytes(iniPath(), "orphan=1\n"
                          "[S]\n"
                          "  spaced  =  some value  \n"
                          "eq=a=b=c\n"
                          "; comment=9\n"
                          "=novalue\n"
                          "[s]\n"
                          "spaced=second\n"
                          "other=2\n");
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("S", "spaced"), "some value");
    EXPECT_EQ(ini.readString("S", "eq"), "a=b=c");
    EXPECT_EQ(ini.readString("S", "orphan", "none"), "none") << "a key before any header";
    EXPECT_EQ(ini.readString("S", "; comment", "none"), "none");
    EXPECT_EQ(ini.readString("S", "other", "none"), "none") << "the first of two sections wins";
    EXPECT_EQ(ini.keys("S"), QStringList({"spaced", "eq"}));
}

TEST(ProfileFile, WriteKeepsEveryOtherLineByteForByte)
{
    const QByteArray before = "; roomwise settings\n"
                              "[Unknown]\n"
                              "x = 1   \n"
                              "\n"
                              "[S]\n"
                              "a=1\n"
                              "\n"
                              "[Tail]\n"
                              "y=2\n";
    writeBytes(iniPath(), before);
    ProfileFile ini(iniPath());
    ASSERT_TRUE(ini.writeString("S", "b", "two"));
    ASSERT_TRUE(ini.writeString("New", "k", "v"));
    EXPECT_EQ(readBytes(iniPath()), "; roomwise settings\n"
                                    "[Unknown]\n"
                                    "x = 1   \n"
                                    "\n"
                                    "[S]\n"
                                    "a=1\n"
                                    "b=two\n"
                                    "\n"
                                    "[Tail]\n"
                                    "y=2\n"
                                    "\n"
                                    "[New]\n"
                                    "k=v\n");
}

TEST(ProfileFile, WriteCreatesFolderFileAndSection)
{
    ProfileFile ini(QStringLiteral("fresh.ini"));
    EXPECT_EQ(ini.path(), rwtest::testRoot() + "/config/roomwise/fresh.ini");
    ASSERT_TRUE(ini.writeInt("S", "n", 42)) << ini.errorString().toStdString();
    EXPECT_EQ(readBytes(ini.path()), "[S]\nn=42\n");
    EXPECT_EQ(ProfileFile("fresh.ini").readInt("s", "N", 0), 42);
}

TEST(ProfileFile, JunkFilesAreReadAndKeptAsTheyWere)
{
    // NUL bytes, invalid UTF-8, a 1 MB line and no final newline.
    // The literal is split after \x00 so "a" is not read as one more hex digit.
    static constexpr char kHead[] = "\x00\xff\xfe[bin\x00"
                                    "ary]\n";
    QByteArray junk(kHead, sizeof kHead - 1);
    ASSERT_EQ(junk.indexOf('\0', 1), 7); // the NUL inside the bracket is there
    junk += QByteArray(1024 * 1024, 'z') + '\n';
    junk += "[S]\n";
    junk += QByteArray("\xc3\x28=\x00\x01\n", 6);
    junk += "key=found";
    writeBytes(iniPath(), junk);

    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("S", "key"), "found");
    ASSERT_TRUE(ini.writeString("S", "more", "1"));
    EXPECT_EQ(readBytes(iniPath()), junk + "\nmore=1\n");
}

TEST(ProfileFile, CrLfLineEndsAreKept)
{
    writeBytes(iniPath(), "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n");
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("S", "a"), "1");
    EXPECT_EQ(ini.readString("T", "b"), "2");
    ASSERT_TRUE(ini.writeString("S", "c", "3"));
    ASSERT_TRUE(ini.writeString("U", "d", "4"));
    EXPECT_EQ(readBytes(iniPath()), "[S]\r\na=1\r\nc=3\r\n\r\n[T]\r\nb=2\r\n\r\n[U]\r\nd=4\r\n");
}

TEST(ProfileFile, WriteSectionAndValuesReplaceOnlyWhatTheyName)
{
    writeBytes(iniPath(), "[L]\nNumber=3\nFile1=a\nFile2=b\nFile3=c\n\n[M]\nz=1\n");
    ProfileFile ini(iniPath());
    ASSERT_TRUE(ini.writeSection("l", {{"Number", "1"}, {"File1", "x"}}));
    EXPECT_EQ(readBytes(iniPath()), "[L]\nNumber=1\nFile1=x\n\n[M]\nz=1\n");
    ASSERT_TRUE(ini.writeValues("M", {{"z", "2"}, {"y", "3"}}));
    EXPECT_EQ(ini.readSection("M"), (QList<QPair<QString, QString>>{{"z", "2"}, {"y", "3"}}));
    ASSERT_TRUE(ini.removeKey("M", "Z"));
    EXPECT_EQ(ini.keys("M"), QStringList({"y"}));
}

TEST(ProfileFile, EntriesThatWouldBreakTheLinesAreRefused)
{
    writeBytes(iniPath(), "[S]\na=1\n");
    ProfileFile ini(iniPath());
    EXPECT_FALSE(ini.writeString("S", "a", "x\n[Roomwise]\nNdelete=99"));
    EXPECT_FALSE(ini.writeString("S", "k=v", "1"));
    EXPECT_FALSE(ini.writeString("S", "", "1"));
    EXPECT_FALSE(ini.writeString("S\n[T]", "k", "1"));
    EXPECT_FALSE(ini.errorString().isEmpty());
    EXPECT_EQ(readBytes(iniPath()), "[S]\na=1\n");
}

TEST(ProfileFile, FailedWriteIsReportedAndKeepsNoHalfFile)
{
    // The settings folder's path is taken by a regular file.
    writeBytes(rwtest::testRoot() + "/config/roomwise", "not a folder");
    ProfileFile ini(QStringLiteral("roomwse.ini"));
    EXPECT_FALSE(ini.writeInt("Roomwise", "Ndelete", 1));
    EXPECT_FALSE(ini.errorString().isEmpty());
    EXPECT_EQ(ini.readInt("Roomwise", "Ndelete", -1), -1);

    // A profile that exists but cannot be read is never overwritten blindly.
    const QString dirAsFile = rwtest::testRoot() + "/folder.ini";
    QDir().mkpath(dirAsFile);
    ProfileFile odd(dirAsFile);
    EXPECT_FALSE(odd.writeString("S", "k", "v"));
    EXPECT_TRUE(QFileInfo(dirAsFile).isDir());
}

TEST(ProfileFile, FileIsReplacedNotRewrittenInPlace)
{
    writeBytes(iniPath(), "[S]\na=1\n");
    QFile held(iniPath());
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ProfileFile ini(iniPath());
    ASSERT_TRUE(ini.writeString("S", "a", "2"));
    // A reader that opened the old file still sees the old, whole content.
    EXPECT_EQ(held.readAll(), "[S]\na=1\n");
    EXPECT_EQ(readBytes(iniPath()), "[S]\na=2\n");
}

TEST(ProfileFile, ASettingsFileThatIsALinkIsNeverWrittenThrough)
{
    const QString target = rwtest::testRoot() + "/target.ini";
    const QByteArray before = "[S]\na=1\n";
    writeBytes(target, before);
    ASSERT_TRUE(QFile::link(target, iniPath()));
    ProfileFile ini(iniPath());
    EXPECT_EQ(ini.readString("S", "a"), "1") << "reading through the link is harmless";
    const std::function<bool()> writes[] = {
        [&] { return ini.writeString("S", "a", "2"); },
        [&] { return ini.writeValues("S", {{"b", "3"}}); },
        [&] { return ini.writeInt("T", "n", 4); },
        [&] { return ini.removeKey("S", "a"); },
        [&] { return ini.writeSection("S", {}); },
    };
    for (const auto& write : writes) {
        EXPECT_FALSE(write());
        EXPECT_EQ(ini.errorString(),
                  "The settings file " + iniPath() + " is a symbolic link; it was left as it is.");
    }
    EXPECT_EQ(readBytes(target), before);
    EXPECT_TRUE(QFileInfo(iniPath()).isSymLink());
    EXPECT_EQ(QFileInfo(iniPath()).symLinkTarget(), target);

    // A dangling link is refused as well; its target is never made.
    const QString dangling = rwtest::testRoot() + "/dangling.ini";
    ASSERT_TRUE(QFile::link(rwtest::testRoot() + "/nowhere.ini", dangling));
    EXPECT_FALSE(ProfileFile(dangling).writeString("S", "k", "v"));
    EXPECT_FALSE(QFileInfo::exists(rwtest::testRoot() + "/nowhere.ini"));
}

TEST(ProfileFile, CanWriteFolderOfTellsWithoutMakingAnything)
{
    const QString r = rwtest::testRoot();
    writeBytes(r + "/plain.ini", "[S]\n");
    writeBytes(r + "/afile", "x");
    ASSERT_TRUE(QFile::link(r + "/plain.ini", r + "/link.ini"));
    QDir().mkpath(r + "/folder.ini");
    const struct {
        const char* what;
        QString path;
        bool writable;
    } cases[] = {
        {"an existing file", r + "/plain.ini", true},
        {"missing folders that can be made", r + "/new/deeper/x.ini", true},
        {"a folder under a file", r + "/afile/sub/x.ini", false},
        {"a link", r + "/link.ini", false},
        {"a folder", r + "/folder.ini", false},
    };
    for (const auto& c : cases) {
        QString why;
        EXPECT_EQ(canWriteFolderOf(c.path, &why), c.writable) << c.what;
        EXPECT_EQ(why.isEmpty(), c.writable) << c.what << ": " << why.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(r + "/new")) << "the check makes nothing";
}

TEST(ProfileFile, CanWriteFolderOfSeesAFolderThatCannotBeWritten)
{
    const QString folder = rwtest::testRoot() + "/locked";
    QDir().mkpath(folder);
    // Root passes permission bits, so there a read-only mount stands in.
    std::optional<rwtest::TestMount> mount;
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0500), 0);
    } else {
        mount.emplace(rwtest::TestMount::tmpfs(QFile::encodeName(folder), MS_RDONLY));
        if (!mount->ok())
            GTEST_SKIP() << mount->reason().toStdString();
    }
    for (const QString& path : {folder + "/x.ini", folder + "/sub/x.ini"}) {
        QString why;
        EXPECT_FALSE(canWriteFolderOf(path, &why)) << path.toStdString();
        EXPECT_TRUE(why.contains(folder)) << why.toStdString();
        EXPECT_FALSE(ProfileFile(path).writeString("S", "k", "v"))
            << "the check agrees with a write";
    }
}
