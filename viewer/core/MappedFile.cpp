#include "viewer/core/MappedFile.h"

#include "platform/MappedRangeGuard.h"
#include "platform/ReadOnlyOpen.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

MappedFile::MappedFile() = default;

MappedFile::~MappedFile()
{
    close();
}

bool MappedFile::open(const QByteArray& path)
{
    close();
    m_error.clear();
    // Never blocks and never follows a link: a FIFO or a device put in the
    // file's place is refused instead of hanging the window.
    int error = 0;
    FileDescriptor fd = openRegularFileForReading(path, &error);
    if (!fd.isValid()) {
        m_error = error == EINVAL || error == ELOOP ? QStringLiteral("Not a regular file")
                                                    : QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    struct stat st {
    };
    if (::fstat(fd.get(), &st) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_fd = fd.release();
    if (!map(st.st_size)) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_mtime = st.st_mtim;
    m_open = true;
    return true;
}

bool MappedFile::map(std::int64_t size)
{
    if (size > 0) {
        void* p = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, m_fd, 0);
        if (p == MAP_FAILED)
            return false;
        m_data = static_cast<const unsigned char*>(p);
        m_guard = std::make_unique<MappedRangeGuard>(p, static_cast<size_t>(size));
    }
    m_size = size;
    return true;
}

void MappedFile::unmap()
{
    m_guard.reset(); // stops watching before the range goes
    if (m_data)
        ::munmap(const_cast<unsigned char*>(m_data), static_cast<size_t>(m_size));
    m_data = nullptr;
    m_size = 0;
}

bool MappedFile::refresh()
{
    if (!m_open)
        return false;
    struct stat st {
    };
    if (::fstat(m_fd, &st) != 0)
        return false;
    const bool faulted = m_guard && m_guard->faulted();
    const bool resized = st.st_size != m_size;
    const bool touched =
        st.st_mtim.tv_sec != m_mtime.tv_sec || st.st_mtim.tv_nsec != m_mtime.tv_nsec;
    if (!faulted && !resized && !touched)
        return false;
    m_mtime = st.st_mtim;
    if (faulted || resized) {
        unmap();
        if (!map(st.st_size))
            m_size = 0; // nothing mapped: shown as empty until the next change
    }
    return true;
}

void MappedFile::close()
{
    unmap();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_mtime = {};
    m_open = false;
}

void MappedFile::adviseSequential(std::int64_t offset, std::int64_t length) const
{
    if (!m_data || offset < 0 || offset >= m_size || length <= 0)
        return;
    // madvise wants a page-aligned start.
    const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const std::int64_t start = offset - offset % page;
    const std::int64_t end = std::min(m_size, offset + length);
    ::madvise(const_cast<unsigned char*>(m_data) + start, static_cast<size_t>(end - start),
              MADV_SEQUENTIAL);
}

void MappedFile::release(std::int64_t offset, std::int64_t length) const
{
    if (!m_data || length <= 0)
        return;
    // Only whole pages inside the range.
    const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const std::int64_t start = (offset + page - 1) / page * page;
    const std::int64_t end = std::min(m_size, offset + length) / page * page;
    if (end > start)
        ::madvise(const_cast<unsigned char*>(m_data) + start, static_cast<size_t>(end - start),
                  MADV_DONTNEED);
}

} // namespace rw
