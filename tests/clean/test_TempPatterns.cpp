#include <gtest/gtest.h>

#include "framework/core/FileTypes.h"
#include "platform/ProfileFile.h"
#include "tests/support/ScriptedResponder.h"
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
    EXPECT_EQ(ReadTempFilesFromDisk(rwtest::ScriptedResponder::instance()),
              lines({"*.tmp", "*.fts", "*.bak", "*.$$$"}));
    EXPECT_EQ(defaultButtonTempPatterns(),
              QStringList({"*.tmp", "*.temp", "*.fts", "*.bak", "*.old", "*.$$$"}));

    ProfileFile ini(rwtest::settingsFilePath());
    ASSERT_TRUE(ini.writeSection(kSection, {{"Number", "0"}, {"File1", "*.tmp"}}));
    EXPECT_TRUE(ReadTempFilesFromDisk(rwtest::ScriptedResponder::instance()).isEmpty());
}

TEST(TempPatterns, ReadSkipsEmptyValuesSortsWithoutCaseAndKeepsATabbedValueWhole)
{
    ProfileFile ini(rwtest::settingsFilePath());
    ASSERT_TRUE(ini.writeSection(kSection, {{"Number", "4"},
                                            {"File1", "*.zzz"},
                                            {"File2", ""},
                                            {"File3", "*.tmp\tleft over"},
                                            {"File4", "*.BAK"}}));
    const QStringList read = ReadTempFilesFromDisk(rwtest::ScriptedResponder::instance());
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
    EXPECT_EQ(ReadTempFilesFromDisk(rwtest::ScriptedResponder::instance()), lines({"*.a", "*.b"}));

    // An empty list is stored as Number 0, not as a missing section.
    ASSERT_TRUE(WriteTempFilesToDisk({}));
    EXPECT_EQ(ini.readInt(kSection, "Number", -1), 0);
    EXPECT_TRUE(ReadTempFilesFromDisk(rwtest::ScriptedResponder::instance()).isEmpty());
}

TEST(TempPatterns, MatcherComparesTheExtensionOnlyWithoutCase)
{
    // The entry's first character is ignored and the rest is no wildcard:
    // "X.bak" takes every ".bak" file, "*.t?p" only a name ending in ".t?p".
    const TempFileMatcher m(lines({"*.tmp", "X.bak", "*.t?p"}));
    struct Case {
        const char* name;
        bool temporary;
    };
    const Case cases[] = {
        {"A.TMP", true},       {"b.Tmp", true},
        {".c.tmp", true},      {".tmp", true}, // all extension
        {"d.tmp.txt", false},  {"tmp", false},
        {"x.tm", false},       {"x.tmpl", false},
        {"report.bak", true},  {"X.BAK", true},
        {"X.bak.old", false},  {"b.tap", false},
        {"b.T?P", true},       {"\xc3\x84rger.TMP", true}, // a UTF-8 name
        {"Bad\xff.tmp", true}, // bytes before the extension do not matter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m.isThisFileTemporary(std::string_view(c.name)), c.temporary) << c.name;
        EXPECT_EQ(m.isThisFileTemporary(QString::fromUtf8(c.name)), c.temporary) << c.name;
    }

    // Letters beyond ASCII match without case; an invalid byte only as it is.
    const TempFileMatcher umlaut(lines({"*.\xc3\xa4rg"})); // ".ärg"
    EXPECT_TRUE(umlaut.isThisFileTemporary(std::string_view("a.\xc3\x84RG")));
    const TempFileMatcher replacement(lines({QString::fromUtf8("*.x\xef\xbf\xbd")}));
    EXPECT_FALSE(replacement.isThisFileTemporary(std::string_view("a.x\xff")));
    EXPECT_TRUE(replacement.isThisFileTemporary(std::string_view("a.X\xef\xbf\xbd")));
}

TEST(TempPatterns, EntriesThatNameNoExtensionAreIgnored)
{
    // "*" (nothing after its first character) would take every file without
    // an extension; it and an empty entry are left out.
    const TempFileMatcher none(lines({"*", ""}));
    EXPECT_TRUE(none.isEmpty());
    for (const char* name : {"README", "bin", "report.doc", "x."})
        EXPECT_FALSE(none.isThisFileTemporary(std::string_view(name))) << name;

    // "*.*" is no wildcard either: only a name ending in ".*" has it.
    const TempFileMatcher mixed(lines({"*.*", "*.bak"}));
    EXPECT_FALSE(mixed.isThisFileTemporary(QStringLiteral("report.doc")));
    EXPECT_TRUE(mixed.isThisFileTemporary(QStringLiteral("report.BAK")));
    EXPECT_TRUE(mixed.isThisFileTemporary(QStringLiteral("odd.*")));
}
