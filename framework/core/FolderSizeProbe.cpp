#include "framework/core/FolderSizeProbe.h"

#include <cstring>
#include <unordered_map>

namespace rw
{

std::int64_t FolderSizeProbe::size(const ResultSet& set, std::uint32_t record)
{
    const ResultRecord& r = set.record(record);
    if (r.folder != m_folder) {
        m_folder = r.folder;
        const ResultSet::Folder& f = set.folder(r.folder);
        // From the folder open before where that is shorter: rows of a deep
        // tree come folder by folder, each near the last.
        SafeFolder next;
        m_folderOpen = m_open.isOpen() ? next.openNear(m_open, f.path, f.identity)
                                       : next.open(f.path, f.identity);
        m_open = std::move(next);
    }
    if (!m_folderOpen)
        return -1;
    const std::string_view name = set.name(record);
    // A name is at most 255 bytes: a buffer on the stack makes it a C string.
    char zname[256];
    if (name.empty() || name.size() >= sizeof zname)
        return -1;
    std::memcpy(zname, name.data(), name.size());
    zname[name.size()] = '\0';
    FileStatus now;
    if (!m_open.status(zname, &now))
        return -1;
    // A folder row (a duplicate folder) counts the bytes its tree held when
    // it was scanned, while it is still that folder.
    if (r.has(ResultRecord::IsFolder))
        return (now.attributes & faDirectory) && now.dev == r.dev && now.ino == r.ino ? r.size : -1;
    if (now.attributes & faDirectory)
        return -1;
    return now.size;
}

void FolderSizeProbe::sizes(const ResultSet& set, const std::vector<std::uint32_t>& records,
                            const std::function<void(std::uint32_t, std::int64_t)>& out)
{
    std::unordered_map<std::string_view, DirEntry> listed;
    DirListing listing;
    FolderSizeProbe single;
    SafeFolder open; // the folder read last, where the next one is looked for
    for (std::size_t i = 0; i < records.size();) {
        const std::uint32_t folder = set.record(records[i]).folder;
        std::size_t end = i;
        while (end < records.size() && set.record(records[end]).folder == folder)
            ++end;
        const ResultSet::Folder& f = set.folder(folder);
        SafeFolder next;
        listed.clear();
        const bool opened =
            open.isOpen() ? next.openNear(open, f.path, f.identity) : next.open(f.path, f.identity);
        open = std::move(next);
        const bool readable = opened && listing.open(open.fd(), ".") && listing.readAll();
        if (readable) {
            std::size_t cursor = 0;
            DirEntry e;
            while (listing.next(cursor, &e))
                listed.emplace(e.name, e);
        }
        for (; i < end; ++i) {
            const std::uint32_t rec = records[i];
            const ResultRecord& r = set.record(rec);
            if (!readable) {
                out(rec, -1);
                continue;
            }
            const auto it = listed.find(set.name(rec));
            if (it == listed.end()) {
                out(rec, -1);
            } else if (it->second.ino == r.ino && it->second.type != EntryType::Directory &&
                       it->second.type != EntryType::Unknown) {
                out(rec, r.size);
            } else {
                out(rec, single.size(set, rec));
            }
        }
    }
}

} // namespace rw
