#pragma once

#include <cstdint>
#include <vector>

#include "tools/map/core/MapLayout.h"

namespace rw
{

// The map as pixels: each tile filled with its type's colour under its
// cushion's shading (light from the upper left), and for every pixel the
// tile it shows, so hovering answers at once. 0xFFRRGGBB pixels, row by
// row, ready to be shown as an image without a copy.
class MapRaster
{
public:
    // The colour of gathered small files.
    static constexpr std::uint32_t kGatheredColour = 0xC8C8C8;

    // Paints `layout` (its size rounded to whole pixels).
    void paint(const MapLayout& layout, const MapTree& tree);

    int width() const { return m_width; }
    int height() const { return m_height; }
    const std::vector<std::uint32_t>& pixels() const { return m_pixels; }
    std::vector<std::uint32_t>& pixels() { return m_pixels; }

    // The index of the tile (in the layout's tiles()) shown at a pixel; -1
    // outside the map or where no tile is.
    int tileAt(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return -1;
        return int(m_tileAt[std::size_t(y) * std::size_t(m_width) + std::size_t(x)]);
    }

    std::size_t memoryUsed() const
    {
        return (m_pixels.capacity() + m_tileAt.capacity()) * sizeof(std::uint32_t);
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
    std::vector<std::int32_t> m_tileAt;
};

} // namespace rw
