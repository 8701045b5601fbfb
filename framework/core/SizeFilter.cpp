#include "framework/core/SizeFilter.h"

#include <limits>

namespace rw
{

std::int64_t SizeFilter::unitFactor(const QString& unit)
{
    return unit.trimmed().compare(QLatin1String("KB"), Qt::CaseInsensitive) == 0 ? 1024 : 1;
}

SizeFilter SizeFilter::fromInput(SizeCondition condition, std::int64_t first, std::int64_t second,
                                 const QString& unit)
{
    const std::int64_t factor = unitFactor(unit);
    // Saturate instead of wrapping: a huge typed bound means "nothing that
    // large exists", never a negative bound that lets everything through.
    auto scale = [factor](std::int64_t v) {
        constexpr std::int64_t maxV = std::numeric_limits<std::int64_t>::max();
        if (v > maxV / factor)
            return maxV;
        if (v < -(maxV / factor))
            return -maxV;
        return v * factor;
    };
    return SizeFilter(condition, scale(first), scale(second));
}

} // namespace rw
