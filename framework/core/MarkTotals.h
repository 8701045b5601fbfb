#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>

#include "framework/core/ResultSet.h"
#include "platform/FileIdentity.h"

namespace rw
{

// The count and the bytes of the marked files of a result grid. Every
// marked directory entry counts as a file once, however many rows name it
// (the same folder reached through two paths lists its entries twice); the
// names of one inode (hard links) count its bytes once, since deleting all
// of them frees its size once and deleting some frees nothing.
class MarkTotals
{
public:
    void clear();
    // Record `rec` of `set` was marked or unmarked; `size` is its file's
    // size now (-1 when it is gone: nothing changes).
    void marked(const ResultSet& set, std::uint32_t rec, std::int64_t size);
    void unmarked(const ResultSet& set, std::uint32_t rec, std::int64_t size);

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
    // Whether another row may name the record's entry or inode: a file
    // that had other names, or one in a folder the set holds under two
    // paths. Other records need no table, so a million single names cost
    // no table at all.
    static bool tracked(const ResultSet& set, const ResultRecord& r);

    // Marked rows per directory entry (ResultSet::entryKey), and marked
    // entries per inode, for tracked records.
    std::unordered_map<std::string, std::uint32_t> m_rows;
    std::unordered_map<InodeKey, std::uint32_t, InodeKeyHash> m_entries;
    std::int64_t m_count = 0;
    // Kept wider than any file size, so marking and unmarking stay exact
    // however large the files: a saturated sum could not be taken back.
    __int128 m_bytes = 0;
};

} // namespace rw
