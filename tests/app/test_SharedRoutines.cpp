#include <gtest/gtest.h>

#include "app/core/SharedRoutines.h"

using namespace rw;

TEST(FormatGrouped, GroupsWithCommasAndNoDecimals)
{
    EXPECT_EQ(FormatGrouped(0), "0");
    EXPECT_EQ(FormatGrouped(999), "999");
    EXPECT_EQ(FormatGrouped(-1500), "-1,500");
    EXPECT_EQ(FormatGrouped(1234567), "1,234,567");
    EXPECT_EQ(FormatGrouped(5000000000LL), "5,000,000,000");
}
