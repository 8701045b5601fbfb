#include "framework/core/FolderDelete.h"
#include "base/SaturatingSum.h"

#include "base/Messages.h"
#include "base/SharedRoutines.h"
#include "framework/core/DeleteRun.h"
#include "framework/core/PathTarget.h"
#include "framework/core/ProtectedPaths.h"
#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/FileAttributes.h"
#include "platform/Trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <vector>

namespace rw
{

namespace
{
// The messages of this file, translated as one context.
struct FolderDeleteTexts {
    Q_DECLARE_TR_FUNCTIONS(FolderDeleteTexts)
};
} // namespace

const char* const kDeletionCanceledNote = QT_TRANSLATE_NOOP(
    "FolderDeleteTexts", " (Note: Deletion operation canceled ... not all files deleted)");

bool FolderDeleteOps::removeEntry(int dirFd, const QByteArray& name)
{
    return SafeFolder::unlinkEntry(dirFd, name.constData());
}

bool FolderDeleteOps::removeFolder(int dirFd, const QByteArray& name)
{
    return SafeFolder::unlinkEmptyFolder(dirFd, name.constData());
}

bool FolderDeleteOps::moveToTrash(const SafeFolder& folder, const QByteArray& name,
                                  const FileIdentity& expected)
{
    return Trash::moveToTrash(folder, name.constData(), expected) == SafeFolder::Result::Done;
}

QString folderDeleteSummaryText(bool recycled, std::int64_t files, std::int64_t bytes,
                                bool completed)
{
    const QString text =
        (recycled ? FolderDeleteTexts::tr("Recycled %1 files for a savings of %2 bytes.")
                  : FolderDeleteTexts::tr("Deleted %1 files for a savings of %2 bytes."))
            .arg(FormatGrouped(files), FormatGrouped(bytes));
    return completed
               ? text
               : text + QCoreApplication::translate("FolderDeleteTexts", kDeletionCanceledNote);
}

QString folderDeleteFailureText(const QStringList& failures)
{
    if (failures.isEmpty())
        return QString();
    if (failures.size() == 1)
        return failures.first();
    // A tree can hold thousands of stuck files; the box names the first few.
    constexpr int kShown = 15;
    QString text = FolderDeleteTexts::tr("Not everything could be deleted:");
    for (int i = 0; i < failures.size() && i < kShown; ++i)
        text += '\n' + failures.at(i);
    if (failures.size() > kShown)
        text +=
            FolderDeleteTexts::tr("\n... and %1 more").arg(FormatGrouped(failures.size() - kShown));
    return text;
}

namespace
{

// Frames more than this many levels above the current one give up their
// descriptor (the folder itself never does); they are reopened through ".."
// of the folder just emptied, or name by name from the nearest open folder,
// and checked, on the way back. This keeps any depth within the process's
// descriptor limit, and no path longer than the system takes is ever opened.
constexpr std::size_t kMaxOpenFolders = 128;

// The names of an open folder, "." and ".." left out. The listing is read in
// full (through a descriptor of its own) before anything is removed, so
// removals never disturb the reading.
bool readNames(const SafeFolder& folder, std::vector<QByteArray>* names)
{
    DirListing listing;
    if (!listing.open(folder.fd(), ".") || !listing.readAll())
        return false;
    DirEntry entry;
    for (std::size_t cursor = 0; listing.next(cursor, &entry);)
        names->emplace_back(entry.name.data(), qsizetype(entry.name.size()));
    return true;
}

// Where an open folder is mounted (see MountIdentity).
bool mountIdentity(const SafeFolder& folder, MountIdentity* out)
{
    FileStatus st;
    if (!folderMountStatus(folder.fd(), &st))
        return false;
    *out = MountIdentity::of(st);
    return true;
}

// The protected folders by device and inode. Checked on opened descriptors,
// so a path swapped after a check by name still cannot lead the walk into a
// protected folder, and a protected folder inside the tree (the home folder
// below a folder being deleted) is kept.
struct FolderIdentity {
    std::uint64_t dev;
    std::uint64_t ino;
};

std::vector<FolderIdentity> protectedIdentities()
{
    std::vector<FolderIdentity> ids;
    for (const QString& folder : protectedFolderList()) {
        FileStatus st;
        if (followedPathStatus(QFile::encodeName(folder), &st))
            ids.push_back({st.dev, st.ino});
    }
    return ids;
}

bool isIn(const std::vector<FolderIdentity>& ids, const FileStatus& st)
{
    for (const FolderIdentity& id : ids) {
        if (id.dev == st.dev && id.ino == st.ino)
            return true;
    }
    return false;
}

QString shown(const QByteArray& path)
{
    return displayName(path);
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool isEntryName(const QByteArray& name)
{
    return !name.isEmpty() && !name.contains('/') && name != "." && name != "..";
}

FileIdentity folderIdentity(const FileStatus& st)
{
    return FileIdentity{st.dev, st.ino, FileIdentity::Type::Folder};
}

bool isFolder(const FileStatus& st)
{
    return (st.attributes & faDirectory) != 0;
}

// A link put where a folder of the path was makes the open fail with ELOOP
// or ENOTDIR; that is a replacement, not a fault of the folder.
bool wasReplaced(const SafeFolder& folder)
{
    return folder.result() == SafeFolder::Result::Replaced || folder.error() == ELOOP ||
           folder.error() == ENOTDIR;
}

class TreeDeleter
{
public:
    TreeDeleter(bool recycle, FolderDeleteOps& ops, MessageResponder& reporter)
        : m_recycle(recycle), m_ops(ops), m_reporter(reporter)
    {
    }

    FolderDeleteResult run(const DeleteTarget& folder);

private:
    struct Frame {
        SafeFolder folder; // closed while parked (see kMaxOpenFolders)
        FileIdentity identity;
        QByteArray name; // in the parent folder
        std::vector<QByteArray> names;
        std::size_t next = 0;
        bool blocked = false; // something inside stays, so the folder stays
    };

    void fail(const QString& text) { m_result.failures << text; }
    bool openRoot(const DeleteTarget& target);
    void visit(Frame& frame, const QByteArray& name);
    void enterFolder(Frame& parent, const QByteArray& name, const FileStatus& st);
    void removeFile(Frame& frame, const QByteArray& name, const FileStatus& st);
    bool askAttributes(Frame& frame, const QByteArray& name, const FileStatus& st);
    void clearReadOnly(Frame& frame, const QByteArray& name, const FileStatus& st);
    bool removeSubFolder(Frame& parent, const Frame& child);
    bool leaveFolder();
    bool reopenParent(const Frame& child);
    // The path of the innermost folder (for messages only), with `name`
    // appended when given.
    QByteArray pathHere(const QByteArray& name = QByteArray()) const;

    bool m_recycle;
    FolderDeleteOps& m_ops;
    MessageResponder& m_reporter;
    FolderDeleteResult m_result;
    SafeFolder m_rootParent;
    QByteArray m_rootPath;
    std::uint64_t m_rootDev = 0;
    MountIdentity m_rootMount;
    std::vector<FolderIdentity> m_protected = protectedIdentities();
    std::vector<Frame> m_stack;
};

FolderDeleteResult TreeDeleter::run(const DeleteTarget& folder)
{
    const QByteArray path = folder.name.isEmpty() ? folder.folder : folder.pathBytes();
    // An empty name is the parent itself (a root); the names refused here
    // would reach another folder than the one named.
    if (folder.name.isEmpty() || isProtectedFolder(QFile::decodeName(path))) {
        fail(FolderDeleteTexts::tr("Couldn't delete folder - %1 (protected folder)")
                 .arg(shown(path)));
        return m_result;
    }
    if (!isEntryName(folder.name) || !folder.folder.startsWith('/')) {
        fail(FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path)));
        return m_result;
    }
    if (!openRoot(folder))
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

// Opens the parent from "/" without following any link, then the folder in
// it; both must be the objects the scan saw. Refuses a folder that is itself
// a mount point or a protected folder.
bool TreeDeleter::openRoot(const DeleteTarget& target)
{
    const QByteArray path = target.pathBytes();
    if (!m_rootParent.open(target.folder, target.folderIdentity)) {
        fail(wasReplaced(m_rootParent)
                 ? DeleteRun::replacedText(shown(path))
                 : FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path)));
        return false;
    }
    FileStatus now;
    switch (m_rootParent.check(target.name.constData(), target.identity, &now)) {
    case SafeFolder::Result::Done:
        break;
    case SafeFolder::Result::Replaced:
        fail(DeleteRun::replacedText(shown(path)));
        return false;
    default:
        fail(FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path)));
        return false;
    }
    if (!(now.attributes & faDirectory) || (now.attributes & faSymLink)) {
        fail(FolderDeleteTexts::tr("Couldn't delete folder - %1 (not a folder)").arg(shown(path)));
        return false;
    }
    // A target made from a path alone may not know its folder yet: it is
    // the one just looked at, and the open must find that one.
    const FileIdentity expected = target.identity.isKnown()
                                      ? target.identity
                                      : FileIdentity{now.dev, now.ino, FileIdentity::Type::Folder};

    Frame root;
    FileStatus st;
    if (!root.folder.openChild(m_rootParent, target.name.constData(), expected)) {
        fail(wasReplaced(root.folder)
                 ? DeleteRun::replacedText(shown(path))
                 : FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path)));
        return false;
    }
    if (!root.folder.selfStatus(&st) || !readNames(root.folder, &root.names)) {
        fail(FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path)));
        return false;
    }
    MountIdentity parentMount;
    if (!mountIdentity(m_rootParent, &parentMount) || !mountIdentity(root.folder, &m_rootMount) ||
        !m_rootMount.sameMount(parentMount)) {
        fail(
            FolderDeleteTexts::tr("Won't delete folder - %1 (another file system is mounted there)")
                .arg(shown(path)));
        return false;
    }
    if (isIn(m_protected, st)) {
        fail(FolderDeleteTexts::tr("Couldn't delete folder - %1 (protected folder)")
                 .arg(shown(path)));
        return false;
    }
    m_rootDev = st.dev;
    root.identity = folderIdentity(st);
    root.name = target.name;
    m_rootPath = path;
    m_stack.push_back(std::move(root));
    return true;
}

void TreeDeleter::visit(Frame& frame, const QByteArray& name)
{
    FileStatus st;
    if (!frame.folder.status(name.constData(), &st)) {
        if (frame.folder.error() == ENOENT)
            return; // gone meanwhile: nothing to do
        fail(FolderDeleteTexts::tr("Couldn't delete file - %1").arg(shown(pathHere(name))));
        frame.blocked = true;
        return;
    }
    if (isFolder(st))
        enterFolder(frame, name, st);
    else
        removeFile(frame, name, st);
}

void TreeDeleter::enterFolder(Frame& parent, const QByteArray& name, const FileStatus& st)
{
    const auto path = [&] { return pathHere(name); };
    if (st.dev != m_rootDev) {
        fail(
            FolderDeleteTexts::tr("Won't delete folder - %1 (another file system is mounted there)")
                .arg(shown(path())));
        parent.blocked = true;
        return;
    }
    Frame child;
    FileStatus opened;
    MountIdentity mount;
    // The open refuses a link and anything but the folder just looked at,
    // so an entry swapped since the look-up is never entered.
    if (!child.folder.openChild(parent.folder, name.constData(), folderIdentity(st)) ||
        !child.folder.selfStatus(&opened) || !mountIdentity(child.folder, &mount)) {
        fail(FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path())));
        parent.blocked = true;
        return;
    }
    // A bind mount of a folder of the same file system shows only in the
    // mount id.
    if (!mount.sameMount(m_rootMount)) {
        fail(
            FolderDeleteTexts::tr("Won't delete folder - %1 (another file system is mounted there)")
                .arg(shown(path())));
        parent.blocked = true;
        return;
    }
    if (isIn(m_protected, opened)) {
        fail(FolderDeleteTexts::tr("Won't delete folder - %1 (protected folder)")
                 .arg(shown(path())));
        parent.blocked = true;
        return;
    }
    if (!readNames(child.folder, &child.names)) {
        fail(FolderDeleteTexts::tr("Couldn't open folder - %1").arg(shown(path())));
        parent.blocked = true;
        return;
    }
    child.identity = folderIdentity(opened);
    child.name = name;
    m_stack.push_back(std::move(child));
    if (m_stack.size() > kMaxOpenFolders + 1)
        m_stack[m_stack.size() - 1 - kMaxOpenFolders].folder = SafeFolder();
}

bool TreeDeleter::askAttributes(Frame& frame, const QByteArray& name, const FileStatus& st)
{
    const bool readOnly = !(st.attributes & faSymLink) && (st.attributes & faReadOnly);
    const bool hidden = name.startsWith('.');
    const bool system = (st.attributes & faSysFile) != 0;
    enum class Attribute { ReadOnly, Hidden, System };
    const struct {
        Attribute attribute;
        bool has;
        const char* text;
    } questions[] = {
        {Attribute::ReadOnly, readOnly,
         QT_TRANSLATE_NOOP(
             "FolderDeleteTexts",
             "%1 is read-only, delete this file and continue deleting other files? ")},
        {Attribute::Hidden, hidden,
         QT_TRANSLATE_NOOP("FolderDeleteTexts",
                           "%1 is hidden, delete this file and continue deleting other files? ")},
        {Attribute::System, system,
         QT_TRANSLATE_NOOP(
             "FolderDeleteTexts",
             "%1 is a system file, delete this file and continue deleting other files? ")}};
    for (const auto& q : questions) {
        if (!q.has)
            continue;
        const QString text =
            QCoreApplication::translate("FolderDeleteTexts", q.text).arg(shown(pathHere(name)));
        if (AskYesNoCancel(m_reporter, text) != MessageAnswer::Yes)
            return false;
        // A Yes clears the attribute before the file goes, and it stays
        // cleared whatever the later answers are. Read-only is the owner's
        // write bit. Hidden is the name itself: clearing it would mean a
        // rename, which changes what the file is called (in the recycle bin
        // too, where it is restored by that name) and may take the name of
        // another file; so the name is kept. A system file is a device,
        // pipe or socket by its type, which no answer changes.
        if (q.attribute == Attribute::ReadOnly)
            clearReadOnly(frame, name, st);
    }
    return true;
}

// Sets the owner's write bit of the entry, relative to its folder's
// descriptor and without following a link, provided the name still leads to
// the file that was asked about. A failure leaves the mode as it was; the
// removal does not depend on it.
void TreeDeleter::clearReadOnly(Frame& frame, const QByteArray& name, const FileStatus& st)
{
    if (st.attributes & faSymLink)
        return;
    [[maybe_unused]] const SafeFolder::Result changed = frame.folder.makeOwnerWritable(
        name.constData(), FileIdentity{st.dev, st.ino, FileIdentity::typeOfMode(st.mode)});
}

void TreeDeleter::removeFile(Frame& frame, const QByteArray& name, const FileStatus& st)
{
    const auto path = [&] { return pathHere(name); };
    if (!askAttributes(frame, name, st)) {
        m_result.aborted = true;
        frame.blocked = true;
        return;
    }
    // Links and special files hold no data of their own, so they are
    // removed as they are.
    const bool viaTrash =
        m_recycle && FileIdentity::typeOfMode(st.mode) == FileIdentity::Type::File;
    bool ok = false;
    if (viaTrash) {
        const FileIdentity expected{st.dev, st.ino, FileIdentity::Type::File};
        ok = m_ops.moveToTrash(frame.folder, name, expected);
        if (!ok)
            fail(FolderDeleteTexts::tr("Couldn't recycle file - %1").arg(shown(path())));
    } else {
        ok = m_ops.removeEntry(frame.folder.fd(), name);
        if (!ok)
            fail(FolderDeleteTexts::tr("Couldn't delete file - %1").arg(shown(path())));
    }
    if (!ok) {
        frame.blocked = true;
        return;
    }
    ++m_result.filesRemoved;
    addTo(m_result.bytesFreed, st.size);
}

// Removes an emptied sub-folder from its parent's descriptor, provided the
// name still leads to the folder that was emptied.
bool TreeDeleter::removeSubFolder(Frame& parent, const Frame& child)
{
    FileStatus st;
    if (!parent.folder.status(child.name.constData(), &st) || !isFolder(st) ||
        !(folderIdentity(st) == child.identity)) {
        fail(DeleteRun::replacedText(shown(pathHere(child.name))));
        return false;
    }
    if (!m_ops.removeFolder(parent.folder.fd(), child.name)) {
        fail(FolderDeleteTexts::tr("Couldn't delete folder - %1").arg(shown(pathHere(child.name))));
        return false;
    }
    return true;
}

QByteArray TreeDeleter::pathHere(const QByteArray& name) const
{
    QByteArray path = m_rootPath;
    for (std::size_t i = 1; i < m_stack.size(); ++i)
        path = joined(path, m_stack[i].name);
    return name.isEmpty() ? path : joined(path, name);
}

// The innermost frame gave up its descriptor on the way down: ".." of the
// folder just emptied is the cheapest way back; when that is no longer this
// folder (the emptied one was moved), it is opened name by name from the
// nearest open folder. Either way it must be the folder it was.
bool TreeDeleter::reopenParent(const Frame& child)
{
    Frame& parent = m_stack.back();
    if (child.folder.isOpen() && parent.folder.openParentOf(child.folder, parent.identity))
        return true;
    std::size_t first = m_stack.size() - 1;
    while (first > 0 && !m_stack[first - 1].folder.isOpen())
        --first;
    if (first == 0)
        return false; // the folder itself stays open; nothing to start from
    for (std::size_t i = first; i < m_stack.size(); ++i) {
        SafeFolder step;
        if (!step.openChild(m_stack[i - 1].folder, m_stack[i].name.constData(),
                            m_stack[i].identity))
            return false;
        m_stack[i].folder = std::move(step);
    }
    // Only the window of open folders keeps its descriptors.
    for (std::size_t i = first; i + kMaxOpenFolders < m_stack.size(); ++i)
        m_stack[i].folder = SafeFolder();
    return true;
}

// Closes the innermost folder and removes it unless something inside stays.
// Returns false when the walk cannot go on safely (a parked parent could not
// be reopened as the same folder).
bool TreeDeleter::leaveFolder()
{
    Frame child = std::move(m_stack.back());
    m_stack.pop_back();
    if (!m_stack.empty()) {
        Frame& parent = m_stack.back();
        if (!parent.folder.isOpen() && !reopenParent(child)) {
            fail(FolderDeleteTexts::tr("Folder moved while it was being deleted - %1")
                     .arg(shown(pathHere())));
            m_stack.clear();
            return false;
        }
    }
    child.folder = SafeFolder();

    bool removed = false;
    if (!child.blocked) {
        if (!m_stack.empty()) {
            removed = removeSubFolder(m_stack.back(), child);
        } else {
            // The folder itself: unlinkat on its parent's descriptor, after
            // checking it is still the folder that was emptied.
            const SafeFolder::Result r =
                m_rootParent.removeEmptyFolder(child.name.constData(), child.identity);
            removed = r == SafeFolder::Result::Done;
            if (r == SafeFolder::Result::Replaced)
                fail(DeleteRun::replacedText(shown(m_rootPath)));
            else if (!removed)
                fail(FolderDeleteTexts::tr("Couldn't delete folder - %1").arg(shown(m_rootPath)));
        }
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

FolderDeleteResult DeleteFolderTree(const DeleteTarget& folder, bool recycle,
                                    MessageResponder& reporter, FolderDeleteOps* ops)
{
    FolderDeleteOps realOps;
    TreeDeleter deleter(recycle, ops ? *ops : realOps, reporter);
    FolderDeleteResult result = deleter.run(folder);
    if (!result.failures.isEmpty())
        ShowErrorMessage(reporter, folderDeleteFailureText(result.failures));
    return result;
}

FolderDeleteResult DeleteFolderTree(const QString& path, bool recycle, MessageResponder& reporter,
                                    FolderDeleteOps* ops)
{
    if (path.isEmpty()) {
        FolderDeleteResult result;
        result.failures << FolderDeleteTexts::tr("Couldn't delete folder -  (protected folder)");
        ShowErrorMessage(reporter, result.failures.first());
        return result;
    }
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    return DeleteFolderTree(targetForPath(QFile::encodeName(clean)), recycle, reporter, ops);
}

} // namespace rw
