#include "report/core/ReportWriter.h"

#include <QDateTime>
#include <QJsonArray>

#include "platform/DisplayName.h"

namespace rw
{

bool textKeepsBytes(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

bool writeReportTsv(const ReportTable& table, bool nulTerminated,
                    const std::function<bool(const QByteArray& piece)>& sink)
{
    const char16_t end = nulTerminated ? u'\0' : u'\n';
    constexpr qsizetype kPiece = 128 * 1024; // UTF-16 units, about 256 KiB of text
    QString text;
    text.reserve(kPiece + 4096);
    const auto flush = [&](bool last) {
        if (text.size() < kPiece && !last)
            return true;
        const bool ok = text.isEmpty() || sink(text.toUtf8());
        text.clear();
        return ok;
    };
    if (!table.lines) {
        for (const QString& row : table.textRows) {
            text += row;
            text += end;
            if (!flush(false))
                return false;
        }
        return flush(true);
    }
    const ResultLines& lines = *table.lines;
    const bool allFields = table.tsvFields.size() == lines.fieldCount() && !table.tsvTrailingTab;
    const ResultSet& set = lines.set();
    const std::size_t rowCount = table.rows.size();
    for (std::size_t row = 0; row < rowCount; ++row) {
        // Sorted rows visit the records out of their order: each is fetched
        // some rows ahead, its name a few rows after that.
        if (row + 16 < rowCount)
            set.prefetch(table.rows[row + 16], false);
        if (row + 8 < rowCount)
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
        text += end;
        if (!flush(false))
            return false;
    }
    return flush(true);
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
