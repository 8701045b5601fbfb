#include "platform/ReadOnlyOpen.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

FileDescriptor openRegularFileForReading(const QByteArray& path, int* error)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(path.constData(), flags | O_NOATIME);
    // O_NOATIME is refused (EPERM) for files of other owners.
    if (fd < 0 && errno == EPERM)
        fd = ::open(path.constData(), flags);
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

} // namespace rw
