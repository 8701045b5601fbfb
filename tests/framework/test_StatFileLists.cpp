#include <gtest/gtest.h>

#include "base/Settings.h"
#include "framework/core/FileTypes.h"
#include "framework/core/StatFileLists.h"
#include "platform/ProfileFile.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/TestEnvironment.h"

namespace
{

QString line(const char* pattern)
{
    const QString p = QString::fromLatin1(pattern);
    return p + QLatin1Char('\t') + rw::FileTypeDescription(rw::ExtensionOf(p));
}

} // namespace

TEST(StatFileLists, NeverSavedListGivesTheThreeDefaults)
{
    for (const char* name : {rw::kIncludeList, rw::kExcludeList}) {
        QStringList list{QStringLiteral("stale")};
        rw::ReadStatFilesFromDisk(list, QString::fromLatin1(name),
                                  rwtest::ScriptedResponder::instance());
        EXPECT_EQ(list, (QStringList{line("*.dll"), line("*.doc"), line("*.exe")})) << name;
    }
}

TEST(StatFileLists, ReadSkipsEmptyValuesAndSortsWithoutCase)
{
    rw::ProfileFile ini(rwtest::settingsFilePath());
    ASSERT_TRUE(ini.writeSection(QStringLiteral("Include"), {{"Number", "4"},
                                                             {"File1", "*.zip"},
                                                             {"File2", ""},
                                                             {"File3", "*.BAK"},
                                                             {"File4", "*.qqzx"}}));
    QStringList list;
    rw::ReadStatFilesFromDisk(list, QStringLiteral("Include"),
                              rwtest::ScriptedResponder::instance());
    EXPECT_EQ(list,
              (QStringList{line("*.BAK"), QStringLiteral("*.qqzx\tQQZX File"), line("*.zip")}));

    ASSERT_TRUE(ini.writeSection(QStringLiteral("Exclude"), {{"Number", "0"}, {"File1", "*.a"}}));
    rw::ReadStatFilesFromDisk(list, QStringLiteral("Exclude"),
                              rwtest::ScriptedResponder::instance());
    EXPECT_TRUE(list.isEmpty());
}

TEST(StatFileLists, SavingAShorterListLeavesTheKeysBeyondItsCount)
{
    const QStringList six{line("*.a"), line("*.b"), line("*.c"),
                          line("*.d"), line("*.e"), line("*.f")};
    ASSERT_TRUE(rw::WriteStatFilesToDisk(six, QStringLiteral("Exclude")));
    ASSERT_TRUE(rw::WriteStatFilesToDisk({line("*.txt"), QStringLiteral("*.bak")},
                                         QStringLiteral("Exclude")));

    rw::ProfileFile ini(rwtest::settingsFilePath());
    EXPECT_EQ(ini.readInt(QStringLiteral("Exclude"), QStringLiteral("Number"), -1), 2);
    // Only the pattern before the tab is stored.
    EXPECT_EQ(ini.readString(QStringLiteral("Exclude"), QStringLiteral("File1")),
              QStringLiteral("*.txt"));
    EXPECT_EQ(ini.readString(QStringLiteral("Exclude"), QStringLiteral("File2")),
              QStringLiteral("*.bak"));
    // File3..File6 stay as they were; reading stops at Number.
    for (const char* kept : {"File3=*.c", "File4=*.d", "File5=*.e", "File6=*.f"}) {
        const QStringList kv = QString::fromLatin1(kept).split('=');
        EXPECT_EQ(ini.readString(QStringLiteral("Exclude"), kv[0]), kv[1]) << kept;
    }

    QStringList back;
    rw::ReadStatFilesFromDisk(back, QStringLiteral("Exclude"),
                              rwtest::ScriptedResponder::instance());
    EXPECT_EQ(back, (QStringList{line("*.bak"), line("*.txt")}));
}
