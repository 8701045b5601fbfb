#include "history/core/FolderTotalsBuilder.h"

#include <algorithm>

namespace rw
{

int FolderTotalsBuilder::addFolder(const QByteArray& rel)
{
    const QByteArray key = rel.isNull() ? QByteArray("") : rel;
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd())
        return found.value();
    int parent = -1;
    if (!key.isEmpty()) {
        const qsizetype slash = key.lastIndexOf('/');
        parent = addFolder(slash < 0 ? QByteArray("") : key.left(slash));
    }
    Folder f;
    f.rel = key;
    f.parent = parent;
    m_folders.push_back(std::move(f));
    const int index = int(m_folders.size()) - 1;
    m_index.insert(key, index);
    return index;
}

void FolderTotalsBuilder::addFile(int folder, std::int64_t bytes, std::int64_t disk,
                                  std::int64_t mtime, std::uint64_t dev, std::uint64_t ino,
                                  std::uint64_t nlink)
{
    if (folder < 0 || folder >= int(m_folders.size()))
        return;
    if (nlink > 1 && ino != 0) {
        LinkedFile& linked = m_linked[InodeKey{dev, ino}];
        linked.bytes = bytes;
        linked.disk = disk;
        linked.mtime = std::max(linked.mtime, mtime);
        linked.folders.push_back(folder);
        return;
    }
    Folder& f = m_folders[std::size_t(folder)];
    f.bytes += bytes;
    f.disk += disk;
    f.files += 1;
    f.latest = std::max(f.latest, mtime);
}

std::vector<FolderTotalsRow> FolderTotalsBuilder::rows() const
{
    const std::size_t n = m_folders.size();
    std::vector<FolderTotalsRow> out(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Folder& f = m_folders[i];
        out[i].path = f.rel;
        out[i].bytes = f.bytes;
        out[i].disk = f.disk;
        out[i].files = f.files;
        out[i].latest = f.latest;
    }
    // A folder is always added after its parent, so going backwards adds
    // every sub-tree into its parent after the sub-tree itself is complete.
    for (std::size_t i = n; i-- > 1;) {
        const int p = m_folders[i].parent;
        if (p < 0)
            continue;
        FolderTotalsRow& up = out[std::size_t(p)];
        const FolderTotalsRow& own = out[i];
        up.bytes += own.bytes;
        up.disk += own.disk;
        up.files += own.files;
        up.subFolders += own.subFolders + 1;
        up.latest = std::max(up.latest, own.latest);
    }
    // A hard-linked file counts once in each folder holding any of its names.
    std::vector<int> seen(n, -1);
    int stamp = 0;
    for (const auto& [key, linked] : m_linked) {
        (void)key;
        ++stamp;
        for (int folder : linked.folders) {
            for (int at = folder; at >= 0 && seen[std::size_t(at)] != stamp;
                 at = m_folders[std::size_t(at)].parent) {
                seen[std::size_t(at)] = stamp;
                FolderTotalsRow& row = out[std::size_t(at)];
                row.bytes += linked.bytes;
                row.disk += linked.disk;
                row.files += 1;
                row.latest = std::max(row.latest, linked.mtime);
            }
        }
    }
    return out;
}

} // namespace rw
