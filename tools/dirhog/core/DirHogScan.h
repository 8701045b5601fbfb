#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

#include "framework/core/ResultLines.h"
#include "framework/core/ResultSet.h"
#include "framework/core/WalkStrategy.h"
#include "platform/FileIdentity.h"

namespace rw
{

// The two ways the folder hog window totals a drive.
enum class DirHogMode {
    MainFolders, // one line per folder directly under a root, over its whole sub-tree
    AllFolders   // one line per folder at every depth, over the files directly in it
};

// What one folder line adds up.
struct FolderHogTotals {
    std::int64_t bytes = 0;
    std::int64_t files = 0;
    std::int64_t subFolders = 0;
    std::int64_t latestAccess = 0;  // seconds since the epoch (UTC); 0 = none
    std::int64_t unreadFolders = 0; // folders in it that could not be read
};

// The line layout of the folder hog window: size (grouped), % used, # files,
// # sub-folders, latest access date (empty when none), path.
QList<ResultField> dirHogLineLayout();

// The folder hog scan: a WalkStrategy that records one folder line per
// folder (all-folder mode) or per main folder (main-folder mode). Every file
// is counted, hidden and special ones included; symbolic links never are
// (the walk does not hand them over). A file reached through several hard
// links adds its size to a line once. Sizes and totals are 64-bit.
//
// A line is a record of the folder in its parent (the parent's path and
// identity as the walk opened it, the folder's name as the file system's
// bytes, its own device and inode), so deleting or browsing a row reaches
// exactly the folder the scan totalled. Its size is the line's bytes, its
// access time the latest access, extra 0 the file count and extra 1 the
// sub-folder count. A drive root's line (all-folder mode) is a record of the
// root itself with an empty name: its path shows as the root was given.
//
// A folder that could not be read still gets its line (a main folder in
// main-folder mode, any folder in all-folder mode), with what could be read
// of it (nothing), so it can be browsed or deleted; extra 3 is the system's
// reason it could not be read (0: it was read), extra 4 the number of
// folders inside the line's tree that could not be read, so their contents
// are missing from its totals (main-folder mode). incompleteNote() says so.
class DirHogScan : public WalkStrategy
{
public:
    explicit DirHogScan(DirHogMode mode);

    DirHogMode mode() const { return m_mode; }

    // Forgets the lines of an earlier scan (the records and lines handed out
    // before stay as they were).
    void clear();
    // The records in the order they were built, and their lines in the
    // window's layout (shared with the grid).
    const std::shared_ptr<ResultSet>& records() const { return m_set; }
    const std::shared_ptr<ResultLines>& lines() const { return m_lines; }
    // The records in the order the window lists them: descending text order
    // of the whole line (so "9,000 ..." comes before "10,000 ..."), letter
    // case ignored first and then deciding ties.
    std::vector<std::uint32_t> recordsDescending() const;
    // Their lines in that order.
    QStringList linesDescending() const;

    // The capacity used for "% Used" when a drive starts: the drive's total
    // bytes by default. A test or a front end may fix it instead (negative:
    // ask the drive again).
    void setCapacityOverride(std::int64_t capacity) { m_capacityOverride = capacity; }
    std::int64_t capacity() const { return m_capacity; }

    // Extras of a line beyond the counts and the capacity.
    static constexpr int kUnreadError = 3;  // errno why the folder itself could not be read
    static constexpr int kUnreadInside = 4; // folders inside that could not be read
    // The text that says why a line's totals are incomplete (for a tool tip
    // or a status line); empty for a complete line.
    static QString incompleteNote(const ResultSet& set, std::uint32_t record);

    void driveStarted(const DriveInfo& drive, const QString& entryText) override;
    void folderEntered(const WalkFolder& folder) override;
    void folderUnreadable(const WalkFolder& folder, int error) override;
    std::uint32_t excludedAttributes() const override { return 0; }
    void filesStarting(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;
    Verdict folderDone(const WalkFolder& folder, const FolderTotals& totals) override;

private:
    // A folder of the path being walked, by depth.
    struct OpenFolder {
        QByteArray path;
        FileIdentity identity;
    };

    void startLine();
    void addLine(const WalkFolder& folder, const FolderHogTotals& totals, int unreadError = 0);

    DirHogMode m_mode;
    std::int64_t m_capacity = 0;
    std::int64_t m_capacityOverride = -1;
    FolderHogTotals m_current;
    // Files with more than one link already counted in the current line.
    std::unordered_set<InodeKey, InodeKeyHash> m_linked;
    std::vector<OpenFolder> m_path;
    std::shared_ptr<ResultSet> m_set;
    std::shared_ptr<ResultLines> m_lines;
};

} // namespace rw
