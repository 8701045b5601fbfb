#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace rw
{

// A whole file mapped read-only into memory. The pages are read by the
// system only when touched, so a file of any size opens at once and costs
// address space, not memory. The mapping and the file descriptor are
// released by close() or the destructor. An empty file opens with size 0
// and no data.
class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the file at `path` (the file system's bytes); true on success. A
    // folder, a device or a FIFO is refused. The previous mapping is
    // released first.
    bool open(const QByteArray& path);
    void close();

    bool isOpen() const { return m_open; }
    const unsigned char* data() const { return m_data; }
    std::int64_t size() const { return m_size; }
    // Why the last open() failed ("" after success).
    const QString& errorString() const { return m_error; }

    // Hints the system that the range will be read in order (or no longer
    // needed); harmless when not supported.
    void adviseSequential(std::int64_t offset, std::int64_t length) const;

    // Lets the system drop the pages of a range from this process (they stay
    // in the page cache and are read again when touched), so a scan over a
    // large file does not keep the whole file resident.
    void release(std::int64_t offset, std::int64_t length) const;

private:
    const unsigned char* m_data = nullptr;
    std::int64_t m_size = 0;
    int m_fd = -1;
    bool m_open = false;
    QString m_error;
};

} // namespace rw
