#include "report/core/ReportWriter.h"

#include <QDateTime>
#include <QJsonArray>

#include "framework/core/ParallelLoop.h"
#include "platform/DisplayName.h"

#include <algorithm>
#include <memory>

namespace rw
{

bool textKeepsBytes(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

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

bool writeReportTsv(const ReportTable& table, bool nulTerminated,
                    const std::function<bool(const QByteArray& piece)>& sink)
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

QByteArray reportTsv(const ReportTable& table, bool nulTerminated)
{
    QByteArray out;
    writeReportTsv(table, nulTerminated, [&out](const QByteArray& piece) {
        out += piece;
        return true;
    });
    return out;
}

namespace
{

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

// A path or name as JSON text: the text itself where it keeps the bytes, else
// the display text (the bytes go beside it in base64).
QString jsonText(const QByteArray& bytes)
{
    return textKeepsBytes(bytes) ? QString::fromUtf8(bytes) : displayName(bytes);
}

void putTime(QJsonObject& row, const QString& name, std::int64_t epochSeconds)
{
    if (epochSeconds == 0) {
        row.insert(name, QJsonValue::Null); // not recorded
        return;
    }
    row.insert(name, QDateTime::fromSecsSinceEpoch(epochSeconds, Qt::UTC).toString(Qt::ISODate));
    row.insert(name + QStringLiteral("_epoch"), double(epochSeconds));
}

QJsonObject jsonRow(const ResultLines& lines, std::uint32_t rec, bool searchPathFlag)
{
    const ResultSet& set = lines.set();
    const ResultRecord& r = set.record(rec);
    const bool folderRow = r.has(ResultRecord::IsFolder) || set.name(rec).empty();
    const QByteArray path = set.name(rec).empty() ? set.folder(r.folder).path : set.pathBytes(rec);
    const QByteArray name(set.name(rec).data(), qsizetype(set.name(rec).size()));

    QJsonObject row;
    row.insert(QStringLiteral("path"), jsonText(path));
    if (!textKeepsBytes(path))
        row.insert(QStringLiteral("path_base64"), QString::fromLatin1(path.toBase64()));
    if (!set.name(rec).empty()) {
        row.insert(QStringLiteral("folder"), jsonText(set.folder(r.folder).path));
        row.insert(QStringLiteral("name"), jsonText(name));
    }
    row.insert(QStringLiteral("size"), double(r.size));
    if (!folderRow) {
        putTime(row, QStringLiteral("modified"), r.mtime);
        putTime(row, QStringLiteral("accessed"), r.atime);
        putTime(row, QStringLiteral("created"), r.btime);
    }
    for (ResultField f : lines.layout()) {
        switch (f) {
        case ResultField::Type:
            row.insert(QStringLiteral("type"), lines.fieldText(rec, f));
            break;
        case ResultField::PercentUsed: {
            bool ok = false;
            const double percent = lines.fieldText(rec, f).toDouble(&ok);
            row.insert(QStringLiteral("percent_used"), ok ? QJsonValue(percent) : QJsonValue());
            break;
        }
        case ResultField::FileCount:
            row.insert(QStringLiteral("files"), double(set.extra(rec, 0)));
            break;
        case ResultField::SubFolderCount:
            row.insert(QStringLiteral("subfolders"), double(set.extra(rec, 1)));
            break;
        case ResultField::LatestAccess:
            putTime(row, QStringLiteral("latest_access"), r.atime);
            break;
        default:
            break;
        }
    }
    if (searchPathFlag)
        row.insert(QStringLiteral("on_search_path"), r.has(ResultRecord::Tagged));
    return row;
}

} // namespace

QJsonObject reportJson(const ReportTable& table, const ReportRequest& request)
{
    QJsonObject doc;
    doc.insert(QStringLiteral("tool"), QLatin1String(toolName(request.tool)));
    doc.insert(QStringLiteral("paths"), QJsonArray::fromStringList(request.paths));
    if (!table.lines) {
        doc.insert(QStringLiteral("statistics"), table.statistics);
        return doc;
    }
    if (request.tool == ReportTool::Dups) {
        QJsonArray groups;
        std::size_t begin = 0;
        for (std::size_t end : table.groupEnds) {
            QJsonArray group;
            for (std::size_t i = begin; i < end; ++i)
                group.append(jsonRow(*table.lines, table.rows[i], false));
            groups.append(group);
            begin = end;
        }
        doc.insert(QStringLiteral("groups"), groups);
        return doc;
    }
    QJsonArray rows;
    for (std::uint32_t rec : table.rows)
        rows.append(jsonRow(*table.lines, rec, request.tool == ReportTool::Clean));
    doc.insert(QStringLiteral("rows"), rows);
    return doc;
}

} // namespace rw
