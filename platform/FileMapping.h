#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "platform/DirListing.h"

class QFileDevice;

namespace rw
{

class MappedRangeGuard;

// The size and last write of an open file, to tell when it changed.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t mtimeSeconds = 0;
    std::int64_t mtimeNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the file open on `fd`; false when it cannot be read (errno
// set).
bool fileStamp(int fd, FileStamp* out);

// Raised by TFileMapping; the message is one of the texts below.
class EFileMappingError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A read-only view of the whole content of an open file (mmap).
//
// The mapping keeps its own duplicate of the file descriptor (the mapping
// handle), so it does not depend on the caller's stream staying open or
// unmoved; the caller still owns and closes its own file. An empty file gives
// an empty view (null BaseAddress, size 0) without an error, so files of any
// size, 0 included, can be read through a mapping.
//
// Errors, as EFileMappingError:
//   "Invalid parameters. Could not create file mapping object"  no file / no descriptor
//   "Could not create file mapping object"  descriptor cannot be duplicated or
//                                           is not a regular file
//   "Could not map file"                    mmap failed
//   "Could not unmap file" / "Could not close file mapping handle"  from close()
//   "Could not read file: its size changed while it was read"  from checkIntact()
//
// A file cut short while it is mapped never ends the program: a read of a
// page past its new end gives zeros (MappedRangeGuard), and checkIntact()
// tells the reader that what it read is not the file's content.
class TFileMapping
{
public:
    // Maps the file open on `fd` (not owned; -1 is invalid). With
    // `readOnceInOrder` the system is told the view is read once from front
    // to back (a checksum); a viewer that jumps about passes false.
    explicit TFileMapping(int fd, bool readOnceInOrder = true);
    // Maps the file of an open QFile / QSaveFile (not owned; nullptr or a
    // device without a descriptor is invalid).
    explicit TFileMapping(const QFileDevice* file);
    // Releases the view and the handle; errors are swallowed here. Call
    // close() first to see them.
    ~TFileMapping();

    TFileMapping(const TFileMapping&) = delete;
    TFileMapping& operator=(const TFileMapping&) = delete;

    // Unmaps the view, then closes the mapping handle. Raises "Could not
    // unmap file" (the handle then stays open) or "Could not close file
    // mapping handle". Does nothing when already closed.
    void close();

    // Raises "Could not read file: its size changed while it was read" when
    // a read of the view reached past the file's end or the file no longer
    // has the size it was mapped with; returns otherwise.
    void checkIntact() const;

    // First byte of the view; null for an empty file or after close().
    const std::uint8_t* BaseAddress() const { return m_base; }
    // Number of bytes in the view (the file size when it was mapped).
    std::size_t size() const { return m_size; }
    // The duplicate descriptor held by the mapping; -1 when none is open.
    int MappingHandle() const { return m_handle.get(); }

    // Hints the system that the range will be read in order; harmless when
    // not supported or outside the view.
    void adviseSequential(std::int64_t offset, std::int64_t length) const;
    // Lets the system drop the whole pages of a range from this process
    // (they stay in the page cache and are read again when touched), so a
    // scan over a large file does not keep the whole file resident.
    void release(std::int64_t offset, std::int64_t length) const;

private:
    void map(int fd, bool readOnceInOrder);

    FileDescriptor m_handle;
    std::unique_ptr<MappedRangeGuard> m_guard;
    const std::uint8_t* m_base = nullptr;
    std::size_t m_size = 0;
};

} // namespace rw
