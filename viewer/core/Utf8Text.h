#pragma once

#include <cstdint>

#include "viewer/core/LineIndex.h"

namespace rw
{

// UTF-8 as the text view reads it: strict (no overlong forms, no
// surrogates, nothing above U+10FFFF), so a file in a single-byte code page
// is almost never taken for UTF-8.
class Utf8Text
{
public:
    // Bytes read from the start of a file's data to decide its encoding.
    static constexpr std::int64_t kHeadSampleBytes = 64 * 1024;
    // Bytes read at each of a few places further on.
    static constexpr std::int64_t kProbeBytes = 4096;

    // The character at `p` (at most `available` bytes): its length (1 to 4)
    // with the code point in `*codePoint`, or 0 when the bytes there are no
    // valid or no complete UTF-8 character.
    static int decode(const unsigned char* p, std::int64_t available, char32_t* codePoint);

    // True when the `length` bytes at `p` are valid UTF-8 throughout (true
    // for none).
    static bool isValid(const unsigned char* p, std::int64_t length);

    // True when what a bounded sample of the buffer shows is valid UTF-8:
    // the first kHeadSampleBytes of its data and kProbeBytes at a quarter,
    // half and three quarters of it and at its end. With `ranges` (see
    // LineIndex) holes are stepped over, never read, so deciding costs the
    // same for any size of file. A sample may cut a character at either end;
    // only what lies wholly inside counts. Plain ASCII is valid UTF-8.
    static bool sampleIsValid(const unsigned char* data, std::int64_t size,
                              const LineIndex::DataRanges& ranges);
};

} // namespace rw
