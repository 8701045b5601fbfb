// Feeds arbitrary bytes to the text view's line index. Whatever the bytes,
// the lines must tile the buffer: each starts where the one before ended
// plus its break, holds no break and at most kMaxLineLength bytes, and
// lineOfOffset finds the line that holds each line's first byte. Asking in
// a scrambled order (the first bytes choose it) must give the same spans.
// The same holds with UTF-8 wrapping (the first byte chooses it), and then
// a buffer that is valid UTF-8 is never cut inside a character.
#include "viewer/core/LineIndex.h"
#include "viewer/core/Utf8Text.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto n = std::int64_t(size);
    const bool utf8 = size > 0 && (data[0] & 1);
    const bool wholeUtf8 = utf8 && rw::Utf8Text::isValid(data, n);
    rw::LineIndex index(data, n);
    index.setUtf8Wrap(utf8);
    const std::int64_t lines = index.lineCount();
    if ((n == 0) != (lines == 0))
        std::abort();
    std::vector<rw::LineIndex::Span> spans;
    std::int64_t expectedStart = 0;
    for (std::int64_t line = 0; line < lines; ++line) {
        const rw::LineIndex::Span s = index.lineSpan(line);
        if (s.start != expectedStart || s.length < 0 || s.length > rw::LineIndex::kMaxLineLength ||
            s.start + s.length > n)
            std::abort();
        for (int i = 0; i < s.length; ++i)
            if (data[s.start + i] == '\r' || data[s.start + i] == '\n')
                std::abort();
        if (wholeUtf8 && !rw::Utf8Text::isValid(data + s.start, s.length))
            std::abort();
        // One break: CR LF, CR or LF.
        std::int64_t next = s.start + s.length;
        if (next < n && (data[next] == '\r' || data[next] == '\n'))
            next += (data[next] == '\r' && next + 1 < n && data[next + 1] == '\n') ? 2 : 1;
        expectedStart = next;
        if (index.lineOfOffset(s.start) != line)
            std::abort();
        spans.push_back(s);
    }
    if (expectedStart != n)
        std::abort();
    if (index.lineSpan(lines).start != -1)
        std::abort();

    // A fresh index asked from the far end first, then by a stride.
    rw::LineIndex again(data, n);
    again.setUtf8Wrap(utf8);
    const std::int64_t stride = size > 0 ? 1 + data[0] % 7 : 1;
    for (std::int64_t k = 0; k < lines; ++k) {
        const std::int64_t line = (lines - 1 - k * stride % lines + lines) % lines;
        const rw::LineIndex::Span s = again.lineSpan(line);
        if (s.start != spans[std::size_t(line)].start ||
            s.length != spans[std::size_t(line)].length)
            std::abort();
    }
    return 0;
}
