#include "framework/core/MarkTotals.h"

namespace rw
{

namespace
{

// The key of the record's inode; an identity the scan did not record
// names no inode.
bool inodeOf(const ResultRecord& r, InodeKey* key)
{
    *key = InodeKey{r.dev, r.ino};
    return r.dev != 0 || r.ino != 0;
}

} // namespace

bool MarkTotals::tracked(const ResultSet& set, const ResultRecord& r)
{
    InodeKey key;
    return (r.has(ResultRecord::MaybeLinked) && inodeOf(r, &key)) ||
           set.folderHasOtherPath(r.folder);
}

void MarkTotals::clear()
{
    m_rows.clear();
    m_entries.clear();
    m_count = 0;
    m_bytes = 0;
}

void MarkTotals::marked(const ResultSet& set, std::uint32_t rec, std::int64_t size)
{
    if (size < 0)
        return;
    const ResultRecord& r = set.record(rec);
    if (tracked(set, r)) {
        // The same entry already marked through another row adds nothing;
        // another name of an inode already marked adds no bytes.
        if (m_rows[set.entryKey(rec)]++ > 0)
            return;
        ++m_count;
        InodeKey key;
        if (inodeOf(r, &key) && m_entries[key]++ > 0)
            return;
    } else {
        ++m_count;
    }
    m_bytes += size;
}

void MarkTotals::unmarked(const ResultSet& set, std::uint32_t rec, std::int64_t size)
{
    if (size < 0)
        return;
    const ResultRecord& r = set.record(rec);
    if (tracked(set, r)) {
        const auto row = m_rows.find(set.entryKey(rec));
        if (row == m_rows.end())
            return; // never counted
        if (--row->second > 0)
            return; // another row of the entry stays marked
        m_rows.erase(row);
        --m_count;
        InodeKey key;
        if (inodeOf(r, &key)) {
            const auto it = m_entries.find(key);
            if (it != m_entries.end() && --it->second > 0)
                return; // another name of it stays marked
            if (it != m_entries.end())
                m_entries.erase(it);
        }
    } else {
        --m_count;
    }
    m_bytes -= size;
}

} // namespace rw
