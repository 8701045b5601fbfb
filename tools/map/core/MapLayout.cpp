#include "tools/map/core/MapLayout.h"

#include <algorithm>
#include <cmath>

namespace rw
{

namespace
{

// The cushion's ridge height at the top level and its fall per level.
constexpr float kRidgeHeight = 0.5f;
constexpr float kRidgeFall = 0.75f;

struct Surface {
    float s1x = 0, s2x = 0, s1y = 0, s2y = 0;
};

// Adds a parabolic ridge of height h over [x1, x2] to one direction.
void addRidge(float x1, float x2, float h, float& s1, float& s2)
{
    const float span = x2 - x1;
    if (span <= 0)
        return;
    s1 += 4 * h * (x2 + x1) / span;
    s2 -= 4 * h / span;
}

Surface withRidges(Surface s, const MapRect& r, float h)
{
    addRidge(r.x(), r.right(), h, s.s1x, s.s2x);
    addRidge(r.y(), r.bottom(), h, s.s1y, s.s2y);
    return s;
}

struct Pending {
    std::uint32_t node;
    MapRect rect;
    Surface surface;
    float ridge;
    bool vertical; // for slice-and-dice: split along x at even depths
};

// The worst aspect ratio of a row of areas laid along a side of `side`.
double worstRatio(double sum, double smallest, double largest, double side)
{
    const double s2 = sum * sum;
    const double w2 = side * side;
    return std::max(w2 * largest / s2, s2 / (w2 * smallest));
}

} // namespace

void MapLayout::layout(const MapTree& tree, std::uint32_t top, MapTree::Measure measure,
                       float width, float height, Algorithm algorithm)
{
    m_tiles.clear();
    m_folderRects.clear();
    m_top = top;
    m_width = width;
    m_height = height;
    if (top == MapTree::kNone || top >= tree.nodeCount() || width <= 0 || height <= 0 ||
        tree.sizeOf(top, measure) <= 0) {
        indexCells();
        return;
    }

    std::vector<Pending> stack;
    stack.push_back({top, MapRect::fromEdges(0, 0, width, height), {}, kRidgeHeight, true});
    std::vector<std::uint32_t> row;
    while (!stack.empty()) {
        const Pending here = stack.back();
        stack.pop_back();
        const MapTree::Node& n = tree.node(here.node);
        const Surface surface = withRidges(here.surface, here.rect, here.ridge);
        const auto addTile = [&](const MapRect& r, const Surface& s, std::uint32_t gathered) {
            MapTile t;
            t.rect = r;
            t.s1x = s.s1x;
            t.s2x = s.s2x;
            t.s1y = s.s1y;
            t.s2y = s.s2y;
            t.node = here.node;
            t.gathered = gathered;
            m_tiles.push_back(t);
        };
        if (n.kind == MapTree::Kind::File || n.childCount == 0) {
            addTile(here.rect, surface, 0);
            if (n.kind == MapTree::Kind::Folder)
                m_folderRects.emplace(here.node, here.rect);
            continue;
        }
        m_folderRects.emplace(here.node, here.rect);
        const double total = double(tree.sizeOf(here.node, measure));
        const double scale = here.rect.area() / total;
        const float childRidge = here.ridge * kRidgeFall;

        // The children that get a tile of their own, and the rest gathered.
        const std::uint32_t* first = tree.childrenBegin(here.node);
        const std::uint32_t* last = tree.childrenEnd(here.node);
        const std::uint32_t* own = first;
        while (own != last && double(tree.sizeOf(*own, measure)) * scale >= kMinimumTileArea)
            ++own;
        std::uint32_t gathered = 0;
        double gatheredArea = 0;
        for (const std::uint32_t* c = own; c != last; ++c) {
            const double area = double(tree.sizeOf(*c, measure)) * scale;
            if (area <= 0)
                break; // sorted: only empty files follow
            ++gathered;
            gatheredArea += area;
        }

        const auto place = [&](std::uint32_t node, const MapRect& r) {
            stack.push_back({node, r, surface, childRidge, !here.vertical});
        };
        const auto placeGathered = [&](const MapRect& r) {
            addTile(r, withRidges(surface, r, childRidge), gathered);
        };

        // What is left of the folder's rectangle, as edges in double.
        double x0 = here.rect.left, y0 = here.rect.top;
        const double x1 = here.rect.rightEdge, y1 = here.rect.bottomEdge;

        // Cuts a strip of `thickness` off the free rectangle (off its left
        // side when `alongLeft`, else off its top) and splits the strip
        // among `areas`; the last piece ends exactly at the strip's end.
        const auto strip = [&](bool alongLeft, double thickness, const std::vector<double>& areas,
                               const auto& take) {
            const double start = alongLeft ? y0 : x0;
            const double end = alongLeft ? y1 : x1;
            const double far =
                alongLeft ? std::min(x1, x0 + thickness) : std::min(y1, y0 + thickness);
            double at = start;
            for (std::size_t k = 0; k < areas.size(); ++k) {
                const double next =
                    k + 1 == areas.size() ? end : std::min(end, at + areas[k] / thickness);
                take(k, alongLeft ? MapRect::fromEdges(x0, at, far, next)
                                  : MapRect::fromEdges(at, y0, next, far));
                at = next;
            }
            if (alongLeft)
                x0 = far;
            else
                y0 = far;
        };

        std::vector<double> areas;
        std::vector<std::uint32_t> nodes;
        const auto layRow = [&](bool withGathered) {
            const bool alongLeft = (x1 - x0) >= (y1 - y0);
            double sum = 0;
            for (double a : areas)
                sum += a;
            if (withGathered) {
                areas.push_back(gatheredArea);
                sum += gatheredArea;
            }
            const double length = alongLeft ? (y1 - y0) : (x1 - x0);
            if (length <= 0 || areas.empty())
                return;
            strip(alongLeft, sum / length, areas, [&](std::size_t k, const MapRect& r) {
                if (k < nodes.size())
                    place(nodes[k], r);
                else
                    placeGathered(r);
            });
        };

        if (algorithm == Algorithm::SliceAndDice) {
            // One strip across the whole folder, split in the direction of
            // the level.
            areas.clear();
            nodes.clear();
            for (const std::uint32_t* c = first; c != own; ++c) {
                nodes.push_back(*c);
                areas.push_back(double(tree.sizeOf(*c, measure)) * scale);
            }
            if (gathered)
                areas.push_back(gatheredArea);
            const bool alongLeft = !here.vertical;
            const double length = alongLeft ? (y1 - y0) : (x1 - x0);
            strip(alongLeft, here.rect.area() / length, areas,
                  [&](std::size_t k, const MapRect& r) {
                      if (k < nodes.size())
                          place(nodes[k], r);
                      else
                          placeGathered(r);
                  });
            continue;
        }

        // Squarified rows: add the next child to the row while that does
        // not make the row's worst aspect ratio worse; then fix the row
        // along the shorter side and go on in what is left.
        areas.clear();
        nodes.clear();
        double rowArea = 0, rowMin = 0, rowMax = 0;
        for (const std::uint32_t* c = first; c != own; ++c) {
            const double area = double(tree.sizeOf(*c, measure)) * scale;
            const double side = std::min(x1 - x0, y1 - y0);
            if (!nodes.empty()) {
                const double now = worstRatio(rowArea, rowMin, rowMax, side);
                const double with = worstRatio(rowArea + area, std::min(rowMin, area),
                                               std::max(rowMax, area), side);
                if (with > now) {
                    layRow(false);
                    areas.clear();
                    nodes.clear();
                }
            }
            if (nodes.empty()) {
                rowArea = rowMin = rowMax = area;
            } else {
                rowArea += area;
                rowMin = std::min(rowMin, area);
                rowMax = std::max(rowMax, area);
            }
            nodes.push_back(*c);
            areas.push_back(area);
        }
        // The gathered tile closes the last row, or stands alone in what is
        // left; the last row takes all that is left either way.
        if (!nodes.empty() || gathered)
            layRow(gathered > 0);
    }
    indexCells();
}

void MapLayout::indexCells()
{
    const int cells = kGrid * kGrid;
    m_cellStart.assign(std::size_t(cells) + 1, 0);
    m_cellTiles.clear();
    if (m_tiles.empty() || m_width <= 0 || m_height <= 0)
        return;
    const float cw = m_width / kGrid;
    const float ch = m_height / kGrid;
    const auto span = [&](const MapRect& r, int& x0, int& x1, int& y0, int& y1) {
        x0 = std::clamp(int(r.x() / cw), 0, kGrid - 1);
        x1 = std::clamp(int(std::nextafter(r.right(), r.x()) / cw), 0, kGrid - 1);
        y0 = std::clamp(int(r.y() / ch), 0, kGrid - 1);
        y1 = std::clamp(int(std::nextafter(r.bottom(), r.y()) / ch), 0, kGrid - 1);
    };
    // Count, then fill (two passes keep it one allocation).
    std::vector<std::uint32_t> counts(std::size_t(cells), 0);
    for (const MapTile& t : m_tiles) {
        int x0, x1, y0, y1;
        span(t.rect, x0, x1, y0, y1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                ++counts[std::size_t(y * kGrid + x)];
    }
    for (int c = 0; c < cells; ++c)
        m_cellStart[std::size_t(c) + 1] = m_cellStart[std::size_t(c)] + counts[std::size_t(c)];
    m_cellTiles.resize(m_cellStart.back());
    std::vector<std::uint32_t> filled(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::uint32_t i = 0; i < m_tiles.size(); ++i) {
        int x0, x1, y0, y1;
        span(m_tiles[i].rect, x0, x1, y0, y1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                m_cellTiles[filled[std::size_t(y * kGrid + x)]++] = i;
    }
}

int MapLayout::tileAt(float x, float y) const
{
    if (m_tiles.empty() || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return -1;
    const int cx = std::clamp(int(x / (m_width / kGrid)), 0, kGrid - 1);
    const int cy = std::clamp(int(y / (m_height / kGrid)), 0, kGrid - 1);
    const std::size_t c = std::size_t(cy * kGrid + cx);
    for (std::uint32_t k = m_cellStart[c]; k < m_cellStart[c + 1]; ++k) {
        const std::uint32_t i = m_cellTiles[k];
        if (m_tiles[i].rect.contains(x, y))
            return int(i);
    }
    return -1;
}

bool MapLayout::rectOf(std::uint32_t node, MapRect* rect) const
{
    if (const auto it = m_folderRects.find(node); it != m_folderRects.end()) {
        *rect = it->second;
        return true;
    }
    for (const MapTile& t : m_tiles)
        if (t.node == node && t.gathered == 0) {
            *rect = t.rect;
            return true;
        }
    return false;
}

std::size_t MapLayout::memoryUsed() const
{
    return m_tiles.capacity() * sizeof(MapTile) +
           m_folderRects.size() * (sizeof(std::uint32_t) + sizeof(MapRect) + 2 * sizeof(void*)) +
           (m_cellStart.capacity() + m_cellTiles.capacity()) * sizeof(std::uint32_t);
}

} // namespace rw
