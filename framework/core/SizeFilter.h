#pragma once

#include <QString>

#include <cstdint>

namespace rw
{

// The three size conditions of the file scans ("Larger or equal to",
// "Smaller or equal to", "In between").
enum class SizeCondition { LargerOrEqual, SmallerOrEqual, Between };

// The size test of the file scans. Bounds and sizes are 64-bit byte counts.
class SizeFilter
{
public:
    SizeFilter() = default;
    SizeFilter(SizeCondition condition, std::int64_t low, std::int64_t high = 0)
        : m_condition(condition), m_low(low), m_high(high)
    {
    }

    // Bounds as the user typed them: `first` and `second` in `unit`, which is
    // "KB" (times 1024) or "bytes" (taken as they are).
    static SizeFilter fromInput(SizeCondition condition, std::int64_t first, std::int64_t second,
                                const QString& unit);
    // 1024 for "KB", 1 otherwise.
    static std::int64_t unitFactor(const QString& unit);

    SizeCondition condition() const { return m_condition; }
    std::int64_t low() const { return m_low; }   // SizeLow
    std::int64_t high() const { return m_high; } // SizeHigh

    // Larger or equal: size >= low. Smaller or equal: size <= low.
    // In between: low <= size <= high.
    bool passes(std::int64_t size) const
    {
        switch (m_condition) {
        case SizeCondition::LargerOrEqual:
            return size >= m_low;
        case SizeCondition::SmallerOrEqual:
            return size <= m_low;
        case SizeCondition::Between:
            return size >= m_low && size <= m_high;
        }
        return false;
    }

private:
    SizeCondition m_condition = SizeCondition::LargerOrEqual;
    std::int64_t m_low = 0;
    std::int64_t m_high = 0;
};

} // namespace rw
