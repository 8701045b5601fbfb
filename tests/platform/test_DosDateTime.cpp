#include <gtest/gtest.h>

#include "platform/DosDateTime.h"

using namespace rw;

TEST(DosDateTime, PacksFieldsIntoTheirBits)
{
    const QDateTime t(QDate(1996, 5, 15), QTime(13, 45, 58));
    const PackedDateTime p = packDateTime(t);
    EXPECT_EQ(p >> 16, (16u << 9) | (5u << 5) | 15u);
    EXPECT_EQ(p & 0xFFFF, (13u << 11) | (45u << 5) | 29u);
}

TEST(DosDateTime, RoundTripsInTwoSecondSteps)
{
    struct Case {
        QDateTime in;
        QDateTime out;
    } cases[] = {
        {{QDate(1980, 1, 1), QTime(0, 0, 0)}, {QDate(1980, 1, 1), QTime(0, 0, 0)}},
        {{QDate(2000, 2, 29), QTime(23, 59, 59)}, {QDate(2000, 2, 29), QTime(23, 59, 58)}},
        {{QDate(2107, 12, 31), QTime(23, 59, 58)}, {QDate(2107, 12, 31), QTime(23, 59, 58)}},
        {{QDate(2024, 7, 4), QTime(12, 0, 1)}, {QDate(2024, 7, 4), QTime(12, 0, 0)}},
    };
    for (const Case& c : cases) {
        QDateTime back;
        ASSERT_TRUE(unpackDateTime(packDateTime(c.in), &back)) << c.in.toString().toStdString();
        EXPECT_EQ(back, c.out) << c.in.toString().toStdString();
    }
}

TEST(DosDateTime, OutOfRangeYearsAreClamped)
{
    QDateTime back;
    ASSERT_TRUE(unpackDateTime(packDateTime({QDate(1970, 6, 1), QTime(10, 0)}), &back));
    EXPECT_EQ(back, QDateTime(QDate(1980, 1, 1), QTime(0, 0)));
    ASSERT_TRUE(unpackDateTime(packDateTime({QDate(2200, 6, 1), QTime(10, 0)}), &back));
    EXPECT_EQ(back, QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58)));
    EXPECT_EQ(packDateTime(QDateTime()), 0u);
}

TEST(DosDateTime, InvalidPackedValuesDoNotUnpack)
{
    const PackedDateTime noon = (12u << 11);
    const PackedDateTime may15 = ((16u << 9) | (5u << 5) | 15u) << 16;
    const PackedDateTime invalid[] = {
        0u,                                            // month 0, day 0
        (((16u << 9) | (13u << 5) | 1u) << 16) | noon, // month 13
        (((16u << 9) | (2u << 5) | 30u) << 16) | noon, // 30 February
        (((16u << 9) | (5u << 5) | 0u) << 16) | noon,  // day 0
        may15 | (24u << 11),                           // hour 24
        may15 | (60u << 5),                            // minute 60
        may15 | 30u,                                   // second 60
        0xFFFFFFFFu,
    };
    for (PackedDateTime p : invalid) {
        QDateTime out(QDate(2001, 1, 1), QTime(1, 1));
        EXPECT_FALSE(unpackDateTime(p, &out)) << std::hex << p;
        EXPECT_EQ(out, QDateTime(QDate(2001, 1, 1), QTime(1, 1))) << "left untouched";
    }
}

TEST(DosDateTime, ZeroFileTimeMeansNotRecorded)
{
    EXPECT_EQ(packFileTime(0), 0u);
    const QDateTime local = QDateTime::fromSecsSinceEpoch(820000000).toLocalTime();
    EXPECT_EQ(packFileTime(820000000), packDateTime(local));
}

TEST(DosDateTime, DaySerialCountsFrom30December1899)
{
    EXPECT_EQ(daySerial(QDate(1899, 12, 30)), 0);
    EXPECT_EQ(daySerial(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(daySerial(QDate(1996, 5, 15)), 35200);
    EXPECT_EQ(dateFromSerial(35200), QDate(1996, 5, 15));
    EXPECT_EQ(dateFromSerial(daySerial(QDate(2107, 12, 31))), QDate(2107, 12, 31));
}
