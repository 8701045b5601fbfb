#include <gtest/gtest.h>

#include "platform/DisplayName.h"

using namespace rw;

TEST(DisplayName, PlainNamesShowAsTheyAreAndOthersShowEveryByte)
{
    const struct {
        QByteArray bytes;
        QString shown;
        bool plain;
    } cases[] = {
        {"readme.txt", "readme.txt", true},
        {"caf\xc3\xa9", QString::fromUtf8("caf\xc3\xa9"), true},
        {"back\\slash", "back\\\\slash", true},
        {"tab\\there", "tab\\\\there", true},
        {"Bad\\\xff", "Bad\\\\\\xFF", false},
        {"Bad\xff", "Bad\\xFF", false},
        {"caf\xe9.dat", "caf\\xE9.dat", false},
        {"t\tab", "t\\tab", false},
        {"l\nine\r", "l\\nine\\r", false},
        {QByteArray("nul\x01", 4), "nul\\x01", false},
        // Overlong and surrogate forms are not UTF-8 either.
        {"\xc0\xaf", "\\xC0\\xAF", false},
        {"\xed\xa0\x80", "\\xED\\xA0\\x80", false},
        {"\xf0\x9f\x98\x80", QString::fromUtf8("\xf0\x9f\x98\x80"), true},
        {"cut\xe2\x82", "cut\\xE2\\x82", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(displayName(c.bytes), c.shown) << c.bytes.toHex().constData();
        EXPECT_EQ(isPlainName(c.bytes), c.plain) << c.bytes.toHex().constData();
    }
    // The look-alike with U+FFFD never shows like the byte it stands for.
    EXPECT_NE(displayName("Bad\xff"), displayName("Bad\xef\xbf\xbd"));
    // A name really holding a backslash and a "t" never shows like one
    // holding a tab, nor one holding "\x" and two hex digits like a byte.
    EXPECT_NE(displayName("tab\\there"), displayName("tab\there"));
    EXPECT_NE(displayName("Bad\\xFF"), displayName("Bad\xff"));
}
