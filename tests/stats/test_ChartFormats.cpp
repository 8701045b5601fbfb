#include <gtest/gtest.h>

#include <cmath>

#include "tools/stats/core/ChartFormats.h"

namespace
{

TEST(ChartFormats, MarkTexts)
{
    const struct {
        QString text;
        const char* expected;
    } cases[] = {
        {rw::percentMark(12.25), "12.3 %"},
        {rw::percentMark(12), "12 %"},
        {rw::percentMark(0.04), "0 %"},
        {rw::percentMark(99.96), "100 %"},
        {rw::percentMark(33.3333), "33.3 %"},
        {rw::wholePercentMark(8.6), "9 %"},
        {rw::wholePercentMark(0.0886), "0 %"},
        {rw::wholePercentMark(1234.4), "1,234 %"},
        {rw::unitMark(177087.4, "MB"), "177,087 MB"},
        {rw::unitMark(9000, "KB"), "9,000 KB"},
        {rw::valueMark(33.33333), "33.333"},
        {rw::valueMark(50), "50"},
        {rw::valueMark(12.5), "12.5"},
        {rw::valueMark(1234.5), "1,234.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected));
}

TEST(ChartFormats, NiceScalesHoldTheHighestValueWithRoundSteps)
{
    const struct {
        double highest;
        bool whole;
        double max;
        double step;
        int decimals;
    } cases[] = {
        {2.5, true, 3, 1, 0}, // counts: never a step below 1
        {15, true, 16, 2, 0},       {48, true, 50, 10, 0}, {4.76837, false, 5, 1, 0},
        {0.3, false, 0.3, 0.05, 2}, {0, true, 1, 1, 0},    {177087, true, 200000, 50000, 0},
    };
    for (const auto& c : cases) {
        const rw::AxisScale s = rw::niceScale(c.highest, c.whole);
        EXPECT_NEAR(s.max, c.max, 1e-9) << c.highest;
        EXPECT_NEAR(s.step, c.step, 1e-9) << c.highest;
        EXPECT_EQ(s.decimals, c.decimals) << c.highest;
        EXPECT_GE(s.max, c.highest);
        EXPECT_NEAR(s.step * (s.ticks - 1), s.max, 1e-9);
        EXPECT_LE(s.ticks, 10);
    }
}

TEST(ChartFormats, BarDepthGrowsLessWithMoreDrives)
{
    const struct {
        int drives, step, limit;
    } cases[] = {{1, 6, 60}, {2, 6, 60}, {3, 3, 30}, {4, 3, 30},
                 {5, 2, 20}, {6, 2, 20}, {7, 2, 10}, {26, 2, 10}};
    for (const auto& c : cases) {
        EXPECT_EQ(rw::barDepthGrowth(c.drives).step, c.step) << c.drives;
        EXPECT_EQ(rw::barDepthGrowth(c.drives).limit, c.limit) << c.drives;
    }
}

} // namespace
