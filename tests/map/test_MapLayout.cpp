// The folder map's layout: areas in proportion to sizes, no overlaps, tiles
// inside their folders, squarer tiles than slicing gives, gathered small
// files, hit-testing, and the update after a delete.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tools/map/core/MapLayout.h"
#include "tools/map/core/MapRaster.h"
#include "tools/map/core/MapTree.h"

using namespace rw;

namespace
{

// A random tree: folders of random breadth to `depth`, files of sizes
// spread over several orders of magnitude, some of zero bytes.
MapTree randomTree(unsigned seed, int depth, int breadth)
{
    std::mt19937 random(seed);
    MapTreeBuilder b;
    int files = 0;
    const auto fill = [&](auto&& self, int level) -> void {
        const int count = 1 + int(random() % unsigned(breadth));
        for (int i = 0; i < count; ++i) {
            const std::string name = "f" + std::to_string(files++);
            const int scale = int(random() % 7);
            const std::int64_t size =
                (random() % 10 == 0)
                    ? 0
                    : 1 + std::int64_t(random() % 1000) * std::int64_t(std::pow(10, scale));
            b.addFile(name, size, size, MapTypeClass::Other, 1, std::uint64_t(files), 1);
        }
        if (level < depth)
            for (int i = 0; i < 1 + int(random() % 3); ++i) {
                b.enterFolder("d" + std::to_string(files++));
                self(self, level + 1);
                b.leaveFolder();
            }
    };
    b.enterFolder("/root");
    fill(fill, 0);
    b.leaveFolder();
    return b.finish();
}

double aspect(const MapRect& r)
{
    return std::max(r.w() / r.h(), r.h() / r.w());
}

bool overlap(const MapRect& a, const MapRect& b)
{
    const float e = 1e-3f;
    return a.x() + e < b.right() && b.x() + e < a.right() && a.y() + e < b.bottom() &&
           b.y() + e < a.bottom();
}

bool inside(const MapRect& inner, const MapRect& outer)
{
    const float e = 1e-2f;
    return inner.x() >= outer.x() - e && inner.y() >= outer.y() - e &&
           inner.right() <= outer.right() + e && inner.bottom() <= outer.bottom() + e;
}

} // namespace

TEST(MapLayout, TilesAreProportionalDisjointAndNestedOnRandomTrees)
{
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        const MapTree tree = randomTree(seed, 4, 12);
        MapLayout layout;
        const float w = 800, h = 500;
        layout.layout(tree, tree.root(), MapTree::Measure::Apparent, w, h);
        const double scale = double(w) * h / double(tree.node(0).size);
        double covered = 0;
        const auto& tiles = layout.tiles();
        ASSERT_GT(tiles.size(), 10u);
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            const MapTile& t = tiles[i];
            double expected = 0;
            if (t.gathered) {
                // The folder's children that got no tile of their own.
                for (auto c = tree.childrenBegin(t.node); c != tree.childrenEnd(t.node); ++c) {
                    MapRect r;
                    if (!layout.rectOf(*c, &r))
                        expected += double(tree.node(*c).size) * scale;
                }
            } else {
                expected = double(tree.node(t.node).size) * scale;
            }
            EXPECT_NEAR(t.rect.area(), expected, 1.0 + expected * 1e-4) << i;
            covered += t.rect.area();
            // Inside every folder above it.
            for (std::uint32_t a : tree.ancestry(t.node)) {
                MapRect r;
                ASSERT_TRUE(layout.rectOf(a, &r));
                EXPECT_TRUE(inside(t.rect, r)) << "tile " << i << " outside folder " << a;
            }
            for (std::size_t j = i + 1; j < tiles.size(); ++j)
                EXPECT_FALSE(overlap(t.rect, tiles[j].rect)) << i << " and " << j;
        }
        EXPECT_NEAR(covered, double(w) * h, double(w) * h * 1e-4);
        // Files of zero bytes take no place.
        for (const MapTile& t : tiles)
            EXPECT_TRUE(t.gathered || tree.node(t.node).size > 0);
    }
}

TEST(MapLayout, SquarifiedTilesAreSquarerThanSlices)
{
    for (unsigned seed : {7u, 8u, 9u}) {
        const MapTree tree = randomTree(seed, 3, 30);
        MapLayout squares, slices;
        squares.layout(tree, 0, MapTree::Measure::Apparent, 1000, 700);
        slices.layout(tree, 0, MapTree::Measure::Apparent, 1000, 700,
                      MapLayout::Algorithm::SliceAndDice);
        const auto mean = [](const MapLayout& l) {
            double sum = 0;
            int n = 0;
            for (const MapTile& t : l.tiles())
                if (t.rect.w() * t.rect.h() >= 4) {
                    sum += aspect(t.rect);
                    ++n;
                }
            return sum / std::max(1, n);
        };
        EXPECT_LT(mean(squares), mean(slices) / 2) << seed;
    }
}

TEST(MapLayout, TheSameTreeAndSizeGiveTheSameLayout)
{
    const MapTree tree = randomTree(11, 4, 10);
    MapLayout a, b;
    a.layout(tree, 0, MapTree::Measure::Apparent, 640, 480);
    b.layout(tree, 0, MapTree::Measure::Apparent, 640, 480);
    ASSERT_EQ(a.tiles().size(), b.tiles().size());
    for (std::size_t i = 0; i < a.tiles().size(); ++i) {
        EXPECT_EQ(a.tiles()[i].node, b.tiles()[i].node);
        EXPECT_EQ(a.tiles()[i].rect.x(), b.tiles()[i].rect.x());
        EXPECT_EQ(a.tiles()[i].rect.h(), b.tiles()[i].rect.h());
    }
}

// A folder of a million small files beside one large file: the small ones
// are one gathered tile, counted, not a million sub-pixel tiles.
TEST(MapLayout, AMillionSmallFilesBecomeOneGatheredTile)
{
    MapTreeBuilder b;
    b.enterFolder("/big");
    b.addFile("large.iso", 1'000'000'000'000LL, 0, MapTypeClass::DiskImage, 1, 1, 1);
    b.enterFolder("many");
    for (int i = 0; i < 1'000'000; ++i)
        b.addFile("s" + std::to_string(i), 100, 4096, MapTypeClass::Text, 1, std::uint64_t(i + 2),
                  1);
    b.leaveFolder();
    b.leaveFolder();
    const MapTree tree = b.finish();
    MapLayout layout;
    layout.layout(tree, 0, MapTree::Measure::Apparent, 1600, 1000);
    ASSERT_LE(layout.tiles().size(), 3u);
    std::uint32_t gathered = 0;
    for (const MapTile& t : layout.tiles())
        gathered += t.gathered;
    EXPECT_EQ(gathered, 1'000'000u);
    // Zoomed into the folder, the files share it at about a pixel each: by
    // disk usage 1,000,000 × 4096 bytes on 1,600,000 pixels.
    MapTree sorted = tree;
    sorted.sortChildren(MapTree::Measure::DiskUsage);
    std::uint32_t many = MapTree::kNone;
    for (auto c = sorted.childrenBegin(0); c != sorted.childrenEnd(0); ++c)
        if (sorted.node(*c).kind == MapTree::Kind::Folder)
            many = *c;
    ASSERT_NE(many, MapTree::kNone);
    layout.layout(sorted, many, MapTree::Measure::DiskUsage, 1600, 1000);
    EXPECT_EQ(layout.tiles().size(), 1'000'000u);
}

TEST(MapLayout, EveryTileIsFoundWhereItStandsInTheLayoutAndTheRaster)
{
    const MapTree tree = randomTree(21, 3, 15);
    MapLayout layout;
    layout.layout(tree, 0, MapTree::Measure::Apparent, 900, 600);
    MapRaster raster;
    raster.paint(layout, tree);
    ASSERT_EQ(raster.width(), 900);
    int checked = 0;
    for (std::size_t i = 0; i < layout.tiles().size(); ++i) {
        const MapRect& r = layout.tiles()[i].rect;
        if (r.w() < 3 || r.h() < 3)
            continue;
        const float cx = r.x() + r.w() / 2, cy = r.y() + r.h() / 2;
        EXPECT_EQ(layout.tileAt(cx, cy), int(i));
        EXPECT_EQ(raster.tileAt(int(cx), int(cy)), int(i));
        ++checked;
    }
    EXPECT_GT(checked, 20);
    EXPECT_EQ(layout.tileAt(-1, 5), -1);
    EXPECT_EQ(raster.tileAt(900, 5), -1);
    // The cushion shades: a tile's middle is lighter than its lower right.
    for (const MapTile& t : layout.tiles())
        if (t.rect.w() > 40 && t.rect.h() > 40) {
            const auto light = [&](int x, int y) {
                const std::uint32_t p = raster.pixels()[std::size_t(y) * 900 + std::size_t(x)];
                return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            };
            EXPECT_GT(light(int(t.rect.x() + t.rect.w() / 2), int(t.rect.y() + t.rect.h() / 2)),
                      light(int(t.rect.right() - 2), int(t.rect.bottom() - 2)));
            break;
        }
}

TEST(MapLayout, ADeletedFileLeavesTheMapAndItsFoldersTotals)
{
    MapTree tree = randomTree(31, 3, 8);
    // The largest file anywhere below the root's first sub-folder.
    std::uint32_t victim = MapTree::kNone;
    for (std::uint32_t i = 1; i < tree.nodeCount(); ++i)
        if (tree.node(i).kind == MapTree::Kind::File && tree.node(i).parent != 0 &&
            (victim == MapTree::kNone || tree.node(i).size > tree.node(victim).size))
            victim = i;
    ASSERT_NE(victim, MapTree::kNone);
    const std::int64_t size = tree.node(victim).size;
    const std::vector<std::uint32_t> above = tree.ancestry(tree.node(victim).parent);
    std::vector<std::int64_t> before;
    for (std::uint32_t a : above)
        before.push_back(tree.node(a).size);
    ASSERT_TRUE(tree.remove(victim));
    EXPECT_FALSE(tree.remove(victim));
    EXPECT_FALSE(tree.remove(0));
    for (std::size_t k = 0; k < above.size(); ++k)
        EXPECT_EQ(tree.node(above[k]).size, before[k] - size);
    MapLayout layout;
    layout.layout(tree, 0, MapTree::Measure::Apparent, 800, 600);
    for (const MapTile& t : layout.tiles())
        EXPECT_NE(t.node, victim);
    MapRect r;
    EXPECT_FALSE(layout.rectOf(victim, &r));
}
