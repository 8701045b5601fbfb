#pragma once

#include <cstdint>

#include "framework/core/ResultSet.h"
#include "platform/SafeFolder.h"

namespace rw
{

// Looks up what a result row's file is now: its size, or -1 when it is gone,
// is a folder, or its folder is no longer the one the scan saw. It keeps the
// last folder open, so rows taken folder by folder cost one metadata call
// each instead of a walk down the whole path.
class FolderSizeProbe
{
public:
    std::int64_t size(const ResultSet& set, std::uint32_t record);

private:
    std::uint32_t m_folder = 0xFFFFFFFFu;
    bool m_folderOpen = false;
    SafeFolder m_open;
};

} // namespace rw
