#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace rw
{

// Splits a byte buffer into display lines the way the text view shows it:
// a line ends at a carriage return, a line feed or a CR LF pair (one break),
// and a line holds at most kMaxLineLength bytes; a longer one goes on in the
// next line. A final line without a break is a line too; an empty buffer has
// no lines.
//
// The index is built lazily: it scans only as far as a caller asks and keeps
// one offset per kCheckpointEvery lines, so even a file of billions of lines
// costs a few megabytes at most. A line past the scanned part is found by
// scanning on from the last checkpoint. The buffer is not owned and must
// outlive the index (or until the next reset()).
//
// A mapped sparse file may be mostly holes, which read as zeros: no breaks,
// only full-length lines one after another. Given where the data lies
// (setDataRanges), the scan counts the lines of a hole by arithmetic instead
// of reading it, with the same lines and checkpoints as a read would give.
//
// Text shown as UTF-8 (setUtf8Wrap) wraps a long line before a character
// that the limit would cut, so both halves stay whole characters: the line
// is then up to three bytes shorter. Holes hold no such characters and are
// still counted by arithmetic.
class LineIndex
{
public:
    static constexpr int kMaxLineLength = 1023;
    static constexpr int kCheckpointEvery = 1024;

    // For an offset, the data at or after it: true with [*start, *end), and
    // nothing but zeros from the offset to *start; false when only zeros
    // follow. Reporting zeros as data is allowed (they are then read).
    using DataRanges =
        std::function<bool(std::int64_t offset, std::int64_t* start, std::int64_t* end)>;

    struct Span {
        std::int64_t start = -1; // offset of the first byte, -1 when no such line
        int length = 0;          // bytes of text, without the break
    };

    LineIndex() = default;
    explicit LineIndex(const unsigned char* data, std::int64_t size) { reset(data, size); }

    // Starts over on a buffer; the data ranges and the UTF-8 wrapping are
    // forgotten.
    void reset(const unsigned char* data, std::int64_t size);
    // Where the buffer holds data; without them every byte is looked at.
    void setDataRanges(DataRanges ranges) { m_ranges = std::move(ranges); }
    // Wraps long lines between UTF-8 characters (see above); set before the
    // first lookup.
    void setUtf8Wrap(bool on) { m_utf8 = on; }
    bool utf8Wrap() const { return m_utf8; }

    std::int64_t size() const { return m_size; }
    // True once every line has been counted.
    bool isComplete() const { return m_next >= m_size; }
    // Lines counted so far (the full count once complete).
    std::int64_t knownLineCount() const { return m_count; }
    // Bytes scanned so far.
    std::int64_t scannedBytes() const { return m_next; }
    // Counts every line (scanning the rest of the buffer) and returns the count.
    std::int64_t lineCount();
    // Scans until `line` is counted or the buffer ends; true when it exists.
    bool ensureLine(std::int64_t line);
    // The text of a line; start -1 when there is no such line.
    Span lineSpan(std::int64_t line);
    // The line that holds byte `offset` (a break belongs to the line it
    // ends); -1 when the offset is outside the buffer.
    std::int64_t lineOfOffset(std::int64_t offset);
    // Scans until every line starting before byte `offset` is counted.
    void scanTo(std::int64_t offset) { scan(offset, INT64_MAX); }
    // Memory held by the index itself.
    std::size_t memoryBytes() const { return m_checkpoints.capacity() * sizeof(std::int64_t); }

    // Average bytes per line over the scanned part (at least 1).
    double averageLineBytes() const;
    // The known count, or an estimate of it while the scan is incomplete.
    std::int64_t estimatedLineCount() const;

    // Length of the line at `start` and the start of the next one (size()
    // at the end). Needs no index.
    int measureLine(std::int64_t start, std::int64_t* nextStart) const;

private:
    // Scans on until line `lastLine` is counted or the scan reaches byte
    // `limit` or the end. Finds the breaks 64 bytes at a time, so the whole
    // count runs at memory speed.
    void scan(std::int64_t limit, std::int64_t lastLine);
    // Counts the lines a run without breaks from `start` to `to` (at least)
    // wraps into, all but the one still open at `to`, as the scan would one
    // by one: stops as it does at line `lastLine` or once a line starts at
    // or past `limit`. Moves `start` on to the open line. From `zerosFrom`
    // on the run is known to hold zeros only.
    void addWrappedLines(std::int64_t& start, std::int64_t to, std::int64_t limit,
                         std::int64_t lastLine, std::int64_t zerosFrom = INT64_MAX);
    // Where the next line begins when the line at `start` wraps (the byte
    // kMaxLineLength past it exists and is no break).
    std::int64_t wrapEnd(std::int64_t start) const;
    // Counts one line that starts at `start`.
    void addLine(std::int64_t start)
    {
        if (m_count % kCheckpointEvery == 0)
            m_checkpoints.push_back(start);
        ++m_count;
    }

    const unsigned char* m_data = nullptr;
    std::int64_t m_size = 0;
    std::int64_t m_count = 0; // lines counted
    std::int64_t m_next = 0;  // start of line m_count
    // Start offset of line k * kCheckpointEvery.
    std::vector<std::int64_t> m_checkpoints;
    DataRanges m_ranges;
    bool m_utf8 = false;
    // Where the data range last found ends: below it no lookup is made.
    std::int64_t m_dataEnd = 0;
    // The last line looked up by lineSpan() and its start, so that walking
    // down a page of lines does not rescan from the checkpoint each time.
    std::int64_t m_cacheLine = -1;
    std::int64_t m_cacheStart = 0;
};

} // namespace rw
