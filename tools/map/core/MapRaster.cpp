#include "tools/map/core/MapRaster.h"

#include <algorithm>
#include <cmath>

namespace rw
{

namespace
{

// Light from the upper left, mostly from the front.
constexpr float kLightX = -0.09759f;
constexpr float kLightY = -0.19518f;
constexpr float kLightZ = 0.9759f;
constexpr float kAmbient = 0.35f;
constexpr float kDiffuse = 0.7f;
constexpr std::uint32_t kBackground = 0x404040;

} // namespace

void MapRaster::paint(const MapLayout& layout, const MapTree& tree)
{
    m_width = std::max(0, int(std::lround(layout.width())));
    m_height = std::max(0, int(std::lround(layout.height())));
    const std::size_t count = std::size_t(m_width) * std::size_t(m_height);
    m_pixels.assign(count, 0xFF000000u | kBackground);
    m_tileAt.assign(count, -1);
    const std::vector<MapTile>& tiles = layout.tiles();
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const MapTile& t = tiles[i];
        // A pixel belongs to the tile that covers its centre.
        const int x0 = std::max(0, int(std::ceil(t.rect.x() - 0.5f)));
        const int x1 = std::min(m_width, int(std::ceil(t.rect.right() - 0.5f)));
        const int y0 = std::max(0, int(std::ceil(t.rect.y() - 0.5f)));
        const int y1 = std::min(m_height, int(std::ceil(t.rect.bottom() - 0.5f)));
        if (x0 >= x1 || y0 >= y1)
            continue;
        const std::uint32_t colour =
            t.gathered ? kGatheredColour : mapTypeClassColour(tree.node(t.node).type);
        const float r = float((colour >> 16) & 0xFF);
        const float g = float((colour >> 8) & 0xFF);
        const float b = float(colour & 0xFF);
        for (int y = y0; y < y1; ++y) {
            const float py = float(y) + 0.5f;
            const float ny = -(2 * t.s2y * py + t.s1y);
            std::uint32_t* out = m_pixels.data() + std::size_t(y) * std::size_t(m_width);
            std::int32_t* at = m_tileAt.data() + std::size_t(y) * std::size_t(m_width);
            for (int x = x0; x < x1; ++x) {
                const float px = float(x) + 0.5f;
                const float nx = -(2 * t.s2x * px + t.s1x);
                const float cosine =
                    (nx * kLightX + ny * kLightY + kLightZ) / std::sqrt(nx * nx + ny * ny + 1);
                const float light = kAmbient + kDiffuse * std::max(0.0f, cosine);
                const auto channel = [light](float c) {
                    return std::uint32_t(std::min(255.0f, c * light));
                };
                out[x] = 0xFF000000u | (channel(r) << 16) | (channel(g) << 8) | channel(b);
                at[x] = std::int32_t(i);
            }
        }
    }
}

} // namespace rw
