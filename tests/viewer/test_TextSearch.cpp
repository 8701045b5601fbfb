#include <gtest/gtest.h>

#include "viewer/core/TextSearch.h"

using rw::TextSearch;

namespace
{
std::int64_t find(const QByteArray& hay, const QByteArray& needle, std::int64_t from, bool backward,
                  bool matchCase)
{
    return TextSearch::find(reinterpret_cast<const unsigned char*>(hay.constData()), hay.size(),
                            needle, from, backward, matchCase);
}
} // namespace

TEST(TextSearch, DirectionsAndCase)
{
    const QByteArray hay("Apple apple APPLE pear");
    struct Case {
        const char* needle;
        std::int64_t from;
        bool backward;
        bool matchCase;
        std::int64_t expected;
    } cases[] = {
        {"apple", 0, false, true, 6},   {"apple", 0, false, false, 0},
        {"apple", 1, false, false, 6},  {"apple", 7, false, false, 12},
        {"APPLE", 0, false, true, 12},  {"apple", 22, true, true, 6},
        {"apple", 22, true, false, 12}, {"apple", 12, true, false, 6},
        {"apple", 0, true, false, -1},  {"pear", 19, false, true, -1},
        {"grape", 0, false, false, -1}, {"", 0, false, false, -1},
        {"pear", 22, true, true, 18},   {"PEAR", 22, true, false, 18},
    };
    for (const Case& c : cases)
        EXPECT_EQ(find(hay, c.needle, c.from, c.backward, c.matchCase), c.expected)
            << c.needle << " from " << c.from << (c.backward ? " backward" : " forward");
}

TEST(TextSearch, FoldsAnsiLetters)
{
    EXPECT_EQ(find("x \xc9t\xc9", "\xe9t", 0, false, false), 2);
    EXPECT_EQ(find("x \xc9t\xc9", "\xe9t", 0, false, true), -1);
    EXPECT_EQ(TextSearch::foldCase('Q'), 'q');
    EXPECT_EQ(TextSearch::foldCase(0xD7), 0xD7);
}

namespace
{
rw::TextSearch::Match findUtf8(const QByteArray& hay, const QString& text, std::int64_t from,
                               bool backward, bool matchCase)
{
    return TextSearch::findUtf8(reinterpret_cast<const unsigned char*>(hay.constData()), hay.size(),
                                text, from, backward, matchCase);
}
} // namespace

TEST(TextSearch, Utf8TextIsFoundByItsCharacters)
{
    // "Naïve café, NAÏVE CAFÉ, naïve" in UTF-8, with the Kelvin sign.
    const QByteArray hay("Na\xc3\xafve caf\xc3\xa9, NA\xc3\x8f"
                         "VE CAF\xc3\x89, na\xc3\xafve \xe2\x84\xaa"
                         "elvin");
    const struct {
        const char16_t* text;
        std::int64_t from;
        bool backward;
        bool matchCase;
        std::int64_t offset;
        std::int64_t length;
    } cases[] = {
        {u"na\u00efve", 0, false, true, 28, 6},   // exact: only the last one
        {u"na\u00efve", 0, false, false, 0, 6},   // any case
        {u"na\u00efve", 1, false, false, 14, 6},  // É and Ï fold too
        {u"caf\u00e9", 0, false, false, 7, 5},    //
        {u"CAF\u00c9", 0, false, true, 21, 5},    //
        {u"caf\u00e9", 28, true, false, 21, 5},   // backward
        {u"na\u00efve", 14, true, false, 0, 6},   //
        {u"kelvin", 0, false, false, 35, 8},      // the Kelvin sign takes three bytes
        {u"\u212aELVIN", 0, false, false, 35, 8}, //
        {u"naive", 0, false, false, -1, 0},       // ï is not i
        {u"", 0, false, false, -1, 0},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const rw::TextSearch::Match m = findUtf8(hay, text, c.from, c.backward, c.matchCase);
        EXPECT_EQ(m.offset, c.offset) << text.toStdString() << " from " << c.from;
        if (c.offset >= 0) {
            EXPECT_EQ(m.length, c.length) << text.toStdString();
        }
    }
    // A byte that is no UTF-8 matches no character, whatever it shows as.
    EXPECT_EQ(findUtf8("caf\xe9", QStringLiteral("caf\u00e9"), 0, false, false).offset, -1);
}
