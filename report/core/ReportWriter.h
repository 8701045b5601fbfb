#pragma once

#include <QByteArray>

#include <functional>

#include "report/core/ReportRequest.h"
#include "report/core/ReportRun.h"

namespace rw
{

// Takes the output a piece at a time, in order; returns false to stop the
// writing (the output could not be written).
using ReportSink = std::function<bool(const QByteArray& piece)>;

// Writes the table in the request's format (tsv, text or json), each piece
// as soon as it is formed, so memory stays bounded by the table itself.
// False as soon as the sink returns false.
bool writeReport(const ReportTable& table, const ReportRequest& request, const ReportSink& sink);

// The text form: one record per row (its chosen fields) as the window's
// clipboard copy has it, ended by a newline, or by a NUL byte with
// `nulTerminated`. UTF-8, handed over in pieces of about 256 KiB.
bool writeReportText(const ReportTable& table, bool nulTerminated, const ReportSink& sink);

// The machine TSV form: per tool the raw fields listed in the help text
// (sizes and counts as plain integers, local ISO 8601 times, the full path
// last, shown as the windows show names); the statistics as their tables.
bool writeReportTsv(const ReportTable& table, ReportTool tool, bool nulTerminated,
                    const ReportSink& sink);

// The JSON form, streamed: {"tool", "paths", then "rows" (or "groups", an
// array of row arrays, for dups; "statistics" for stats)}. Each row has typed
// fields: "path", "folder", "name" as text, "path_base64" with the path's
// exact bytes where the text cannot carry them, "size" as a number, the
// times as ISO 8601 UTC texts with "_epoch" numbers beside them, and the
// tool's own fields ("type", "percent_used", "files", "subfolders",
// "latest_access", "on_search_path").
bool writeReportJson(const ReportTable& table, const ReportRequest& request,
                     const ReportSink& sink);

} // namespace rw
