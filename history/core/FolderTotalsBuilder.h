#pragma once

#include <QByteArray>
#include <QHash>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "history/core/FolderGrowth.h"

namespace rw
{

// Adds files up into the totals of every folder above them, for the rows of
// a stored scan. Folders are named by their path relative to the scanned
// root ("" for the root, "a/b" below it), as the file system's bytes.
//
// A file with several hard links adds its bytes once to each folder that
// holds one or more of its names, whichever name is told first: the totals
// do not depend on the order of a walk or of an export file, so two tools
// that saw the same tree give the same rows.
class FolderTotalsBuilder
{
public:
    // Makes sure the folder (and every folder above it) has a row, with
    // nothing in it yet. Returns its index for addFile.
    int addFolder(const QByteArray& rel);

    // One file directly in the folder `folder` (an index from addFolder).
    // `disk` is what it occupies; `mtime` its last change (0: unknown);
    // `nlink` above 1 with an inode other than 0 marks a hard-linked file,
    // told apart by (`dev`, `ino`).
    void addFile(int folder, std::int64_t bytes, std::int64_t disk, std::int64_t mtime,
                 std::uint64_t dev, std::uint64_t ino, std::uint64_t nlink);

    // Notes that something could not be read: the rows are then incomplete.
    void markIncomplete() { m_complete = false; }
    bool complete() const { return m_complete; }

    // Every folder's totals over its whole sub-tree: bytes, disk, files and
    // sub-folders below it, the latest change below it (its own files
    // included). The root's row comes first, then the others in the order
    // they were added.
    std::vector<FolderTotalsRow> rows() const;

private:
    struct Folder {
        QByteArray rel;
        int parent = -1;
        std::int64_t bytes = 0, disk = 0, files = 0, latest = 0;
    };
    struct LinkedFile {
        std::int64_t bytes = 0, disk = 0, mtime = 0;
        std::vector<int> folders;
    };
    struct InodeKey {
        std::uint64_t dev, ino;
        bool operator==(const InodeKey& o) const { return dev == o.dev && ino == o.ino; }
    };
    struct InodeHash {
        std::size_t operator()(const InodeKey& k) const
        {
            return std::hash<std::uint64_t>()(k.ino * 0x9E3779B97F4A7C15ULL ^ k.dev);
        }
    };

    std::vector<Folder> m_folders;
    QHash<QByteArray, int> m_index;
    std::unordered_map<InodeKey, LinkedFile, InodeHash> m_linked;
    bool m_complete = true;
};

} // namespace rw
