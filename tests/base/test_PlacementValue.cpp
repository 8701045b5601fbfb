#include <gtest/gtest.h>

#include "base/PlacementValue.h"

using namespace rw;

namespace
{

std::vector<int> fields(const PlacementValue& v)
{
    return {v.flags, v.showState, v.minX, v.minY, v.maxX, v.maxY, v.left, v.top, v.right, v.bottom};
}

} // namespace

TEST(PlacementValue, TextIsTenNumbersEachFollowedByTheDelimiter)
{
    PlacementValue v;
    v.minX = v.minY = v.maxX = v.maxY = -1;
    v.left = 10;
    v.top = 20;
    v.right = 410;
    v.bottom = 320;
    EXPECT_EQ(v.toText(), "0 1 -1 -1 -1 -1 10 20 410 320 ");
    EXPECT_EQ(v.toText(";"), "0;1;-1;-1;-1;-1;10;20;410;320;");
    EXPECT_EQ(fields(PlacementValue::fromText(v.toText(";"), ";")), fields(v));
    EXPECT_EQ(fields(PlacementValue::fromText(v.toText(", "), ", ")), fields(v));
}

TEST(PlacementValue, MissingOrBadPiecesGiveTheDefaults)
{
    struct Case {
        const char* text;
        std::vector<int> expected;
        bool usable;
    } cases[] = {
        {"", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"0 0 0 0 0 0 0 0 0 0 ", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"2 3 -1 -1 -1 -1 5 6", {2, 3, -1, -1, -1, -1, 5, 6, 0, 0}, false},
        {"0 1 -1 -1 -1 -1 -5 6 0", {0, 1, -1, -1, -1, -1, -5, 6, 0, 0}, true},
        {"0 x -1 -1 -1 -1 10 20 30 40 ", {0, 1, -1, -1, -1, -1, 10, 20, 30, 40}, true},
        {"0 1 -1 -1 -1 -1 50 20 30 40 ", {0, 1, -1, -1, -1, -1, 50, 20, 30, 40}, false},
        {"0 1 -1 -1 -1 -1 30 20 30 40 ", {0, 1, -1, -1, -1, -1, 30, 20, 30, 40}, false},
        {"junk", {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {"1 2 3 4 5 6 7 8 9 10 11 12 ", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, true},
    };
    for (const Case& c : cases) {
        const PlacementValue v = PlacementValue::fromText(c.text);
        EXPECT_EQ(fields(v), c.expected) << c.text;
        EXPECT_EQ(v.isUsable(), c.usable) << c.text;
    }
}

TEST(PlacementValue, LastPieceWithoutDelimiterIsStillANumber)
{
    const PlacementValue v = PlacementValue::fromText("0|1|-1|-1|-1|-1|1|2|3|4", "|");
    EXPECT_EQ(fields(v), (std::vector<int>{0, 1, -1, -1, -1, -1, 1, 2, 3, 4}));
    EXPECT_EQ(fields(PlacementValue::fromText("0 1 -1 -1 -1 -1 1 2 3 4", "|")),
              (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}))
        << "with another delimiter the whole text is one bad piece";
}
