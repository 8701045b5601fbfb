#include "framework/core/MarkTotals.h"

namespace rw
{

bool MarkTotals::tracked(const ResultRecord& r)
{
    return r.has(ResultRecord::MaybeLinked) && (r.dev != 0 || r.ino != 0);
}

void MarkTotals::clear()
{
    m_names.clear();
    m_count = 0;
    m_bytes = 0;
}

void MarkTotals::marked(const ResultRecord& r, std::int64_t size)
{
    if (size < 0)
        return;
    ++m_count;
    // A name of an inode already marked under another name adds no bytes.
    // Only files with other names need the table: a million single names
    // then cost no table at all.
    if (tracked(r) && m_names[{r.dev, r.ino}]++ > 0)
        return;
    m_bytes += size;
}

void MarkTotals::unmarked(const ResultRecord& r, std::int64_t size)
{
    if (size < 0)
        return;
    --m_count;
    if (tracked(r)) {
        const auto it = m_names.find({r.dev, r.ino});
        if (it != m_names.end() && --it->second > 0)
            return; // another name of it stays marked
        if (it != m_names.end())
            m_names.erase(it);
    }
    m_bytes -= size;
}

} // namespace rw
