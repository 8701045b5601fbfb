#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/Messages.h"
#include "framework/core/ResultLines.h"
#include "report/core/ReportRequest.h"

namespace rw
{

struct WalkFolder;

// What one report run found, ready to be written.
struct ReportTable {
    // The rows of the file and folder tools: records of `lines`, in the order
    // they are written. Empty for the statistics.
    std::shared_ptr<ResultLines> lines;
    std::vector<std::uint32_t> rows;
    // dups: the index in `rows` past the end of each group, in order.
    std::vector<std::size_t> groupEnds;
    // The fields (from 0) of a row's line that make its TSV record, in order,
    // and whether each is followed by a tab (else they are joined by tabs):
    // the window's clipboard copy.
    QList<int> tsvFields;
    bool tsvTrailingTab = false;

    // The statistics: their TSV records and their JSON document body.
    QStringList textRows;
    QJsonObject statistics;

    // Whether anything was found (the exit status).
    bool found() const { return !rows.empty() || !textRows.isEmpty(); }
};

// Told the folder being walked, at most every 30 ms.
using ReportProgress = std::function<void(const WalkFolder& folder)>;

// Walks every path of `request` with the tool's strategy and forms its rows
// in the order of the window's clipboard copy, then applies --sort and
// --reverse. Messages of the walk (a path that cannot be opened, a folder
// that cannot be entered, a full list) go to `reporter`. `unreadablePaths`
// gets the paths whose folder could not be opened (the run goes on with the
// others). Reads files and the settings only; never writes anything.
ReportTable runReport(const ReportRequest& request, MessageResponder& reporter,
                      const ReportProgress& progress, QStringList* unreadablePaths);

// Puts the rows of each group (or all rows when there are no groups) in the
// order of `key`, stably, reversed with `reverse`; groups keep their order.
void sortReportRows(ReportTable& table, ReportSortKey key, bool reverse);

} // namespace rw
