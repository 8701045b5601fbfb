#include "framework/core/FolderOrder.h"
#include "framework/core/ResultSet.h"

#include <gtest/gtest.h>

using namespace rw;

TEST(FolderOrder, PositionsFollowTheFoldedTextsAndPrefixesAreFound)
{
    ResultSet set;
    const char* paths[] = {"/t/a", "/t/a/b", "/T/A", "/t/ab", "/t/a b", "/t", "/u", "/t/a/b/c"};
    std::vector<std::uint32_t> f;
    for (const char* p : paths)
        f.push_back(set.addFolder(p, {}));
    const FolderOrder order(set);

    // "/t" < "/t/a" = "/T/A" < "/t/a b" < "/t/a/b" < "/t/a/b/c" < "/t/ab" < "/u"
    EXPECT_EQ(order.position(f[0]), order.position(f[2]));
    EXPECT_LT(order.position(f[5]), order.position(f[0]));
    EXPECT_LT(order.position(f[0]), order.position(f[4]));
    EXPECT_LT(order.position(f[4]), order.position(f[1]));
    EXPECT_LT(order.position(f[1]), order.position(f[7]));
    EXPECT_LT(order.position(f[7]), order.position(f[3]));
    EXPECT_LT(order.position(f[3]), order.position(f[6]));

    const struct {
        int a, b;
        bool prefix;
    } pairs[] = {{0, 1, true},  {1, 0, true},  {2, 1, true}, {0, 2, true},  {0, 3, true},
                 {0, 4, true},  {5, 7, true},  {1, 7, true}, {3, 1, false}, {4, 1, false},
                 {6, 5, false}, {7, 3, false}, {6, 6, true}};
    for (const auto& p : pairs)
        EXPECT_EQ(order.onePrefixOfOther(f[p.a], f[p.b]), p.prefix)
            << paths[p.a] << " " << paths[p.b];
}
