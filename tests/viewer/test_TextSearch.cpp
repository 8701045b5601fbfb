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
