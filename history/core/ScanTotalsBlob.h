#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace rw
{

// One folder's totals in a stored scan, by the id of its stored path.
struct PackedTotals {
    std::int64_t folderId = 0;
    std::int64_t bytes = 0;
    std::int64_t disk = 0;
    std::int64_t files = 0;
    std::int64_t subFolders = 0;
    std::int64_t latest = 0;
};

// A scan's folder totals as one value of its row in the store: sorted by
// folder id, each number a variable-length integer (ids as steps from the
// one before, change times as the distance from the scan's time), the whole
// compressed with DEFLATE. A scan is written once and always read whole, so
// this costs nothing a reader needs and keeps a row of totals to about ten
// bytes, a fifth of what a table row takes.
//
// packScanTotals sorts `rows` by folder id. Negative counts are stored as 0.
QByteArray packScanTotals(std::vector<PackedTotals>& rows, std::int64_t taken);

// The totals back, sorted by folder id. False when `packed` is not such a
// value (corrupt or from a newer program); `rows` is then empty.
bool unpackScanTotals(const QByteArray& packed, std::int64_t taken,
                      std::vector<PackedTotals>* rows);

} // namespace rw
