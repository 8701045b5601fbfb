#pragma once

#include <cstdint>
#include <vector>

namespace rw
{

// When a scan was taken (seconds since the epoch) and its id in the store.
struct ScanTime {
    std::int64_t id = 0;
    std::int64_t taken = 0;
};

// The scans of one root that thinning lets go, so the store stays small
// while what grew can still be asked over any span: every scan of the last
// 7 days is kept; older ones, the newest of each day for 30 days, of each
// week (7-day span counted back from `now`) for a year, and of each 30-day
// span beyond. The newest scan is always kept. Returns the ids to remove,
// in no particular order.
std::vector<std::int64_t> scansToThin(std::vector<ScanTime> scans, std::int64_t now);

} // namespace rw
