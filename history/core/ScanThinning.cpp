#include "history/core/ScanThinning.h"

#include <algorithm>
#include <set>

namespace rw
{

std::vector<std::int64_t> scansToThin(std::vector<ScanTime> scans, std::int64_t now)
{
    constexpr std::int64_t day = 24 * 3600;
    // Newest first: the first scan met in a span is the one it keeps.
    std::sort(scans.begin(), scans.end(), [](const ScanTime& a, const ScanTime& b) {
        return a.taken != b.taken ? a.taken > b.taken : a.id > b.id;
    });
    std::vector<std::int64_t> gone;
    std::set<std::pair<int, std::int64_t>> spansKept; // (tier, span number)
    for (std::size_t i = 0; i < scans.size(); ++i) {
        const std::int64_t age = std::max<std::int64_t>(0, now - scans[i].taken);
        if (age < 7 * day)
            continue;
        int tier;
        std::int64_t span;
        if (age < 30 * day) {
            tier = 1;
            span = age / day;
        } else if (age < 365 * day) {
            tier = 2;
            span = age / (7 * day);
        } else {
            tier = 3;
            span = age / (30 * day);
        }
        // The first scan met in a span keeps it; the newest of all is kept
        // whatever its span holds.
        const bool first = spansKept.insert({tier, span}).second;
        if (!first && i != 0)
            gone.push_back(scans[i].id);
    }
    return gone;
}

} // namespace rw
