#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "base/Messages.h"
#include "framework/core/ParallelLoop.h"
#include "framework/core/ScanLimits.h"
#include "framework/core/WalkStrategy.h"
#include "platform/FileIdentity.h"
#include "platform/Wildcard.h"

namespace rw
{

// The one folder walk of every scanning tool. It goes through the checked
// drives, walks each drive's tree with directory file descriptors (never
// changing the working folder) and hands folders and files to a
// WalkStrategy. See WalkStrategy for the order of the calls.
//
// Rules: hidden and system folders are never entered; symbolic links are
// never followed (a link to a folder is not entered, and links are not
// handed over as files); a folder on another file system than the drive's
// root is not entered, nor a mount inside the tree (a bind mount of a folder
// of the same file system is told apart by its mount id); a folder that
// cannot be opened or read is skipped and the walk goes on, and after each
// drive one warning names the folders that were left out that way. Depth is
// bounded neither by the call stack nor by the descriptor limit: the walk
// keeps its own stack and, past a fixed number of open folders, closes the
// oldest ones and reopens them relative to open folders (through ".." of
// the sub-folder just finished, or name by name from the nearest open
// ancestor), checking device and inode; it never forms a long path for a
// system call. Only the folder being walked holds its full path, so memory
// grows with the entries of the open levels, not with the depth squared.
//
// A walker is one walk: each folder (device and inode) is walked at most
// once in it, under the first path met, whichever roots are given and in
// whichever order (a folder and its sub-folder, the same folder twice, a
// root that is a link to or a bind mount of a folder already walked), so
// every file is handed over once. A root already walked is passed over
// without a message; a sub-folder already walked is not entered.
//
// The metadata calls for a folder's files are shared with helper threads
// (ParallelLoop); the strategy is called on the walking thread only, in
// listing order, so a strategy needs no locking and sees the same order as
// a walk on one thread.
//
// The abort flag belongs to the caller (the window); the walk polls it at
// every folder and file and stops when it is set. Messages (a drive that
// cannot be opened, a full list) go to the responder the caller hands over,
// which must outlive the walker.
class WalkExclusions;

class FolderWalker
{
public:
    using ProgressCallback = std::function<void(const WalkFolder& folder)>;
    // Test seams. OpenFilter returning false makes a folder count as one that
    // cannot be opened; DeviceFilter may replace the device number a folder
    // reports (to simulate a mount point).
    using OpenFilter = std::function<bool(const QByteArray& path)>;
    using DeviceFilter = std::function<std::uint64_t(const QByteArray& path, std::uint64_t dev)>;

    FolderWalker(WalkStrategy& strategy, bool& abortRequested, MessageResponder& reporter);
    ~FolderWalker();

    // Called with the folder being walked, at most once per `interval`
    // (checked at every folder and file), and once when each folder is
    // entered if the interval has passed. The window shows the folder and
    // lets pending events run here, which is how Abort arrives.
    void setProgressCallback(ProgressCallback callback,
                             std::chrono::milliseconds interval = std::chrono::milliseconds(30));

    // Result lines the strategy may keep before the list counts as full.
    void setCollectionLimit(std::int64_t limit) { m_limit = limit; }
    std::int64_t collectionLimit() const { return m_limit; }
    // The warning shown when the list is full (a warning box).
    void setListFullWarning(const QString& text) { m_listFullWarning = text; }

    // Entries the user's patterns leave out (not owned; must outlive the
    // walk): an excluded folder is not entered, an excluded file not handed
    // over.
    void setExclusions(const WalkExclusions* exclusions) { m_exclusions = exclusions; }
    // With `on`, a file's size is the space it takes on disk (its allocated
    // blocks) instead of its length, as du counts it.
    void setDiskUsage(bool on) { m_diskUsage = on; }
    // Helper threads for the metadata calls: -1 (the default) one fewer than
    // the processors, at most three; 0 none. Takes effect for the next folder
    // that needs them when set before the walk.
    void setHelperThreads(int count) { m_helperThreads = count; }
    // Told each folder that cannot be read as it is left out, with the
    // system's error (ESTALE: it moved while it was scanned). When set, the
    // summary warning after each drive is not shown: the caller names them.
    using SkipCallback = std::function<void(const QByteArray& path, int error)>;
    void setSkipCallback(SkipCallback callback) { m_skipCallback = std::move(callback); }

    void setOpenFilter(OpenFilter filter) { m_openFilter = std::move(filter); }
    void setDeviceFilter(DeviceFilter filter) { m_deviceFilter = std::move(filter); }

    // Walks every drive of `checkedEntries` (drive list lines such as
    // "c: [/]"; the first character addresses the drive) in order. A drive
    // that is not valid is skipped silently; one whose root cannot be opened
    // gives the error box "Can't open drive " + the line. Stops when the
    // abort flag is set.
    void scanAllDrives(const QStringList& checkedEntries);

    // Walks one drive given by its list line. False when the drive was not
    // valid or its root could not be opened.
    bool scanDrive(const QString& entryText);

    // Walks the tree of a drive (root = drive.root). False when the root
    // cannot be opened; no message is shown, and rootError() says why. A
    // root this walker has walked already (or that lies in a tree it
    // walked) is passed over: true, and the strategy is not called.
    bool walkTree(const DriveInfo& drive, const QString& entryText);
    // The system's error of the last root that could not be opened.
    int rootError() const { return m_rootError; }

    // Lines kept (Verdict::Keep) since construction or resetCounts().
    std::int64_t keptCount() const { return m_kept; }
    // Files handed to the strategy.
    std::int64_t examinedCount() const { return m_examined; }
    // Folders entered, drive roots included.
    std::int64_t folderCount() const { return m_folders; }
    // The sizes of the files handed to the strategy, added up (stopping at
    // the top of the range).
    std::int64_t bytesSeen() const { return m_bytesSeen; }
    // Folders that could not be entered or read (or re-entered) since
    // construction or resetCounts(); their contents are not in the walk.
    std::int64_t skippedFolderCount() const { return m_skipped; }
    void resetCounts();

    // The warning for the folders left out since the last one was shown
    // (empty when there were none): how many, and the first few with the
    // system's reason.
    QString takeSkippedFoldersText();

private:
    struct Frame;

    bool openFrame(Frame& frame, int parentFd, const char* name, bool isRoot);
    bool reopenFrame(std::size_t depth);
    void enterPath(Frame& parent, Frame& child, std::string_view name);
    void leavePath(Frame& child, Frame& parent);
    void noteSkipped(const QByteArray& path, int error);
    void reportSkipped();
    void examineFiles(Frame& frame);
    bool checkAbort();
    void maybeProgress(const WalkFolder& folder);
    bool noteVerdict(Verdict v);
    void limitOpenFolders(std::size_t depth);
    // The path of the entry `name` of the folder being walked, below the
    // walked root, for the exclusion patterns.
    std::string_view relativePath(std::string_view name);

    WalkStrategy& m_strategy;
    bool& m_abort;
    MessageResponder& m_reporter;
    ProgressCallback m_progress;
    std::chrono::steady_clock::duration m_interval;
    std::chrono::steady_clock::time_point m_lastProgress;
    bool m_progressDue = true; // the first folder is always shown
    std::int64_t m_limit = kCollectionListLimit;
    QString m_listFullWarning = listFullWarning();
    OpenFilter m_openFilter;
    SkipCallback m_skipCallback;
    const WalkExclusions* m_exclusions = nullptr;
    bool m_diskUsage = false;
    int m_rootError = 0;
    int m_helperThreads = -1;
    DeviceFilter m_deviceFilter;

    // A file of the folder being examined that needs a metadata call.
    struct PendingFile {
        std::string_view name; // into the folder's listing
        bool knownType;        // the listing said what kind of entry it is
    };

    std::vector<std::unique_ptr<Frame>> m_frames; // reused from walk to walk
    // The metadata calls of a folder's files, shared with helper threads
    // (made when a folder first has enough files to be worth it).
    std::unique_ptr<ParallelLoop> m_statLoop;
    std::vector<PendingFile> m_pending;
    std::vector<FileStatus> m_statuses;
    std::vector<std::uint8_t> m_statOk; // bytes, not bits: written from several threads
    Wildcard m_wildcard;
    QByteArray m_path;      // the path of the folder being walked
    std::string m_relative; // relativePath()'s buffer
    // Every folder this walk has entered, so none is walked twice: one
    // hash lookup per folder, against the system calls a folder costs.
    std::unordered_set<InodeKey, InodeKeyHash> m_walkedFolders;
    MountIdentity m_rootMount;
    std::int64_t m_kept = 0;
    std::int64_t m_examined = 0;
    std::int64_t m_folders = 0;
    std::int64_t m_bytesSeen = 0;
    std::int64_t m_skipped = 0;
    std::int64_t m_skippedUnreported = 0;
    QStringList m_skippedShown; // the first few, for the warning
};

} // namespace rw
