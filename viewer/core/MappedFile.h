#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

#include "platform/DataExtents.h"
#include "platform/DirListing.h"
#include "platform/FileMapping.h"

namespace rw
{

// A whole file shown by the viewer, mapped read-only into memory through
// TFileMapping. The pages are read by the system only when touched, so a
// file of any size opens at once and costs address space, not memory. The
// mapping and the file descriptor are released by close() or the
// destructor. An empty file opens with size 0 and no data.
//
// The file may change while it is shown (a log grows, or is cut short by
// its rotation). A read of a page past the file's new end never ends the
// program: the page reads as zeros (the mapping's MappedRangeGuard).
// refresh() finds the change and maps the file at its new size; callers run
// it before they read, and take data() and size() anew after it.
class MappedFile
{
public:
    MappedFile();
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the regular file at `path` (the file system's bytes); true on
    // success. The open never blocks: a folder, a device, a FIFO or a
    // symbolic link in the file's place is refused. The previous mapping is
    // released first.
    bool open(const QByteArray& path);
    void close();

    // Checks the open file against what is mapped: when its size or its
    // modification time changed, or a read found a page past its end, maps
    // it again at its current size and returns true (data() and size() may
    // then differ). False when nothing changed or no file is open.
    bool refresh();

    bool isOpen() const { return m_open; }
    const unsigned char* data() const { return m_map ? m_map->BaseAddress() : nullptr; }
    std::int64_t size() const { return m_map ? std::int64_t(m_map->size()) : 0; }
    // Why the last open() failed ("" after success).
    const QString& errorString() const { return m_error; }

    // Hints the system that the range will be read in order (or no longer
    // needed); harmless when not supported.
    void adviseSequential(std::int64_t offset, std::int64_t length) const;

    // Lets the system drop the pages of a range from this process (see
    // TFileMapping::release).
    void release(std::int64_t offset, std::int64_t length) const;

    // Where the mapped file holds data (see DataExtents): true with the data
    // range at or after `offset`, false when only holes (zeros) follow. A
    // reader steps over the holes of a sparse file instead of touching them.
    bool dataRange(std::int64_t offset, std::int64_t* start, std::int64_t* end);

private:
    // Maps m_fd anew; false (and nothing mapped) when that fails.
    bool map();

    FileDescriptor m_fd;
    std::unique_ptr<TFileMapping> m_map;
    std::unique_ptr<DataExtents> m_extents; // of m_fd, for the mapped size
    FileStamp m_stamp;
    bool m_open = false;
    QString m_error;
};

} // namespace rw
