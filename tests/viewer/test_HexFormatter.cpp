#include <gtest/gtest.h>

#include "viewer/core/HexFormatter.h"
#include "viewer/core/TextFormatter.h"

using rw::HexFormatter;
using rw::TextFormatter;

namespace
{
QString hexLine(const QByteArray& bytes, std::int64_t offset, int digits = 8)
{
    return HexFormatter::formatLine(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                    static_cast<int>(bytes.size()), offset, digits);
}
} // namespace

TEST(HexFormatter, FullLineLayout)
{
    const QByteArray bytes("\x00\x09\x41\x7f\xff\x20\x0d\x0a"
                           "abcdefgh",
                           16);
    const QString line = hexLine(bytes, 0x1A2B30);
    EXPECT_EQ(line.size(), 75);
    EXPECT_EQ(line, QStringLiteral("001A2B30  00 09 41 7F FF 20 0D 0A 61 62 63 64 65 66 67 68  "
                                   "..A \u00FF   abcdefgh"));
    EXPECT_EQ(line.indexOf(QStringLiteral("00 09")), 10);
    EXPECT_EQ(line.mid(59, 3), QStringLiteral("..A"));
}

TEST(HexFormatter, OnlyAZeroByteAndAnExpandedTabShowAsAFullStop)
{
    const struct {
        unsigned char byte;
        bool expandTabs;
        QChar shown;
    } cases[] = {
        {0x00, true, '.'},           {0x00, false, '.'},         {0x09, true, '.'},
        {0x09, false, ' '},          {0x0A, true, ' '},          {0x0D, true, ' '},
        {0x01, true, ' '},           {0x1F, false, ' '},         {0x7F, true, ' '},
        {0x81, true, ' '},           {0x2E, true, '.'},          {0x41, false, 'A'},
        {0x80, true, QChar(0x20AC)}, {0xE9, false, QChar(0xE9)},
    };
    for (const auto& c : cases) {
        const QString line = HexFormatter::formatLine(&c.byte, 1, 0, 8, c.expandTabs);
        EXPECT_EQ(line.at(HexFormatter::kCharColumn), c.shown)
            << "byte " << int(c.byte) << " tabs expanded " << c.expandTabs;
    }
}

TEST(HexFormatter, PartialLastLineKeepsColumns)
{
    const QString line = hexLine(QByteArray("Hi\x00", 3), 0x20);
    EXPECT_EQ(line,
              QStringLiteral("00000020  48 69 00") + QString(59 - 18, ' ') + QStringLiteral("Hi."));
    EXPECT_EQ(HexFormatter::lineCount(0), 0);
    EXPECT_EQ(HexFormatter::lineCount(16), 1);
    EXPECT_EQ(HexFormatter::lineCount(17), 2);
}

TEST(HexFormatter, OffsetsOfHugeFilesAreNotWrapped)
{
    EXPECT_EQ(HexFormatter::offsetDigits(std::int64_t(1) << 32), 8);
    EXPECT_EQ(HexFormatter::offsetDigits((std::int64_t(1) << 32) + 1), 9);
    const QString line = hexLine(QByteArray(16, 'x'), std::int64_t(0x100000010), 9);
    EXPECT_TRUE(line.startsWith(QStringLiteral("100000010  78 78")));
    EXPECT_EQ(line.size(), 76);
    EXPECT_EQ(line.mid(HexFormatter::charColumn(9)), QString(16, 'x'));
}

TEST(TextFormatter, DisplayText)
{
    auto show = [](const QByteArray& b, bool expand, int tab) {
        return TextFormatter::displayText(reinterpret_cast<const unsigned char*>(b.constData()),
                                          static_cast<int>(b.size()), expand, tab);
    };
    EXPECT_EQ(show(QByteArray("a\0b", 3), true, 8), QStringLiteral("a b"));
    EXPECT_EQ(show("a\tb", true, 8), QStringLiteral("a       b"));
    EXPECT_EQ(show("abcd\tb", true, 4), QStringLiteral("abcd    b"));
    EXPECT_EQ(show("a\tb", true, 3), QStringLiteral("a  b"));
    EXPECT_EQ(show("a\tb", false, 8), QStringLiteral("a b"));
    EXPECT_EQ(show("\x80\xe9", true, 8), QStringLiteral("\u20AC\u00E9"));

    const QByteArray tabbed("a\tbc");
    const auto* p = reinterpret_cast<const unsigned char*>(tabbed.constData());
    EXPECT_EQ(TextFormatter::displayColumn(p, 4, 2, true, 8), 8);
    EXPECT_EQ(TextFormatter::byteColumn(p, 4, 5, true, 8), 1); // inside the tab
    EXPECT_EQ(TextFormatter::byteColumn(p, 4, 9, true, 8), 3);
    EXPECT_EQ(TextFormatter::byteColumn(p, 4, 40, true, 8), 4);
}
