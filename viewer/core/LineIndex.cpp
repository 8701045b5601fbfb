#include "viewer/core/LineIndex.h"

#include <algorithm>
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
    m_crHit = m_lfHit = -1;
    m_crSearchedTo = m_lfSearchedTo = 0;
}

int LineIndex::measureLine(std::int64_t start, std::int64_t* nextStart) const
{
    const std::int64_t limit = std::min(m_size, start + kMaxLineLength);
    std::int64_t p = start;
    while (p < limit && m_data[p] != '\r' && m_data[p] != '\n')
        ++p;
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

std::int64_t LineIndex::nextBreak(unsigned char c, std::int64_t start, std::int64_t& hit,
                                  std::int64_t& searchedTo)
{
    // A window well above the longest line keeps memchr calls rare.
    constexpr std::int64_t kWindow = 1 << 20;
    if (hit >= start)
        return hit;
    if (hit < 0 && (searchedTo > start + kMaxLineLength || searchedTo >= m_size))
        return searchedTo;
    const std::int64_t end = std::min(m_size, start + kWindow);
    const void* p = std::memchr(m_data + start, c, static_cast<size_t>(end - start));
    hit = p ? static_cast<const unsigned char*>(p) - m_data : -1;
    searchedTo = end;
    return p ? hit : end;
}

void LineIndex::scanOne()
{
    if (m_count % kCheckpointEvery == 0)
        m_checkpoints.push_back(m_next);
    const std::int64_t start = m_next;
    const std::int64_t brk = std::min(nextBreak('\r', start, m_crHit, m_crSearchedTo),
                                      nextBreak('\n', start, m_lfHit, m_lfSearchedTo));
    if (brk - start <= kMaxLineLength && brk < m_size)
        m_next =
            brk + ((m_data[brk] == '\r' && brk + 1 < m_size && m_data[brk + 1] == '\n') ? 2 : 1);
    else if (brk - start <= kMaxLineLength)
        m_next = m_size; // the last line, without a break
    else
        m_next = start + kMaxLineLength; // a long line goes on in the next one
    ++m_count;
}

std::int64_t LineIndex::lineCount()
{
    while (!isComplete())
        scanOne();
    return m_count;
}

bool LineIndex::ensureLine(std::int64_t line)
{
    if (line < 0)
        return false;
    while (m_count <= line && !isComplete())
        scanOne();
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
    while (m_next <= offset && !isComplete())
        scanOne();
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
