#include "browser/core/FolderDelete.h"

#include "app/core/Messages.h"
#include "app/core/SharedRoutines.h"
#include "browser/core/ProtectedPaths.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace rw
{

const char* const kDeletionCanceledNote =
    " (Note: Deletion operation canceled ... not all files deleted)";

bool FolderDeleteOps::removeEntry(int dirFd, const QByteArray& name)
{
    return ::unlinkat(dirFd, name.constData(), 0) == 0;
}

bool FolderDeleteOps::removeFolder(int dirFd, const QByteArray& name)
{
    return ::unlinkat(dirFd, name.constData(), AT_REMOVEDIR) == 0;
}

bool FolderDeleteOps::moveToTrash(const QString& path)
{
    return QFile::moveToTrash(path);
}

QString folderDeleteSummaryText(bool recycled, std::int64_t files, std::int64_t bytes,
                                bool completed)
{
    return QString::fromLatin1(recycled ? "Recycled " : "Deleted ") + FormatGrouped(files) +
           QStringLiteral(" files for a savings of ") + FormatGrouped(bytes) +
           QStringLiteral(" bytes.") +
           (completed ? QString() : QString::fromLatin1(kDeletionCanceledNote));
}

QString folderDeleteFailureText(const QStringList& failures)
{
    if (failures.isEmpty())
        return QString();
    if (failures.size() == 1)
        return failures.first();
    // A tree can hold thousands of stuck files; the box names the first few.
    constexpr int kShown = 15;
    QString text = QStringLiteral("Not everything could be deleted:");
    for (int i = 0; i < failures.size() && i < kShown; ++i)
        text += '\n' + failures.at(i);
    if (failures.size() > kShown)
        text += QStringLiteral("\n... and %1 more").arg(FormatGrouped(failures.size() - kShown));
    return text;
}

namespace
{

// Owns one file descriptor.
class UniqueFd
{
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.m_fd, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

constexpr int kDirOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Frames deeper than this many levels below the current one give up their
// descriptor; they are reopened through ".." (and checked) on the way back.
// This keeps any depth within the process's descriptor limit.
constexpr std::size_t kMaxOpenFolders = 128;

// The names of an open folder, "." and ".." left out. The listing is read in
// full before anything is removed, so removals never disturb the reading.
bool readNames(int dirFd, std::vector<QByteArray>* names)
{
    const int copy = ::openat(dirFd, ".", kDirOpenFlags);
    if (copy < 0)
        return false;
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        ::close(copy);
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0')))
            continue;
        names->emplace_back(n);
    }
    const bool ok = errno == 0;
    ::closedir(dir);
    return ok;
}

// Where an open folder is mounted: the device plus, where the kernel tells
// it, the mount's id. The id tells a bind mount of a folder of the same file
// system apart from the folder around it, which the device alone cannot.
struct MountIdentity {
    dev_t dev = 0;
    std::uint64_t mountId = 0;
    bool hasMountId = false;
    bool operator==(const MountIdentity& other) const
    {
        return dev == other.dev && (!hasMountId || !other.hasMountId || mountId == other.mountId);
    }
};

bool mountIdentity(int fd, MountIdentity* out)
{
    struct statx stx = {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_MNT_ID, &stx) == 0) {
        out->dev = makedev(stx.stx_dev_major, stx.stx_dev_minor);
        out->hasMountId = (stx.stx_mask & STATX_MNT_ID) != 0;
        out->mountId = stx.stx_mnt_id;
        return true;
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0)
        return false;
    out->dev = st.st_dev;
    out->hasMountId = false;
    return true;
}

// The protected folders by device and inode. Checked on opened descriptors,
// so a path swapped after a check by name still cannot lead the walk into a
// protected folder, and a protected folder inside the tree (the home folder
// below a folder being deleted) is kept.
struct FolderIdentity {
    dev_t dev;
    ino_t ino;
};

std::vector<FolderIdentity> protectedIdentities()
{
    std::vector<FolderIdentity> ids;
    for (const QString& folder : protectedFolderList()) {
        struct stat st = {};
        if (::stat(QFile::encodeName(folder).constData(), &st) == 0)
            ids.push_back({st.st_dev, st.st_ino});
    }
    return ids;
}

bool isIn(const std::vector<FolderIdentity>& ids, const struct stat& st)
{
    for (const FolderIdentity& id : ids) {
        if (id.dev == st.st_dev && id.ino == st.st_ino)
            return true;
    }
    return false;
}

QString shown(const QByteArray& path)
{
    return QFile::decodeName(path);
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

class TreeDeleter
{
public:
    TreeDeleter(bool recycle, FolderDeleteOps& ops) : m_recycle(recycle), m_ops(ops) {}

    FolderDeleteResult run(const QString& folder);

private:
    struct Frame {
        UniqueFd fd; // invalid while parked (see kMaxOpenFolders)
        dev_t dev = 0;
        ino_t ino = 0;
        QByteArray name; // in the parent folder
        QByteArray path;
        std::vector<QByteArray> names;
        std::size_t next = 0;
        bool blocked = false; // something inside stays, so the folder stays
    };

    void fail(const QString& text) { m_result.failures << text; }
    bool openRoot(const QByteArray& path);
    void visit(Frame& frame, const QByteArray& name);
    void enterFolder(Frame& parent, const QByteArray& name, const struct stat& st);
    void removeFile(Frame& frame, const QByteArray& name, const struct stat& st);
    bool askAttributes(const QByteArray& path, const QByteArray& name, const struct stat& st);
    bool recycleFile(const Frame& frame, const QByteArray& name, const struct stat& st);
    bool leaveFolder();

    bool m_recycle;
    FolderDeleteOps& m_ops;
    FolderDeleteResult m_result;
    UniqueFd m_rootParent;
    dev_t m_rootDev = 0;
    MountIdentity m_rootMount;
    std::vector<FolderIdentity> m_protected = protectedIdentities();
    std::vector<Frame> m_stack;
};

FolderDeleteResult TreeDeleter::run(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (folder.isEmpty() || isProtectedFolder(clean)) {
        fail(QStringLiteral("Couldn't delete folder - %1 (protected folder)").arg(clean));
        return m_result;
    }
    if (!openRoot(QFile::encodeName(clean)))
        return m_result;

    while (!m_stack.empty()) {
        Frame& frame = m_stack.back();
        if (m_result.aborted || frame.next >= frame.names.size()) {
            if (!leaveFolder())
                break;
            continue;
        }
        const QByteArray name = frame.names[frame.next++];
        visit(frame, name);
    }
    return m_result;
}

// Opens the folder without following a final symbolic link and refuses a
// folder that is itself a mount point.
bool TreeDeleter::openRoot(const QByteArray& path)
{
    const int slash = path.lastIndexOf('/');
    const QByteArray parent = slash == 0 ? QByteArray("/") : path.left(slash);
    const QByteArray name = path.mid(slash + 1);

    m_rootParent.reset(::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat parentSt = {};
    struct stat st = {};
    if (!m_rootParent.valid() || ::fstat(m_rootParent.get(), &parentSt) != 0 ||
        ::fstatat(m_rootParent.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        fail(QStringLiteral("Couldn't open folder - ") + shown(path));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        fail(QStringLiteral("Couldn't delete folder - %1 (not a folder)").arg(shown(path)));
        return false;
    }
    Frame root;
    root.fd.reset(::openat(m_rootParent.get(), name.constData(), kDirOpenFlags));
    if (!root.fd.valid() || ::fstat(root.fd.get(), &st) != 0 ||
        !readNames(root.fd.get(), &root.names)) {
        fail(QStringLiteral("Couldn't open folder - ") + shown(path));
        return false;
    }
    MountIdentity parentMount;
    if (!mountIdentity(m_rootParent.get(), &parentMount) ||
        !mountIdentity(root.fd.get(), &m_rootMount) || !(m_rootMount == parentMount)) {
        fail(QStringLiteral("Won't delete folder - %1 (another file system is mounted there)")
                 .arg(shown(path)));
        return false;
    }
    if (isIn(m_protected, st)) {
        fail(QStringLiteral("Couldn't delete folder - %1 (protected folder)").arg(shown(path)));
        return false;
    }
    m_rootDev = st.st_dev;
    root.dev = st.st_dev;
    root.ino = st.st_ino;
    root.name = name;
    root.path = path;
    m_stack.push_back(std::move(root));
    return true;
}

void TreeDeleter::visit(Frame& frame, const QByteArray& name)
{
    struct stat st = {};
    if (::fstatat(frame.fd.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return; // gone meanwhile: nothing to do
        fail(QStringLiteral("Couldn't delete file - ") + shown(joined(frame.path, name)));
        frame.blocked = true;
        return;
    }
    if (S_ISDIR(st.st_mode))
        enterFolder(frame, name, st);
    else
        removeFile(frame, name, st);
}

void TreeDeleter::enterFolder(Frame& parent, const QByteArray& name, const struct stat& st)
{
    const QByteArray path = joined(parent.path, name);
    if (st.st_dev != m_rootDev) {
        fail(QStringLiteral("Won't delete folder - %1 (another file system is mounted there)")
                 .arg(shown(path)));
        parent.blocked = true;
        return;
    }
    Frame child;
    child.fd.reset(::openat(parent.fd.get(), name.constData(), kDirOpenFlags));
    struct stat opened = {};
    MountIdentity mount;
    if (!child.fd.valid() || ::fstat(child.fd.get(), &opened) != 0 ||
        !mountIdentity(child.fd.get(), &mount)) {
        fail(QStringLiteral("Couldn't open folder - ") + shown(path));
        parent.blocked = true;
        return;
    }
    // The entry may have been swapped for a link or a mount since the look-up;
    // O_NOFOLLOW and the check of the opened folder's mount catch both. A bind
    // mount of a folder of the same file system shows only in the mount id.
    if (!(mount == m_rootMount)) {
        fail(QStringLiteral("Won't delete folder - %1 (another file system is mounted there)")
                 .arg(shown(path)));
        parent.blocked = true;
        return;
    }
    if (isIn(m_protected, opened)) {
        fail(QStringLiteral("Won't delete folder - %1 (protected folder)").arg(shown(path)));
        parent.blocked = true;
        return;
    }
    if (!readNames(child.fd.get(), &child.names)) {
        fail(QStringLiteral("Couldn't open folder - ") + shown(path));
        parent.blocked = true;
        return;
    }
    child.dev = opened.st_dev;
    child.ino = opened.st_ino;
    child.name = name;
    child.path = path;
    m_stack.push_back(std::move(child));
    if (m_stack.size() > kMaxOpenFolders)
        m_stack[m_stack.size() - 1 - kMaxOpenFolders].fd.reset();
}

bool TreeDeleter::askAttributes(const QByteArray& path, const QByteArray& name,
                                const struct stat& st)
{
    const bool readOnly = !S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
    const bool hidden = name.startsWith('.');
    const bool system =
        S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
    const struct {
        bool has;
        const char* text;
    } questions[] = {
        {readOnly, " is read-only, "}, {hidden, " is hidden, "}, {system, " is a system file, "}};
    // The attributes do not stop a removal on this platform, so a Yes only
    // lets the walk go on; the file keeps its mode (also in the recycle bin).
    for (const auto& q : questions) {
        if (!q.has)
            continue;
        const QString text = shown(path) + QLatin1String(q.text) +
                             QStringLiteral("delete this file and continue deleting other files? ");
        if (AskYesNoCancel(text) != MessageAnswer::Yes)
            return false;
    }
    return true;
}

void TreeDeleter::removeFile(Frame& frame, const QByteArray& name, const struct stat& st)
{
    const QByteArray path = joined(frame.path, name);
    if (!askAttributes(path, name, st)) {
        m_result.aborted = true;
        frame.blocked = true;
        return;
    }
    // Links and special files hold no data of their own; the recycle bin's
    // checks would look through a link, so they are removed as they are.
    const bool viaTrash = m_recycle && S_ISREG(st.st_mode);
    bool ok = false;
    if (viaTrash) {
        ok = recycleFile(frame, name, st);
        if (!ok)
            fail(QStringLiteral("Couldn't recycle file - ") + shown(path));
    } else {
        ok = m_ops.removeEntry(frame.fd.get(), name);
        if (!ok)
            fail(QStringLiteral("Couldn't delete file - ") + shown(path));
    }
    if (!ok) {
        frame.blocked = true;
        return;
    }
    ++m_result.filesRemoved;
    m_result.bytesFreed += st.st_size;
}

// The recycle bin takes a path. It is used only when that path still leads,
// link-free, to the very file the walk looked at, and only when the name
// survives the conversion to text unchanged.
bool TreeDeleter::recycleFile(const Frame& frame, const QByteArray& name, const struct stat& st)
{
    const QByteArray path = joined(frame.path, name);
    const QString text = QFile::decodeName(path);
    if (QFile::encodeName(text) != path)
        return false;
    struct stat byPath = {};
    struct stat folderByPath = {};
    if (::lstat(path.constData(), &byPath) != 0 || byPath.st_dev != st.st_dev ||
        byPath.st_ino != st.st_ino || !S_ISREG(byPath.st_mode))
        return false;
    if (::stat(frame.path.constData(), &folderByPath) != 0 || folderByPath.st_dev != frame.dev ||
        folderByPath.st_ino != frame.ino)
        return false;
    return m_ops.moveToTrash(text);
}

// Closes the innermost folder and removes it unless something inside stays.
// Returns false when the walk cannot go on safely (a parked parent could not
// be reopened as the same folder).
bool TreeDeleter::leaveFolder()
{
    Frame child = std::move(m_stack.back());
    m_stack.pop_back();
    int parentFd = m_rootParent.get();
    if (!m_stack.empty()) {
        Frame& parent = m_stack.back();
        if (!parent.fd.valid()) {
            UniqueFd up(::openat(child.fd.get(), "..", kDirOpenFlags));
            struct stat st = {};
            if (!up.valid() || ::fstat(up.get(), &st) != 0 || st.st_dev != parent.dev ||
                st.st_ino != parent.ino) {
                fail(QStringLiteral("Folder moved while it was being deleted - ") +
                     shown(parent.path));
                m_stack.clear();
                return false;
            }
            parent.fd = std::move(up);
        }
        parentFd = parent.fd.get();
    }
    child.fd.reset();

    bool removed = false;
    if (!child.blocked) {
        removed = m_ops.removeFolder(parentFd, child.name);
        if (!removed)
            fail(QStringLiteral("Couldn't delete folder - ") + shown(child.path));
    }
    if (removed) {
        ++m_result.foldersRemoved;
        if (m_stack.empty())
            m_result.folderRemoved = true;
    } else if (!m_stack.empty()) {
        m_stack.back().blocked = true;
    }
    return true;
}

} // namespace

FolderDeleteResult DeleteFolderTree(const QString& folder, bool recycle, FolderDeleteOps* ops)
{
    FolderDeleteOps realOps;
    TreeDeleter deleter(recycle, ops ? *ops : realOps);
    FolderDeleteResult result = deleter.run(folder);
    if (!result.failures.isEmpty())
        ShowErrorMessage(folderDeleteFailureText(result.failures));
    return result;
}

} // namespace rw
