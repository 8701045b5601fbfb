#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "tools/dup/core/ContentHasher.h"

namespace rw
{

class ResultSet;

// The duplicate groups by contents: which records lie in which group, in
// the order the grid shows them.
struct ContentGroups {
    // Records in grid order: group by group, largest waste first; within a
    // group file by file in path order, and the names of one file (hard
    // links) together.
    std::vector<std::uint32_t> rows;
    std::vector<std::uint32_t> rowGroup; // group number of each row, from 0
    std::vector<std::uint32_t> rowFile;  // file number of each row: names of one inode share it
    std::uint32_t groupCount = 0;
    std::int64_t fileCount = 0;  // distinct files (inodes) in all groups
    std::int64_t duplicates = 0; // files beyond the first of each group
    std::int64_t freeable = 0;   // bytes deleting all but one file of each group frees
};

// Progress of a content comparison: files and bytes hashed of those to hash.
struct ContentProgress {
    std::int64_t filesDone = 0;
    std::int64_t filesTotal = 0;
    std::int64_t bytesDone = 0;
    std::int64_t bytesTotal = 0;
};

// Finds the records of a scan whose files have identical contents. Names
// of one inode (same device and inode) are one file: never duplicates of
// each other, and counted once. Records naming one directory entry
// (ResultSet::sameEntry: the same folder reached through two paths) are
// one row, the first given. Empty files are never listed. Candidates
// are files of equal size, then of an equal hash of their first and last
// 4 KiB, then of an equal XXH3-128 of their whole contents; the hashing
// runs on worker threads (see ContentHasher) while the calling thread keeps
// handling its events. The result is the same whatever the thread count.
class ContentDupFinder : public QObject
{
    Q_OBJECT
public:
    // `set` must outlive the finder. `threads` 0: one per core.
    explicit ContentDupFinder(const ResultSet& set, int threads = 0, QObject* parent = nullptr);
    ~ContentDupFinder() override;

    // Compares the contents of `records` (any order). Returns
    // false when aborted; then result() holds the groups of the files
    // whose whole contents were hashed before the abort.
    bool run(const std::vector<std::uint32_t>& records);
    // Stops the hashing within one block read; thread-safe.
    void abort();
    bool aborted() const;

    const ContentGroups& result() const { return m_result; }
    const ContentProgress& progress() const { return m_progress; }

    // "Comparing contents: 12 of 40 files, 1,024 of 4,096 bytes"
    static QString progressText(const ContentProgress& p);

signals:
    // Emitted on the calling thread as the hashing goes, at most every
    // 30 ms, and once at the end of each pass.
    void progressed(const rw::ContentProgress& progress);

private:
    struct File;
    void hashPass(std::vector<std::uint32_t>& files, ContentHasher::Pass pass);
    void report(bool force);

    const ResultSet& m_set;
    ContentHasher m_hasher;
    std::vector<File> m_files;
    ContentGroups m_result;
    ContentProgress m_progress;
    std::int64_t m_passFilesBase = 0;
    std::int64_t m_passBytesBase = 0;
    std::int64_t m_lastReport = 0;
};

} // namespace rw
