#pragma once

#include <QString>

#include <functional>

#include "framework/core/DeleteTarget.h"
#include "framework/core/FolderDelete.h"
#include "framework/core/ProtectedPaths.h"

class QWidget;

namespace rw
{

class MessageResponder;

// What a window hands over to delete one whole folder the user picked.
struct FolderDeleteRequest {
    // The folder: its parent's path and its own name as the file system's
    // bytes, with the identities the window saw. An empty name is a root.
    DeleteTarget target;
    // Which window asks; it words the refusal of a root folder.
    RefusingWindow window = RefusingWindow::Browser;
    // True: a recycled tree is worded and counted as a deleted one ("Deleted
    // ..." and the deletion totals); false: "Recycled ..." and the recycle
    // totals.
    bool recycledCountsAsDeleted = false;
    // Called after the user confirmed and before anything is removed (the
    // browser leaves the folder here); may be empty.
    std::function<void()> beforeDelete;
    // Asked after the user confirmed (and after beforeDelete), just before
    // anything is removed; false leaves the folder as it is (outcome.kept).
    // May be empty. The duplicate finder's folder groups check here that
    // another copy stays.
    std::function<bool()> mayDelete;
};

// What came of it.
struct FolderDeleteOutcome {
    bool confirmed = false;     // false: refused or cancelled, nothing was touched
    bool recycle = false;       // the user chose the recycle bin
    bool removedEmpty = false;  // the folder was empty and simply went
    bool folderRemoved = false; // the folder is gone (empty or as a whole tree)
    bool kept = false;          // confirmed, but mayDelete said no: nothing was touched
    FolderDeleteResult tree;    // what the tree deletion did (when it ran)
};

// Deletes one folder as the browser and the folder hogs do: a protected
// folder (or a root) is refused with an error box; otherwise the
// confirmation window (TfrmDelDirectory, on `parent`) asks delete, recycle
// or cancel. An empty folder then simply goes, whatever way was chosen, and
// nothing is reported or counted; anything else (not empty, replaced,
// unreachable) is handed to DeleteFolderTree, which asks and reports
// through `responder`. When files went, the deletion totals grow and an
// information box gives the summary. `responder` must outlive the call.
FolderDeleteOutcome runFolderDelete(QWidget* parent, const FolderDeleteRequest& request,
                                    MessageResponder& responder);

} // namespace rw
