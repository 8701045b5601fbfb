#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace rw
{

// One folder's totals in one scan; `path` is relative to the scan's root
// (empty for the root itself), as the file system's bytes.
struct FolderTotalsRow {
    QByteArray path;
    std::int64_t bytes = 0;
    std::int64_t disk = 0;
    std::int64_t files = 0;
    std::int64_t subFolders = 0;
    std::int64_t latest = 0; // newest change below it, seconds since the epoch; 0: none
};

// How a folder changed between two scans of a root.
struct FolderGrowthRow {
    enum class Change : std::uint8_t { Grown, Shrunk, Same, New, Gone };
    QByteArray path;
    std::int64_t before = 0; // bytes in the earlier scan (0 when new)
    std::int64_t after = 0;  // bytes in the later scan (0 when gone)
    Change change = Change::Same;
    std::int64_t difference() const { return after - before; }
};

// The part of the root's change that a folder's change is, in percent:
// its difference over the absolute difference of the root (a folder that
// grew while the root shrank has a negative part). 0 when the root did not
// change. Nested folders each count their whole sub-tree, so parts of a
// folder and of its sub-folders overlap and do not add up to 100.
double shareOfChange(const FolderGrowthRow& row, std::int64_t rootDifference);

// Compares two scans of one root folder by folder: every folder of either
// scan once, its bytes before and after. A renamed folder is a gone one and
// a new one (its path is all that ties scans together). Rows come largest
// change first (by absolute difference; ties by path), unchanged ones last.
std::vector<FolderGrowthRow> compareScans(const std::vector<FolderTotalsRow>& before,
                                          const std::vector<FolderTotalsRow>& after);

} // namespace rw
