#include "platform/Wildcard.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace
{

struct Case {
    const char* pattern;
    const char* name;
    bool match;
};

TEST(Wildcard, DosRulesTable)
{
    const Case cases[] = {
        {"*.*", "readme.txt", true},
        {"*.*", "Makefile", true}, // also names without a dot
        {"*", "a.b.c", true},
        {"*.", "Makefile", true}, // only names without an extension
        {"*.", "readme.txt", false},
        {"*.TXT", "readme.txt", true}, // case does not matter
        {"*.txt", "README.TXT", true},
        {"*.txt", "readme.txt.bak", false},
        {"*.txt", "txt", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "abbc", false},
        {"read*.*", "readme", true}, // a trailing ".*" takes a dot-less name
        {"read*.*", "readme.md", true},
        {"read*.*", "unread", false},
        {"*.tmp", ".hidden.tmp", true},
        {"*a*b", "xaxxb", true},
        {"*a*b", "xaxxbc", false},
        {"?", "", false},
        {"x*", "", false},
    };
    for (const Case& c : cases) {
        const rw::Wildcard w(QString::fromUtf8(c.pattern));
        EXPECT_EQ(w.matches(std::string_view(c.name)), c.match) << c.pattern << " vs " << c.name;
        EXPECT_EQ(w.matches(QString::fromUtf8(c.name)), c.match) << c.pattern << " vs " << c.name;
    }
}

TEST(Wildcard, UnicodeNamesCompareByCharacterAndWithoutCase)
{
    const Case cases[] = {
        {"*.TXT", "Übersicht.txt", true},
        {"über*", "ÜBERSICHT.doc", true},
        {"?bc", "äbc", true}, // '?' is one character, not one byte
        {"??bc", "äbc", false},
        {"*.ДОК", "отчёт.док", true},
        {"ä?c.*", "ÄXC", true},
    };
    for (const Case& c : cases) {
        const rw::Wildcard w(QString::fromUtf8(c.pattern));
        EXPECT_EQ(w.matches(std::string_view(c.name)), c.match) << c.pattern << " vs " << c.name;
    }
}

TEST(Wildcard, RawNamesThatAreNotUtf8DoNotBreakMatching)
{
    const QByteArray raw("caf\xe9.txt"); // Latin-1 bytes on disk
    EXPECT_TRUE(rw::Wildcard("*.txt").matches(std::string_view(raw.constData(), raw.size())));
    EXPECT_FALSE(rw::Wildcard("*.doc").matches(std::string_view(raw.constData(), raw.size())));
}

} // namespace
