#include <gtest/gtest.h>

#include "about/GradientBack.h"

#include <QImage>

using rw::TGradientBack;

namespace
{

TEST(GradientBack, FollowsItsParentsSize)
{
    QWidget parent;
    parent.resize(120, 80);
    TGradientBack back(&parent);
    EXPECT_EQ(back.geometry(), QRect(0, 0, 120, 80));
    parent.show();
    parent.resize(300, 200);
    EXPECT_EQ(back.geometry(), QRect(0, 0, 300, 200));
    EXPECT_TRUE(back.testAttribute(Qt::WA_OpaquePaintEvent));
}

struct BandCase {
    int height;
    int row;
    int entry; // table entry the row shows
};

void PrintTo(const BandCase& c, std::ostream* os)
{
    *os << "height " << c.height << " row " << c.row;
}

class GradientBands : public ::testing::TestWithParam<BandCase>
{
};

TEST_P(GradientBands, RowShowsItsBand)
{
    const BandCase& c = GetParam();
    QWidget parent;
    parent.resize(40, c.height);
    TGradientBack back(&parent);
    for (bool allBlue : {true, false}) {
        back.setIsAllBlue(allBlue);
        const QImage shown = back.grab().toImage();
        // Blue fading to black, or blue through purple to red.
        const QColor expected(allBlue ? 0 : c.entry, 0, 255 - c.entry);
        EXPECT_EQ(shown.pixelColor(20, c.row), expected)
            << "height " << c.height << " row " << c.row << " allBlue " << allBlue;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, GradientBands,
                         ::testing::Values(
                             // 255 high: one step per pixel, so band i starts at row i (each band
                             // is two pixels, the next one drawn over its lower half).
                             BandCase{255, 0, 0}, BandCase{255, 1, 1}, BandCase{255, 2, 2},
                             BandCase{255, 100, 100}, BandCase{255, 254, 254},
                             // 510 high: bands of three pixels every two rows.
                             BandCase{510, 0, 0}, BandCase{510, 1, 0}, BandCase{510, 2, 1},
                             BandCase{510, 301, 150}, BandCase{510, 509, 254},
                             // Lower than 255: several bands share a row, the last one drawn wins.
                             BandCase{100, 0, 2}, BandCase{100, 50, 130}));

} // namespace
