#include "viewer/core/MappedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

MappedFile::~MappedFile()
{
    close();
}

bool MappedFile::open(const QByteArray& path)
{
    close();
    m_error.clear();
    // Non-blocking, so that a FIFO put in the file's place cannot hang the
    // open; it is refused below.
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = QStringLiteral("Not a regular file");
        ::close(fd);
        return false;
    }
    if (st.st_size > 0) {
        void* p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_SHARED, fd, 0);
        if (p == MAP_FAILED) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            ::close(fd);
            return false;
        }
        m_data = static_cast<const unsigned char*>(p);
    }
    m_fd = fd;
    m_size = st.st_size;
    m_open = true;
    return true;
}

void MappedFile::close()
{
    if (m_data)
        ::munmap(const_cast<unsigned char*>(m_data), static_cast<size_t>(m_size));
    if (m_fd >= 0)
        ::close(m_fd);
    m_data = nullptr;
    m_size = 0;
    m_fd = -1;
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

} // namespace rw

namespace rw
{

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
