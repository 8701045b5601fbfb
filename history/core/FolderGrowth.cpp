#include "history/core/FolderGrowth.h"

#include <QHash>

#include <algorithm>
#include <cstdlib>

namespace rw
{

std::vector<FolderGrowthRow> compareScans(const std::vector<FolderTotalsRow>& before,
                                          const std::vector<FolderTotalsRow>& after)
{
    QHash<QByteArray, std::int64_t> earlier;
    earlier.reserve(qsizetype(before.size()));
    for (const FolderTotalsRow& r : before)
        earlier.insert(r.path, r.bytes);
    std::vector<FolderGrowthRow> rows;
    rows.reserve(std::max(before.size(), after.size()));
    for (const FolderTotalsRow& r : after) {
        FolderGrowthRow g;
        g.path = r.path;
        g.after = r.bytes;
        const auto it = earlier.find(r.path);
        if (it == earlier.end()) {
            g.change = FolderGrowthRow::Change::New;
        } else {
            g.before = *it;
            g.change = g.after > g.before   ? FolderGrowthRow::Change::Grown
                       : g.after < g.before ? FolderGrowthRow::Change::Shrunk
                                            : FolderGrowthRow::Change::Same;
            earlier.erase(it);
        }
        rows.push_back(std::move(g));
    }
    for (const FolderTotalsRow& r : before) {
        if (!earlier.contains(r.path))
            continue;
        FolderGrowthRow g;
        g.path = r.path;
        g.before = r.bytes;
        g.change = FolderGrowthRow::Change::Gone;
        rows.push_back(std::move(g));
    }
    std::sort(rows.begin(), rows.end(), [](const FolderGrowthRow& a, const FolderGrowthRow& b) {
        const bool sameA = a.change == FolderGrowthRow::Change::Same;
        const bool sameB = b.change == FolderGrowthRow::Change::Same;
        if (sameA != sameB)
            return sameB;
        const std::int64_t da = std::llabs(a.difference());
        const std::int64_t db = std::llabs(b.difference());
        if (da != db)
            return da > db;
        return a.path < b.path;
    });
    return rows;
}

double shareOfChange(const FolderGrowthRow& row, std::int64_t rootDifference)
{
    if (rootDifference == 0)
        return 0.0;
    return 100.0 * double(row.difference()) /
           double(rootDifference < 0 ? -rootDifference : rootDifference);
}

} // namespace rw
