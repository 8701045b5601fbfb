#include "viewer/core/MappedFile.h"

#include "platform/ReadOnlyOpen.h"

#include <cerrno>
#include <cstring>

#include <QCoreApplication>

namespace rw
{

namespace
{
// The texts of this file, translated as one context.
struct MappedFileTexts {
    Q_DECLARE_TR_FUNCTIONS(MappedFileTexts)
};
} // namespace

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
        m_error = error == EINVAL || error == ELOOP ? MappedFileTexts::tr("Not a regular file")
                                                    : QString::fromLocal8Bit(std::strerror(error));
        return false;
    }
    FileStamp stamp;
    if (!fileStamp(fd.get(), &stamp)) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_fd = std::move(fd);
    if (!map()) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        m_fd.reset();
        return false;
    }
    m_stamp = stamp;
    m_open = true;
    return true;
}

bool MappedFile::map()
{
    m_extents.reset();
    m_map.reset(); // the old view goes before the new one is made
    try {
        m_map = std::make_unique<TFileMapping>(m_fd.get(), false);
    } catch (const EFileMappingError&) {
        return false;
    }
    m_extents = std::make_unique<DataExtents>(m_fd.get(), size());
    return true;
}

bool MappedFile::refresh()
{
    if (!m_open)
        return false;
    FileStamp now;
    if (!fileStamp(m_fd.get(), &now))
        return false;
    // A read past the new end, or a size other than the one mapped.
    bool intact = true;
    try {
        if (m_map)
            m_map->checkIntact();
    } catch (const EFileMappingError&) {
        intact = false;
    }
    const bool resized = now.size != size();
    if (intact && !resized && now == m_stamp)
        return false;
    m_stamp = now;
    if (!intact || resized)
        map(); // on failure nothing is mapped: shown as empty until the next change
    return true;
}

void MappedFile::close()
{
    m_extents.reset();
    m_map.reset();
    m_fd.reset();
    m_stamp = {};
    m_open = false;
}

void MappedFile::adviseSequential(std::int64_t offset, std::int64_t length) const
{
    if (m_map)
        m_map->adviseSequential(offset, length);
}

void MappedFile::release(std::int64_t offset, std::int64_t length) const
{
    if (m_map)
        m_map->release(offset, length);
}

bool MappedFile::dataRange(std::int64_t offset, std::int64_t* start, std::int64_t* end)
{
    return m_extents && m_extents->next(offset, start, end);
}

} // namespace rw
