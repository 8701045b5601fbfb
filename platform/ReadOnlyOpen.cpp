#include "platform/ReadOnlyOpen.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

FileDescriptor openRegularFileForReading(const QByteArray& path, int* error)
{
    return openRegularFileAt(AT_FDCWD, path.constData(), error);
}

FileDescriptor openRegularFileAt(int folderFd, const char* name, int* error)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::openat(folderFd, name, flags | O_NOATIME);
    // O_NOATIME is refused (EPERM) for files of other owners.
    if (fd < 0 && errno == EPERM)
        fd = ::openat(folderFd, name, flags);
    if (fd < 0) {
        if (error)
            *error = errno;
        return FileDescriptor();
    }
    FileDescriptor file(fd);
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (error)
            *error = EINVAL;
        return FileDescriptor();
    }
    // Reads block normally from here on; only the open had to be safe.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (error)
        *error = 0;
    return file;
}

bool readFullyAt(int fd, char* into, std::size_t n, std::int64_t offset, std::size_t* got)
{
    *got = 0;
    while (*got < n) {
        const ssize_t r = ::pread(fd, into + *got, n - *got, off_t(offset) + off_t(*got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return false;
        if (r == 0)
            break;
        *got += std::size_t(r);
    }
    return true;
}

std::int64_t readNext(int fd, char* into, std::size_t n)
{
    for (;;) {
        const ssize_t r = ::read(fd, into, n);
        if (r < 0 && errno == EINTR)
            continue;
        return r;
    }
}

void adviseSequentialRead(int fd)
{
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
}

} // namespace rw
