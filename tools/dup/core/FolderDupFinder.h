#pragma once

#include <QObject>

#include <cstdint>
#include <vector>

#include "framework/core/SizeFilter.h"
#include "tools/dup/core/ContentDupFinder.h"

namespace rw
{

class FolderDupScan;

// Finds the folders whose whole trees hold the same names with the same
// contents, after a FolderDupScan walk:
//  1. candidates are complete folders holding at least one file whose
//     tree size passes the size filter and whose shape (names, sizes,
//     sub-folders) another candidate shares;
//  2. the files of the candidates' trees, and only those, are compared by
//     contents as "Size and contents" does (ContentDupFinder: equal sizes,
//     edge hashes, whole-contents XXH3-128 on worker threads);
//  3. each candidate's signature is formed from its entries' names (bytes)
//     with each file's contents (its content group; a file no other file
//     shares contents with stands for itself by device and inode, so the
//     same file reached twice still matches) and each sub-folder's
//     signature; equal signatures make a group.
// Nested copies are listed at their top only: a group whose every folder
// lies inside a folder already listed is left out; a group with some
// folders outside lists those, with one of the others as the copy that
// shows where the contents also are when only one is left.
//
// The result names folder rows: one record per listed folder is added to
// the scan's set (flagged IsFolder, its size the tree's bytes, its dates the
// newest write and access in the tree). Groups largest first (ties by the
// first path), folders within a group by path. rowFile numbers every row on
// its own: a folder is one "file" of its group.
class FolderDupFinder : public QObject
{
    Q_OBJECT
public:
    // `threads` 0: one per core.
    explicit FolderDupFinder(int threads = 0, QObject* parent = nullptr);
    ~FolderDupFinder() override;

    // Finds the groups of `scan`'s folders whose size passes `filter`.
    // False when aborted (the result is then empty).
    bool run(FolderDupScan& scan, const SizeFilter& filter);
    // Stops the content comparison; thread-safe.
    void abort();
    bool aborted() const;

    // Groups of folder records, in the form "Size and contents" uses:
    // fileCount counts the folders, duplicates the folders beyond the first
    // of each group, freeable their bytes.
    const ContentGroups& result() const { return m_result; }
    // Files whose contents were compared (those of the candidates' trees).
    std::int64_t filesCompared() const { return m_filesCompared; }

signals:
    // The content comparison's progress, as ContentDupFinder tells it.
    void progressed(const rw::ContentProgress& progress);

private:
    int m_threads;
    ContentDupFinder* m_content = nullptr;
    bool m_abort = false;
    ContentGroups m_result;
    std::int64_t m_filesCompared = 0;
};

} // namespace rw
