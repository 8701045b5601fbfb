// What a settings file does when the world around it misbehaves: a full
// disk, a writer killed half way, something at the path that is no file to
// read, and a home folder given as a relative path.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/ProfileFile.h"
#include "tests/platform/TestMount.h"
#include "tests/support/AlertRecorder.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/TestEnvironment.h"

#include <functional>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace rw;

namespace
{

using Entries = QList<QPair<QString, QString>>;

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// `count` keys whose values are 100 times `fill`.
Entries manyEntries(int count, char fill)
{
    Entries out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out.append({"Key" + QString::number(i), QString(100, QLatin1Char(fill))});
    return out;
}

// Writes to `path` until the file system is full; true when it got there.
bool fillUp(const QString& path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), std::size_t(block.size())) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

// Every kind of write ProfileFile offers, for checks that must hold for each.
std::vector<std::pair<const char*, std::function<bool(ProfileFile&)>>> everyWrite()
{
    return {
        {"writeString", [](ProfileFile& f) { return f.writeString("Big", "Key1", "changed"); }},
        {"writeValues",
         [](ProfileFile& f) {
             return f.writeValues("New", {{"a", "1"}});
         }},
        {"writeInt", [](ProfileFile& f) { return f.writeInt("Roomwise", "Ndelete", 7); }},
        {"removeKey", [](ProfileFile& f) { return f.removeKey("Big", "Key0"); }},
        {"writeSection",
         [](ProfileFile& f) {
             return f.writeSection("Big", {{"x", "y"}});
         }},
    };
}

// Ends the test program when a read blocks (a FIFO that is opened for
// reading waits for a writer forever): a hang becomes a failure.
class HangGuard
{
public:
    explicit HangGuard(unsigned seconds) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

} // namespace

TEST(ProfileFileFaults, AWriteOnAFullDiskLeavesTheOldFileAndSaysWhyOnce)
{
    const QString folder = rwtest::testRoot() + "/small";
    QDir().mkpath(folder);
    const rwtest::TestMount mount = rwtest::TestMount::tmpfs(QFile::encodeName(folder));
    if (!mount.ok())
        GTEST_SKIP() << mount.reason().toStdString();
    const QString path = folder + "/roomwse.ini";
    ProfileFile ini(path);
    ASSERT_TRUE(ini.writeSection("Big", manyEntries(300, 'a')));
    const QByteArray before = readBytes(path);
    ASSERT_GT(before.size(), 30000);

    rwtest::AlertRecorder alerts;
    ASSERT_TRUE(fillUp(folder + "/filler"));
    for (const auto& [what, write] : everyWrite()) {
        EXPECT_FALSE(write(ini)) << what;
        EXPECT_EQ(ini.errorString(), "The settings could not be saved: No space left on device.")
            << what;
        EXPECT_EQ(readBytes(path), before) << what << ": the old file stays byte for byte";
    }
    EXPECT_EQ(alerts.texts(),
              QStringList{"The settings could not be saved: No space left on device."})
        << "five failed writes, one report";
    EXPECT_EQ(entriesOf(folder), QStringList({"filler", "roomwse.ini", "roomwse.ini.lock"}))
        << "no temporary file is left behind";

    // With room again a write succeeds, and the next failure is told again.
    ASSERT_TRUE(QFile::remove(folder + "/filler"));
    ASSERT_TRUE(ini.writeString("Big", "Key1", "changed"));
    EXPECT_EQ(ini.readString("Big", "Key1"), "changed");
    const QByteArray after = readBytes(path);
    ASSERT_TRUE(fillUp(folder + "/filler"));
    EXPECT_FALSE(ini.writeString("Big", "Key2", "changed"));
    EXPECT_EQ(readBytes(path), after);
    EXPECT_EQ(alerts.texts().size(), 2);
}

TEST(ProfileFileFaults, AWriterKilledHalfWayLeavesTheOldOrTheNewFileWhole)
{
    const QString folder = rwtest::testRoot() + "/killed";
    const QString path = folder + "/roomwse.ini";
    // About 2.3 MB each, so a kill mostly lands in the middle of a write.
    const Entries first = manyEntries(20000, 'a');
    const Entries second = manyEntries(20000, 'b');
    ProfileFile ini(path);
    ASSERT_TRUE(ini.writeSection("Big", first));
    const QByteArray firstBytes = readBytes(path);
    ASSERT_TRUE(ini.writeSection("Big", second));
    const QByteArray secondBytes = readBytes(path);

    // The writer is killed as soon as its temporary file is there (so
    // before the rename), a little later in each round (so in the writes
    // and in the fsync too).
    const auto temporaries = [&] {
        QStringList out;
        for (const QString& name : entriesOf(folder)) {
            if (name.startsWith(".roomwse.ini.tmp-"))
                out << name;
        }
        return out;
    };
    int killedHalfWay = 0;
    for (int round = 0; round < 6; ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // Writes the two contents in turn until killed (or 30 s passed).
            ::alarm(30);
            ProfileFile writer(path);
            for (int i = 0; i < 10000; ++i)
                writer.writeSection("Big", i % 2 ? first : second);
            ::_exit(0);
        }
        const QStringList before = temporaries();
        for (int waited = 0; waited < 10000 && temporaries() == before; ++waited)
            ::usleep(1000);
        ::usleep(useconds_t(2000 * round));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the writer was still at work when killed";
        if (temporaries() != before)
            ++killedHalfWay;
        const QByteArray now = readBytes(path);
        EXPECT_TRUE(now == firstBytes || now == secondBytes)
            << "round " << round << ": " << now.size()
            << " bytes, neither the old nor the new file";
    }
    EXPECT_GT(killedHalfWay, 0) << "no kill landed in the middle of a write";

    // A temporary file a killed writer left is never read as the settings,
    // and the next write clears it away.
    EXPECT_EQ(ini.readSection("Big").size(), 20000);
    ASSERT_TRUE(ini.writeString("S", "k", "v"));
    EXPECT_EQ(entriesOf(folder), QStringList({"roomwse.ini", "roomwse.ini.lock"}));
}

TEST(ProfileFileFaults, WhatIsNoRegularFileIsNotReadAndNeverOverwritten)
{
    rwtest::FixtureBuilder fx;
    const struct {
        const char* what;
        std::function<QString()> make;
    } cases[] = {
        {"a FIFO", [&] { return fx.fifo("fifo.ini"); }},
        {"a link to /dev/zero", [&] { return fx.symlink("zero.ini", "/dev/zero"); }},
        {"a folder", [&] { return fx.folder("folder.ini"); }},
        {"a file over the size limit",
         [&] { return fx.sparseFile("huge.ini", kMaxProfileFileSize + 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = c.make();
        struct stat before = {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &before), 0);
        rwtest::AlertRecorder alerts;
        const HangGuard guard(20);

        ProfileFile ini(path);
        EXPECT_EQ(ini.readString("S", "k", "def"), "def");
        EXPECT_EQ(ini.readInt("S", "n", -5), -5);
        EXPECT_TRUE(ini.readSection("S").isEmpty());
        EXPECT_FALSE(ini.hasSection("S"));
        ASSERT_EQ(alerts.texts().size(), 1) << "told once for four reads";
        EXPECT_TRUE(
            alerts.texts()[0].startsWith("The settings file " + path + " could not be read: "))
            << alerts.texts()[0].toStdString();
        EXPECT_TRUE(alerts.texts()[0].endsWith("; the defaults are used."));

        for (const auto& [what, write] : everyWrite())
            EXPECT_FALSE(write(ini)) << what;
        EXPECT_EQ(alerts.texts().size(), 1) << "a refused write repeats nothing";
        struct stat after = {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_size, before.st_size);
        EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    }
}

TEST(ProfileFileFaults, ARelativeHomeKeepsSettingsOutOfTheWorkingFolder)
{
    const QString root = rwtest::testRoot();
    const struct {
        const char* what;
        QByteArray home;
        QByteArray configHome;
        QString expectedPath; // empty: nowhere
    } cases[] = {
        {"relative HOME and XDG_CONFIG_HOME", "home", "config", QString()},
        {"relative HOME, no XDG_CONFIG_HOME", "home", "", QString()},
        {"no HOME at all", "", "", QString()},
        {"relative XDG_CONFIG_HOME, absolute HOME", QFile::encodeName(root + "/home"), "config",
         root + "/home/.config/roomwise/roomwse.ini"},
    };
    const QString working = root + "/work";
    QDir().mkpath(working);
    ASSERT_TRUE(QDir::setCurrent(working));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::setenv("HOME", c.home.constData(), 1);
        ::setenv("XDG_CONFIG_HOME", c.configHome.constData(), 1);
        ProfileAlerts::reset();
        rwtest::AlertRecorder alerts;
        ProfileFile ini(QStringLiteral("roomwse.ini"));
        EXPECT_EQ(ini.path(), c.expectedPath);
        EXPECT_EQ(ini.readString("S", "k", "def"), "def");
        const bool written = ini.writeString("S", "k", "v");
        EXPECT_EQ(written, !c.expectedPath.isEmpty());
        EXPECT_EQ(ini.writeInt("S", "n", 1), !c.expectedPath.isEmpty());
        if (c.expectedPath.isEmpty()) {
            ASSERT_EQ(alerts.texts().size(), 1) << "two refused writes, one report";
            EXPECT_TRUE(alerts.texts()[0].contains("no absolute home folder"));
        } else {
            EXPECT_TRUE(alerts.texts().isEmpty());
            EXPECT_EQ(readBytes(c.expectedPath), "[S]\nk=v\nn=1\n");
        }
        EXPECT_TRUE(entriesOf(working).isEmpty()) << entriesOf(working).join(' ').toStdString();
    }
}
