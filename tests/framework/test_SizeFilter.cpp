#include "framework/core/SizeFilter.h"

#include <gtest/gtest.h>

namespace
{

using rw::SizeCondition;
using rw::SizeFilter;

TEST(SizeFilter, BoundsAreInclusive)
{
    struct Case {
        SizeCondition condition;
        std::int64_t size;
        bool passes;
    };
    const Case cases[] = {
        {SizeCondition::Between, 99, false},         {SizeCondition::Between, 100, true},
        {SizeCondition::Between, 200, true},         {SizeCondition::Between, 201, false},
        {SizeCondition::LargerOrEqual, 99, false},   {SizeCondition::LargerOrEqual, 100, true},
        {SizeCondition::LargerOrEqual, 5000, true},  {SizeCondition::SmallerOrEqual, 100, true},
        {SizeCondition::SmallerOrEqual, 101, false}, {SizeCondition::SmallerOrEqual, 0, true},
    };
    for (const Case& c : cases) {
        const SizeFilter f = SizeFilter::fromInput(c.condition, 100, 200, "bytes");
        EXPECT_EQ(f.passes(c.size), c.passes) << int(c.condition) << " size " << c.size;
    }
}

TEST(SizeFilter, KilobytesMultiplyBothBounds)
{
    const SizeFilter f = SizeFilter::fromInput(SizeCondition::Between, 250, 300, "KB");
    EXPECT_EQ(f.low(), 256000);
    EXPECT_EQ(f.high(), 307200);
    EXPECT_FALSE(f.passes(255999));
    EXPECT_TRUE(f.passes(256000));
    EXPECT_EQ(SizeFilter::fromInput(SizeCondition::LargerOrEqual, 250, 0, "bytes").low(), 250);
}

TEST(SizeFilter, SizesAreSixtyFourBit)
{
    const std::int64_t fourGiB = std::int64_t(4) << 30;
    const SizeFilter f =
        SizeFilter::fromInput(SizeCondition::LargerOrEqual, 4 * 1024 * 1024, 0, "KB");
    EXPECT_EQ(f.low(), fourGiB);
    EXPECT_TRUE(f.passes(fourGiB + 1));
    EXPECT_FALSE(f.passes(fourGiB - 1));
    // A bound too large to scale stays the largest bound, never wraps negative.
    const SizeFilter huge =
        SizeFilter::fromInput(SizeCondition::LargerOrEqual, INT64_MAX / 2, 0, "KB");
    EXPECT_GT(huge.low(), 0);
    EXPECT_FALSE(huge.passes(fourGiB));
}

} // namespace
