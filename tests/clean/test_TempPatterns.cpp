#include <gtest/gtest.h>

#include "framework/core/FileTypes.h"
#include "platform/ProfileFile.h"
#include "tests/support/TestEnvironment.h"
#include "tools/clean/core/TempPatterns.h"

using namespace rw;

namespace
{

QString line(const QString& pattern)
{
    return pattern + QLatin1Char('\t') + FileTypeDescription(ExtensionOf(pattern));
}

QStringList lines(const QStringList& patterns)
{
    QStringList out;
    for (const QString& p : patterns)
        out << TempPatternLine(p);
    sortTempPatternLines(out);
    return out;
}

const QString kSection = QStringLiteral("TempFiles");

} // namespace

TEST(TempPatterns, MissingSectionGivesTheFourDefaultsAndZeroGivesNone)
{
    EXPECT_EQ(ReadTempFilesFromDisk(), lines({"*.tmp", "*~", "*.bak", "*.$$$"}));

    ProfileFile ini(rwtest::settingsFilePath());
    ASSERT_TRUE(ini.writeSection(kSection, {{"Number", "0"}, {"File1", "*.tmp"}}));
    EXPECT_TRUE(ReadTempFilesFromDisk().isEmpty());
}

TEST(TempPatterns, ReadSkipsEmptyValuesSortsWithoutCaseAndKeepsATabbedValueWhole)
{
    ProfileFile ini(rwtest::settingsFilePath());
    ASSERT_TRUE(ini.writeSection(kSection, {{"Number", "4"},
                                            {"File1", "*.zzz"},
                                            {"File2", ""},
                                            {"File3", "*.tmp\tleft over"},
                                            {"File4", "*.BAK"}}));
    const QStringList read = ReadTempFilesFromDisk();
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(read[0], line("*.BAK"));
    // One entry; described by its pattern, the part before its own tab.
    EXPECT_EQ(read[1], "*.tmp\tleft over\t" + FileTypeDescription(".tmp"));
    EXPECT_EQ(read[2], line("*.zzz"));

    // Written back, only the pattern before the first tab is stored.
    ASSERT_TRUE(WriteTempFilesToDisk(read));
    EXPECT_EQ(ini.readString(kSection, "File2"), "*.tmp");
    EXPECT_TRUE(TempFileMatcher({read[1]}).isThisFileTemporary(QStringLiteral("a.tmp")));
}

TEST(TempPatterns, ShorterListStoresItsCountAndLeavesOldKeysUnread)
{
    ASSERT_TRUE(WriteTempFilesToDisk(lines({"*.a", "*.b", "*.c", "*.d", "*.e"})));
    ASSERT_TRUE(WriteTempFilesToDisk(lines({"*.a", "*.b"})));
    ProfileFile ini(rwtest::settingsFilePath());
    EXPECT_EQ(ini.readInt(kSection, "Number", -1), 2);
    EXPECT_EQ(ini.readString(kSection, "File5"), "*.e");
    EXPECT_EQ(ReadTempFilesFromDisk(), lines({"*.a", "*.b"}));

    // An empty list is stored as Number 0, not as a missing section.
    ASSERT_TRUE(WriteTempFilesToDisk({}));
    EXPECT_EQ(ini.readInt(kSection, "Number", -1), 0);
    EXPECT_TRUE(ReadTempFilesFromDisk().isEmpty());
}

TEST(TempPatterns, MatcherComparesWholeNamesWithoutCase)
{
    const TempFileMatcher m(lines({"*.tmp", "*~", "~*.*"}));
    struct Case {
        const char* name;
        bool temporary;
    };
    const Case cases[] = {
        {"A.TMP", true},      {"b.Tmp", true}, {".c.tmp", true},
        {"d.tmp.txt", false}, {"tmp", false},  {"notes.txt~", true},
        {"~lock.doc", true},  {"x.tm", false}, {"\xc3\x84rger.TMP", true}, // UTF-8 name
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.isThisFileTemporary(std::string_view(c.name)), c.temporary) << c.name;
}

TEST(TempPatterns, PatternsThatMatchEveryNameAreIgnored)
{
    // A stray "*.*" must never list every file of a drive for deletion.
    const TempFileMatcher everything(lines({"*.*", "*", ""}));
    EXPECT_TRUE(everything.isEmpty());
    EXPECT_FALSE(everything.isThisFileTemporary(QStringLiteral("report.doc")));

    const TempFileMatcher mixed(lines({"*.*", "*.bak"}));
    EXPECT_FALSE(mixed.isThisFileTemporary(QStringLiteral("report.doc")));
    EXPECT_TRUE(mixed.isThisFileTemporary(QStringLiteral("report.BAK")));
}
