#include "tools/map/core/MapTree.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace rw
{

QByteArray MapTree::nameBytes(std::uint32_t i) const
{
    const std::string_view n = name(i);
    return QByteArray(n.data(), qsizetype(n.size()));
}

std::vector<std::uint32_t> MapTree::ancestry(std::uint32_t i) const
{
    std::vector<std::uint32_t> chain;
    for (std::uint32_t n = i; n != kNone; n = m_nodes[n].parent)
        chain.push_back(n);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

bool MapTree::isWithin(std::uint32_t i, std::uint32_t ancestor) const
{
    for (std::uint32_t n = i; n != kNone; n = m_nodes[n].parent)
        if (n == ancestor)
            return true;
    return false;
}

QByteArray MapTree::pathBytes(std::uint32_t i) const
{
    QByteArray path;
    for (std::uint32_t n : ancestry(i)) {
        if (n == 0) {
            path = nameBytes(n);
            continue;
        }
        if (!path.endsWith('/'))
            path += '/';
        path += nameBytes(n);
    }
    return path;
}

QString MapTree::displayPath(std::uint32_t i) const
{
    return QFile::decodeName(pathBytes(i));
}

void MapTree::sortChildren(Measure m)
{
    m_sortedBy = m;
    for (Node& folder : m_nodes) {
        if (folder.kind != Kind::Folder || folder.childCount < 2)
            continue;
        std::uint32_t* first = m_children.data() + folder.firstChild;
        std::sort(first, first + folder.childCount, [this, m](std::uint32_t a, std::uint32_t b) {
            const std::int64_t sa = sizeOf(a, m);
            const std::int64_t sb = sizeOf(b, m);
            if (sa != sb)
                return sa > sb;
            return name(a) < name(b);
        });
    }
}

bool MapTree::remove(std::uint32_t i)
{
    if (i == 0 || i >= m_nodes.size() || m_nodes[i].removed)
        return false;
    Node& gone = m_nodes[i];
    gone.removed = true;
    for (std::uint32_t n = gone.parent; n != kNone; n = m_nodes[n].parent) {
        m_nodes[n].size -= gone.size;
        m_nodes[n].disk -= gone.disk;
    }
    Node& parent = m_nodes[gone.parent];
    std::uint32_t* first = m_children.data() + parent.firstChild;
    std::uint32_t* last = first + parent.childCount;
    // The order of the rest stays (largest first).
    std::uint32_t* end = std::remove(first, last, i);
    parent.childCount = std::uint32_t(end - first);
    return true;
}

DeleteTarget MapTree::deleteTarget(std::uint32_t i) const
{
    DeleteTarget t;
    const Node& n = m_nodes[i];
    t.folder = pathBytes(n.parent);
    t.name = nameBytes(i);
    t.identity.dev = m_dev;
    t.identity.ino = n.ino;
    t.identity.type =
        n.kind == Kind::Folder ? FileIdentity::Type::Folder : FileIdentity::Type::File;
    t.folderIdentity.dev = m_dev;
    t.folderIdentity.ino = m_nodes[n.parent].ino;
    t.folderIdentity.type = FileIdentity::Type::Folder;
    t.shown = displayPath(i);
    return t;
}

std::size_t MapTree::memoryUsed() const
{
    return m_nodes.capacity() * sizeof(Node) + m_children.capacity() * sizeof(std::uint32_t) +
           m_names.capacity();
}

MapTreeBuilder::MapTreeBuilder() = default;

std::uint32_t MapTreeBuilder::addNode(std::string_view name, MapTree::Kind kind)
{
    MapTree::Node n;
    n.kind = kind;
    n.parent = m_open.empty() ? MapTree::kNone : m_open.back();
    n.nameOffset = std::uint32_t(m_tree.m_names.size());
    // Names are at most 255 bytes on every file system we walk; the root's
    // path is kept whole up to the field's limit.
    const std::size_t length = std::min<std::size_t>(name.size(), 0xFFFF);
    n.nameLength = std::uint16_t(length);
    m_tree.m_names.insert(m_tree.m_names.end(), name.data(), name.data() + length);
    m_tree.m_nodes.push_back(n);
    return std::uint32_t(m_tree.m_nodes.size() - 1);
}

std::uint32_t MapTreeBuilder::enterFolder(std::string_view name, std::uint64_t dev,
                                          std::uint64_t ino)
{
    if (m_tree.m_nodes.empty())
        m_tree.m_dev = dev;
    const std::uint32_t i = addNode(name, MapTree::Kind::Folder);
    m_tree.m_nodes[i].ino = ino;
    m_open.push_back(i);
    return i;
}

std::uint32_t MapTreeBuilder::addFile(std::string_view name, std::int64_t size, std::int64_t disk,
                                      MapTypeClass type, std::uint64_t dev, std::uint64_t ino,
                                      std::uint64_t links)
{
    const std::uint32_t i = addNode(name, MapTree::Kind::File);
    MapTree::Node& n = m_tree.m_nodes[i];
    n.type = type;
    n.ino = ino;
    n.size = std::max<std::int64_t>(size, 0);
    n.disk = std::max<std::int64_t>(disk, 0);
    if (links > 1 && !m_linked.insert({dev, ino}).second)
        n.disk = 0; // counted at its first link
    return i;
}

void MapTreeBuilder::markIncomplete()
{
    if (!m_open.empty())
        m_tree.m_nodes[m_open.back()].incomplete = true;
}

void MapTreeBuilder::leaveFolder(bool incomplete)
{
    if (m_open.empty())
        return;
    const std::uint32_t done = m_open.back();
    m_open.pop_back();
    if (incomplete)
        m_tree.m_nodes[done].incomplete = true;
}

MapTree MapTreeBuilder::finish()
{
    m_open.clear();
    MapTree& t = m_tree;
    const std::size_t count = t.m_nodes.size();
    // Group the children: count per parent, then place (a counting sort;
    // nodes were made parents first, so each parent's index is lower).
    for (MapTree::Node& n : t.m_nodes)
        n.childCount = 0;
    for (const MapTree::Node& n : t.m_nodes)
        if (n.parent != MapTree::kNone)
            ++t.m_nodes[n.parent].childCount;
    std::uint32_t offset = 0;
    for (MapTree::Node& n : t.m_nodes) {
        n.firstChild = offset;
        offset += n.childCount;
    }
    t.m_children.assign(offset, 0);
    std::vector<std::uint32_t> filled(count, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t p = t.m_nodes[i].parent;
        if (p != MapTree::kNone)
            t.m_children[t.m_nodes[p].firstChild + filled[p]++] = i;
    }
    // Sizes up the tree: children have higher indexes than their parent,
    // so one pass from the end adds every node into its parent after all
    // of its own children have been added into it.
    for (std::uint32_t i = std::uint32_t(count); i-- > 1;) {
        const MapTree::Node& n = t.m_nodes[i];
        if (n.parent == MapTree::kNone)
            continue;
        t.m_nodes[n.parent].size += n.size;
        t.m_nodes[n.parent].disk += n.disk;
    }
    t.m_names.shrink_to_fit();
    t.sortChildren(MapTree::Measure::Apparent);
    MapTree out = std::move(m_tree);
    m_tree = MapTree();
    m_linked.clear();
    return out;
}

} // namespace rw
