#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "tools/map/core/MapTree.h"

namespace rw
{

// A rectangle of the map in pixels (floating point: tiles are exact, the
// raster rounds them).
struct MapRect {
    // Kept as edges, so a tile that ends where its folder ends has the very
    // same edge, and neighbours share theirs exactly.
    float left = 0, top = 0, rightEdge = 0, bottomEdge = 0;

    static MapRect fromEdges(double l, double t, double r, double b)
    {
        return {float(l), float(t), float(r), float(b)};
    }
    float x() const { return left; }
    float y() const { return top; }
    float w() const { return rightEdge - left; }
    float h() const { return bottomEdge - top; }
    float right() const { return rightEdge; }
    float bottom() const { return bottomEdge; }
    double area() const { return double(w()) * double(h()); }
    bool contains(float px, float py) const
    {
        return px >= left && py >= top && px < rightEdge && py < bottomEdge;
    }
};

// One painted tile: a file, an empty-looking folder's leftover, or the
// files of a folder too small to show one by one, gathered into one tile.
struct MapTile {
    MapRect rect;
    // The cushion's surface over the tile: z = s2x·x² + s1x·x + s2y·y² + s1y·y
    // (van Wijk and van de Wetering's cushion treemaps): each enclosing
    // folder adds a ridge, so the nesting shows as shading.
    float s1x = 0, s2x = 0, s1y = 0, s2y = 0;
    std::uint32_t node = MapTree::kNone; // the file (or, gathered, the folder)
    std::uint32_t gathered = 0;          // files gathered into this tile; 0 for one node
};

// Lays a MapTree out as a squarified treemap (Bruls, Huizing and van Wijk):
// each folder's rectangle is split among its children in rows, largest
// first, choosing row lengths that keep the tiles close to squares. The
// layout is the same for the same tree, measure and size.
//
// A tile's area is its share of the shown folder's size, exact up to
// floating point; a file of zero bytes gets no tile. Where a folder's
// remaining children would each get less than kMinimumTileArea pixels,
// they are gathered into one tile, so a folder of a million tiny files
// costs one tile, never a million sub-pixel ones.
class MapLayout
{
public:
    static constexpr float kMinimumTileArea = 1.0f;

    enum class Algorithm {
        Squarified,
        SliceAndDice, // alternate horizontal and vertical splits (for comparison)
    };

    // Lays out the tree from `top` (any folder) into width × height pixels
    // by the measure. The tree must be sorted by that measure
    // (MapTree::sortChildren).
    void layout(const MapTree& tree, std::uint32_t top, MapTree::Measure measure, float width,
                float height, Algorithm algorithm = Algorithm::Squarified);

    const std::vector<MapTile>& tiles() const { return m_tiles; }
    std::uint32_t top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }

    // The rectangle of a folder (or file) laid out; false when it got none
    // (too small, or outside the shown folder).
    bool rectOf(std::uint32_t node, MapRect* rect) const;

    // The tile under a point; -1 for none. Looks only at the tiles of the
    // point's cell in a coarse grid over the map.
    int tileAt(float x, float y) const;

    // Bytes the layout holds (tiles and folder rectangles).
    std::size_t memoryUsed() const;

private:
    std::vector<MapTile> m_tiles;
    std::unordered_map<std::uint32_t, MapRect> m_folderRects;
    // The tiles overlapping each cell of a kGrid × kGrid grid over the map.
    static constexpr int kGrid = 64;
    std::vector<std::uint32_t> m_cellStart; // kGrid² + 1 offsets into m_cellTiles
    std::vector<std::uint32_t> m_cellTiles;
    void indexCells();
    std::uint32_t m_top = MapTree::kNone;
    float m_width = 0;
    float m_height = 0;
};

} // namespace rw
