#include "framework/core/FolderOrder.h"

#include <QString>

#include <algorithm>
#include <numeric>

#include "framework/core/ResultSet.h"

namespace rw
{

FolderOrder::FolderOrder(const ResultSet& set)
{
    const std::uint32_t count = set.folderCount();
    std::vector<std::uint32_t> sorted(count);
    std::iota(sorted.begin(), sorted.end(), 0u);
    std::sort(sorted.begin(), sorted.end(), [&set](std::uint32_t a, std::uint32_t b) {
        return set.folderText(a).compare(set.folderText(b), Qt::CaseInsensitive) < 0;
    });
    m_position.assign(count, 0);
    m_prefixEnd.assign(count, 0);
    // Positions: one per distinct folded text. The prefix ends come from a
    // stack of the texts that begin the current one: a text leaves the
    // stack at the first later text it does not begin.
    std::vector<std::uint32_t> open; // folders, each text beginning the next
    std::uint32_t position = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t f = sorted[i];
        const QString& text = set.folderText(f);
        if (i > 0 && set.folderText(sorted[i - 1]).compare(text, Qt::CaseInsensitive) != 0)
            ++position;
        m_position[f] = position;
        while (!open.empty() &&
               !text.startsWith(set.folderText(open.back()), Qt::CaseInsensitive)) {
            m_prefixEnd[m_position[open.back()]] = position - 1;
            open.pop_back();
        }
        open.push_back(f);
        m_prefixEnd[position] = position;
    }
    for (std::uint32_t f : open)
        m_prefixEnd[m_position[f]] = position;
}

bool FolderOrder::onePrefixOfOther(std::uint32_t a, std::uint32_t b) const
{
    const std::uint32_t pa = m_position[a];
    const std::uint32_t pb = m_position[b];
    return pa <= pb ? pb <= m_prefixEnd[pa] : pa <= m_prefixEnd[pb];
}

} // namespace rw
