#include "history/core/HistoryTap.h"

#include <algorithm>

namespace rw
{

HistoryTap::HistoryTap(WalkStrategy& inner) : m_inner(inner) {}

std::vector<TappedRoot> HistoryTap::takeRoots()
{
    m_current = nullptr;
    m_open.clear();
    m_parent.clear();
    m_depth.clear();
    m_linked.clear();
    return std::exchange(m_roots, {});
}

QByteArray HistoryTap::rootKey(const QByteArray& path)
{
    QByteArray key = path;
    while (key.size() > 1 && key.endsWith('/'))
        key.chop(1);
    return key;
}

QByteArray HistoryTap::relativePath(const QByteArray& path) const
{
    return path.size() > m_rootPrefix ? path.mid(m_rootPrefix) : QByteArray();
}

void HistoryTap::driveStarted(const DriveInfo& drive, const QString& entryText)
{
    m_inner.driveStarted(drive, entryText);
}

void HistoryTap::folderEntered(const WalkFolder& folder)
{
    m_inner.folderEntered(folder);
    if (folder.depth == 0) {
        // A new root: its rows, and the links met, start afresh.
        m_roots.push_back(TappedRoot{rootKey(folder.path), {}, false, {}});
        m_current = &m_roots.back();
        // The walk forms a child's path as the root's, a '/' unless the root
        // ends in one, and the name.
        m_rootPrefix = folder.path.size() + (folder.path.endsWith('/') ? 0 : 1);
        m_open.clear();
        m_parent.clear();
        m_depth.clear();
        m_linked.clear();
    }
    if (!m_current)
        return;
    const auto row = std::uint32_t(m_current->rows.size());
    FolderTotalsRow totals;
    if (folder.depth > 0)
        totals.path = relativePath(folder.path);
    m_current->rows.push_back(std::move(totals));
    const auto depth = std::size_t(folder.depth);
    m_open.resize(depth + 1);
    m_open[depth] = row;
    m_parent.push_back(depth > 0 ? m_open[depth - 1] : row);
    m_depth.push_back(std::uint32_t(depth));
}

void HistoryTap::folderUnreadable(const WalkFolder& folder, int error)
{
    m_inner.folderUnreadable(folder, error);
    if (m_current && folder.depth > 0)
        m_current->unreadable.push_back(relativePath(folder.path));
}

QString HistoryTap::filePattern(const WalkFolder& folder)
{
    return m_inner.filePattern(folder);
}

std::uint32_t HistoryTap::excludedAttributes() const
{
    return m_inner.excludedAttributes();
}

void HistoryTap::filesStarting(const WalkFolder& folder)
{
    m_inner.filesStarting(folder);
}

Verdict HistoryTap::fileMatched(const FileRecord& file)
{
    const Verdict verdict = m_inner.fileMatched(file);
    if (!m_current || m_open.empty())
        return verdict;
    const FileStatus& st = file.status;
    const std::uint32_t here = m_open.back();
    FolderTotalsRow& row = m_current->rows[here];
    ++row.files;
    row.latest = std::max(row.latest, st.mtime);
    const auto disk = std::int64_t(st.blocks) * 512;
    if (st.nlink > 1) {
        // Totals go up the tree when a folder is done, so a name adds its
        // bytes to every open folder above it. The folders that hold a name
        // met earlier and are still open are the ancestors of the folder of
        // the last name met (the walk goes depth first) that are open now:
        // the nearest of them gets the bytes taken off again, so it and the
        // folders above count the file once.
        const auto [it, first] = m_linked.try_emplace(InodeKey{st.dev, st.ino}, here);
        if (!first) {
            std::uint32_t shared = it->second;
            while (m_depth[shared] >= m_open.size() || m_open[m_depth[shared]] != shared)
                shared = m_parent[shared];
            it->second = here;
            if (shared == here)
                return verdict; // another name in this very folder
            m_current->rows[shared].bytes -= st.size;
            m_current->rows[shared].disk -= disk;
        }
    }
    row.bytes += st.size;
    row.disk += disk;
    return verdict;
}

Verdict HistoryTap::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    const Verdict verdict = m_inner.folderDone(folder, totals);
    if (!m_current || m_open.empty())
        return verdict;
    const std::uint32_t here = m_open.back();
    FolderTotalsRow& row = m_current->rows[here];
    row.subFolders += totals.subFolders;
    m_open.pop_back();
    if (folder.depth == 0) {
        m_current->complete = true;
        m_current = nullptr;
        m_linked.clear();
        return verdict;
    }
    FolderTotalsRow& up = m_current->rows[m_parent[here]];
    up.bytes += row.bytes;
    up.disk += row.disk;
    up.files += row.files;
    up.subFolders += row.subFolders;
    up.latest = std::max(up.latest, row.latest);
    return verdict;
}

} // namespace rw
