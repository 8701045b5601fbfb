#pragma once

#include <cstdint>

namespace rw
{

// Where an open file holds data, as its file system keeps it. A sparse file
// (a virtual machine's disk image, a preallocated download) may be mostly
// holes: ranges that were never written, cost no disk space and read as
// zeros. Readers ask for the data ranges and step over the holes, so reading
// such a file costs what it holds, not what it measures.
//
// The ranges come from lseek(SEEK_DATA) and lseek(SEEK_HOLE). Where the file
// system cannot tell (EINVAL, not supported), the whole file counts as data:
// the reader then reads every byte, as it would have without this class.
// A range the system calls data may still hold zeros (the system is allowed
// to report a hole as data, never data as a hole).
//
// The lookups move the read position the descriptor shares with its
// duplicates, so while this lives callers read with position-free reads
// (pread) or through a mapping; the position is put back when it goes. The
// last range found is remembered, so walking a file in order costs two
// lookups per data range.
class DataExtents
{
public:
    // `fd` is not owned and must stay open while this is used; `size` is
    // the length the reader reads up to (a file grown since is cut there).
    DataExtents(int fd, std::int64_t size);
    ~DataExtents();
    DataExtents(const DataExtents&) = delete;
    DataExtents& operator=(const DataExtents&) = delete;

    // The data at or after `offset`: true with [*start, *end), where
    // offset <= *start < *end <= size and nothing from offset to *start
    // holds data; false when only a hole is left before the size.
    bool next(std::int64_t offset, std::int64_t* start, std::int64_t* end);

    // False once the file system said it cannot tell holes from data.
    bool knowsHoles() const { return m_knowsHoles; }
    std::int64_t size() const { return m_size; }

private:
    int m_fd;
    std::int64_t m_size;
    std::int64_t m_position; // the read position to put back, -1 if none
    bool m_knowsHoles = true;
    // The last data range found.
    std::int64_t m_start = -1;
    std::int64_t m_end = -1;
};

} // namespace rw
