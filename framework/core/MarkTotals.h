#pragma once

#include <cstdint>
#include <limits>
#include <unordered_map>

#include "framework/core/ResultSet.h"
#include "platform/FileIdentity.h"

namespace rw
{

// The count and the bytes of the marked files of a result grid. Every
// marked name counts as a file; the names of one inode (hard links) count
// its bytes once, since deleting all of them frees its size once and
// deleting some frees nothing.
class MarkTotals
{
public:
    void clear();
    // The file of record `r` was marked or unmarked; `size` is its size now
    // (-1 when it is gone: nothing changes).
    void marked(const ResultRecord& r, std::int64_t size);
    void unmarked(const ResultRecord& r, std::int64_t size);

    std::int64_t count() const { return m_count; }
    // The marked bytes; a sum beyond the 64-bit range (huge sparse files)
    // shows as the largest value rather than wrapping round.
    std::int64_t bytes() const
    {
        return m_bytes > std::numeric_limits<std::int64_t>::max()
                   ? std::numeric_limits<std::int64_t>::max()
                   : std::int64_t(m_bytes);
    }

private:
    // Whether the record's inode may have other names among the rows.
    static bool tracked(const ResultRecord& r);

    // Marked names per inode, for inodes with a known identity.
    std::unordered_map<InodeKey, std::uint32_t, InodeKeyHash> m_names;
    std::int64_t m_count = 0;
    // Kept wider than any file size, so marking and unmarking stay exact
    // however large the files: a saturated sum could not be taken back.
    __int128 m_bytes = 0;
};

} // namespace rw
