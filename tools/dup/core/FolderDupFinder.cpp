#include "tools/dup/core/FolderDupFinder.h"

// The hash state on the stack: no allocation per folder.
#define XXH_STATIC_LINKING_ONLY
#include <xxhash.h>

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "base/SaturatingSum.h"
#include "framework/core/ResultSet.h"
#include "tools/dup/core/FolderDupScan.h"

namespace rw
{

namespace
{

struct SignatureHash {
    std::size_t operator()(const TreeSignature& s) const { return std::size_t(s.low ^ s.high); }
};

using Node = FolderDupScan::Node;
constexpr std::uint32_t kNone = FolderDupScan::kNone;

// One entry of a folder as its content signature takes it.
struct ContentEntry {
    std::string_view name;
    char kind = 'F';     // 'F' a file, 'D' a sub-folder
    std::uint64_t a = 0; // a file's content key, a sub-folder's signature
    std::uint64_t b = 0;
    std::int64_t size = 0; // a file's size
};

// Groups of two or more nodes that agree on `key`, each in node order.
template <typename Key>
std::vector<std::vector<std::uint32_t>> groupsOf(const std::vector<std::uint32_t>& nodes, Key key)
{
    std::unordered_map<TreeSignature, std::size_t, SignatureHash> at;
    std::vector<std::vector<std::uint32_t>> all;
    for (std::uint32_t n : nodes) {
        const auto [it, added] = at.try_emplace(key(n), all.size());
        if (added)
            all.emplace_back();
        all[it->second].push_back(n);
    }
    std::vector<std::vector<std::uint32_t>> out;
    for (std::vector<std::uint32_t>& g : all)
        if (g.size() > 1)
            out.push_back(std::move(g));
    return out;
}

} // namespace

FolderDupFinder::FolderDupFinder(int threads, QObject* parent) : QObject(parent), m_threads(threads)
{
}

FolderDupFinder::~FolderDupFinder() = default;

void FolderDupFinder::abort()
{
    m_abort = true;
    if (m_content)
        m_content->abort();
}

bool FolderDupFinder::aborted() const
{
    return m_abort;
}

bool FolderDupFinder::run(FolderDupScan& scan, const SizeFilter& filter)
{
    m_result = ContentGroups();
    m_filesCompared = 0;
    const std::vector<Node>& nodes = scan.nodes();
    ResultSet& set = scan.set();

    // 1. Candidates: complete, holding a file, of a passing size, sharing
    // their shape with another.
    std::vector<std::uint32_t> eligible;
    for (std::uint32_t i = 0; i < nodes.size(); ++i) {
        const Node& n = nodes[i];
        if (n.done && n.complete && n.files > 0 && filter.passes(n.bytes))
            eligible.push_back(i);
    }
    std::vector<std::uint8_t> candidate(nodes.size(), 0);
    for (const auto& g : groupsOf(eligible, [&](std::uint32_t n) { return nodes[n].shape; }))
        for (std::uint32_t n : g)
            candidate[n] = 1;

    // 2. The files of the candidates' trees, each tree once (a candidate
    // inside another's range is covered by it; nodes are in walk order, so
    // a range holds its whole sub-tree).
    std::vector<std::uint32_t> tops;
    std::vector<std::uint32_t> files;
    for (std::uint32_t i = 0; i < nodes.size();) {
        if (!candidate[i]) {
            ++i;
            continue;
        }
        tops.push_back(i);
        for (std::uint32_t rec = nodes[i].treeFileBegin; rec < nodes[i].fileEnd; ++rec)
            files.push_back(rec);
        i = nodes[i].end;
    }
    m_filesCompared = std::int64_t(files.size());
    if (files.empty())
        return !m_abort;
    ContentDupFinder content(set, m_threads);
    connect(&content, &ContentDupFinder::progressed, this, &FolderDupFinder::progressed);
    m_content = &content;
    if (m_abort)
        content.abort();
    content.run(files);
    m_content = nullptr;
    if (m_abort || content.aborted()) {
        m_abort = true;
        return false;
    }
    const ContentGroups& byContents = content.result();
    std::unordered_map<std::uint32_t, std::uint32_t> groupOfRecord;
    groupOfRecord.reserve(byContents.rows.size());
    for (std::size_t i = 0; i < byContents.rows.size(); ++i)
        groupOfRecord.emplace(byContents.rows[i], byContents.rowGroup[i]);

    // 3. Content signatures, sub-folders first (later nodes of a range lie
    // below earlier ones).
    std::unordered_map<std::uint32_t, TreeSignature> signature;
    std::vector<ContentEntry> entries;
    for (std::uint32_t top : tops) {
        for (std::uint32_t i = nodes[top].end; i-- > top;) {
            const Node& n = nodes[i];
            if (!n.complete)
                continue; // a complete top has only complete folders below
            entries.clear();
            for (std::uint32_t rec = n.fileBegin; rec < n.fileEnd; ++rec) {
                const ResultRecord& r = set.record(rec);
                ContentEntry e;
                e.name = set.name(rec);
                e.size = r.size;
                const auto g = groupOfRecord.find(rec);
                if (g != groupOfRecord.end()) {
                    e.a = 1;
                    e.b = g->second;
                } else if (r.size > 0) {
                    // No other file has these contents: only the same file
                    // (another name of the inode) matches it.
                    e.a = r.dev | (std::uint64_t(1) << 63);
                    e.b = r.ino;
                }
                entries.push_back(e);
            }
            for (std::uint32_t c = n.firstChild; c != kNone; c = nodes[c].nextSibling) {
                const TreeSignature& s = signature[c];
                entries.push_back(
                    {std::string_view(nodes[c].name.constData(), std::size_t(nodes[c].name.size())),
                     'D', s.low, s.high, 0});
            }
            std::sort(entries.begin(), entries.end(),
                      [](const ContentEntry& x, const ContentEntry& y) { return x.name < y.name; });
            XXH3_state_t state;
            XXH3_128bits_reset(&state);
            for (const ContentEntry& e : entries) {
                const auto length = std::uint32_t(e.name.size());
                XXH3_128bits_update(&state, &e.kind, 1);
                XXH3_128bits_update(&state, &length, sizeof length);
                XXH3_128bits_update(&state, e.name.data(), e.name.size());
                XXH3_128bits_update(&state, &e.a, sizeof e.a);
                XXH3_128bits_update(&state, &e.b, sizeof e.b);
                XXH3_128bits_update(&state, &e.size, sizeof e.size);
            }
            const XXH128_hash_t h = XXH3_128bits_digest(&state);
            signature[i] = {h.low64, h.high64};
        }
    }
    std::vector<std::uint32_t> compared;
    for (std::uint32_t i = 0; i < nodes.size(); ++i)
        if (candidate[i])
            compared.push_back(i);
    std::vector<std::vector<std::uint32_t>> groups =
        groupsOf(compared, [&](std::uint32_t n) { return signature[n]; });

    // 4. Nested copies at their top only. A folder's tree holds more entries
    // than any folder inside it, so groups taken by entries, most first,
    // meet every folder that could hold one of theirs before they are met.
    std::stable_sort(groups.begin(), groups.end(), [&](const auto& x, const auto& y) {
        return nodes[x[0]].entries > nodes[y[0]].entries;
    });
    std::vector<std::uint8_t> listed(nodes.size(), 0);
    const auto covered = [&](std::uint32_t n) {
        for (std::uint32_t p = nodes[n].parent; p != kNone; p = nodes[p].parent)
            if (listed[p])
                return true;
        return false;
    };
    // Paths only of the folders in groups, each formed once.
    std::unordered_map<std::uint32_t, QByteArray> pathOf;
    const auto path = [&](std::uint32_t n) -> const QByteArray& {
        auto [it, added] = pathOf.try_emplace(n);
        if (added)
            it->second = scan.nodePath(n);
        return it->second;
    };
    std::vector<std::vector<std::uint32_t>> shown;
    for (std::vector<std::uint32_t>& g : groups) {
        std::sort(g.begin(), g.end(),
                  [&](std::uint32_t x, std::uint32_t y) { return path(x) < path(y); });
        std::vector<std::uint32_t> outside;
        std::uint32_t inside = kNone;
        for (std::uint32_t n : g) {
            if (!covered(n))
                outside.push_back(n);
            else if (inside == kNone)
                inside = n;
        }
        if (outside.empty())
            continue;
        for (std::uint32_t n : outside)
            listed[n] = 1;
        if (outside.size() < 2)
            outside.push_back(inside);
        std::sort(outside.begin(), outside.end(),
                  [&](std::uint32_t x, std::uint32_t y) { return path(x) < path(y); });
        shown.push_back(std::move(outside));
    }
    std::stable_sort(shown.begin(), shown.end(), [&](const auto& x, const auto& y) {
        if (nodes[x[0]].bytes != nodes[y[0]].bytes)
            return nodes[x[0]].bytes > nodes[y[0]].bytes;
        return path(x[0]) < path(y[0]);
    });

    // 5. A record per listed folder: its parent's path and its own name.
    for (const std::vector<std::uint32_t>& g : shown) {
        for (std::uint32_t n : g) {
            const Node& node = nodes[n];
            const QByteArray& full = path(n);
            QByteArray parentPath;
            FileIdentity parentIdentity;
            QByteArray name;
            if (node.parent != kNone) {
                parentPath = path(node.parent);
                parentIdentity = {nodes[node.parent].dev, nodes[node.parent].ino,
                                  FileIdentity::Type::Folder};
                name = node.name;
            } else {
                // A walked root: its parent was never opened by the walk.
                const qsizetype slash = full.lastIndexOf('/');
                parentPath = slash <= 0 ? QByteArray("/") : full.left(slash);
                name = full.mid(slash + 1);
            }
            FileStatus st;
            st.size = node.bytes;
            st.mtime = node.latestWrite;
            st.atime = node.latestAccess;
            st.attributes = faDirectory;
            st.dev = node.dev;
            st.ino = node.ino;
            st.nlink = 1;
            const std::uint32_t folder = set.addFolder(parentPath, parentIdentity);
            const std::uint32_t rec =
                set.add(folder, std::string_view(name.constData(), std::size_t(name.size())), st);
            m_result.rows.push_back(rec);
            m_result.rowGroup.push_back(m_result.groupCount);
            m_result.rowFile.push_back(std::uint32_t(m_result.rows.size() - 1));
        }
        ++m_result.groupCount;
        m_result.fileCount += std::int64_t(g.size());
        m_result.duplicates += std::int64_t(g.size()) - 1;
        addTo(m_result.freeable, multiplySaturating(nodes[g[0]].bytes, std::int64_t(g.size()) - 1));
    }
    return true;
}

} // namespace rw
