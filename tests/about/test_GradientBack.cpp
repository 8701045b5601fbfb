#include <gtest/gtest.h>

#include "about/GradientBack.h"

#include <QImage>

using rw::TGradientBack;

namespace
{

QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}

TEST(GradientBack, Tables)
{
    const auto& blue = TGradientBack::allBlueTable();
    const auto& red = TGradientBack::blueRedTable();
    EXPECT_EQ(blue[0], rgb(0, 0, 255));
    EXPECT_EQ(blue[255], rgb(0, 0, 0));
    EXPECT_EQ(blue[100], rgb(0, 0, 155));
    EXPECT_EQ(red[0], rgb(0, 0, 255));
    EXPECT_EQ(red[128], rgb(128, 0, 127));
    EXPECT_EQ(red[255], rgb(255, 0, 0));
}

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
        const auto& table = allBlue ? TGradientBack::allBlueTable() : TGradientBack::blueRedTable();
        EXPECT_EQ(shown.pixelColor(20, c.row), table[c.entry])
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
