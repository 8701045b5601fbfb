#include "platform/TrashLocation.h"

#include "platform/Trash.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QCoreApplication>

namespace rw
{

namespace
{
// The messages of this file, translated as one context.
struct TrashLocationTexts {
    Q_DECLARE_TR_FUNCTIONS(TrashLocationTexts)
};
} // namespace

namespace
{

// What tells two folders apart as parts of one mount: the mount id where
// the kernel gives it (5.8 on), so a bind mount counts as its own top, else
// the device.
struct MountKey {
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    std::uint64_t mountId = 0;
    bool hasMountId = false;
};

bool mountKeyOf(int fd, MountKey* out)
{
    struct statx sx;
    if (::statx(fd, "", AT_EMPTY_PATH | AT_NO_AUTOMOUNT, STATX_INO | STATX_MNT_ID, &sx) != 0)
        return false;
    out->dev = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    out->ino = sx.stx_ino;
    out->hasMountId = (sx.stx_mask & STATX_MNT_ID) != 0;
    out->mountId = sx.stx_mnt_id;
    return true;
}

bool sameMount(const MountKey& a, const MountKey& b)
{
    if (a.dev != b.dev)
        return false;
    return !a.hasMountId || !b.hasMountId || a.mountId == b.mountId;
}

QString shown(const QByteArray& path)
{
    return QString::fromLocal8Bit(path);
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The top folder of the mount that holds `folder`: climbs ".." through
// descriptors (never a link) while the parent is on the same mount, and
// trims the path alongside. `top` gets the identity of the folder reached,
// so the path can be opened and checked against it.
QByteArray findTopDir(const SafeFolder& folder, FileIdentity* top)
{
    constexpr int kFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    QByteArray path = folder.path();
    FileDescriptor current(::openat(folder.fd(), ".", kFlags));
    MountKey own;
    if (!current.isValid() || !mountKeyOf(current.get(), &own))
        return QByteArray();
    MountKey at = own;
    while (path != "/") {
        FileDescriptor parent(::openat(current.get(), "..", kFlags));
        MountKey key;
        if (!parent.isValid() || !mountKeyOf(parent.get(), &key) || !sameMount(key, own))
            break;
        current = std::move(parent);
        at = key;
        path.truncate(path.lastIndexOf('/'));
        if (path.isEmpty())
            path = "/";
    }
    *top = {at.dev, at.ino, FileIdentity::Type::Folder};
    return path;
}

bool isDigits(const QByteArray& text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray baseOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

QByteArray TrashLocation::resolvedHomeTrash()
{
    const QByteArray configured = Trash::homeTrashPath();
    if (configured.isEmpty())
        return configured;
    QByteArray head = configured;
    QByteArray tail;
    for (;;) {
        if (char* real = ::realpath(head.constData(), nullptr)) {
            QByteArray out(real);
            std::free(real);
            if (out == "/")
                out.clear();
            return out + tail;
        }
        const qsizetype slash = head.lastIndexOf('/');
        if ((errno != ENOENT && errno != ENOTDIR) || slash <= 0)
            return configured;
        tail.prepend(head.mid(slash));
        head.truncate(slash);
    }
}

QByteArray TrashLocation::topDirOfTrash(const QByteArray& trashPath)
{
    QByteArray path = trashPath;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    const QByteArray base = baseOf(path);
    if (base.startsWith(".Trash-") && isDigits(base.mid(7)))
        return parentOf(path);
    if (isDigits(base) && baseOf(parentOf(path)) == ".Trash")
        return parentOf(parentOf(path));
    return QByteArray();
}

void TrashLocation::close()
{
    m_trash.close();
    m_files.close();
    m_info.close();
    m_topDir.clear();
}

bool TrashLocation::openParts()
{
    return m_files.openOrCreateChild(m_trash, "files", 0700) &&
           m_info.openOrCreateChild(m_trash, "info", 0700);
}

bool TrashLocation::openExisting(const QByteArray& path)
{
    close();
    return m_trash.open(path) && m_files.openChild(m_trash, "files") &&
           m_info.openChild(m_trash, "info");
}

bool TrashLocation::openHome(QString* errorText)
{
    const QByteArray path = resolvedHomeTrash();
    if (path.isEmpty()) {
        *errorText = TrashLocationTexts::tr(
            "No home folder is set (HOME), so there is no trash to move to.");
        return false;
    }
    if (!m_trash.openOrCreate(path, 0700) || !openParts()) {
        const int error = m_trash.isOpen() ? (m_files.isOpen() ? m_info.error() : m_files.error())
                                           : m_trash.error();
        *errorText = TrashLocationTexts::tr("The trash folder %1 cannot be opened or made: %2.")
                         .arg(shown(path), reason(error));
        close();
        return false;
    }
    return true;
}

bool TrashLocation::openOwnTrash(const SafeFolder& parent, const char* name)
{
    if (::mkdirat(parent.fd(), name, 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (::fstatat(parent.fd(), name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_uid != ::getuid())
        return false;
    if (m_trash.openChild(parent, name, {st.st_dev, st.st_ino, FileIdentity::Type::Folder}) &&
        openParts())
        return true;
    close();
    return false;
}

bool TrashLocation::openTopDir(const SafeFolder& top, QString* errorText)
{
    const QByteArray uid = QByteArray::number(::getuid());
    // $topdir/.Trash is shared by every user: only a real folder with the
    // sticky bit (so users cannot remove each other's entries) is trusted.
    struct stat st;
    if (::fstatat(top.fd(), ".Trash", &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode) &&
        (st.st_mode & S_ISVTX)) {
        SafeFolder shared;
        if (shared.openChild(top, ".Trash", {st.st_dev, st.st_ino, FileIdentity::Type::Folder}) &&
            openOwnTrash(shared, uid.constData())) {
            m_topDir = top.path();
            return true;
        }
    }
    const QByteArray own = ".Trash-" + uid;
    if (openOwnTrash(top, own.constData())) {
        m_topDir = top.path();
        return true;
    }
    const QByteArray& found = top.path();
    *errorText =
        TrashLocationTexts::tr("There is no usable trash on the file system of %1: %2 cannot be "
                               "made or is not a folder of yours.")
            .arg(shown(found), shown(found == "/" ? "/" + own : found + "/" + own));
    return false;
}

bool TrashLocation::openFor(const SafeFolder& folder, const FileStatus& entry, QString* errorText)
{
    close();
    QString homeError;
    if (openHome(&homeError)) {
        FileStatus st;
        if (m_trash.selfStatus(&st) && st.dev == entry.dev)
            return true;
        close();
    } else {
        // Without a home trash an entry of the home file system has no
        // trash at all: a top-dir trash is only for other file systems.
        QByteArray probe = resolvedHomeTrash();
        FileStatus st;
        while (!probe.isEmpty() && !pathStatus(probe, &st))
            probe = probe == "/" ? QByteArray() : parentOf(probe);
        if (probe.isEmpty() || st.dev == entry.dev) {
            *errorText = homeError;
            return false;
        }
    }
    FileIdentity topId;
    const QByteArray topDir = findTopDir(folder, &topId);
    SafeFolder top;
    if (topDir.isEmpty() || !top.open(topDir, topId)) {
        *errorText =
            TrashLocationTexts::tr("The top folder of the file system of %1 cannot be found.")
                .arg(shown(folder.path()));
        return false;
    }
    if (!openTopDir(top, errorText))
        return false;
    FileStatus st;
    if (!m_trash.selfStatus(&st) || st.dev != entry.dev) {
        *errorText = TrashLocationTexts::tr("The trash %1 is on another file system than %2.")
                         .arg(shown(m_trash.path()), shown(folder.path()));
        close();
        return false;
    }
    return true;
}

QByteArray TrashLocation::infoPathOf(const QByteArray& original) const
{
    if (m_topDir.isEmpty())
        return original;
    if (m_topDir == "/")
        return original.mid(1);
    return original.mid(m_topDir.size() + 1);
}

} // namespace rw
