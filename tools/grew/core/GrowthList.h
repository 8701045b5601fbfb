#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/ResultLines.h"
#include "history/core/FolderGrowth.h"
#include "history/core/HistoryStore.h"

namespace rw
{

// The line layout of "What grew": change, bytes before, bytes after,
// difference, share of the root's change, folder.
QList<ResultField> growthLineLayout();

// The folders that changed between two scans of `root` as result records
// for the grid, in the order given (Same rows are left out). A record
// names its folder by the path's bytes: the folder above as its folder,
// the last component as its name (the root's own row: the root, no name);
// its size is the bytes after, extra 0 the bytes before, extra 1 the change
// (FolderGrowthRow::Change), extra 2 the root's change, which the share is
// of.
std::shared_ptr<ResultLines> growthLines(const QByteArray& root,
                                         const std::vector<FolderGrowthRow>& rows);

// The scans that may be compared: the complete ones of `scans`, in their
// order (a scan walked in part would read as folders shrunk or gone).
std::vector<StoredScan> comparableScans(const std::vector<StoredScan>& scans);

// Of `scans` (newest first), the newest taken at least seven days before
// `taken`; the oldest one before `taken` when none is that old; -1 when no
// scan is older than `taken`. Returns an index into `scans`.
int scanAWeekBefore(const std::vector<StoredScan>& scans, std::int64_t taken);

} // namespace rw
