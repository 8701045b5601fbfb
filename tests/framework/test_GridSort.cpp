#include <gtest/gtest.h>

#include <QDate>

#include "app/core/SharedRoutines.h"
#include "framework/core/GridSort.h"
#include "framework/core/ResultLine.h"
#include "framework/core/SortFlags.h"

using namespace rw;

namespace
{

// Sorts the texts and returns them in the sorted order.
QStringList sorted(SortKind kind, const QStringList& keys, bool descending)
{
    const auto order = SortGridRows(
        kind, [&](std::int64_t row) { return QStringView(keys[row]); }, 0, keys.size() - 1,
        descending);
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
        SortKind::Number, [&](std::int64_t row) { return QStringView(keys[row]); }, 1, 5, true);
    EXPECT_EQ(order, (std::vector<std::int64_t>{1, 3, 5, 2, 4}));
    EXPECT_TRUE(SortGridRows(SortKind::Text, {}, 3, 2, false).empty());
}

TEST(ResultLine, FieldsAreTrimmedAndMappedToColumns)
{
    const QString line = "  4,096 \tREADME.TXT\t\t/data ";
    EXPECT_EQ(TabField(line, 1), "4,096");
    EXPECT_EQ(TabField(line, 3), "");
    EXPECT_EQ(TabField(line, 4), "/data");
    EXPECT_EQ(TabField(line, 5), "");
    EXPECT_EQ(splitResultLine(line), QStringList({"4,096", "README.TXT", "", "/data"}));
    EXPECT_EQ(fieldsToColumns({"a", "b", "c"}, {2, 1, 3}, 3), QStringList({"b", "a", "c"}));

    // A line that already is the row is not copied.
    const QString plain = "1\t2\t3";
    const QString row = rowTextFromLine(plain, {}, 3);
    EXPECT_EQ(row, plain);
    EXPECT_TRUE(row.isSharedWith(plain));
    EXPECT_EQ(rowTextFromLine(" a \tb\tc", {2, 1, 3}, 3), "b\ta\tc");
    EXPECT_EQ(rowTextFromLine("a\tb", {}, 3), "a\tb\t");
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
