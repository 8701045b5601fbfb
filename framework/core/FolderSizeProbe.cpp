#include "framework/core/FolderSizeProbe.h"

#include <string>

namespace rw
{

std::int64_t FolderSizeProbe::size(const ResultSet& set, std::uint32_t record)
{
    const ResultRecord& r = set.record(record);
    if (r.folder != m_folder) {
        m_folder = r.folder;
        const ResultSet::Folder& f = set.folder(r.folder);
        m_folderOpen = m_open.open(f.path, f.identity);
    }
    if (!m_folderOpen)
        return -1;
    const std::string_view name = set.name(record);
    FileStatus now;
    if (name.empty() || !m_open.status(std::string(name).c_str(), &now) ||
        (now.attributes & faDirectory))
        return -1;
    return now.size;
}

} // namespace rw
