#pragma once

#include <QString>

#include <cstdint>

#include "framework/core/FileRecord.h"
#include "platform/FileAttributes.h"

namespace rw
{

// What a strategy says about a file or folder it was given.
enum class Verdict {
    Skip, // nothing kept, go on
    Keep, // one result line kept (counts toward the collection-list limit)
    Stop, // end the walk now (the walk sets the abort flag)
};

// Counts of one folder, complete when the folder is done.
struct FolderTotals {
    std::int64_t subFolders = 0; // directory entries (hidden ones too), "." and ".." left out
    std::int64_t files = 0;      // non-directory entries, of any kind
    std::int64_t examined = 0;   // files handed to fileMatched
    std::int64_t kept = 0;       // of those, Verdict::Keep
};

// The per-tool part of a scan. The walk (FolderWalker) visits each drive root
// depth first and post-order: a folder's sub-folders are walked before its
// own files are examined. For every folder it calls
//   folderEntered  (before its sub-folders),
//   filesStarting  (after its sub-folders, before its files),
//   fileMatched    (for each file that passes the name and attribute rules),
//   folderDone     (after its files).
// Hidden folders are never entered, symbolic links never followed, the
// drive's file system never left. After an abort no further calls are made.
class WalkStrategy
{
public:
    virtual ~WalkStrategy() = default;

    // A drive's walk begins (its root could be opened).
    virtual void driveStarted(const DriveInfo& drive, const QString& entryText)
    {
        (void)drive;
        (void)entryText;
    }

    virtual void folderEntered(const WalkFolder& folder) { (void)folder; }

    // A sub-folder could not be opened or read (`error`: the system's
    // reason) and is left out: none of the calls above are made for it.
    // `folder` has its path and depth, and its device and inode as its
    // parent lists it (0 when even that failed). A folder that vanished
    // meanwhile is not told.
    virtual void folderUnreadable(const WalkFolder& folder, int error)
    {
        (void)folder;
        (void)error;
    }

    // The wildcard pattern for the files of this folder; asked once per
    // folder, just before filesStarting, so a tool can read its pattern
    // control anew for each folder.
    virtual QString filePattern(const WalkFolder& folder)
    {
        (void)folder;
        return QStringLiteral("*.*");
    }

    // Files carrying any of these attributes are not handed to fileMatched.
    // Folders and symbolic links never are. The default leaves out hidden and
    // system (special) files, as the file scans do.
    virtual std::uint32_t excludedAttributes() const { return faHidden | faSysFile; }

    virtual void filesStarting(const WalkFolder& folder) { (void)folder; }

    // The per-file test: decide, record what is wanted, return the verdict.
    virtual Verdict fileMatched(const FileRecord& file) = 0;

    // The folder is complete. A strategy that builds one line per folder
    // returns Keep when it kept one.
    virtual Verdict folderDone(const WalkFolder& folder, const FolderTotals& totals)
    {
        (void)folder;
        (void)totals;
        return Verdict::Skip;
    }
};

} // namespace rw
