#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

#include "base/Messages.h"
#include "framework/core/DeleteTarget.h"
#include "platform/SafeFolder.h"

namespace rw
{

// The file operations that remove or recycle one entry of an open folder.
// The engine calls them with the folder's descriptor and the entry's name as
// the file system gave it; tests replace them to make single entries fail.
// Each returns true on success and leaves errno set on failure.
class FolderDeleteOps
{
public:
    virtual ~FolderDeleteOps() = default;
    // Removes a non-folder entry (a file, a symbolic link, a special file)
    // without following it: unlinkat(dirFd, name, 0).
    virtual bool removeEntry(int dirFd, const QByteArray& name);
    // Removes an empty folder: unlinkat(dirFd, name, AT_REMOVEDIR).
    virtual bool removeFolder(int dirFd, const QByteArray& name);
    // Sends the entry `name` of the open folder `folder` to the recycle bin
    // (the trash of its file system), after checking it is still `expected`:
    // Trash::moveToTrash, relative to the folder's descriptor.
    virtual bool moveToTrash(const SafeFolder& folder, const QByteArray& name,
                             const FileIdentity& expected);
};

// What one DeleteFolderTree run did. Every count covers only what really went.
struct FolderDeleteResult {
    bool aborted = false;            // the user answered No or Cancel to a question
    bool folderRemoved = false;      // the folder itself is gone
    std::int64_t filesRemoved = 0;   // files deleted or recycled
    std::int64_t bytesFreed = 0;     // their sizes
    std::int64_t foldersRemoved = 0; // folders removed, the folder itself included
    QStringList failures;            // one message per entry that could not be removed

    // True when the run was not stopped at a question (failures do not count).
    bool completed() const { return !aborted; }
};

// Deletes, or with `recycle` sends to the recycle bin, every file in `folder`
// and below, and removes the emptied folders and `folder` itself.
//
// - Before touching a read-only, hidden or system file it asks, in that
//   order, for each attribute the file has, through `reporter` (Yes/No/
//   Cancel; the reporter must outlive the call). Yes
//   clears the attribute and goes on; No or Cancel stops the whole run: that
//   file and everything not yet removed stay, and nothing more is asked, and
//   an attribute cleared by an earlier Yes stays cleared. Read-only is the
//   owner's write bit clear (a Yes sets it, with fchmodat on the folder's
//   descriptor); hidden is a name beginning with '.', which is kept (a rename
//   is no attribute change); system is a device, pipe or socket.
// - It never follows a symbolic link: a link is removed as a link, whatever
//   it points to. It never enters another file system: a mount point inside
//   the tree is left alone and reported. A refused or failed entry keeps its
//   folders.
// - With `recycle`, files go to the recycle bin one by one and only the
//   emptied folders are removed directly; a file that cannot be recycled is
//   a failure, never deleted for good. Symbolic links and special files hold
//   no data and are removed as they are.
// - A protected folder (see ProtectedPaths.h) is refused without touching
//   anything; one found inside the tree (the home folder, say) is kept with
//   its contents and reported.
// The walk works on folder descriptors, not on the current folder, which it
// leaves unchanged: every folder is opened relative to its parent's
// descriptor without following a link and must be the folder just looked
// at; every entry is removed (unlinkat) or recycled relative to its folder's
// descriptor, the folder itself from its parent's. Its depth is limited by
// neither the stack nor the descriptor limit (folders far above the one
// being emptied give up their descriptors and are opened again from "/",
// link-free and checked). When any entry failed, one error box lists the
// failures; a folder replaced since the scan is reported with
// DeleteRun::replacedText.
// `ops` (not owned) replaces the file operations; nullptr uses the real ones.
// `folder` names the folder by its parent's path and its own name as the
// file system's bytes, with the identities the scan saw: the parent is
// opened from "/" without following any link, and the folder must still be
// that object, else nothing is touched and the run reports it.
FolderDeleteResult DeleteFolderTree(const DeleteTarget& folder, bool recycle,
                                    MessageResponder& reporter, FolderDeleteOps* ops = nullptr);

// The same for a folder known only by its path (no scan saw it): the target
// is made with targetForPath from the cleaned absolute path's bytes, so the
// folder must be what that path leads to now, without any link on the way.
FolderDeleteResult DeleteFolderTree(const QString& path, bool recycle, MessageResponder& reporter,
                                    FolderDeleteOps* ops = nullptr);

// " (Note: Deletion operation canceled ... not all files deleted)"
extern const char* const kDeletionCanceledNote;

// "Deleted " / "Recycled " + count + " files for a savings of " + bytes +
// " bytes." + the note when the run was stopped.
QString folderDeleteSummaryText(bool recycled, std::int64_t files, std::int64_t bytes,
                                bool completed);

// The error box text for the failures of one run (empty when there were none).
QString folderDeleteFailureText(const QStringList& failures);

} // namespace rw
