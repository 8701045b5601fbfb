#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <thread>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/Settings.h"
#include "platform/DosDateTime.h"
#include "platform/ProfileFile.h"
#include "tests/support/AlertRecorder.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace rw;

namespace
{

long long stored(const char* key)
{
    return ProfileFile(rwtest::settingsFilePath()).readInt("Roomwise", key, -99);
}

void writeSettings(const QByteArray& bytes)
{
    QDir().mkpath(rwtest::testRoot() + "/config/roomwise");
    QFile f(rwtest::settingsFilePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QDate kDay1(1996, 5, 15);
const QDate kDay2(1996, 6, 1);

} // namespace

TEST(Settings, DeletionTotalsAddUpAndKeepTheirStartDay)
{
    EXPECT_EQ(readDeletionTotals().filesDeleted, -1) << "a first run has no totals";
    EXPECT_FALSE(QFile::exists(rwtest::settingsFilePath()));

    ASSERT_TRUE(addDeletionTotals(0, 0, 3, 1000));
    EXPECT_EQ(stored("Ndelete"), 0);
    EXPECT_EQ(stored("SizeDelete"), 0);
    EXPECT_EQ(stored("NWaste"), 3);
    EXPECT_EQ(stored("SizeWaste"), 1000);
    EXPECT_EQ(stored("DelDate"), daySerial(QDate::currentDate()));

    ASSERT_TRUE(addDeletionTotals(2, 500, 0, 0, kDay2));
    const DeletionTotals t = readDeletionTotals();
    EXPECT_EQ(t.filesDeleted, 2);
    EXPECT_EQ(t.bytesDeleted, 500);
    EXPECT_EQ(t.filesRecycled, 3);
    EXPECT_EQ(t.bytesRecycled, 1000);
    EXPECT_EQ(t.sinceDay, daySerial(QDate::currentDate())) << "an addition never moves DelDate";
}

TEST(Settings, ResetWritesMinusOneAndTheNextRunStartsAfresh)
{
    ASSERT_TRUE(addDeletionTotals(5, 500, 6, 600, kDay1));
    ASSERT_TRUE(resetDeletionTotals());
    for (const char* key : {"Ndelete", "SizeDelete", "NWaste", "SizeWaste", "DelDate"})
        EXPECT_EQ(stored(key), -1) << key;

    ASSERT_TRUE(addDeletionTotals(1, 10, 0, 0, kDay2));
    const DeletionTotals t = readDeletionTotals();
    EXPECT_EQ(t.filesDeleted, 1);
    EXPECT_EQ(t.bytesDeleted, 10);
    EXPECT_EQ(t.filesRecycled, 0);
    EXPECT_EQ(t.bytesRecycled, 0);
    EXPECT_EQ(t.sinceDay, daySerial(kDay2));
}

TEST(Settings, TotalsAreSixtyFourBitAndToleratePoorValues)
{
    const std::int64_t threeGiB = 3LL << 30;
    ASSERT_TRUE(addDeletionTotals(1, threeGiB, 0, 0, kDay1));
    ASSERT_TRUE(addDeletionTotals(1, threeGiB, 0, 0, kDay1));
    EXPECT_EQ(readDeletionTotals().bytesDeleted, 6LL << 30);

    writeSettings("; keep me\n[ROOMWISE]\nNdelete=lots\nNWaste=4\nDelDate=35000\n[Other]\nx=1\n");
    ASSERT_TRUE(addDeletionTotals(2, 20, 1, 10, kDay2));
    const DeletionTotals t = readDeletionTotals();
    EXPECT_EQ(t.filesDeleted, 2) << "a value that is no number counts as unset";
    EXPECT_EQ(t.filesRecycled, 5);
    EXPECT_EQ(t.sinceDay, 35000);
    EXPECT_EQ(ProfileFile(rwtest::settingsFilePath()).readString("Other", "x"), "1");

    // A total at the top of the range saturates instead of wrapping.
    writeSettings("[ROOMWISE]\nSizeDelete=9223372036854775807\nNdelete=1\n");
    ASSERT_TRUE(addDeletionTotals(1, 1000, 0, 0, kDay2));
    EXPECT_EQ(readDeletionTotals().bytesDeleted, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(readDeletionTotals().filesDeleted, 2);
}

TEST(Settings, FailedTotalsWriteIsReported)
{
    QFile blocker(rwtest::testRoot() + "/config/roomwise");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(addDeletionTotals(1, 1, 0, 0, kDay1));
    EXPECT_FALSE(resetDeletionTotals());
    EXPECT_FALSE(writeListSection("TempFiles", {"*.tmp"}));
}

TEST(Settings, ListSectionsRoundTrip)
{
    EXPECT_EQ(readListCount("TempFiles"), -1);
    EXPECT_TRUE(readListSection("TempFiles", rwtest::ScriptedResponder::instance()).isEmpty());

    const QStringList patterns{"*.tmp", "~*.*", "*.bak"};
    ASSERT_TRUE(writeListSection("TempFiles", patterns));
    EXPECT_EQ(readListCount("TempFiles"), 3);
    EXPECT_EQ(readListSection("tempfiles", rwtest::ScriptedResponder::instance()), patterns);
    EXPECT_EQ(ProfileFile(rwtest::settingsFilePath()).readString("TempFiles", "File3"), "*.bak");

    ASSERT_TRUE(writeListSection("TempFiles", {"*.old"}));
    EXPECT_EQ(readListSection("TempFiles", rwtest::ScriptedResponder::instance()),
              QStringList({"*.old"}));
    EXPECT_EQ(ProfileFile(rwtest::settingsFilePath()).readString("TempFiles", "File2", "gone"),
              "gone")
        << "a shorter list leaves no stale entries";

    ASSERT_TRUE(writeListSection("Include", {}));
    EXPECT_EQ(readListCount("Include"), 0);
    EXPECT_TRUE(readListSection("Include", rwtest::ScriptedResponder::instance()).isEmpty());
}

TEST(Settings, DamagedListSectionsReadSafely)
{
    writeSettings("[Include]\nNumber=2000000000\nFile1=*.a\nFile3=*.c\nFile01=*.x\n"
                  "[Exclude]\nNumber=-4\nFile1=*.a\n"
                  "[TempFiles]\nNumber=4\nFile1=*.a\nFile2=*.b\n");
    EXPECT_EQ(readListSection("Include", rwtest::ScriptedResponder::instance()),
              QStringList({"*.a", "", "*.c"}));
    EXPECT_EQ(readListCount("Include"), 2000000000);
    EXPECT_TRUE(readListSection("Exclude", rwtest::ScriptedResponder::instance()).isEmpty());
    EXPECT_EQ(readListSection("TempFiles", rwtest::ScriptedResponder::instance()),
              QStringList({"*.a", "*.b"}));
    EXPECT_TRUE(rwtest::ScriptedResponder::instance().texts().isEmpty());
}

// A key far out (File2000000000) once made the reader build two billion
// entries; a list is capped at its limit, with one warning.
TEST(Settings, ListSectionsAreCappedWithAWarning)
{
    QByteArray text = "[TempFiles]\nNumber=2000000000\nFile1=*.a\nFile2000000000=*.z\n"
                      "[Include]\nNumber=20000\n";
    for (int i = 1; i <= 20000; ++i)
        text += "File" + QByteArray::number(i) + "=*.e" + QByteArray::number(i) + "\n";
    writeSettings(text);
    auto& responder = rwtest::ScriptedResponder::instance();

    const QStringList temp = readListSection("TempFiles", rwtest::ScriptedResponder::instance());
    ASSERT_EQ(temp.size(), rw::kListSectionLimit);
    EXPECT_EQ(temp.first(), "*.a");
    EXPECT_EQ(temp.last(), "");
    const QStringList include = readListSection("Include", rwtest::ScriptedResponder::instance());
    ASSERT_EQ(include.size(), rw::kListSectionLimit);
    EXPECT_EQ(include.last(), "*.e10000");

    ASSERT_EQ(responder.entries().size(), 2);
    EXPECT_EQ(responder.entries()[0].kind, rw::MessageKind::Warning);
    EXPECT_EQ(responder.entries()[0].text,
              "The list [TempFiles] in the settings file is longer than 10,000 entries; the "
              "first 10,000 are used.");
    EXPECT_EQ(responder.entries()[1].text, rw::listSectionTooLongText("Include"));
}

// Two instances (or two threads) ending deletion runs side by side: each
// addition reads the totals and writes the sums, and none may be lost.
TEST(Settings, DeletionTotalsAddedSideBySideAreAllCounted)
{
    constexpr int kRuns = 200;
    const auto addRuns = [] {
        bool ok = true;
        for (int i = 0; i < kRuns; ++i)
            ok = addDeletionTotals(1, 10, 2, 100, kDay1) && ok;
        return ok;
    };
    const struct {
        const char* what;
        std::function<void()> runTwice;
    } cases[] = {
        {"two processes",
         [&] {
             pid_t pids[2];
             for (pid_t& pid : pids) {
                 pid = ::fork();
                 ASSERT_GE(pid, 0);
                 if (pid == 0) {
                     ::alarm(120); // a lock that never comes back ends the child
                     ::_exit(addRuns() ? 0 : 1);
                 }
             }
             for (const pid_t pid : pids) {
                 int status = -1;
                 ASSERT_EQ(::waitpid(pid, &status, 0), pid);
                 EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
             }
         }},
        {"two threads",
         [&] {
             bool ok[2] = {false, false};
             std::thread a([&] { ok[0] = addRuns(); });
             std::thread b([&] { ok[1] = addRuns(); });
             a.join();
             b.join();
             EXPECT_TRUE(ok[0] && ok[1]);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(resetDeletionTotals());
        c.runTwice();
        const DeletionTotals t = readDeletionTotals();
        EXPECT_EQ(t.filesDeleted, 2 * kRuns);
        EXPECT_EQ(t.bytesDeleted, 2 * kRuns * 10);
        EXPECT_EQ(t.filesRecycled, 2 * kRuns * 2);
        EXPECT_EQ(t.bytesRecycled, 2 * kRuns * 100);
        EXPECT_EQ(t.sinceDay, daySerial(kDay1));
    }
    // The lock file stays (two instances must always lock the same file),
    // and is the owner's only.
    const QFileInfo lock(rwtest::settingsFilePath() + ".lock");
    EXPECT_TRUE(lock.isFile());
    EXPECT_EQ(lock.permissions() & 0x0077, 0);
}

TEST(Settings, ASettingsFileThatCannotBeReadIsNeverWrittenOver)
{
    QDir().mkpath(rwtest::testRoot() + "/config/roomwise");
    rwtest::FixtureBuilder fx(rwtest::testRoot() + "/config/roomwise");
    fx.fifo("roomwse.ini");
    rwtest::AlertRecorder alerts;
    ::alarm(20); // a read that blocks on the FIFO ends the test program
    EXPECT_EQ(readDeletionTotals().filesDeleted, -1);
    EXPECT_TRUE(readListSection("TempFiles", rwtest::ScriptedResponder::instance()).isEmpty());
    EXPECT_FALSE(addDeletionTotals(1, 1, 0, 0, kDay1));
    EXPECT_FALSE(resetDeletionTotals());
    EXPECT_FALSE(writeListSection("TempFiles", {"*.tmp"}));
    ::alarm(0);
    EXPECT_EQ(alerts.texts().size(), 1) << alerts.texts().join('\n').toStdString();
    EXPECT_EQ(QFileInfo(rwtest::settingsFilePath()).isFile(), false) << "the FIFO is still there";
    EXPECT_TRUE(QFileInfo::exists(rwtest::settingsFilePath()));
}

TEST(Settings, ARelativeHomeWritesNoTotalsUnderTheWorkingFolder)
{
    const QString working = rwtest::testRoot() + "/work";
    QDir().mkpath(working);
    ASSERT_TRUE(QDir::setCurrent(working));
    ::setenv("HOME", "home", 1);
    ::setenv("XDG_CONFIG_HOME", "config", 1);
    rwtest::AlertRecorder alerts;
    QString why;
    EXPECT_FALSE(settingsWritable(&why));
    EXPECT_TRUE(why.contains("no absolute home folder")) << why.toStdString();
    EXPECT_FALSE(addDeletionTotals(1, 1, 0, 0, kDay1));
    EXPECT_FALSE(writeListSection("TempFiles", {"*.tmp"}));
    EXPECT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(QDir(working).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot));
}
