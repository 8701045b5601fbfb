#include <gtest/gtest.h>

#include <QDate>

#include "base/SharedRoutines.h"
#include "framework/core/GridSort.h"
#include "framework/core/ResultLines.h"
#include "tests/framework/LineTexts.h"

#include "framework/core/SortFlags.h"
#include <algorithm>

using namespace rw;

namespace
{

// Sorts the texts and returns them in the sorted order.
QStringList sorted(SortKind kind, const QStringList& keys, bool descending)
{
    const auto order = SortGridRows(
        kind, [&](std::int64_t row) { return keys[row]; }, 0, keys.size() - 1, descending);
    QStringList out;
    for (std::int64_t r : order)
        out.append(keys[r]);
    return out;
}

} // namespace

TEST(GridSort, KeysFollowTheirKindsRules)
{
    struct Case {
        QString text;
        long double number;
    } numbers[] = {{"1,234", 1234},
                   {" 5 ", 5},
                   {"", 0},
                   {"n/a", 0},
                   {"12.5", 12.5L},
                   {"-3", -3},
                   {"9,223,372,036,854,775,807", 9223372036854775807.0L}};
    for (const Case& c : numbers)
        EXPECT_EQ(numberSortKey(c.text), c.number) << c.text.toStdString();
    // 64-bit sizes that differ only in the last digit stay apart.
    EXPECT_LT(numberSortKey(u"4,294,967,297"), numberSortKey(u"4,294,967,298"));

    const std::int64_t day1900 = QDate(1900, 1, 1).toJulianDay();
    EXPECT_EQ(dateSortKey(u""), day1900);
    EXPECT_EQ(dateSortKey(u"not a date"), day1900);
    EXPECT_EQ(dateSortKey(formatShortDate(QDate(2021, 3, 4))), QDate(2021, 3, 4).toJulianDay());

    EXPECT_EQ(textSortKey(u"readme.Txt"), "README.TXT");
}

TEST(GridSort, SortsByNumberDateAndTextInBothDirections)
{
    EXPECT_EQ(sorted(SortKind::Number, {"10,000", "9,000", "x", "250"}, false),
              QStringList({"x", "250", "9,000", "10,000"}));
    EXPECT_EQ(sorted(SortKind::Number, {"10,000", "9,000", "x", "250"}, true),
              QStringList({"10,000", "9,000", "250", "x"}));

    const QString d1 = formatShortDate(QDate(2020, 12, 31));
    const QString d2 = formatShortDate(QDate(2021, 1, 2));
    EXPECT_EQ(sorted(SortKind::Date, {d2, "", d1}, false), QStringList({"", d1, d2}));
    EXPECT_EQ(sorted(SortKind::Date, {d2, "", d1}, true), QStringList({d2, d1, ""}));

    EXPECT_EQ(sorted(SortKind::Text, {"b", "A", "c", "B2"}, false),
              QStringList({"A", "b", "B2", "c"}));
}

TEST(GridSort, EqualKeysKeepTheirOrderAndRowNumbersAreOffset)
{
    const QStringList keys = {"x", "5", "a", "5", "b", "5"};
    // Rows 1 to 5 only; row numbers in the result are the grid's.
    const auto order = SortGridRows(
        SortKind::Number, [&](std::int64_t row) { return keys[row]; }, 1, 5, true);
    EXPECT_EQ(order, (std::vector<std::int64_t>{1, 3, 5, 2, 4}));
    EXPECT_TRUE(SortGridRows(SortKind::Text, {}, 3, 2, false).empty());
}

TEST(ResultLines, SortingRecordsGivesTheOrderOfTheirLineTexts)
{
    // The prefix keys must never disagree with the whole-line order: names
    // equal in their first characters, differing only in case, beyond the
    // basic plane, not UTF-8, and sizes whose texts sort unlike numbers.
    auto set = std::make_shared<ResultSet>();
    ResultLines lines(set, {ResultField::Size, ResultField::Name, ResultField::Type});
    lines.setTypeDescriber([](const QString& e) { return e.toUpper(); });
    const std::uint32_t folder = set->addFolder("/d", {});
    const struct {
        std::int64_t size;
        const char* name;
    } rows[] = {{9000, "b.txt"},
                {10000, "a.txt"},
                {9000, "B.txt"},
                {9000, "b.TXT"},
                {9000, "bb"},
                {9, "Zeta"},
                {9, "zeta"},
                {90, "x"},
                {9000, "b\xff.txt"},
                {9000, "b\xf0\x9f\x98\x80"},
                {9000, "b\tc"},
                {0, ""},
                {123456789, "long-name-that-runs-on"},
                {123456789, "long-name-that-runs-ON"}};
    std::vector<std::uint32_t> records;
    for (const auto& r : rows) {
        FileStatus st;
        st.size = r.size;
        records.push_back(set->add(folder, r.name, st));
    }
    const QStringList texts = rwtest::plainlySortedLines(lines, records);
    for (bool descending : {false, true}) {
        std::vector<std::uint32_t> sorted = records;
        lines.sortByLines(sorted, descending);
        const QStringList got = rwtest::linesOf(lines, sorted);
        QStringList want = texts;
        if (descending)
            std::reverse(want.begin(), want.end());
        EXPECT_EQ(got, want) << (descending ? "descending" : "ascending");
    }
    EXPECT_EQ(lines.field(records[0], 0), "9,000");
    EXPECT_EQ(lines.field(records[10], 1), "b\\tc");
}

TEST(SortFlags, EachKeyFlipsItsOwnFlagAndKeepsItUntilReset)
{
    SortFlags& f = SortFlags::instance();
    f.reset();
    EXPECT_TRUE(f.takeAndFlip("w", "size", true));
    EXPECT_FALSE(f.takeAndFlip("w", "size", true));
    EXPECT_FALSE(f.takeAndFlip("w", "name", false));
    EXPECT_FALSE(f.descending("other", "size", false));
    f.setDescending("w", "size", true);
    EXPECT_TRUE(f.descending("w", "size", false));
    f.reset();
    EXPECT_FALSE(f.descending("w", "size", false));
}
