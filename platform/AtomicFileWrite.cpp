#include "platform/AtomicFileWrite.h"

#include "platform/DirListing.h"

#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

namespace
{

QByteArray temporaryPrefix(const QByteArray& name)
{
    return '.' + name + ".tmp-";
}

} // namespace

bool AtomicFileWrite::writeAll(int fd, const QByteArray& data)
{
    const char* at = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, std::size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

AtomicFileWrite::AtomicFileWrite(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    m_folder = slash < 0    ? QByteArrayLiteral(".")
               : slash == 0 ? QByteArrayLiteral("/")
                            : path.left(slash);
    m_name = path.mid(slash + 1);
}

AtomicFileWrite::Result AtomicFileWrite::fail(int error)
{
    m_error = error;
    return Result::Failed;
}

AtomicFileWrite::Result AtomicFileWrite::replace(const QByteArray& data)
{
    m_error = 0;
    if (m_name.isEmpty() || m_name == "." || m_name == "..")
        return fail(EISDIR);
    const FileDescriptor folder(::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isValid())
        return fail(errno);

    // Links are refused: a rename would replace the link, but a writer
    // expecting the link's target to change would be surprised either way.
    mode_t mode = 0666; // a new file: what the umask leaves of this
    bool keepMode = false;
    struct stat st;
    if (::fstatat(folder.get(), m_name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode))
            return Result::IsLink;
        if (!S_ISREG(st.st_mode))
            return Result::NotRegular;
        mode = st.st_mode & 07777;
        keepMode = true;
    } else if (errno != ENOENT) {
        return fail(errno);
    }

    QByteArray tempName;
    FileDescriptor temp;
    for (int attempt = 0; attempt < 100 && !temp.isValid(); ++attempt) {
        tempName = temporaryPrefix(m_name) +
                   QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        temp.reset(::openat(folder.get(), tempName.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
        if (!temp.isValid() && errno != EEXIST)
            return fail(errno);
    }
    if (!temp.isValid())
        return fail(EEXIST);

    // From here on every failure removes the temporary file again.
    const auto discard = [&](int error) {
        temp.reset();
        ::unlinkat(folder.get(), tempName.constData(), 0);
        return fail(error);
    };
    // The umask may have taken bits the old file had.
    if (keepMode && ::fchmod(temp.get(), mode) != 0)
        return discard(errno);
    if (!writeAll(temp.get(), data))
        return discard(errno);
    if (::fsync(temp.get()) != 0)
        return discard(errno);
    // close() is where some file systems (NFS) report a failed write.
    if (::close(temp.release()) != 0 && errno != EINTR)
        return discard(errno);
    if (::renameat(folder.get(), tempName.constData(), folder.get(), m_name.constData()) != 0)
        return discard(errno);
    // The new contents are in place; a folder that cannot be synced (some
    // file systems refuse fsync on folders) does not undo that.
    ::fsync(folder.get());
    return Result::Written;
}

int AtomicFileWrite::removeLeftovers()
{
    DirListing listing;
    if (!listing.open(m_folder) || !listing.readAll())
        return 0;
    const QByteArray prefix = temporaryPrefix(m_name);
    int removed = 0;
    DirEntry entry;
    for (std::size_t cursor = 0; listing.next(cursor, &entry);) {
        if (entry.name.size() <= std::size_t(prefix.size()) ||
            entry.name.compare(0, std::size_t(prefix.size()),
                               std::string_view(prefix.constData(), std::size_t(prefix.size()))) !=
                0)
            continue;
        struct stat st;
        if (::fstatat(listing.fd(), entry.name.data(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode) && ::unlinkat(listing.fd(), entry.name.data(), 0) == 0)
            ++removed;
    }
    return removed;
}

} // namespace rw
