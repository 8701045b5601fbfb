#include "tools/dup/core/FolderDupScan.h"

// The hash state on the stack: no allocation per folder.
#define XXH_STATIC_LINKING_ONLY
#include <xxhash.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "framework/core/ResultSet.h"
#include "tools/dup/core/DupScan.h"

namespace rw
{

namespace
{

// The entries of one folder as its signature takes them: name bytes and,
// for a file, its size; for a sub-folder, its signature.
struct ShapeEntry {
    std::string_view name;
    bool folder = false;
    std::int64_t size = 0;
    TreeSignature sub;
};

} // namespace

FolderDupScan::FolderDupScan()
    : m_set(std::make_shared<ResultSet>()),
      m_lines(std::make_shared<ResultLines>(m_set, dupLineLayout(true, mmFolders)))
{
}

FolderDupScan::~FolderDupScan() = default;

ResultSet& FolderDupScan::set() const
{
    return *m_set;
}

std::uint32_t FolderDupScan::excludedAttributes() const
{
    return faSysFile;
}

QString FolderDupScan::filePattern(const WalkFolder& folder)
{
    (void)folder;
    return QStringLiteral("*");
}

void FolderDupScan::unwindTo(std::size_t depth)
{
    // A folder the walk gave up on (it could not be reopened) gets no
    // folderDone: it stays unfinished, and its parent, which never counts
    // it as done, stays incomplete.
    while (m_stack.size() > depth) {
        m_nodes[m_stack.back()].end = std::uint32_t(m_nodes.size());
        m_nodes[m_stack.back()].fileEnd = m_set->size();
        m_stack.pop_back();
    }
}

void FolderDupScan::folderEntered(const WalkFolder& folder)
{
    unwindTo(std::size_t(folder.depth));
    const auto index = std::uint32_t(m_nodes.size());
    Node n;
    n.dev = folder.dev;
    n.ino = folder.ino;
    n.treeFileBegin = m_set->size();
    n.fileBegin = n.treeFileBegin;
    n.fileEnd = n.treeFileBegin;
    if (m_stack.empty()) {
        n.name = folder.path;
    } else {
        n.parent = m_stack.back();
        // The walk forms a child's path as the parent's, a '/' unless the
        // parent ends in one, and the name.
        const qsizetype slash = folder.path.lastIndexOf('/');
        n.name = folder.path.mid(slash + 1);
        if (m_lastChild.size() < m_stack.size())
            m_lastChild.resize(m_stack.size(), kNone);
        std::uint32_t& last = m_lastChild[m_stack.size() - 1];
        if (m_nodes[n.parent].firstChild == kNone)
            m_nodes[n.parent].firstChild = index;
        else
            m_nodes[last].nextSibling = index;
        last = index;
    }
    m_nodes.push_back(std::move(n));
    m_stack.push_back(index);
}

void FolderDupScan::folderUnreadable(const WalkFolder& folder, int error)
{
    (void)error;
    unwindTo(std::size_t(folder.depth));
    // The folder being walked lists it: what it holds is not known.
    if (!m_stack.empty())
        m_nodes[m_stack.back()].childUnreadable = true;
}

void FolderDupScan::filesStarting(const WalkFolder& folder)
{
    unwindTo(std::size_t(folder.depth) + 1);
    if (!m_stack.empty())
        m_nodes[m_stack.back()].fileBegin = m_set->size();
}

Verdict FolderDupScan::fileMatched(const FileRecord& file)
{
    m_set->add(file);
    return Verdict::Keep;
}

Verdict FolderDupScan::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    unwindTo(std::size_t(folder.depth) + 1);
    if (m_stack.empty())
        return Verdict::Skip;
    const std::uint32_t index = m_stack.back();
    m_stack.pop_back();
    if (m_lastChild.size() > m_stack.size())
        m_lastChild[m_stack.size()] = kNone;
    Node& n = m_nodes[index];
    n.end = std::uint32_t(m_nodes.size());
    n.fileEnd = m_set->size();
    n.done = true;
    // Every entry it lists must be in the tree: a file not handed over (a
    // link, a special file, one that could not be read or was left out)
    // or a sub-folder not walked to its end leaves it incomplete.
    n.complete = totals.files == totals.examined && !n.childUnreadable &&
                 std::int64_t(n.childrenDone) == totals.subFolders;

    std::vector<ShapeEntry> entries;
    entries.reserve(std::size_t(n.fileEnd - n.fileBegin));
    for (std::uint32_t rec = n.fileBegin; rec < n.fileEnd; ++rec) {
        const ResultRecord& r = m_set->record(rec);
        n.bytes += r.size;
        ++n.files;
        n.latestWrite = std::max(n.latestWrite, r.mtime);
        n.latestAccess = std::max(n.latestAccess, r.atime);
        entries.push_back({m_set->name(rec), false, r.size, {}});
    }
    n.entries += n.fileEnd - n.fileBegin;
    for (std::uint32_t c = n.firstChild; c != kNone; c = m_nodes[c].nextSibling) {
        const Node& child = m_nodes[c];
        if (!child.complete)
            n.complete = false;
        n.bytes += child.bytes;
        n.files += child.files;
        n.entries += child.entries + 1;
        n.latestWrite = std::max(n.latestWrite, child.latestWrite);
        n.latestAccess = std::max(n.latestAccess, child.latestAccess);
        entries.push_back({std::string_view(child.name.constData(), std::size_t(child.name.size())),
                           true, 0, child.shape});
    }
    if (n.parent != kNone)
        ++m_nodes[n.parent].childrenDone;
    if (!n.complete)
        return Verdict::Skip;

    // The shape: entries in name order (bytes), each as a kind, the name's
    // length and bytes, then the size or the sub-folder's shape, so no two
    // different listings give the same stream.
    std::sort(entries.begin(), entries.end(),
              [](const ShapeEntry& a, const ShapeEntry& b) { return a.name < b.name; });
    XXH3_state_t state;
    XXH3_128bits_reset(&state);
    for (const ShapeEntry& e : entries) {
        const char kind = e.folder ? 'D' : 'F';
        const auto length = std::uint32_t(e.name.size());
        XXH3_128bits_update(&state, &kind, 1);
        XXH3_128bits_update(&state, &length, sizeof length);
        XXH3_128bits_update(&state, e.name.data(), e.name.size());
        if (e.folder) {
            XXH3_128bits_update(&state, &e.sub.low, sizeof e.sub.low);
            XXH3_128bits_update(&state, &e.sub.high, sizeof e.sub.high);
        } else {
            XXH3_128bits_update(&state, &e.size, sizeof e.size);
        }
    }
    const XXH128_hash_t h = XXH3_128bits_digest(&state);
    n.shape = {h.low64, h.high64};
    return Verdict::Skip;
}

QByteArray FolderDupScan::nodePath(std::uint32_t node) const
{
    std::vector<std::uint32_t> chain;
    for (std::uint32_t n = node; n != kNone; n = m_nodes[n].parent)
        chain.push_back(n);
    QByteArray path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin() && !path.endsWith('/'))
            path.append('/');
        path.append(m_nodes[*it].name);
    }
    return path;
}

} // namespace rw
