#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

namespace rw
{

// Byte and file totals add up sizes the file system reports, and a sparse
// file may claim nearly 2^63 bytes; two of them overflow a signed 64-bit sum
// (undefined behaviour, and a negative total on screen). Every total that
// adds sizes goes through these: the sum stops at the top of the range
// instead of wrapping round. A negative amount is added as it is (totals
// that subtract stay exact) and stops at the bottom of the range.
constexpr std::int64_t addSaturating(std::int64_t a, std::int64_t b)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<std::int64_t>::max()
                     : std::numeric_limits<std::int64_t>::min();
    return sum;
}

constexpr std::uint64_t addSaturating(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return std::numeric_limits<std::uint64_t>::max();
    return sum;
}

constexpr std::int64_t multiplySaturating(std::int64_t a, std::int64_t b)
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min()
                                  : std::numeric_limits<std::int64_t>::max();
    return product;
}

// Adds in place: `total = addSaturating(total, amount)`.
template <typename T> constexpr void addTo(T& total, std::type_identity_t<T> amount)
{
    using Wide = std::conditional_t<std::is_signed_v<T>, std::int64_t, std::uint64_t>;
    total = T(addSaturating(Wide(total), Wide(amount)));
}

} // namespace rw
