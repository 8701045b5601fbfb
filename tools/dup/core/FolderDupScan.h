#pragma once

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/ResultLines.h"
#include "framework/core/WalkStrategy.h"

namespace rw
{

class ResultSet;

// A 128-bit signature of a folder's tree (XXH3-128).
struct TreeSignature {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool operator==(const TreeSignature& o) const { return low == o.low && high == o.high; }
};

// The walk of "Folders with the same contents": every file of every folder
// becomes a record (hidden files too: a copy must hold them as well), and
// every folder a node of a tree kept beside the records, with what its
// whole tree holds and whether the walk saw all of it.
//
// A folder is complete only when the walk handed over every entry it lists
// and walked every sub-folder to its end: a symbolic link, a special file,
// a name the walk could not read or was told to leave out, a hidden
// sub-folder (never entered), a sub-folder on another file system or one
// that could not be opened makes it, and every folder above it, incomplete.
// Such a folder is never compared: nothing can vouch that a copy of it holds
// what it holds.
//
// Each complete folder gets a shape signature when it is done: its entries'
// names (as bytes) with each file's size and each sub-folder's shape. Only
// folders of equal shape can have equal contents, so FolderDupFinder reads
// only the files of those.
class FolderDupScan : public WalkStrategy
{
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // One folder of the walk. Nodes are made as folders are entered, so a
    // folder's sub-tree is the run of nodes [its index, end), and the files
    // of the sub-tree are the records [treeFileBegin, fileEnd).
    struct Node {
        std::uint32_t parent = kNone;
        std::uint32_t end = 0; // past the last node of its sub-tree
        std::uint32_t firstChild = kNone;
        std::uint32_t nextSibling = kNone;
        std::uint32_t treeFileBegin = 0; // first record of the sub-tree
        std::uint32_t fileBegin = 0;     // its own files: [fileBegin, fileEnd)
        std::uint32_t fileEnd = 0;
        std::int64_t bytes = 0;   // every file of the tree
        std::int64_t files = 0;   // files of the tree
        std::int64_t entries = 0; // files and folders of the tree, itself left out
        std::int64_t latestWrite = 0;
        std::int64_t latestAccess = 0;
        std::uint64_t dev = 0;
        std::uint64_t ino = 0;
        QByteArray name; // in its parent; a walked root's whole path
        std::uint32_t childrenDone = 0;
        bool childUnreadable = false; // a sub-folder could not be opened or read
        bool done = false;            // the walk finished it
        bool complete = false;        // done, and everything below was seen
        TreeSignature shape;
    };

    FolderDupScan();
    ~FolderDupScan() override;

    // Every file is handed over, hidden ones included; special files are
    // not (they hold no contents to compare) and leave their folder
    // incomplete.
    std::uint32_t excludedAttributes() const override;
    QString filePattern(const WalkFolder& folder) override;
    void folderEntered(const WalkFolder& folder) override;
    void folderUnreadable(const WalkFolder& folder, int error) override;
    void filesStarting(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;
    Verdict folderDone(const WalkFolder& folder, const FolderTotals& totals) override;

    const std::vector<Node>& nodes() const { return m_nodes; }
    // The files' records (and, after FolderDupFinder, the folders' rows).
    const std::shared_ptr<ResultLines>& lines() const { return m_lines; }
    ResultSet& set() const;

    // The node's path as the file system's bytes.
    QByteArray nodePath(std::uint32_t node) const;

private:
    // Drops nodes the walk left without finishing them (a folder it lost on
    // the way) so that the stack holds the ancestors of a folder at `depth`.
    void unwindTo(std::size_t depth);

    std::shared_ptr<ResultSet> m_set;
    std::shared_ptr<ResultLines> m_lines;
    std::vector<Node> m_nodes;
    std::vector<std::uint32_t> m_stack; // the nodes of the folders open in the walk
    std::vector<std::uint32_t> m_lastChild;
};

} // namespace rw
