#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/core/ResultSet.h"
#include "platform/SafeFolder.h"

namespace rw
{

// Looks up what a result row's file is now: its size, or -1 when it is gone,
// is a folder, or its folder is no longer the one the scan saw. A row that
// names a folder (ResultRecord::IsFolder) gives the size the scan saw while
// that folder (device and inode) is still there, -1 otherwise. It keeps the
// last folder open, so rows taken folder by folder cost one metadata call
// each instead of a walk down the whole path.
class FolderSizeProbe
{
public:
    std::int64_t size(const ResultSet& set, std::uint32_t record);

    // The sizes of many records at once; `records` must be grouped by
    // folder. Each folder is read once: a record whose name the folder still
    // lists with the inode the scan saw is that same file and counts with
    // the size the scan saw; any other name is looked up on its own; a name
    // the folder no longer lists is gone (-1). `out` is told each record's
    // size. This is what makes "Mark all" on a million rows one directory
    // read per folder instead of one metadata call per file.
    static void sizes(const ResultSet& set, const std::vector<std::uint32_t>& records,
                      const std::function<void(std::uint32_t record, std::int64_t size)>& out);

private:
    std::uint32_t m_folder = 0xFFFFFFFFu;
    bool m_folderOpen = false;
    SafeFolder m_open;
};

} // namespace rw
