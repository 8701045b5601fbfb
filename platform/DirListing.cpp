#include "platform/DirListing.h"

#include "platform/FileAttributes.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace rw
{

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other)
        reset(other.release());
    return *this;
}

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

int FileDescriptor::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

namespace
{

// Layout of the records getdents64 writes.
struct LinuxDirent64 {
    std::uint64_t d_ino;
    std::int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

constexpr std::size_t kReadChunk = 32 * 1024;

// The one chunk the kernel's records are read into before they are copied
// to the listing that keeps them.
char* readChunk()
{
    thread_local std::unique_ptr<char[]> chunk(new char[kReadChunk]);
    return chunk.get();
}

EntryType typeOf(unsigned char dtype)
{
    switch (dtype) {
    case DT_REG:
        return EntryType::File;
    case DT_DIR:
        return EntryType::Directory;
    case DT_LNK:
        return EntryType::SymLink;
    case DT_CHR:
    case DT_BLK:
    case DT_FIFO:
    case DT_SOCK:
        return EntryType::Special;
    default:
        return EntryType::Unknown;
    }
}

void fillStatus(const char* name, const struct statx& sx, FileStatus* out)
{
    out->size = std::int64_t(sx.stx_size);
    out->mode = sx.stx_mode;
    out->attributes = attributesFromMode(name, sx.stx_mode);
    out->mtime = sx.stx_mtime.tv_sec;
    out->atime = sx.stx_atime.tv_sec;
    out->btime = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : 0;
    out->dev = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    out->ino = sx.stx_ino;
    out->nlink = sx.stx_nlink;
    out->blocks = sx.stx_blocks;
    out->mountId = (sx.stx_mask & STATX_MNT_ID) ? sx.stx_mnt_id : 0;
}

constexpr unsigned kStatxMask = STATX_BASIC_STATS | STATX_BTIME;

// Listing a folder sets its access time, and looking at a disk must not
// change it: folders are opened with O_NOATIME, as files are read. The system
// grants it only to the owner (or CAP_FOWNER) and refuses it with EPERM
// otherwise; then the folder is opened as usual.
int openFolderNoAtime(int parentFd, const char* name, int flags)
{
    const int fd = ::openat(parentFd, name, flags | O_NOATIME);
    if (fd >= 0 || errno != EPERM)
        return fd;
    return ::openat(parentFd, name, flags);
}

} // namespace

bool DirListing::open(int parentFd, const char* name, bool followLink)
{
    close();
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    if (!followLink)
        flags |= O_NOFOLLOW;
    const int fd = openFolderNoAtime(parentFd, name, flags);
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    m_fd.reset(fd);
    return true;
}

void DirListing::close()
{
    m_fd.reset();
    m_buffer.clear();
    m_used = 0;
    m_error = 0;
}

bool DirListing::readAll()
{
    m_buffer.clear();
    m_used = 0;
    if (!m_fd.isValid())
        return false;
    char* chunk = readChunk();
    for (;;) {
        const ssize_t n = ::getdents64(m_fd.get(), chunk, kReadChunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return false;
        }
        if (n == 0)
            return true;
        m_buffer.insert(m_buffer.end(), chunk, chunk + n);
        m_used = m_buffer.size();
    }
}

bool DirListing::next(std::size_t& cursor, DirEntry* entry) const
{
    while (cursor < m_used) {
        const auto* d = reinterpret_cast<const LinuxDirent64*>(m_buffer.data() + cursor);
        cursor += d->d_reclen;
        const char* n = d->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        entry->name = std::string_view(n);
        entry->type = typeOf(d->d_type);
        entry->ino = d->d_ino;
        return true;
    }
    return false;
}

bool DirListing::status(const char* name, FileStatus* out) const
{
    return entryStatus(m_fd.get(), name, out);
}

bool DirListing::selfStatus(FileStatus* out) const
{
    return folderMountStatus(m_fd.get(), out);
}

bool folderMountStatus(int folderFd, FileStatus* out)
{
    struct statx sx;
    if (::statx(folderFd, "", AT_EMPTY_PATH, kStatxMask | STATX_MNT_ID, &sx) != 0)
        return false;
    fillStatus("", sx, out);
    return true;
}

bool followedPathStatus(const QByteArray& path, FileStatus* out)
{
    struct statx sx;
    if (::statx(AT_FDCWD, path.constData(), 0, kStatxMask, &sx) != 0)
        return false;
    const char* base = std::strrchr(path.constData(), '/');
    fillStatus(base ? base + 1 : path.constData(), sx, out);
    return true;
}

bool pathStatus(const QByteArray& path, FileStatus* out)
{
    struct statx sx;
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, kStatxMask,
                &sx) != 0)
        return false;
    const char* base = std::strrchr(path.constData(), '/');
    fillStatus(base ? base + 1 : path.constData(), sx, out);
    return true;
}

bool entryStatus(int folderFd, const char* name, FileStatus* out)
{
    struct statx sx;
    const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (name[0] ? 0 : AT_EMPTY_PATH);
    if (::statx(folderFd, name, flags, kStatxMask, &sx) != 0)
        return false;
    fillStatus(name, sx, out);
    return true;
}

FileDescriptor openFolderChecked(int parentFd, const char* name, std::uint64_t dev,
                                 std::uint64_t ino)
{
    FileDescriptor fd(
        openFolderNoAtime(parentFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd.isValid())
        return fd;
    FileStatus st;
    if (!entryStatus(fd.get(), "", &st))
        return FileDescriptor();
    if (st.dev != dev || st.ino != ino) {
        errno = ESTALE;
        return FileDescriptor();
    }
    return fd;
}

} // namespace rw

static_assert(rw::DirListing::kWorkingFolder == AT_FDCWD);
