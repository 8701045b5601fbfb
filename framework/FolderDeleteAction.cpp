#include "framework/FolderDeleteAction.h"

#include "base/Messages.h"
#include "base/Settings.h"
#include "framework/TfrmDelDirectory.h"
#include "platform/SafeFolder.h"

namespace rw
{

FolderDeleteOutcome runFolderDelete(QWidget* parent, const FolderDeleteRequest& request,
                                    MessageResponder& responder)
{
    FolderDeleteOutcome outcome;
    const DeleteTarget& target = request.target;
    // The refusal compares paths (and resolves links by them); the deletion
    // itself checks the protected folders again by device and inode.
    const QString refusal =
        target.name.isEmpty() ? protectedFolderRefusalBytes(QByteArrayLiteral("/"), request.window)
                              : protectedFolderRefusalBytes(target.pathBytes(), request.window);
    if (!refusal.isEmpty()) {
        ShowErrorMessage(responder, refusal);
        return outcome;
    }
    const TfrmDelDirectory::Choice choice = TfrmDelDirectory::ask(parent, target.shown);
    if (choice == TfrmDelDirectory::Choice::Cancel)
        return outcome;
    outcome.confirmed = true;
    outcome.recycle = choice == TfrmDelDirectory::Choice::Recycle;
    if (request.beforeDelete)
        request.beforeDelete();
    if (request.mayDelete && !request.mayDelete()) {
        outcome.kept = true;
        return outcome;
    }

    // An empty folder has nothing to recycle and nothing to report.
    SafeFolder folderParent;
    if (folderParent.open(target.folder, target.folderIdentity) &&
        folderParent.removeEmptyFolder(target.name.constData(), target.identity) ==
            SafeFolder::Result::Done) {
        outcome.removedEmpty = true;
        outcome.folderRemoved = true;
        return outcome;
    }
    outcome.tree = DeleteFolderTree(target, outcome.recycle, responder);
    outcome.folderRemoved = outcome.tree.folderRemoved;
    const FolderDeleteResult& tree = outcome.tree;
    if (tree.filesRemoved > 0) {
        const bool asRecycled = outcome.recycle && !request.recycledCountsAsDeleted;
        if (asRecycled)
            addDeletionTotals(0, 0, tree.filesRemoved, tree.bytesFreed);
        else
            addDeletionTotals(tree.filesRemoved, tree.bytesFreed, 0, 0);
        ShowInfoMessage(responder, folderDeleteSummaryText(asRecycled, tree.filesRemoved,
                                                           tree.bytesFreed, tree.completed()));
    }
    return outcome;
}

} // namespace rw
