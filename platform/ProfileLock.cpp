#include "platform/ProfileLock.h"

#include "platform/DirListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <memory>
#include <mutex>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace rw
{

namespace
{

// The process's hold on one lock file: the threads of the process take
// `holder` first (recursive, so the holding thread may nest), then the first
// level opens and flocks the one descriptor, the last level closes it.
struct Hold {
    std::recursive_mutex holder;
    FileDescriptor fd;
    int depth = 0; // guarded by `holder`
};

std::mutex& tableMutex()
{
    static std::mutex m;
    return m;
}

// One entry per path ever locked; entries are never removed, so a Hold
// stays where it is while a thread waits on it.
Hold& holdOf(const QString& path)
{
    static QHash<QString, std::shared_ptr<Hold>> table;
    std::lock_guard lock(tableMutex());
    std::shared_ptr<Hold>& hold = table[path];
    if (!hold)
        hold = std::make_shared<Hold>();
    return *hold;
}

int lockFile(const QString& lockPath)
{
    const QString folder = QFileInfo(lockPath).absolutePath();
    if (!QDir().mkpath(folder))
        return -1;
    const QByteArray name = QFile::encodeName(lockPath);
    // O_NOFOLLOW: a link put in place of the lock file is not followed (and
    // so no file elsewhere is made or locked).
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            errno = error;
            return -1;
        }
    }
    return fd;
}

} // namespace

QString ProfileLock::lockFilePath(const QString& path)
{
    return path + QStringLiteral(".lock");
}

ProfileLock::ProfileLock(const QString& path) : m_path(path)
{
    if (path.isEmpty()) {
        m_error = ENOENT;
        return;
    }
    Hold& hold = holdOf(m_path);
    hold.holder.lock();
    if (hold.depth == 0) {
        // A missing folder would fail with ENOENT before any errno is set
        // by mkpath; say so rather than leave a stale errno.
        errno = ENOENT;
        hold.fd.reset(lockFile(lockFilePath(m_path)));
        if (!hold.fd.isValid()) {
            m_error = errno;
            hold.holder.unlock();
            return;
        }
    }
    ++hold.depth;
    m_held = true;
}

ProfileLock::~ProfileLock()
{
    if (!m_held)
        return;
    Hold& hold = holdOf(m_path);
    if (--hold.depth == 0)
        hold.fd.reset(); // closing the only descriptor releases the flock
    hold.holder.unlock();
}

} // namespace rw
