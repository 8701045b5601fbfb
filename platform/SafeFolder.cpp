#include "platform/SafeFolder.h"

#include <QList>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace rw
{

namespace
{

constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Cleared for good once the kernel answers ENOSYS, so old kernels pay for
// the failed call only once.
std::atomic<bool> g_kernelHasOpenat2{true};
bool g_kernelResolveEnabled = true;

// The components of an absolute path; "" (double slashes) and "." are left
// out. False for a relative path or one with "..": a ".." after a folder
// that was swapped for a link would climb out of the place that was meant.
bool splitPath(const QByteArray& path, QList<QByteArray>* parts)
{
    if (!path.startsWith('/'))
        return false;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..")
            return false;
        parts->append(part);
    }
    return true;
}

QByteArray joinPath(const QList<QByteArray>& parts)
{
    QByteArray out;
    for (const QByteArray& part : parts)
        out += '/' + part;
    return out.isEmpty() ? QByteArrayLiteral("/") : out;
}

// The whole path in one call, refusing any link on the way; -1 with errno
// ENOSYS where the kernel (before 5.6) or the headers lack openat2.
int openNoLinks(const char* path)
{
#ifdef SYS_openat2
    struct open_how how;
    std::memset(&how, 0, sizeof how);
    how.flags = kFolderFlags;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    return int(::syscall(SYS_openat2, AT_FDCWD, path, &how, sizeof how));
#else
    errno = ENOSYS;
    return -1;
#endif
}

SafeFolder::Result compare(const FileStatus& now, const FileIdentity& expected)
{
    if (expected.isKnown() && (now.dev != expected.dev || now.ino != expected.ino))
        return SafeFolder::Result::Replaced;
    if (expected.type != FileIdentity::Type::Unknown &&
        FileIdentity::typeOfMode(now.mode) != expected.type)
        return SafeFolder::Result::Replaced;
    return SafeFolder::Result::Done;
}

// How a failed open reads to the caller: a link or a non-folder where a
// folder was scanned means the path is no longer what the scan saw.
SafeFolder::Result resultOfOpenError(int error)
{
    switch (error) {
    case ENOENT:
        return SafeFolder::Result::Missing;
    case ELOOP:
    case ENOTDIR:
        return SafeFolder::Result::Replaced;
    default:
        return SafeFolder::Result::Failed;
    }
}

} // namespace

bool SafeFolder::isEntryName(const char* name)
{
    if (!name || !name[0] || std::strchr(name, '/'))
        return false;
    return std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0;
}

void SafeFolder::setKernelResolveEnabled(bool enabled)
{
    g_kernelResolveEnabled = enabled;
}

bool SafeFolder::renameNoReplace(int fromFd, const char* fromName, int toFd, const char* toName)
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return ::renameat2(fromFd, fromName, toFd, toName, RENAME_NOREPLACE) == 0;
#else
    return ::syscall(SYS_renameat2, fromFd, fromName, toFd, toName, 1u /* RENAME_NOREPLACE */) == 0;
#endif
}

void SafeFolder::close()
{
    m_fd.reset();
    m_path.clear();
}

bool SafeFolder::fail(Result result, int error)
{
    close();
    m_result = result;
    m_error = error;
    return false;
}

bool SafeFolder::finishOpen(int fd, QByteArray path, const FileIdentity& expected)
{
    FileDescriptor owned(fd);
    FileStatus st;
    if (!entryStatus(fd, "", &st))
        return fail(Result::Failed, errno);
    if (compare(st, expected) != Result::Done)
        return fail(Result::Replaced, 0);
    // Taking the new descriptor only now keeps `parent` usable when a
    // folder opens a child of itself.
    m_fd = std::move(owned);
    m_path = std::move(path);
    m_result = Result::Done;
    m_error = 0;
    return true;
}

bool SafeFolder::walk(const QByteArray& path, bool create, unsigned mode,
                      const FileIdentity& expected)
{
    QList<QByteArray> parts;
    if (!splitPath(path, &parts))
        return fail(Result::Failed, EINVAL);
    const QByteArray clean = joinPath(parts);

    if (!create && g_kernelResolveEnabled && g_kernelHasOpenat2.load(std::memory_order_relaxed)) {
        const int fd = openNoLinks(clean.constData());
        if (fd >= 0)
            return finishOpen(fd, clean, expected);
        if (errno == ENOSYS)
            g_kernelHasOpenat2.store(false, std::memory_order_relaxed);
        // ENAMETOOLONG: a path longer than PATH_MAX still opens one name at a time.
        else if (errno != EAGAIN && errno != EINVAL && errno != E2BIG && errno != ENAMETOOLONG)
            return fail(resultOfOpenError(errno), errno);
        // Otherwise the walk below decides.
    }

    FileDescriptor current(::open("/", kFolderFlags));
    if (!current.isValid())
        return fail(Result::Failed, errno);
    for (const QByteArray& part : parts) {
        int fd = ::openat(current.get(), part.constData(), kFolderFlags);
        if (fd < 0 && errno == ENOENT && create) {
            // EEXIST: someone made it meanwhile; the open below checks what.
            if (::mkdirat(current.get(), part.constData(), mode) != 0 && errno != EEXIST)
                return fail(Result::Failed, errno);
            fd = ::openat(current.get(), part.constData(), kFolderFlags);
        }
        if (fd < 0)
            return fail(resultOfOpenError(errno), errno);
        current.reset(fd);
    }
    return finishOpen(current.release(), clean, expected);
}

bool SafeFolder::open(const QByteArray& path, const FileIdentity& expected)
{
    const QByteArray copy = path; // `path` may be our own m_path
    return walk(copy, false, 0, expected);
}

bool SafeFolder::openOrCreate(const QByteArray& path, unsigned mode)
{
    const QByteArray copy = path;
    return walk(copy, true, mode, {});
}

bool SafeFolder::openParentOf(const SafeFolder& child, const FileIdentity& expected)
{
    if (!child.isOpen())
        return fail(Result::Failed, EBADF);
    if (!expected.isKnown())
        return fail(Result::Failed, EINVAL);
    const int fd = ::openat(child.fd(), "..", kFolderFlags);
    if (fd < 0)
        return fail(resultOfOpenError(errno), errno);
    const qsizetype slash = child.path().lastIndexOf('/');
    return finishOpen(fd, slash > 0 ? child.path().left(slash) : QByteArrayLiteral("/"), expected);
}

namespace
{

// A path openNear can work on by its bytes: absolute, no empty, "." or ".."
// part. The root counts as the empty path (no names).
bool plainPath(const QByteArray& path, QByteArrayView* out)
{
    if (!path.startsWith('/'))
        return false;
    const QByteArrayView view = path == "/" ? QByteArrayView() : QByteArrayView(path);
    if (view.endsWith('/') || view.contains("//") || view.contains("/./") ||
        view.contains("/../") || view.endsWith("/.") || view.endsWith("/.."))
        return false;
    *out = view;
    return true;
}

} // namespace

bool SafeFolder::openNear(const SafeFolder& near, const QByteArray& path,
                          const FileIdentity& expected)
{
    QByteArrayView from;
    QByteArrayView to;
    if (!near.isOpen() || !expected.isKnown() || !plainPath(near.path(), &from) ||
        !plainPath(path, &to))
        return open(path, expected);
    // The longest shared part that ends at a name boundary of both paths.
    qsizetype shared = 0;
    while (shared < from.size() && shared < to.size() && from[shared] == to[shared])
        ++shared;
    const auto boundary = [](QByteArrayView p, qsizetype at) {
        return at == p.size() || p[at] == '/';
    };
    while (shared > 0 && !(boundary(from, shared) && boundary(to, shared)))
        --shared;
    const qsizetype up = from.sliced(shared).count('/');
    const qsizetype down = to.sliced(shared).count('/');
    if (up + down >= to.count('/'))
        return open(path, expected);

    FileDescriptor current(::openat(near.fd(), ".", kFolderFlags));
    for (qsizetype i = 0; current.isValid() && i < up; ++i)
        current.reset(::openat(current.get(), "..", kFolderFlags));
    char name[256];
    for (qsizetype at = shared; current.isValid() && at < to.size();) {
        qsizetype end = to.indexOf('/', at + 1);
        if (end < 0)
            end = to.size();
        const qsizetype length = end - at - 1;
        if (length <= 0 || length >= qsizetype(sizeof name))
            return fail(Result::Failed, ENAMETOOLONG);
        std::memcpy(name, to.data() + at + 1, std::size_t(length));
        name[length] = '\0';
        const int fd = ::openat(current.get(), name, kFolderFlags);
        current.reset(fd);
        at = end;
    }
    if (!current.isValid())
        return fail(resultOfOpenError(errno), errno);
    return finishOpen(current.release(), path, expected);
}

bool SafeFolder::openChild(const SafeFolder& parent, const char* name, const FileIdentity& expected)
{
    if (!parent.isOpen())
        return fail(Result::Failed, EBADF);
    if (!isEntryName(name))
        return fail(Result::Failed, EINVAL);
    const int fd = ::openat(parent.fd(), name, kFolderFlags);
    if (fd < 0)
        return fail(resultOfOpenError(errno), errno);
    QByteArray path = parent.path();
    if (!path.endsWith('/'))
        path += '/';
    path += name;
    return finishOpen(fd, path, expected);
}

bool SafeFolder::openOrCreateChild(const SafeFolder& parent, const char* name, unsigned mode)
{
    if (parent.isOpen() && isEntryName(name) && ::mkdirat(parent.fd(), name, mode) != 0 &&
        errno != EEXIST)
        return fail(Result::Failed, errno);
    return openChild(parent, name);
}

bool SafeFolder::status(const char* name, FileStatus* out) const
{
    if (!isEntryName(name)) {
        m_error = EINVAL;
        return false;
    }
    if (!entryStatus(m_fd.get(), name, out)) {
        m_error = errno;
        return false;
    }
    return true;
}

bool SafeFolder::selfStatus(FileStatus* out) const
{
    if (!entryStatus(m_fd.get(), "", out)) {
        m_error = errno;
        return false;
    }
    return true;
}

SafeFolder::Result SafeFolder::check(const char* name, const FileIdentity& expected,
                                     FileStatus* now) const
{
    FileStatus st;
    if (!status(name, &st))
        return m_error == ENOENT ? Result::Missing : Result::Failed;
    if (now)
        *now = st;
    return compare(st, expected);
}

SafeFolder::Result SafeFolder::removeFile(const char* name, const FileIdentity& expected)
{
    FileStatus st;
    m_result = check(name, expected, &st);
    if (m_result != Result::Done)
        return m_result;
    if (S_ISDIR(st.mode)) {
        m_error = EISDIR;
        return m_result = Result::Failed;
    }
    // unlinkat never follows a link: a file swapped for a link after the
    // check costs the link, never the file it points to.
    if (::unlinkat(m_fd.get(), name, 0) != 0) {
        m_error = errno;
        // EISDIR: a folder took the name after the check.
        m_result = m_error == ENOENT   ? Result::Missing
                   : m_error == EISDIR ? Result::Replaced
                                       : Result::Failed;
    }
    return m_result;
}

SafeFolder::Result SafeFolder::removeEmptyFolder(const char* name, const FileIdentity& expected)
{
    FileStatus st;
    m_result = check(name, expected, &st);
    if (m_result != Result::Done)
        return m_result;
    if (!S_ISDIR(st.mode)) {
        m_error = ENOTDIR;
        return m_result = Result::Failed;
    }
    if (::unlinkat(m_fd.get(), name, AT_REMOVEDIR) != 0) {
        m_error = errno;
        m_result = m_error == ENOENT    ? Result::Missing
                   : m_error == ENOTDIR ? Result::Replaced
                                        : Result::Failed;
    }
    return m_result;
}

SafeFolder::Result SafeFolder::makeOwnerWritable(const char* name, const FileIdentity& expected)
{
    FileStatus st;
    m_result = check(name, expected, &st);
    if (m_result != Result::Done)
        return m_result;
    if (S_ISLNK(st.mode)) {
        m_error = ELOOP;
        return m_result = Result::Failed;
    }
    if (::fchmodat(m_fd.get(), name, (st.mode & 07777) | S_IWUSR, AT_SYMLINK_NOFOLLOW) != 0) {
        m_error = errno;
        m_result = Result::Failed;
    }
    return m_result;
}

bool SafeFolder::unlinkEntry(int folderFd, const char* name)
{
    return ::unlinkat(folderFd, name, 0) == 0;
}

bool SafeFolder::unlinkEmptyFolder(int folderFd, const char* name)
{
    return ::unlinkat(folderFd, name, AT_REMOVEDIR) == 0;
}

} // namespace rw
