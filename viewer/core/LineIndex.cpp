#include "viewer/core/LineIndex.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>

namespace rw
{

void LineIndex::reset(const unsigned char* data, std::int64_t size)
{
    m_data = data;
    m_size = data ? size : 0;
    m_count = 0;
    m_next = 0;
    m_checkpoints.clear();
    m_checkpoints.shrink_to_fit();
    m_cacheLine = -1;
    m_cacheStart = 0;
    m_ranges = nullptr;
    m_utf8 = false;
    m_dataEnd = 0;
}

std::int64_t LineIndex::wrapEnd(std::int64_t start) const
{
    const std::int64_t end = start + kMaxLineLength;
    if (!m_utf8 || end >= m_size || (m_data[end] & 0xC0) != 0x80)
        return end;
    // The byte after the limit continues a character: when that character
    // begins within the line, the line ends before it.
    for (int k = 1; k <= 3; ++k) {
        const unsigned char b = m_data[end - k];
        if ((b & 0xC0) == 0x80)
            continue;
        const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 1;
        return length > k ? end - k : end;
    }
    return end;
}

void LineIndex::addWrappedLines(std::int64_t& start, std::int64_t to, std::int64_t limit,
                                std::int64_t lastLine, std::int64_t zerosFrom)
{
    if (to - start <= kMaxLineLength || m_count > lastLine || start >= limit)
        return;
    if (m_utf8) {
        // Where a wrap may cut a character, line by line: a few lines at
        // most, since the scan calls in every 64 bytes of data.
        while (start + kMaxLineLength < zerosFrom) {
            addLine(start);
            start = wrapEnd(start);
            if (to - start <= kMaxLineLength || m_count > lastLine || start >= limit)
                return;
        }
    }
    // Line i (from 0) starts at start + i * kMaxLineLength and is counted
    // while the run reaches more than a full line past it.
    std::int64_t n = (to - start - 1) / kMaxLineLength;
    n = std::min(n, (limit - start - 1) / kMaxLineLength + 1);
    if (lastLine - m_count < n)
        n = lastLine - m_count + 1;
    // The checkpoints among them, then the count.
    for (std::int64_t k = (m_count + kCheckpointEvery - 1) / kCheckpointEvery * kCheckpointEvery;
         k < m_count + n; k += kCheckpointEvery)
        m_checkpoints.push_back(start + (k - m_count) * kMaxLineLength);
    m_count += n;
    start += n * kMaxLineLength;
}

int LineIndex::measureLine(std::int64_t start, std::int64_t* nextStart) const
{
    const std::int64_t limit = std::min(m_size, start + kMaxLineLength);
    std::int64_t p = start;
    while (p < limit && m_data[p] != '\r' && m_data[p] != '\n')
        ++p;
    if (m_utf8 && p == start + kMaxLineLength && p < m_size && m_data[p] != '\r' &&
        m_data[p] != '\n')
        p = wrapEnd(start);
    const int length = static_cast<int>(p - start);
    // A full-length line followed straight by its break keeps that break, so
    // a line of exactly the limit does not leave an empty line behind.
    if (p < m_size && (m_data[p] == '\r' || m_data[p] == '\n')) {
        p += (m_data[p] == '\r' && p + 1 < m_size && m_data[p + 1] == '\n') ? 2 : 1;
    }
    if (nextStart)
        *nextStart = p;
    return length;
}

namespace
{

// Bit i set when byte i of the 64 at `p` is a CR or an LF.
std::uint64_t breakMask(const unsigned char* p)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t mask = 0;
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const int m = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        mask |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(m)) << (16 * k);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        if (p[i] == '\r' || p[i] == '\n')
            mask |= std::uint64_t(1) << i;
    return mask;
#endif
}

} // namespace

void LineIndex::scan(std::int64_t limit, std::int64_t lastLine)
{
    limit = std::min(limit, m_size);
    std::int64_t start = m_next; // start of the line being measured
    std::int64_t pos = start;    // start of the next block to look at
    while (start < limit && m_count <= lastLine) {
        if (pos >= m_size) {
            // The last line(s), without a break.
            while (start < m_size && m_count <= lastLine) {
                addLine(start);
                start = std::min(m_size, wrapEnd(start));
            }
            break;
        }
        if (m_ranges && pos >= m_dataEnd) {
            std::int64_t dataStart = m_size;
            std::int64_t dataEnd = m_size;
            m_ranges(pos, &dataStart, &dataEnd);
            const std::int64_t zeroBlocks = (std::min(dataStart, m_size) - pos) / 64;
            if (zeroBlocks > 0) {
                // Whole blocks of zeros: no breaks, so only wrapped lines.
                const std::int64_t zerosFrom = pos;
                pos += zeroBlocks * 64;
                addWrappedLines(start, pos, limit, lastLine, zerosFrom);
                continue;
            }
            m_dataEnd = dataEnd;
        }
        std::uint64_t mask;
        int width = 64;
        if (m_size - pos >= 64) {
            mask = breakMask(m_data + pos);
        } else {
            width = static_cast<int>(m_size - pos);
            mask = 0;
            for (int i = 0; i < width; ++i)
                if (m_data[pos + i] == '\r' || m_data[pos + i] == '\n')
                    mask |= std::uint64_t(1) << i;
        }
        for (; mask != 0 && m_count <= lastLine; mask &= mask - 1) {
            const std::int64_t b = pos + std::countr_zero(mask);
            if (b < start)
                continue; // the LF of a CR LF already taken
            // A longer line goes on in the next line.
            addWrappedLines(start, b, INT64_MAX, lastLine);
            if (m_count > lastLine)
                break;
            addLine(start);
            start = b + ((m_data[b] == '\r' && b + 1 < m_size && m_data[b + 1] == '\n') ? 2 : 1);
        }
        if (m_count > lastLine)
            break;
        pos += width;
        // Lines that wrap inside a long run without breaks.
        addWrappedLines(start, pos, limit, lastLine);
    }
    m_next = std::min(start, m_size);
}

std::int64_t LineIndex::lineCount()
{
    scan(m_size, INT64_MAX);
    return m_count;
}

bool LineIndex::ensureLine(std::int64_t line)
{
    if (line < 0)
        return false;
    if (m_count <= line)
        scan(m_size, line);
    return line < m_count;
}

LineIndex::Span LineIndex::lineSpan(std::int64_t line)
{
    Span span;
    if (!ensureLine(line))
        return span;
    std::int64_t from = line - line % kCheckpointEvery;
    std::int64_t pos = m_checkpoints[static_cast<size_t>(line / kCheckpointEvery)];
    if (m_cacheLine >= from && m_cacheLine <= line) {
        from = m_cacheLine;
        pos = m_cacheStart;
    }
    for (std::int64_t k = from; k < line; ++k)
        measureLine(pos, &pos);
    m_cacheLine = line;
    m_cacheStart = pos;
    span.start = pos;
    span.length = measureLine(pos, nullptr);
    return span;
}

std::int64_t LineIndex::lineOfOffset(std::int64_t offset)
{
    if (offset < 0 || offset >= m_size)
        return -1;
    if (m_next <= offset)
        scan(offset + 1, INT64_MAX);
    // The last checkpoint at or before the offset, then line by line.
    auto it = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), offset);
    const std::int64_t block = (it - m_checkpoints.begin()) - 1;
    std::int64_t line = block * kCheckpointEvery;
    std::int64_t pos = m_checkpoints[static_cast<size_t>(block)];
    for (;;) {
        std::int64_t next = 0;
        measureLine(pos, &next);
        if (offset < next || next >= m_size)
            return line;
        pos = next;
        ++line;
    }
}

double LineIndex::averageLineBytes() const
{
    if (m_count == 0)
        return 64.0;
    return std::max(1.0, static_cast<double>(m_next) / static_cast<double>(m_count));
}

std::int64_t LineIndex::estimatedLineCount() const
{
    if (isComplete())
        return m_count;
    const double rest = static_cast<double>(m_size - m_next) / averageLineBytes();
    return m_count + std::max<std::int64_t>(1, static_cast<std::int64_t>(rest));
}

} // namespace rw
