#include "history/core/HistoryTap.h"

namespace rw
{

HistoryTap::HistoryTap(WalkStrategy& inner) : m_inner(inner) {}

std::vector<TappedRoot> HistoryTap::takeRoots()
{
    for (std::size_t i = 0; i < m_roots.size(); ++i)
        m_roots[i].rows = m_builders[i].rows();
    m_builders.clear();
    m_open.clear();
    m_inRoot = false;
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
    return path.size() > m_rootPrefix ? path.mid(m_rootPrefix) : QByteArray("");
}

void HistoryTap::driveStarted(const DriveInfo& drive, const QString& entryText)
{
    m_inner.driveStarted(drive, entryText);
}

void HistoryTap::folderEntered(const WalkFolder& folder)
{
    m_inner.folderEntered(folder);
    if (folder.depth == 0) {
        m_roots.push_back(TappedRoot{rootKey(folder.path), {}, false, {}});
        m_builders.emplace_back();
        // The walk forms a child's path as the root's, a '/' unless the root
        // ends in one, and the name.
        m_rootPrefix = folder.path.size() + (folder.path.endsWith('/') ? 0 : 1);
        m_open.clear();
        m_inRoot = true;
    }
    if (!m_inRoot)
        return;
    const auto depth = std::size_t(folder.depth);
    m_open.resize(depth + 1);
    m_open[depth] =
        m_builders.back().addFolder(depth == 0 ? QByteArray("") : relativePath(folder.path));
}

void HistoryTap::folderUnreadable(const WalkFolder& folder, int error)
{
    m_inner.folderUnreadable(folder, error);
    if (!m_inRoot || folder.depth == 0)
        return;
    // The folder is there, with nothing that could be read in it.
    const QByteArray rel = relativePath(folder.path);
    m_builders.back().addFolder(rel);
    m_roots.back().unreadable.push_back(rel);
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
    if (m_inRoot && !m_open.empty()) {
        const FileStatus& st = file.status;
        m_builders.back().addFile(m_open.back(), st.size, std::int64_t(st.blocks) * 512, st.mtime,
                                  st.dev, st.ino, st.nlink);
    }
    return verdict;
}

Verdict HistoryTap::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    const Verdict verdict = m_inner.folderDone(folder, totals);
    if (!m_inRoot || m_open.empty())
        return verdict;
    m_open.pop_back();
    if (folder.depth == 0) {
        m_roots.back().complete = true;
        m_inRoot = false;
    }
    return verdict;
}

} // namespace rw
