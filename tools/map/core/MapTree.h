#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "framework/core/DeleteTarget.h"
#include "tools/map/core/MapTypeClass.h"

namespace rw
{

// One folder's whole tree as the folder map shows it: every folder and file
// a node, sizes added up the tree. Compact (about 40 bytes a node plus its
// name) so a tree of millions of files fits. Built by MapTreeBuilder; after
// finish() each folder's children lie together, largest first.
//
// Two sizes per node: the apparent size (a file's length) and the disk
// usage (its allocated blocks, a file reached through several hard links
// counted at its first link only, as du counts it).
class MapTree
{
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    enum class Kind : std::uint8_t { Folder, File };
    enum class Measure { Apparent, DiskUsage };

    struct Node {
        std::int64_t size = 0; // apparent bytes (a folder: all below it)
        std::int64_t disk = 0; // allocated bytes (a folder: all below it)
        std::uint64_t ino = 0; // as the walk saw it (the device is the tree's)
        std::uint32_t parent = kNone;
        std::uint32_t firstChild = 0; // into children(); valid after finish()
        std::uint32_t childCount = 0;
        std::uint32_t nameOffset = 0;
        std::uint16_t nameLength = 0;
        Kind kind = Kind::File;
        MapTypeClass type = MapTypeClass::Other;
        bool incomplete = false; // a folder that could not be read (wholly or partly)
        bool removed = false;    // deleted since the walk
    };

    const Node& node(std::uint32_t i) const { return m_nodes[i]; }
    std::uint32_t nodeCount() const { return std::uint32_t(m_nodes.size()); }
    std::uint32_t root() const { return m_nodes.empty() ? kNone : 0; }
    bool isEmpty() const { return m_nodes.empty(); }

    // The node's size in the given measure.
    std::int64_t sizeOf(std::uint32_t i, Measure m) const
    {
        return m == Measure::Apparent ? m_nodes[i].size : m_nodes[i].disk;
    }

    // The children of a folder, largest first (in apparent size; see
    // sortChildren for the other measure). Removed nodes are left out.
    const std::uint32_t* childrenBegin(std::uint32_t i) const
    {
        return m_children.data() + m_nodes[i].firstChild;
    }
    const std::uint32_t* childrenEnd(std::uint32_t i) const
    {
        return childrenBegin(i) + m_nodes[i].childCount;
    }

    // The name as the file system's bytes; the root's is its whole path.
    std::string_view name(std::uint32_t i) const
    {
        return std::string_view(m_names.data() + m_nodes[i].nameOffset, m_nodes[i].nameLength);
    }
    QByteArray nameBytes(std::uint32_t i) const;
    // The full path as the file system's bytes (for file operations).
    QByteArray pathBytes(std::uint32_t i) const;
    // The path as display text (names decoded, for the status line).
    QString displayPath(std::uint32_t i) const;
    // The chain from the root down to `i`, root first.
    std::vector<std::uint32_t> ancestry(std::uint32_t i) const;
    // True when `i` is `ancestor` or lies below it.
    bool isWithin(std::uint32_t i, std::uint32_t ancestor) const;

    // Orders every folder's children by the measure, largest first (ties by
    // name bytes, so the order and the layout are the same on every run).
    void sortChildren(Measure m);
    Measure sortedBy() const { return m_sortedBy; }

    // Takes a deleted file or folder out: its sizes leave every folder above
    // it, and it leaves its parent's children. False for the root or a node
    // already removed.
    bool remove(std::uint32_t i);

    // The device every node lies on (the walk never leaves it).
    std::uint64_t device() const { return m_dev; }
    // What a deletion of node `i` takes: its folder's path and its name as
    // bytes, and both identities as the walk saw them, so the deletion
    // touches exactly what the map showed. `i` must not be the root.
    DeleteTarget deleteTarget(std::uint32_t i) const;

    // Bytes the tree holds in memory (nodes, child lists, names).
    std::size_t memoryUsed() const;

private:
    friend class MapTreeBuilder;

    std::vector<Node> m_nodes;
    std::vector<std::uint32_t> m_children;
    std::vector<char> m_names;
    Measure m_sortedBy = Measure::Apparent;
    std::uint64_t m_dev = 0;
};

// Builds a MapTree in the order a walk meets folders and files: enter a
// folder, add its files and sub-folders in any order, leave it. The first
// folder entered is the root; its name is the root's whole path.
class MapTreeBuilder
{
public:
    MapTreeBuilder();

    // A folder begins; returns its node. The root's device is the tree's.
    std::uint32_t enterFolder(std::string_view name, std::uint64_t dev = 0, std::uint64_t ino = 0);
    // A file of the folder being built. A file with more than one link
    // (`links`) adds its disk usage at the first link met only, known by its
    // device and inode.
    std::uint32_t addFile(std::string_view name, std::int64_t size, std::int64_t disk,
                          MapTypeClass type, std::uint64_t dev, std::uint64_t ino,
                          std::uint64_t links);
    // The folder being built is done (its sizes go to its parent). With
    // `incomplete`, part of it could not be read.
    void leaveFolder(bool incomplete = false);
    // The folder being built could not be read at all.
    void markIncomplete();

    // The finished tree (children grouped and sorted). Folders still open
    // are closed first (an aborted walk keeps what it saw).
    MapTree finish();

private:
    std::uint32_t addNode(std::string_view name, MapTree::Kind kind);

    MapTree m_tree;
    std::vector<std::uint32_t> m_open;
    struct PairHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& p) const
        {
            return std::hash<std::uint64_t>()(p.first * 0x9E3779B97F4A7C15ull ^ p.second);
        }
    };
    std::unordered_set<std::pair<std::uint64_t, std::uint64_t>, PairHash> m_linked;
};

} // namespace rw
