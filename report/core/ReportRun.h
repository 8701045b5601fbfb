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

// Where a walk stands, for the progress line: the folder being walked and
// what was seen so far over every PATH.
struct ReportProgressInfo {
    const WalkFolder* folder = nullptr;
    std::int64_t files = 0;
    std::int64_t folders = 0;
    std::int64_t bytes = 0;
};

// Told where the walk stands, at most every 100 ms.
using ReportProgress = std::function<void(const ReportProgressInfo& info)>;

// What could not be read. Each item is also said through the responder as
// it happens ("cannot read '<path>': <reason>").
struct ReportProblems {
    QStringList unreadablePaths;        // PATHs that could not be opened
    std::int64_t unreadableFolders = 0; // folders below them that were left out
};

// Walks every path of `request` with the tool's strategy (its exclusions,
// disk usage and thread count applied) and forms its rows in the default
// order (see ReportSortKey), then applies --sort and --reverse. Messages of
// the walk (a path or folder that cannot be read, with the system's reason;
// a full list) go to `reporter`; `problems`, when given, counts them. The
// run goes on past what cannot be read. Reads files and the settings only;
// never writes anything.
ReportTable runReport(const ReportRequest& request, MessageResponder& reporter,
                      const ReportProgress& progress, ReportProblems* problems);

// Puts a table made in the window's order into the report's default order:
// hogs and dirhogs largest first, the groups of dups by their largest file
// first; stably, so ties keep the window's order. Other tools keep it.
void largestFirst(ReportTable& table, ReportTool tool);

// Applies --sort and --reverse: a key sorts the rows (within each group,
// for dups) in its natural direction, stably; `reverse` flips the key's
// direction, or, with no key, the whole listing (groups and their rows).
void sortReportRows(ReportTable& table, ReportSortKey key, bool reverse);

} // namespace rw
