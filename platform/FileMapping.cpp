#include "platform/FileMapping.h"

#include "platform/MappedRangeGuard.h"

#include <QFileDevice>

#include <algorithm>
#include <cstdint>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

namespace
{
const char* const kInvalidParameters = "Invalid parameters. Could not create file mapping object";
const char* const kCannotCreate = "Could not create file mapping object";
const char* const kCannotMap = "Could not map file";
const char* const kCannotUnmap = "Could not unmap file";
const char* const kCannotClose = "Could not close file mapping handle";
const char* const kChanged = "Could not read file: its size changed while it was read";
} // namespace

TFileMapping::TFileMapping(int fd, bool readOnceInOrder)
{
    map(fd, readOnceInOrder);
}

TFileMapping::TFileMapping(const QFileDevice* file)
{
    map(file && file->isOpen() ? file->handle() : -1, true);
}

TFileMapping::~TFileMapping()
{
    try {
        close();
    } catch (const EFileMappingError&) {
        // A destructor cannot report; the handle is closed below regardless
        // so that no descriptor leaks.
        m_handle.reset();
    }
}

void TFileMapping::map(int fd, bool readOnceInOrder)
{
    if (fd < 0)
        throw EFileMappingError(kInvalidParameters);

    m_handle.reset(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!m_handle.isValid())
        throw EFileMappingError(kCannotCreate);

    struct stat st {
    };
    if (::fstat(m_handle.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        m_handle.reset();
        throw EFileMappingError(kCannotCreate);
    }
    if (st.st_size == 0)
        return; // an empty file is an empty view, not an error

    if (std::uint64_t(st.st_size) > SIZE_MAX) {
        m_handle.reset();
        throw EFileMappingError(kCannotMap); // larger than the address space
    }
    m_size = std::size_t(st.st_size);
    void* p = ::mmap(nullptr, m_size, PROT_READ, MAP_SHARED, m_handle.get(), 0);
    if (p == MAP_FAILED) {
        m_size = 0;
        m_handle.reset();
        throw EFileMappingError(kCannotMap);
    }
    m_guard = std::make_unique<MappedRangeGuard>(p, m_size);
    if (readOnceInOrder)
        ::madvise(p, m_size, MADV_SEQUENTIAL);
    m_base = static_cast<const std::uint8_t*>(p);
}

bool fileStamp(int fd, FileStamp* out)
{
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return false;
    out->size = std::int64_t(st.st_size);
    out->mtimeSeconds = std::int64_t(st.st_mtim.tv_sec);
    out->mtimeNanoseconds = std::int64_t(st.st_mtim.tv_nsec);
    return true;
}

void TFileMapping::adviseSequential(std::int64_t offset, std::int64_t length) const
{
    const std::int64_t size = std::int64_t(m_size);
    if (!m_base || offset < 0 || offset >= size || length <= 0)
        return;
    // madvise wants a page-aligned start.
    const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const std::int64_t start = offset - offset % page;
    const std::int64_t end = std::min(size, offset + length);
    ::madvise(const_cast<std::uint8_t*>(m_base) + start, std::size_t(end - start), MADV_SEQUENTIAL);
}

void TFileMapping::release(std::int64_t offset, std::int64_t length) const
{
    if (!m_base || length <= 0)
        return;
    // Only whole pages inside the range.
    const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const std::int64_t start = (offset + page - 1) / page * page;
    const std::int64_t end = std::min(std::int64_t(m_size), offset + length) / page * page;
    if (end > start)
        ::madvise(const_cast<std::uint8_t*>(m_base) + start, std::size_t(end - start),
                  MADV_DONTNEED);
}

void TFileMapping::checkIntact() const
{
    if (!m_handle.isValid())
        return;
    struct stat st {
    };
    const bool faulted = m_guard && m_guard->faulted();
    if (faulted || ::fstat(m_handle.get(), &st) != 0 || std::uint64_t(st.st_size) != m_size)
        throw EFileMappingError(kChanged);
}

void TFileMapping::close()
{
    if (m_base) {
        m_guard.reset(); // stops watching before the range goes
        if (::munmap(const_cast<std::uint8_t*>(m_base), m_size) != 0)
            throw EFileMappingError(kCannotUnmap);
        m_base = nullptr;
        m_size = 0;
    }
    if (m_handle.isValid()) {
        // Closed here rather than by the descriptor, so a failure is seen.
        const int h = m_handle.release();
        if (::close(h) != 0)
            throw EFileMappingError(kCannotClose);
    }
}

} // namespace rw
