#include "platform/FileMapping.h"

#include "platform/MappedRangeGuard.h"

#include <QFileDevice>

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

TFileMapping::TFileMapping(int fd)
{
    map(fd);
}

TFileMapping::TFileMapping(const QFileDevice* file)
{
    map(file && file->isOpen() ? file->handle() : -1);
}

TFileMapping::~TFileMapping()
{
    try {
        close();
    } catch (const EFileMappingError&) {
        // A destructor cannot report; the handle is closed below regardless
        // so that no descriptor leaks.
        if (m_handle >= 0)
            ::close(m_handle);
    }
}

void TFileMapping::map(int fd)
{
    if (fd < 0)
        throw EFileMappingError(kInvalidParameters);

    m_handle = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (m_handle < 0)
        throw EFileMappingError(kCannotCreate);

    struct stat st {
    };
    if (::fstat(m_handle, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
        ::close(m_handle);
        m_handle = -1;
        throw EFileMappingError(kCannotCreate);
    }
    if (st.st_size == 0)
        return; // an empty file is an empty view, not an error

    if (std::uint64_t(st.st_size) > SIZE_MAX) {
        ::close(m_handle);
        m_handle = -1;
        throw EFileMappingError(kCannotMap); // larger than the address space
    }
    m_size = std::size_t(st.st_size);
    void* p = ::mmap(nullptr, m_size, PROT_READ, MAP_SHARED, m_handle, 0);
    if (p == MAP_FAILED) {
        m_size = 0;
        ::close(m_handle);
        m_handle = -1;
        throw EFileMappingError(kCannotMap);
    }
    m_guard = std::make_unique<MappedRangeGuard>(p, m_size);
    // The view is normally read once from front to back (a checksum).
    ::madvise(p, m_size, MADV_SEQUENTIAL);
    m_base = static_cast<const std::uint8_t*>(p);
}

void TFileMapping::checkIntact() const
{
    if (m_handle < 0)
        return;
    struct stat st {
    };
    const bool faulted = m_guard && m_guard->faulted();
    if (faulted || ::fstat(m_handle, &st) != 0 || std::uint64_t(st.st_size) != m_size)
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
    if (m_handle >= 0) {
        const int h = m_handle;
        m_handle = -1;
        if (::close(h) != 0)
            throw EFileMappingError(kCannotClose);
    }
}

} // namespace rw
