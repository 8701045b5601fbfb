#include "viewer/core/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace rw
{

unsigned char TextSearch::foldCase(unsigned char b)
{
    if (b >= 'A' && b <= 'Z')
        return static_cast<unsigned char>(b + 32);
    // Latin-1 capitals except the multiplication sign.
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<unsigned char>(b + 32);
    // The three capitals of 1252's extra range.
    if (b == 0x8A || b == 0x8C || b == 0x8E)
        return static_cast<unsigned char>(b + 16);
    if (b == 0x9F)
        return 0xFF;
    return b;
}

namespace
{

bool matchesAt(const unsigned char* at, const QByteArray& needle, bool matchCase)
{
    const auto* n = reinterpret_cast<const unsigned char*>(needle.constData());
    if (matchCase)
        return std::memcmp(at, n, static_cast<size_t>(needle.size())) == 0;
    for (qsizetype i = 0; i < needle.size(); ++i)
        if (TextSearch::foldCase(at[i]) != TextSearch::foldCase(n[i]))
            return false;
    return true;
}

// The upper-case partner of a lower-case byte, or the byte itself.
unsigned char otherCase(unsigned char b)
{
    for (int c = 0; c < 256; ++c)
        if (c != b &&
            TextSearch::foldCase(static_cast<unsigned char>(c)) == TextSearch::foldCase(b))
            return static_cast<unsigned char>(c);
    return b;
}

} // namespace

std::int64_t TextSearch::find(const unsigned char* data, std::int64_t size,
                              const QByteArray& needle, std::int64_t from, bool backward,
                              bool matchCase)
{
    const std::int64_t n = needle.size();
    if (n == 0 || !data || n > size)
        return -1;
    const std::int64_t lastStart = size - n;
    const auto first = static_cast<unsigned char>(needle[0]);
    const unsigned char alt = matchCase ? first : otherCase(first);

    // Each first-byte variant keeps its next hit until the scan passes it,
    // so a rare variant is not searched for again at every candidate.
    // -2: not searched yet, -1: none left.
    std::int64_t hitA = -2;
    std::int64_t hitB = alt != first ? -2 : -1;
    auto forwardHit = [&](unsigned char c, std::int64_t pos) -> std::int64_t {
        const void* p = std::memchr(data + pos, c, static_cast<size_t>(lastStart - pos + 1));
        return p ? static_cast<const unsigned char*>(p) - data : -1;
    };
    auto backwardHit = [&](unsigned char c, std::int64_t end) -> std::int64_t {
        const void* p = ::memrchr(data, c, static_cast<size_t>(end));
        return p ? static_cast<const unsigned char*>(p) - data : -1;
    };

    if (!backward) {
        std::int64_t pos = std::max<std::int64_t>(0, from);
        while (pos <= lastStart) {
            if (hitA != -1 && hitA < pos)
                hitA = forwardHit(first, pos);
            if (hitB != -1 && hitB < pos)
                hitB = forwardHit(alt, pos);
            std::int64_t hit = hitA;
            if (hitB >= 0 && (hit < 0 || hitB < hit))
                hit = hitB;
            if (hit < 0)
                return -1;
            if (matchesAt(data + hit, needle, matchCase))
                return hit;
            pos = hit + 1;
        }
        return -1;
    }

    // Backward: candidates start below `from` and no later than lastStart.
    std::int64_t end = std::min(from, lastStart + 1); // exclusive
    while (end > 0) {
        if (hitA == -2 || hitA >= end)
            hitA = backwardHit(first, end);
        if (hitB == -2 || hitB >= end)
            hitB = backwardHit(alt, end);
        const std::int64_t hit = std::max(hitA, hitB);
        if (hit < 0)
            return -1;
        if (matchesAt(data + hit, needle, matchCase))
            return hit;
        end = hit;
    }
    return -1;
}

} // namespace rw
