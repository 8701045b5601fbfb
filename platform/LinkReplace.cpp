#include "platform/LinkReplace.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "platform/ReadOnlyOpen.h"
#include "platform/SafeFolder.h"

namespace rw
{

namespace
{

constexpr char kPrefix[] = ".roomwise-link-";

// A temporary name no other run of this or another process picks: the
// process id and a counter. Taken only with O_EXCL or linkat, which refuse
// a name that exists.
QByteArray temporaryName()
{
    static std::atomic<unsigned> counter{0};
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s%ld-%u", kPrefix, long(::getpid()),
                  counter.fetch_add(1, std::memory_order_relaxed));
    return QByteArray(buffer);
}

bool exchangeNames(int folderFd, const char* a, const char* b)
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return ::renameat2(folderFd, a, folderFd, b, RENAME_EXCHANGE) == 0;
#else
    return ::syscall(SYS_renameat2, folderFd, a, folderFd, b, 2u /* RENAME_EXCHANGE */) == 0;
#endif
}

// True when the entry `name` of `folderFd` is the inode (dev, ino), not
// following a link.
bool entryIs(int folderFd, const char* name, std::uint64_t dev, std::uint64_t ino)
{
    struct stat st {
    };
    return ::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
           std::uint64_t(st.st_dev) == dev && std::uint64_t(st.st_ino) == ino;
}

// Reads all of `fd`'s extended attribute names, or one value when `name`
// is given, into `out`, growing the buffer while the file gains more.
bool readAttributeList(int fd, const char* name, QByteArray* out)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t need =
            name ? ::fgetxattr(fd, name, nullptr, 0) : ::flistxattr(fd, nullptr, 0);
        if (need < 0)
            return false;
        out->resize(qsizetype(need));
        const ssize_t got = name ? ::fgetxattr(fd, name, out->data(), std::size_t(need))
                                 : ::flistxattr(fd, out->data(), std::size_t(need));
        if (got >= 0) {
            out->resize(qsizetype(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    errno = ERANGE;
    return false;
}

// Gives `to` every extended attribute of `from`: the access and default
// ACLs (system.posix_acl_*), file capabilities, labels and the user's own
// attributes. A clone shares only the bytes, so without this a replaced
// file would silently lose who else may read it. False when any attribute
// could not be read or set (the caller's rights may not reach trusted.* or
// security.*); the others are still set.
bool copyExtendedAttributes(int from, int to)
{
    QByteArray names;
    if (!readAttributeList(from, nullptr, &names))
        return errno == ENOTSUP;
    bool all = true;
    QByteArray value;
    for (qsizetype at = 0; at < names.size();) {
        const char* name = names.constData() + at;
        const qsizetype length = qsizetype(std::strlen(name));
        at += length + 1;
        if (length == 0)
            continue;
        if (!readAttributeList(from, name, &value)) {
            // Removed between listing and reading: nothing to copy.
            if (errno != ENODATA)
                all = false;
            continue;
        }
        // A new file already carries its folder's security label, usually
        // the one the old file had: setting it again may need a right the
        // user lacks, and would change nothing.
        QByteArray present;
        if (readAttributeList(to, name, &present) && present == value)
            continue;
        if (::fsetxattr(to, name, value.constData(), std::size_t(value.size()), 0) != 0)
            all = false;
    }
    return all;
}

// Errors of FICLONE that mean "no reflink between these two", not a fault.
bool noReflink(int error)
{
    return error == EXDEV || error == EOPNOTSUPP || error == EINVAL || error == ENOTTY ||
           error == ENOSYS || error == EPERM || error == EBADF;
}

std::uint64_t mountOf(int fd)
{
    struct statx sx {
    };
    if (::statx(fd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_MNT_ID, &sx) != 0 ||
        !(sx.stx_mask & STATX_MNT_ID))
        return 0;
    return sx.stx_mnt_id;
}

} // namespace

const char* LinkReplace::temporaryPrefix()
{
    return kPrefix;
}

bool LinkReplace::stampOf(int fd, Stamp* out)
{
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return false;
    out->dev = st.st_dev;
    out->ino = st.st_ino;
    out->size = st.st_size;
    out->mtimeSec = st.st_mtim.tv_sec;
    out->mtimeNsec = st.st_mtim.tv_nsec;
    out->ctimeSec = st.st_ctim.tv_sec;
    out->ctimeNsec = st.st_ctim.tv_nsec;
    return true;
}

bool LinkReplace::unchanged(int fd, const Stamp& was, bool withCtime)
{
    Stamp now;
    if (!stampOf(fd, &now))
        return false;
    return now.dev == was.dev && now.ino == was.ino && now.size == was.size &&
           now.mtimeSec == was.mtimeSec && now.mtimeNsec == was.mtimeNsec &&
           (!withCtime || (now.ctimeSec == was.ctimeSec && now.ctimeNsec == was.ctimeNsec));
}

bool LinkReplace::bothUnchanged(bool fileCtime, bool keptCtime) const
{
    return unchanged(m_file.get(), m_fileStamp, fileCtime) &&
           unchanged(m_kept.get(), m_keptStamp, keptCtime);
}

LinkReplace::Result LinkReplace::fail(Result result, int error)
{
    m_error = error;
    return result;
}

bool LinkReplace::openFile(const SafeFolder& folder, const char* name, const FileIdentity& expected)
{
    m_kind = Kind::None;
    m_freed = false;
    m_attributesKept = false;
    int error = 0;
    m_file = openRegularFileAt(folder.fd(), name, &error);
    struct stat st {
    };
    if (!m_file.isValid() || ::fstat(m_file.get(), &st) != 0 ||
        !stampOf(m_file.get(), &m_fileStamp)) {
        m_error = error ? error : errno;
        m_file.reset();
        return false;
    }
    if (expected.isKnown() &&
        (std::uint64_t(st.st_dev) != expected.dev || std::uint64_t(st.st_ino) != expected.ino)) {
        m_error = ESTALE;
        m_file.reset();
        return false;
    }
    m_fileSize = st.st_size;
    m_fileMode = st.st_mode;
    m_fileUid = st.st_uid;
    m_fileGid = st.st_gid;
    m_atimeSec = st.st_atim.tv_sec;
    m_atimeNsec = st.st_atim.tv_nsec;
    return true;
}

bool LinkReplace::openKept(const SafeFolder& folder, const char* name, const FileIdentity& expected)
{
    int error = 0;
    m_kept = openRegularFileAt(folder.fd(), name, &error);
    if (!m_kept.isValid() || !stampOf(m_kept.get(), &m_keptStamp)) {
        m_error = error ? error : errno;
        m_kept.reset();
        return false;
    }
    if (expected.isKnown() &&
        (m_keptStamp.dev != expected.dev || m_keptStamp.ino != expected.ino)) {
        m_error = ESTALE;
        m_kept.reset();
        return false;
    }
    return true;
}

bool LinkReplace::sameInode() const
{
    return m_file.isValid() && m_kept.isValid() && m_fileStamp.dev == m_keptStamp.dev &&
           m_fileStamp.ino == m_keptStamp.ino;
}

LinkReplace::Kind LinkReplace::possibleKind(const SafeFolder& folder) const
{
    if (!m_kept.isValid() || !folder.isOpen())
        return Kind::None;
    // An unnamed file: nothing appears in the folder, and it goes with the
    // descriptor.
    FileDescriptor probe(::openat(folder.fd(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (probe.isValid() && ::ioctl(probe.get(), FICLONE, m_kept.get()) == 0)
        return Kind::Reflink;
    // A hard link joins two names of one mount only.
    const std::uint64_t here = mountOf(folder.fd());
    const std::uint64_t there = mountOf(m_kept.get());
    if (here != 0 && there != 0)
        return here == there ? Kind::HardLink : Kind::None;
    struct stat a {
    };
    struct stat b {
    };
    return ::fstat(folder.fd(), &a) == 0 && ::fstat(m_kept.get(), &b) == 0 && a.st_dev == b.st_dev
               ? Kind::HardLink
               : Kind::None;
}

LinkReplace::Result LinkReplace::makeReflink(const SafeFolder& folder, QByteArray* tmp)
{
    FileDescriptor out;
    for (int attempt = 0; attempt < 100 && !out.isValid(); ++attempt) {
        *tmp = temporaryName();
        out.reset(::openat(folder.fd(), tmp->constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!out.isValid() && errno != EEXIST)
            return fail(Result::Failed, errno);
    }
    if (!out.isValid())
        return fail(Result::Failed, EEXIST);
    if (::ioctl(out.get(), FICLONE, m_kept.get()) != 0) {
        const int error = errno;
        SafeFolder::unlinkEntry(folder.fd(), tmp->constData());
        return fail(noReflink(error) ? Result::OtherFileSystem : Result::Failed, error);
    }
    struct stat st {
    };
    if (::fstat(out.get(), &st) != 0 || st.st_size != m_keptStamp.size) {
        SafeFolder::unlinkEntry(folder.fd(), tmp->constData());
        return fail(Result::Failed, EIO);
    }
    // The owner first: a change of owner clears set-id bits, which the mode
    // then sets again. Not the owner's right (an ordinary user linking
    // another user's file) leaves the clone the caller's.
    m_attributesKept = ::fchown(out.get(), m_fileUid, m_fileGid) == 0;
    if (::fchmod(out.get(), m_fileMode & 07777) != 0)
        m_attributesKept = false;
    // After the owner and mode: a change of owner drops file capabilities,
    // and an access ACL carries the group bits the mode just set.
    if (!copyExtendedAttributes(m_file.get(), out.get()))
        m_attributesKept = false;
    const struct timespec times[2] = {{m_atimeSec, m_atimeNsec},
                                      {m_fileStamp.mtimeSec, m_fileStamp.mtimeNsec}};
    if (::futimens(out.get(), times) != 0)
        m_attributesKept = false;
    m_kind = Kind::Reflink;
    return Result::Done;
}

LinkReplace::Result LinkReplace::makeHardLink(const SafeFolder& folder,
                                              const SafeFolder& keptFolder, const char* keptName,
                                              QByteArray* tmp)
{
    bool made = false;
    for (int attempt = 0; attempt < 100 && !made; ++attempt) {
        *tmp = temporaryName();
        // Flags 0: a link put in the kept copy's place is linked as the
        // link, never followed; the check below then refuses it.
        made = ::linkat(keptFolder.fd(), keptName, folder.fd(), tmp->constData(), 0) == 0;
        if (!made && errno != EEXIST)
            return fail(errno == EXDEV ? Result::OtherFileSystem : Result::Failed, errno);
    }
    if (!made)
        return fail(Result::Failed, EEXIST);
    if (!entryIs(folder.fd(), tmp->constData(), m_keptStamp.dev, m_keptStamp.ino)) {
        SafeFolder::unlinkEntry(folder.fd(), tmp->constData());
        return fail(Result::Replaced, 0);
    }
    m_attributesKept = false;
    m_kind = Kind::HardLink;
    return Result::Done;
}

LinkReplace::Result LinkReplace::replace(const SafeFolder& folder, const char* name,
                                         const SafeFolder& keptFolder, const char* keptName,
                                         bool hardLinkOnly)
{
    m_kind = Kind::None;
    m_freed = false;
    m_attributesKept = false;
    m_error = 0;
    if (!m_file.isValid() || !m_kept.isValid() || !folder.isOpen() || !keptFolder.isOpen() ||
        !SafeFolder::isEntryName(name) || !SafeFolder::isEntryName(keptName))
        return fail(Result::Failed, EINVAL);
    if (sameInode())
        return fail(Result::Failed, EINVAL);
    if (!entryIs(folder.fd(), name, m_fileStamp.dev, m_fileStamp.ino) ||
        !entryIs(keptFolder.fd(), keptName, m_keptStamp.dev, m_keptStamp.ino))
        return Result::Replaced;
    if (!bothUnchanged(true, true))
        return Result::Changed;

    QByteArray tmp;
    Result result = Result::OtherFileSystem;
    if (!hardLinkOnly)
        result = makeReflink(folder, &tmp);
    if (result == Result::OtherFileSystem)
        result = makeHardLink(folder, keptFolder, keptName, &tmp);
    if (result != Result::Done) {
        m_kind = Kind::None;
        return result;
    }
    struct stat made {
    };
    if (::fstatat(folder.fd(), tmp.constData(), &made, AT_SYMLINK_NOFOLLOW) != 0) {
        m_kind = Kind::None;
        return fail(Result::Failed, errno);
    }
    const std::uint64_t linkDev = made.st_dev;
    const std::uint64_t linkIno = made.st_ino;
    // Only our own link is ever removed from the temporary name: if anything
    // else got there, a stray name is better than a lost file.
    const auto undoLink = [&](Result result, int error) {
        if (entryIs(folder.fd(), tmp.constData(), linkDev, linkIno))
            SafeFolder::unlinkEntry(folder.fd(), tmp.constData());
        m_kind = Kind::None;
        m_attributesKept = false;
        return fail(result, error);
    };
    // Written to while the link was made: the link may hold other bytes. (A
    // hard link changes the kept copy's change time itself.)
    if (!bothUnchanged(true, false))
        return undoLink(Result::Changed, 0);
    if (!exchangeNames(folder.fd(), tmp.constData(), name))
        return undoLink(Result::Failed, errno);
    // The swap took whatever held the name; it must have been the file, and
    // neither file may have been written to meanwhile (a rename changes the
    // change time, so only size and write time count now). Otherwise the
    // swap is undone and the link removed.
    if (!entryIs(folder.fd(), tmp.constData(), m_fileStamp.dev, m_fileStamp.ino) ||
        !bothUnchanged(false, false)) {
        const Result why = entryIs(folder.fd(), tmp.constData(), m_fileStamp.dev, m_fileStamp.ino)
                               ? Result::Changed
                               : Result::Replaced;
        if (!exchangeNames(folder.fd(), tmp.constData(), name))
            return fail(Result::Failed, errno);
        return undoLink(why, 0);
    }
    if (!SafeFolder::unlinkEntry(folder.fd(), tmp.constData())) {
        const int error = errno;
        // The old file stays where it was rather than under a strange name.
        if (exchangeNames(folder.fd(), tmp.constData(), name))
            return undoLink(Result::Failed, error);
        m_kind = Kind::None;
        return fail(Result::Failed, error);
    }
    struct stat st {
    };
    m_freed = ::fstat(m_file.get(), &st) == 0 && st.st_nlink == 0;
    return Result::Done;
}

} // namespace rw
