#pragma once

#include <QByteArray>
#include <QJsonObject>

#include <functional>

#include "report/core/ReportRequest.h"
#include "report/core/ReportRun.h"

namespace rw
{

// The TSV form of a table: one record per row (its chosen fields), each
// ended by a newline, or by a NUL byte with `nulTerminated`. UTF-8, handed
// to `sink` in pieces of about 256 KiB in order; stops and returns false as
// soon as the sink returns false.
bool writeReportTsv(const ReportTable& table, bool nulTerminated,
                    const std::function<bool(const QByteArray& piece)>& sink);
// The same as one byte array.
QByteArray reportTsv(const ReportTable& table, bool nulTerminated);

// The JSON form: {"tool", "paths", then "rows" (or "groups", an array of
// row arrays, for dups; "statistics" for stats)}. Each row has typed fields:
// "path", "folder", "name" as text, "path_base64" with the path's exact
// bytes where the text cannot carry them, "size" as a number, the times as
// ISO 8601 UTC texts with "_epoch" numbers beside them, and the tool's own
// fields ("type", "percent_used", "files", "subfolders", "latest_access",
// "on_search_path").
QJsonObject reportJson(const ReportTable& table, const ReportRequest& request);

// True when `bytes` decode as UTF-8 to text that encodes back to the very
// same bytes (so "path" alone names the file).
bool textKeepsBytes(const QByteArray& bytes);

} // namespace rw
