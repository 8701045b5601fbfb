#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include <cstdint>

#include "base/SharedRoutines.h"

using namespace rw;

TEST(FormatGrouped, GroupsWithCommasAndNoDecimals)
{
    EXPECT_EQ(FormatGrouped(0), "0");
    EXPECT_EQ(FormatGrouped(999), "999");
    EXPECT_EQ(FormatGrouped(-1500), "-1,500");
    EXPECT_EQ(FormatGrouped(1234567), "1,234,567");
    EXPECT_EQ(FormatGrouped(5000000000LL), "5,000,000,000");
}

TEST(FormatGrouped, SixtyFourBitExtremes)
{
    EXPECT_EQ(FormatGrouped(-1), "-1");
    EXPECT_EQ(FormatGrouped(1000), "1,000");
    EXPECT_EQ(FormatGrouped(INT64_MAX), "9,223,372,036,854,775,807");
    EXPECT_EQ(FormatGrouped(INT64_MIN), "-9,223,372,036,854,775,808");
}

TEST(JoinPath, OneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(JoinPath("/", "a.txt"), "/a.txt");
    EXPECT_EQ(JoinPath("/dos", "a.txt"), "/dos/a.txt");
    EXPECT_EQ(JoinPath("/dos/", "a.txt"), "/dos/a.txt");
    EXPECT_EQ(JoinPath("/Mixed Case", "B.TXT"), "/Mixed Case/B.TXT") << "no case folding";
}

namespace
{

// Wednesday 15 May 1996, the reference day of the examples.
const QDateTime kRef(QDate(1996, 5, 15), QTime(12, 0));

} // namespace

TEST(RelativeDateText, ExamplesSeenFromWednesday15May1996)
{
    struct Case {
        QDate date;
        const char* text;
    } cases[] = {
        {{1996, 5, 15}, "Today"},
        {{1996, 5, 14}, "Yesterday"},
        {{1996, 5, 16}, "Tomorrow"},
        {{1996, 5, 13}, "This week"},
        {{1996, 5, 8}, "Last week"},
        {{1996, 4, 10}, "5 weeks ago"},
        {{1996, 1, 10}, "4 months ago"},
        {{1992, 3, 10}, "4 years 2 months ago"},
        {{1992, 4, 10}, "4 years 1 month ago"},
        {{1993, 5, 10}, "3 years ago"},
        {{1994, 6, 10}, "23 months ago"},
        {{1996, 5, 18}, "This week"},
        {{1996, 5, 22}, "Next week"},
        {{1996, 6, 5}, "3 weeks"},
        {{1996, 9, 10}, "4 months"},
        {{2000, 6, 10}, "4 years 1 month"},
        {{2000, 8, 10}, "4 years 3 months"},
        {{2001, 5, 1}, "5 years"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RelativeDateText(QDateTime(c.date, QTime(8, 30)), kRef), c.text)
            << c.date.toString(Qt::ISODate).toStdString();
    }
    EXPECT_EQ(RelativeDateText(QDateTime(QDate(1996, 5, 15), QTime(23, 59)), kRef), "Today")
        << "whole days count, not hours";
    EXPECT_EQ(RelativeDateText(QDateTime(), kRef), "");
}

TEST(RelativeDateText, CountsAreNeverToldInTheWrongUnit)
{
    static const QRegularExpression weeks(QStringLiteral("^(\\d+) weeks( ago)?$"));
    static const QRegularExpression months(QStringLiteral("^(\\d+) months?( ago)?$"));
    static const QRegularExpression years(
        QStringLiteral("^(\\d+) years( (\\d+) months?)?( ago)?$"));
    // One reference day of each weekday, and every day up to five years around it.
    for (int r = 0; r < 7; ++r) {
        const QDate ref = QDate(1996, 5, 12).addDays(r);
        for (int offset = -1900; offset <= 1900; ++offset) {
            const QString t = RelativeDateText(QDateTime(ref.addDays(offset), QTime(0, 0)),
                                               QDateTime(ref, QTime()));
            const std::string where = t.toStdString() + " at offset " + std::to_string(offset);
            if (const auto m = weeks.match(t); m.hasMatch()) {
                EXPECT_GE(m.captured(1).toInt(), 2) << where;
            } else if (const auto m2 = months.match(t); m2.hasMatch()) {
                EXPECT_GE(m2.captured(1).toInt(), 3) << where;
                EXPECT_EQ(t.contains("months"), m2.captured(1).toInt() > 1) << where;
            } else if (const auto m3 = years.match(t); m3.hasMatch()) {
                if (m3.capturedLength(3) > 0) {
                    const int rest = m3.captured(3).toInt();
                    EXPECT_TRUE(rest >= 1 && rest <= 11) << where;
                    EXPECT_EQ(m3.captured(2).endsWith("months"), rest > 1) << where;
                }
            } else {
                EXPECT_TRUE(QStringList({"Today", "Yesterday", "Tomorrow", "This week", "Last week",
                                         "Next week"})
                                .contains(t))
                    << where;
            }
        }
    }
}

TEST(SharedRoutines, SmallTextHelpers)
{
    EXPECT_EQ(PluralSuffix(0), "");
    EXPECT_EQ(PluralSuffix(1), "");
    EXPECT_EQ(PluralSuffix(2), "s");
    EXPECT_EQ(PluralSuffix(-5), "");

    EXPECT_EQ(SafeStrToInt("42"), 42);
    EXPECT_EQ(SafeStrToInt(" -7 "), -7);
    EXPECT_EQ(SafeStrToInt("9999999999"), 9999999999LL);
    EXPECT_EQ(SafeStrToInt(""), 0);
    EXPECT_EQ(SafeStrToInt("12abc"), 0);
    EXPECT_EQ(SafeStrToInt("1.5"), 0);

    EXPECT_TRUE(IsLetter('A') && IsLetter('z') && !IsLetter('5') && !IsLetter('@'));
    EXPECT_TRUE(IsDigit('0') && IsDigit('9') && !IsDigit('a'));
    EXPECT_TRUE(IsLetterOrDigit('q') && IsLetterOrDigit('3') && !IsLetterOrDigit('_'));

    for (char c : {8, 10, 13, 32})
        EXPECT_TRUE(IsBlankChar(c)) << int(c);
    for (char c : {9, 0, 11, 12, 97})
        EXPECT_FALSE(IsBlankChar(c)) << int(c);
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \r\n\b"));
    EXPECT_FALSE(IsBlankText("\t"));
    EXPECT_FALSE(IsBlankText("  x "));
    EXPECT_FALSE(IsBlankText(QString(QChar(0xA0))));
}

TEST(PackedTexts, ValidAndInvalidValues)
{
    const PackedDateTime valid = packDateTime(QDateTime(QDate(1996, 5, 15), QTime(13, 45, 8)));
    const PackedDateTime invalid = (((16u << 9) | (13u << 5) | 1u) << 16) | (25u << 11);

    EXPECT_EQ(PackedToDate(valid), QDateTime(QDate(1996, 5, 15), QTime(13, 45, 8)));
    EXPECT_EQ(PackedToDate(invalid), QDateTime(QDate(1980, 1, 1), QTime(0, 0)));

    EXPECT_EQ(PackedDateText(0), "");
    EXPECT_EQ(PackedDateText(valid), "5/15/1996");
    EXPECT_EQ(PackedDateText(invalid), "1/1/1980");

    EXPECT_EQ(PackedTimeText(0), "");
    EXPECT_TRUE(PackedTimeText(valid).startsWith("1:45:08")) << PackedTimeText(valid).toStdString();
    EXPECT_TRUE(PackedTimeText(invalid).startsWith("12:00:00"))
        << PackedTimeText(invalid).toStdString();

    EXPECT_EQ(PackedTimeHHMM(valid), "1345");
    EXPECT_EQ(PackedTimeHHMM(invalid), "1200");
    EXPECT_EQ(PackedDateYYYYMMDD(valid), "19960515");
    EXPECT_EQ(PackedDateYYYYMMDD(invalid), "19800101");
}

TEST(ShortDate, FourDigitYearReadsBack)
{
    EXPECT_EQ(shortDateFormat(), "M/d/yyyy");
    EXPECT_EQ(formatShortDate(QDate(2003, 7, 4)), "7/4/2003");
    EXPECT_EQ(parseShortDate(" 7/4/2003 "), QDate(2003, 7, 4));
    EXPECT_EQ(parseShortDate(formatShortDate(QDate(1899, 12, 30))), QDate(1899, 12, 30));
    EXPECT_FALSE(parseShortDate("").isValid());
    EXPECT_FALSE(parseShortDate("13/45/2003").isValid());
    EXPECT_FALSE(parseShortDate("yesterday").isValid());
    EXPECT_FALSE(longTimeFormat().contains('t')) << "no time-zone field";
}
