#include "report/core/ReportWriter.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include "framework/core/ParallelLoop.h"
#include "platform/DisplayName.h"
#include "report/core/ReportRowText.h"

#include <algorithm>
#include <memory>

namespace rw
{

namespace
{

// The TSV lines of rows [begin, end) of the table, formed through `lines`,
// as UTF-8.
QByteArray tsvPiece(const ReportTable& table, const ResultLines& lines, std::size_t begin,
                    std::size_t end, char16_t terminator)
{
    QString text;
    text.reserve(qsizetype(end - begin) * 96);
    const ResultSet& set = lines.set();
    const bool allFields = table.tsvFields.size() == lines.fieldCount() && !table.tsvTrailingTab;
    for (std::size_t row = begin; row < end; ++row) {
        // Sorted rows visit the records out of their order: each is fetched
        // some rows ahead, its name a few rows after that.
        if (row + 16 < end)
            set.prefetch(table.rows[row + 16], false);
        if (row + 8 < end)
            set.prefetch(table.rows[row + 8], true);
        const std::uint32_t rec = table.rows[row];
        if (allFields) {
            lines.appendLine(text, rec);
        } else {
            for (qsizetype i = 0; i < table.tsvFields.size(); ++i) {
                text += lines.field(rec, table.tsvFields[i]);
                if (table.tsvTrailingTab || i + 1 < table.tsvFields.size())
                    text += u'\t';
            }
        }
        text += terminator;
    }
    return text.toUtf8();
}

} // namespace

bool writeReportText(const ReportTable& table, bool nulTerminated, const ReportSink& sink)
{
    const char16_t end = nulTerminated ? u'\0' : u'\n';
    if (!table.lines) {
        constexpr qsizetype kPiece = 128 * 1024; // UTF-16 units, about 256 KiB of text
        QString text;
        for (qsizetype i = 0; i < table.textRows.size(); ++i) {
            text += table.textRows[i];
            text += end;
            if (text.size() >= kPiece || i + 1 == table.textRows.size()) {
                if (!sink(text.toUtf8()))
                    return false;
                text.clear();
            }
        }
        return true;
    }
    // Pieces of rows formed two at a time, on this thread and a helper, each
    // through a ResultLines of its own (their text caches are not shared),
    // then written in order.
    const ResultLines& lines = *table.lines;
    lines.set().makeFolderTexts();
    const std::unique_ptr<ResultLines> second = lines.copyForThread();
    const ResultLines* former[2] = {&lines, second.get()};
    constexpr std::size_t kPieceRows = 16384;
    const std::size_t rows = table.rows.size();
    ParallelLoop loop(rows > kPieceRows ? 1 : 0);
    QByteArray pieces[2];
    for (std::size_t begin = 0; begin < rows; begin += 2 * kPieceRows) {
        loop.run(
            2,
            [&](std::size_t k) {
                const std::size_t from = std::min(rows, begin + k * kPieceRows);
                const std::size_t to = std::min(rows, from + kPieceRows);
                pieces[k] = tsvPiece(table, *former[k], from, to, end);
            },
            1);
        for (const QByteArray& piece : pieces)
            if (!piece.isEmpty() && !sink(piece))
                return false;
    }
    return true;
}

namespace
{

constexpr qsizetype kPieceBytes = 256 * 1024;

const char* toolName(ReportTool tool)
{
    switch (tool) {
    case ReportTool::Hogs:
        return "hogs";
    case ReportTool::Dups:
        return "dups";
    case ReportTool::DirHogs:
        return "dirhogs";
    case ReportTool::Dates:
        return "dates";
    case ReportTool::Clean:
        return "clean";
    case ReportTool::Stats:
        return "stats";
    }
    return "";
}

// Hands the buffer over once it holds a piece's worth; false when the sink
// refused it.
bool flushIfFull(QByteArray& buffer, const ReportSink& sink)
{
    if (buffer.size() < kPieceBytes)
        return true;
    const bool ok = sink(buffer);
    buffer.clear();
    return ok;
}

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

// One record of the machine TSV: the tool's fields, the path last.
void appendTsvRecord(QByteArray& out, ReportRowText& text, const ReportTable& table,
                     ReportTool tool, std::uint32_t rec, std::size_t group)
{
    const ResultSet& set = table.lines->set();
    const ResultRecord& r = set.record(rec);
    switch (tool) {
    case ReportTool::Dups:
        ReportRowText::appendNumber(out, std::int64_t(group));
        out += '\t';
        [[fallthrough]];
    case ReportTool::Hogs:
        ReportRowText::appendNumber(out, r.size);
        out += '\t';
        ReportRowText::appendLocalTime(out, r.mtime);
        break;
    case ReportTool::DirHogs:
        ReportRowText::appendNumber(out, r.size);
        out += '\t';
        ReportRowText::appendNumber(out, set.extra(rec, 0));
        out += '\t';
        ReportRowText::appendNumber(out, set.extra(rec, 1));
        out += '\t';
        ReportRowText::appendLocalTime(out, r.atime);
        break;
    case ReportTool::Dates:
        ReportRowText::appendNumber(out, r.size);
        out += '\t';
        ReportRowText::appendLocalTime(out, r.mtime);
        out += '\t';
        ReportRowText::appendLocalTime(out, r.atime);
        out += '\t';
        ReportRowText::appendLocalTime(out, r.btime);
        break;
    case ReportTool::Clean:
        ReportRowText::appendNumber(out, r.size);
        out += '\t';
        ReportRowText::appendLocalTime(out, r.mtime);
        out += '\t';
        out += r.has(ResultRecord::Tagged) ? '1' : '0';
        break;
    case ReportTool::Stats:
        break;
    }
    out += '\t';
    text.appendPath(out, rec);
}

void appendJsonString(QByteArray& out, std::string_view bytes)
{
    out += '"';
    if (ReportRowText::keepsBytes(bytes)) {
        ReportRowText::appendJsonEscaped(out, bytes);
    } else {
        const QByteArray shown =
            displayName(QByteArrayView(bytes.data(), qsizetype(bytes.size()))).toUtf8();
        ReportRowText::appendJsonEscaped(out, view(shown));
    }
    out += '"';
}

void appendJsonTime(QByteArray& out, const char* name, std::int64_t epochSeconds)
{
    out += ",\"";
    out += name;
    out += "\":";
    if (epochSeconds == 0) {
        out += "null"; // not recorded
        return;
    }
    out += '"';
    ReportRowText::appendUtcTime(out, epochSeconds);
    out += "\",\"";
    out += name;
    out += "_epoch\":";
    ReportRowText::appendNumber(out, epochSeconds);
}

// One row as a JSON object: "path" (and "path_base64" where the text cannot
// carry the bytes), "folder" and "name", "size", the times, then the tool's
// own fields.
// What JSON rows repeat: each folder's escaped text (formed once per
// folder) and the last type text, so a million rows form no path and no
// type text of their own.
struct JsonRowCache {
    explicit JsonRowCache(const ResultSet& set) : folders(set.folderCount()) {}
    struct Folder {
        bool made = false;
        bool keeps = false; // the text carries the bytes exactly
        QByteArray json;    // the escaped text, without quotes
    };
    std::vector<Folder> folders;
    QString type;
    QByteArray typeJson;
};

void appendJsonRow(QByteArray& out, JsonRowCache& cache, const ResultLines& lines,
                   std::uint32_t rec, bool searchPathFlag)
{
    const ResultSet& set = lines.set();
    const ResultRecord& r = set.record(rec);
    const std::string_view name = set.name(rec);
    const bool folderRow = r.has(ResultRecord::IsFolder) || name.empty();
    const QByteArray& folder = set.folder(r.folder).path;
    JsonRowCache::Folder& shown = cache.folders[r.folder];
    if (!shown.made) {
        shown.made = true;
        shown.keeps = ReportRowText::keepsBytes(view(folder));
        QByteArray quoted;
        appendJsonString(quoted, view(folder));
        shown.json = quoted.mid(1, quoted.size() - 2);
    }

    out += "{\"path\":\"";
    if (shown.keeps && ReportRowText::keepsBytes(name)) {
        // A '/' never splits a character, so the path carries its bytes
        // when both parts do.
        out += shown.json;
        if (!name.empty()) {
            if (!folder.endsWith('/'))
                out += '/';
            ReportRowText::appendJsonEscaped(out, name);
        }
        out += '"';
    } else {
        const QByteArray path = name.empty() ? folder : set.pathBytes(rec);
        out.chop(1);
        appendJsonString(out, view(path));
        out += ",\"path_base64\":\"";
        out += path.toBase64();
        out += '"';
    }
    if (!name.empty()) {
        out += ",\"folder\":\"";
        out += shown.json;
        out += "\",\"name\":";
        appendJsonString(out, name);
    }
    out += ",\"size\":";
    ReportRowText::appendNumber(out, r.size);
    if (!folderRow) {
        appendJsonTime(out, "modified", r.mtime);
        appendJsonTime(out, "accessed", r.atime);
        appendJsonTime(out, "created", r.btime);
    }
    for (ResultField f : lines.layout()) {
        switch (f) {
        case ResultField::Type: {
            out += ",\"type\":";
            const QString type = lines.fieldText(rec, f);
            if (type != cache.type) {
                cache.type = type;
                cache.typeJson.clear();
                const QByteArray bytes = type.toUtf8();
                appendJsonString(cache.typeJson, view(bytes));
            }
            out += cache.typeJson;
            break;
        }
        case ResultField::PercentUsed: {
            bool ok = false;
            const double percent = lines.fieldText(rec, f).toDouble(&ok);
            out += ",\"percent_used\":";
            out += ok ? QByteArray::number(percent, 'g', 15) : QByteArrayLiteral("null");
            break;
        }
        case ResultField::FileCount:
            out += ",\"files\":";
            ReportRowText::appendNumber(out, set.extra(rec, 0));
            break;
        case ResultField::SubFolderCount:
            out += ",\"subfolders\":";
            ReportRowText::appendNumber(out, set.extra(rec, 1));
            break;
        case ResultField::LatestAccess:
            appendJsonTime(out, "latest_access", r.atime);
            break;
        default:
            break;
        }
    }
    if (searchPathFlag)
        out +=
            r.has(ResultRecord::Tagged) ? ",\"on_search_path\":true" : ",\"on_search_path\":false";
    out += '}';
}

} // namespace

bool writeReportTsv(const ReportTable& table, ReportTool tool, bool nulTerminated,
                    const ReportSink& sink)
{
    // The statistics are raw numbers already: the text form is the machine form.
    if (!table.lines)
        return writeReportText(table, nulTerminated, sink);
    const char end = nulTerminated ? '\0' : '\n';
    const ResultSet& set = table.lines->set();
    ReportRowText text(set);
    QByteArray buffer;
    buffer.reserve(kPieceBytes + 4096);
    std::size_t group = 1;
    std::size_t nextEnd = table.groupEnds.empty() ? std::size_t(-1) : table.groupEnds[0];
    const std::size_t rows = table.rows.size();
    for (std::size_t row = 0; row < rows; ++row) {
        while (row >= nextEnd) {
            nextEnd = group < table.groupEnds.size() ? table.groupEnds[group] : std::size_t(-1);
            ++group;
        }
        // Sorted rows visit the records out of their order: each is fetched
        // some rows ahead, its name a few rows after that.
        if (row + 16 < rows)
            set.prefetch(table.rows[row + 16], false);
        if (row + 8 < rows)
            set.prefetch(table.rows[row + 8], true);
        appendTsvRecord(buffer, text, table, tool, table.rows[row], group);
        buffer += end;
        if (!flushIfFull(buffer, sink))
            return false;
    }
    return buffer.isEmpty() || sink(buffer);
}

bool writeReportJson(const ReportTable& table, const ReportRequest& request, const ReportSink& sink)
{
    QByteArray out = "{\"tool\":\"";
    out += toolName(request.tool);
    out += "\",\"paths\":[";
    for (qsizetype i = 0; i < request.paths.size(); ++i) {
        if (i > 0)
            out += ',';
        const QByteArray path = request.paths[i].toUtf8();
        out += '"';
        ReportRowText::appendJsonEscaped(out, view(path));
        out += '"';
    }
    out += ']';
    if (!table.lines) {
        out += ",\"statistics\":";
        out += QJsonDocument(table.statistics).toJson(QJsonDocument::Compact);
        out += "}\n";
        return sink(out);
    }
    const ResultLines& lines = *table.lines;
    const bool groups = request.tool == ReportTool::Dups;
    const bool searchPathFlag = request.tool == ReportTool::Clean;
    JsonRowCache cache(lines.set());
    out += groups ? ",\"groups\":[" : ",\"rows\":[";
    // Rows are written as they are formed, a piece at a time: the document
    // is never whole in memory.
    std::size_t groupIndex = 0;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        const bool groupStarts = groups && (row == 0 || row == table.groupEnds[groupIndex - 1]);
        if (groupStarts) {
            if (row > 0)
                out += "],";
            out += "\n[";
            ++groupIndex;
        } else {
            if (row > 0)
                out += ',';
            if (!groups)
                out += '\n';
        }
        appendJsonRow(out, cache, lines, table.rows[row], searchPathFlag);
        if (!flushIfFull(out, sink))
            return false;
    }
    if (groups && !table.rows.empty())
        out += ']';
    out += "\n]}\n";
    return sink(out);
}

bool writeReport(const ReportTable& table, const ReportRequest& request, const ReportSink& sink)
{
    switch (request.format) {
    case ReportFormat::Tsv:
        return writeReportTsv(table, request.tool, request.nulTerminated, sink);
    case ReportFormat::Text:
        return writeReportText(table, request.nulTerminated, sink);
    case ReportFormat::Json:
        return writeReportJson(table, request, sink);
    }
    return false;
}

} // namespace rw
