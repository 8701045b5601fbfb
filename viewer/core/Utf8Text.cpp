#include "viewer/core/Utf8Text.h"

#include <algorithm>
#include <cstring>

namespace rw
{

namespace
{

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The length a lead byte announces; 0 for a byte no character starts with.
int announcedLength(unsigned char b)
{
    if (b < 0x80)
        return 1;
    if (b < 0xC2)
        return 0; // a continuation byte, or the lead of an overlong pair
    if (b < 0xE0)
        return 2;
    if (b < 0xF0)
        return 3;
    if (b < 0xF5)
        return 4;
    return 0;
}

// True when the bytes at `p` begin a character that the end of the sample
// cut short: a lead byte and only continuation bytes after it.
bool isCutCharacter(const unsigned char* p, std::int64_t available)
{
    const int length = announcedLength(p[0]);
    if (length <= available)
        return false;
    for (std::int64_t i = 1; i < available; ++i)
        if (!isContinuation(p[i]))
            return false;
    return true;
}

// Valid UTF-8 apart from a character cut at the piece's start (when it may
// begin inside one) or at its end.
bool pieceIsValid(const unsigned char* p, std::int64_t length, bool mayStartInside)
{
    std::int64_t i = 0;
    if (mayStartInside)
        while (i < length && i < 3 && isContinuation(p[i]))
            ++i;
    while (i < length) {
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const int n = Utf8Text::decode(p + i, length - i, &cp);
        if (n == 0)
            return isCutCharacter(p + i, length - i);
        i += n;
    }
    return true;
}

} // namespace

int Utf8Text::decode(const unsigned char* p, std::int64_t available, char32_t* codePoint)
{
    if (available <= 0)
        return 0;
    const unsigned char b0 = p[0];
    const int length = announcedLength(b0);
    if (length == 0 || length > available)
        return 0;
    if (length == 1) {
        *codePoint = b0;
        return 1;
    }
    for (int i = 1; i < length; ++i)
        if (!isContinuation(p[i]))
            return 0;
    char32_t cp = 0;
    switch (length) {
    case 2:
        cp = (char32_t(b0 & 0x1F) << 6) | (p[1] & 0x3F);
        break;
    case 3:
        cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        // Overlong forms and the UTF-16 surrogates are no characters.
        if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))
            return 0;
        break;
    default:
        cp = (char32_t(b0 & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
             (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        if (cp < 0x10000 || cp > 0x10FFFF)
            return 0;
        break;
    }
    *codePoint = cp;
    return length;
}

bool Utf8Text::isValid(const unsigned char* p, std::int64_t length)
{
    std::int64_t i = 0;
    while (i < length) {
        // Eight ASCII bytes at a time: most text is mostly ASCII.
        if (length - i >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, p + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        if (p[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t cp = 0;
        const int n = decode(p + i, length - i, &cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

bool Utf8Text::sampleIsValid(const unsigned char* data, std::int64_t size,
                             const LineIndex::DataRanges& ranges)
{
    if (!data || size <= 0)
        return true;
    // The data at or after `offset`, at most `limit` bytes of it; false when
    // only holes follow.
    auto dataAt = [&](std::int64_t offset, std::int64_t limit, std::int64_t* start,
                      std::int64_t* length) {
        std::int64_t s = offset;
        std::int64_t e = size;
        if (ranges && !ranges(offset, &s, &e))
            return false;
        s = std::max(s, offset);
        e = std::min(e, size);
        if (s >= e)
            return false;
        *start = s;
        *length = std::min(e - s, limit);
        return true;
    };

    // The head: the first bytes of data, stepping over holes. A few lookups
    // at most: a file of many small data ranges is judged by their first ones.
    constexpr int kMaxHeadRanges = 16;
    std::int64_t pos = 0;
    std::int64_t taken = 0;
    for (int i = 0; i < kMaxHeadRanges && taken < kHeadSampleBytes && pos < size; ++i) {
        std::int64_t start = 0;
        std::int64_t length = 0;
        if (!dataAt(pos, kHeadSampleBytes - taken, &start, &length))
            break;
        if (!pieceIsValid(data + start, length, start > 0))
            return false;
        taken += length;
        pos = start + length;
    }

    // A few places further on: a file that begins in plain English may
    // carry its accented names further down.
    const std::int64_t probes[] = {size / 4, size / 2, size / 4 * 3, size - kProbeBytes};
    for (std::int64_t at : probes) {
        at = std::max(at, pos);
        std::int64_t start = 0;
        std::int64_t length = 0;
        if (at >= size || !dataAt(at, kProbeBytes, &start, &length))
            continue;
        if (!pieceIsValid(data + start, length, true))
            return false;
    }
    return true;
}

} // namespace rw
