#include "platform/DataExtents.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

namespace rw
{

DataExtents::DataExtents(int fd, std::int64_t size)
    : m_fd(fd), m_size(std::max<std::int64_t>(0, size)), m_position(::lseek(fd, 0, SEEK_CUR))
{
}

DataExtents::~DataExtents()
{
    if (m_position >= 0)
        ::lseek(m_fd, off_t(m_position), SEEK_SET);
}

bool DataExtents::next(std::int64_t offset, std::int64_t* start, std::int64_t* end)
{
    offset = std::max<std::int64_t>(0, offset);
    if (offset >= m_size)
        return false;
    if (offset >= m_start && offset < m_end) {
        *start = offset;
        *end = m_end;
        return true;
    }
    if (m_knowsHoles) {
        const off_t data = ::lseek(m_fd, off_t(offset), SEEK_DATA);
        if (data < 0 && errno == ENXIO)
            return false; // nothing but a hole up to the end
        if (data >= 0) {
            if (data >= m_size)
                return false;
            const off_t hole = ::lseek(m_fd, data, SEEK_HOLE);
            m_start = data;
            m_end = hole < 0 ? m_size : std::min<std::int64_t>(hole, m_size);
            if (m_end <= m_start)
                m_end = m_size; // a file changing under us: read the rest
            *start = m_start;
            *end = m_end;
            return true;
        }
        // EINVAL, EOPNOTSUPP and the like: this file system cannot tell.
        m_knowsHoles = false;
    }
    *start = offset;
    *end = m_size;
    return true;
}

} // namespace rw
