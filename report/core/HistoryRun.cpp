#include "report/core/HistoryRun.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QSysInfo>

#include <cstdio>

#include "base/Messages.h"
#include "framework/core/FolderWalker.h"
#include "history/core/FolderGrowth.h"
#include "history/core/HistoryStore.h"
#include "history/core/NcduExportScan.h"
#include "history/core/NcduJson.h"
#include "history/core/ScanKeeper.h"
#include "report/core/ReportRowText.h"

namespace rw
{

namespace
{

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), std::size_t(bytes.size())};
}

QByteArray fullPath(const QByteArray& root, const QByteArray& rel)
{
    if (rel.isEmpty())
        return root;
    return root.endsWith('/') ? root + rel : root + '/' + rel;
}

// "path" as text, and "path_base64" with the exact bytes where the text
// cannot carry them, as every report row has them.
void appendJsonPath(QByteArray& out, const char* key, const QByteArray& path)
{
    out += '"';
    out += key;
    out += "\":\"";
    if (ReportRowText::keepsBytes(view(path))) {
        ReportRowText::appendJsonEscaped(out, view(path));
        out += '"';
        return;
    }
    QByteArray shown;
    ReportRowText::appendShown(shown, view(path));
    ReportRowText::appendJsonEscaped(out, view(shown));
    out += "\",\"";
    out += key;
    out += "_base64\":\"";
    out += path.toBase64();
    out += '"';
}

void appendJsonText(QByteArray& out, const QString& text)
{
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    ReportRowText::appendJsonEscaped(out, view(utf8));
    out += '"';
}

void appendJsonScan(QByteArray& out, const StoredScan& s)
{
    out += "{\"id\":";
    ReportRowText::appendNumber(out, s.id);
    out += ",\"host\":";
    appendJsonText(out, s.host);
    out += ",\"taken\":\"";
    ReportRowText::appendUtcTime(out, s.taken);
    out += "\",\"taken_epoch\":";
    ReportRowText::appendNumber(out, s.taken);
    out += ",\"kind\":";
    appendJsonText(out, s.kind);
    out += ",\"complete\":";
    out += s.complete ? "true" : "false";
    out += ",\"bytes\":";
    ReportRowText::appendNumber(out, s.rootBytes);
    out += ',';
    appendJsonPath(out, "root", s.root);
    out += '}';
}

const char* changeWord(FolderGrowthRow::Change change)
{
    switch (change) {
    case FolderGrowthRow::Change::Grown:
        return "grown";
    case FolderGrowthRow::Change::Shrunk:
        return "shrunk";
    case FolderGrowthRow::Change::New:
        return "new";
    case FolderGrowthRow::Change::Gone:
        return "gone";
    case FolderGrowthRow::Change::Same:
        break;
    }
    return "same";
}

// Pieces go out as they fill, so a long list never sits in memory twice.
class Output
{
public:
    explicit Output(const ReportSink& sink) : m_sink(sink) {}
    QByteArray& buffer() { return m_buffer; }
    bool flush(bool force = false)
    {
        if (!m_ok || (!force && m_buffer.size() < (256 << 10)))
            return m_ok;
        m_ok = m_buffer.isEmpty() || m_sink(m_buffer);
        m_buffer.clear();
        return m_ok;
    }

private:
    const ReportSink& m_sink;
    QByteArray m_buffer;
    bool m_ok = true;
};

// Closes a list (the JSON document's array) and writes out what is left.
int finishList(const HistoryCommand& c, Output& out)
{
    if (c.json)
        out.buffer() += "\n]}\n";
    return out.flush(true) ? 0 : 2;
}

QString scanLine(const StoredScan& s)
{
    return QStringLiteral("scan %1 of %2 (%3)")
        .arg(s.id)
        .arg(QDateTime::fromSecsSinceEpoch(s.taken).toString(Qt::ISODate), s.host);
}

int grew(const HistoryCommand& c, HistoryStore& store, MessageResponder& reporter, Output& out)
{
    const QByteArray root = QFile::encodeName(c.path);
    const QString host = c.host.isEmpty() ? QSysInfo::machineHostName() : c.host;
    const auto fail = [&](const QString& text) {
        ShowErrorMessage(reporter, QStringLiteral("grew: ") + text);
        return 2;
    };
    const auto byId = [&](std::int64_t id, StoredScan* s) {
        if (!store.scan(id, s))
            return fail(
                QStringLiteral("there is no scan %1 (see 'roomwise-report history')").arg(id));
        if (s->root != root)
            return fail(QStringLiteral("scan %1 is not a scan of %2").arg(id).arg(c.path));
        if (!s->complete)
            return fail(QStringLiteral("scan %1 is incomplete and is not compared").arg(id));
        return 0;
    };
    std::vector<StoredScan> complete;
    for (StoredScan& s : store.scans(root, host))
        if (s.complete)
            complete.push_back(std::move(s)); // newest first
    StoredScan after, before;
    if (c.toScan) {
        if (const int status = byId(c.toScan, &after))
            return status;
    } else if (!complete.empty()) {
        after = complete.front();
    }
    if (c.fromScan) {
        if (const int status = byId(c.fromScan, &before))
            return status;
    } else {
        const std::int64_t since = c.since.isValid() ? c.since.startOfDay().toSecsSinceEpoch() : 0;
        for (const StoredScan& s : complete) {
            const bool earlier =
                s.taken < after.taken || (s.taken == after.taken && s.id < after.id);
            if (!earlier)
                continue;
            if (!c.since.isValid()) {
                before = s;
                break;
            }
            if (s.taken >= since)
                before = s; // the list runs newest first: the last one kept is the oldest
        }
    }
    if (after.id == 0 || before.id == 0)
        return fail(QStringLiteral("%1 has no two complete scans to compare on %2%3 (see "
                                   "'roomwise-report history')")
                        .arg(c.path, host,
                             c.since.isValid()
                                 ? QStringLiteral(" since ") + c.since.toString(Qt::ISODate)
                                 : QString()));
    if (!c.quiet)
        ShowInfoMessage(
            reporter,
            QStringLiteral("grew: %1 compared with %2").arg(scanLine(after), scanLine(before)));
    std::vector<FolderGrowthRow> rows;
    if (!store.compare(before.id, after.id, &rows))
        return fail(store.error());
    std::int64_t rootDifference = after.rootBytes - before.rootBytes;
    QByteArray& b = out.buffer();
    if (c.json) {
        b += "{\"command\":\"grew\",\"before\":";
        appendJsonScan(b, before);
        b += ",\"after\":";
        appendJsonScan(b, after);
        b += ",\"rows\":[";
    }
    bool first = true;
    for (const FolderGrowthRow& r : rows) {
        if (r.change == FolderGrowthRow::Change::Same && !c.allRows)
            continue;
        const double share = shareOfChange(r, rootDifference);
        const QByteArray path = fullPath(root, r.path);
        if (c.json) {
            b += first ? "\n{\"change\":\"" : ",\n{\"change\":\"";
            b += changeWord(r.change);
            b += "\",\"before\":";
            ReportRowText::appendNumber(b, r.before);
            b += ",\"after\":";
            ReportRowText::appendNumber(b, r.after);
            b += ",\"difference\":";
            ReportRowText::appendNumber(b, r.difference());
            b += ",\"percent_of_change\":";
            b += rootDifference == 0 ? QByteArray("null") : QByteArray::number(share, 'f', 2);
            b += ',';
            appendJsonPath(b, "path", path);
            b += '}';
        } else {
            b += changeWord(r.change);
            b += '\t';
            ReportRowText::appendNumber(b, r.before);
            b += '\t';
            ReportRowText::appendNumber(b, r.after);
            b += '\t';
            ReportRowText::appendNumber(b, r.difference());
            b += '\t';
            if (rootDifference != 0)
                b += QByteArray::number(share, 'f', 2);
            b += '\t';
            ReportRowText::appendShown(b, view(path));
            b += c.nulTerminated ? '\0' : '\n';
        }
        first = false;
        if (!out.flush())
            return 2;
    }
    return finishList(c, out);
}

int history(const HistoryCommand& c, HistoryStore& store, Output& out)
{
    const QByteArray root = c.path.isEmpty() ? QByteArray() : QFile::encodeName(c.path);
    QByteArray& b = out.buffer();
    if (c.json)
        b += "{\"command\":\"history\",\"scans\":[";
    bool first = true;
    for (const StoredScan& s : store.scans(root, c.host)) {
        if (c.json) {
            b += first ? "\n" : ",\n";
            appendJsonScan(b, s);
        } else {
            ReportRowText::appendNumber(b, s.id);
            b += '\t';
            const QByteArray host = s.host.toUtf8();
            ReportRowText::appendShown(b, view(host));
            b += '\t';
            ReportRowText::appendLocalTime(b, s.taken);
            b += '\t';
            const QByteArray kind = s.kind.toUtf8();
            ReportRowText::appendShown(b, view(kind));
            b += s.complete ? "\t1\t" : "\t0\t";
            ReportRowText::appendNumber(b, s.rootBytes);
            b += '\t';
            ReportRowText::appendShown(b, view(s.root));
            b += c.nulTerminated ? '\0' : '\n';
        }
        first = false;
        if (!out.flush())
            return 2;
    }
    return finishList(c, out);
}

int exportScan(const HistoryCommand& c, MessageResponder& reporter)
{
    const bool toStandardOutput = c.output == QLatin1String("-");
    QSaveFile file(c.output);
    QFile standardOutput;
    QIODevice* device = &file;
    if (toStandardOutput) {
        std::fflush(stdout);
        if (!standardOutput.open(stdout, QIODevice::WriteOnly)) {
            ShowErrorMessage(reporter, QStringLiteral("export: cannot write to standard output"));
            return 2;
        }
        device = &standardOutput;
    } else if (!file.open(QIODevice::WriteOnly)) {
        ShowErrorMessage(
            reporter,
            QStringLiteral("export: cannot write '%1': %2").arg(c.output, file.errorString()));
        return 2;
    }
    NcduExportScan scan(device);
    scan.begin(QDateTime::currentSecsSinceEpoch(), QSysInfo::machineHostName());
    bool abort = false;
    FolderWalker walker(scan, abort, reporter);
    int unreadable = 0;
    walker.setSkipCallback([&](const QByteArray& path, int error) {
        (void)error;
        ++unreadable;
        ShowErrorMessage(
            reporter, QStringLiteral("export: cannot read '%1'").arg(QString::fromLocal8Bit(path)));
    });
    DriveInfo drive;
    drive.letter = QLatin1Char('C');
    drive.root = c.path;
    if (!walker.walkTree(drive, c.path)) {
        ShowErrorMessage(reporter, QStringLiteral("export: cannot read '%1'").arg(c.path));
        return 2; // the half-written file is dropped
    }
    if (!scan.finish()) {
        ShowErrorMessage(reporter, QStringLiteral("export: %1").arg(scan.error()));
        return 2;
    }
    if (toStandardOutput) {
        standardOutput.flush();
    } else if (!file.commit()) {
        ShowErrorMessage(
            reporter,
            QStringLiteral("export: cannot write '%1': %2").arg(c.output, file.errorString()));
        return 2;
    }
    return unreadable > 0 ? 1 : 0;
}

int import(const HistoryCommand& c, HistoryStore& store, MessageResponder& reporter, Output& out)
{
    int status = 0;
    for (const QString& file : c.files) {
        QString error;
        const std::int64_t id = importNcduScan(store, file, &error, c.host);
        if (id == 0) {
            ShowErrorMessage(reporter, QStringLiteral("import: %1").arg(error));
            status = 2;
            continue;
        }
        StoredScan s;
        store.scan(id, &s);
        QByteArray& b = out.buffer();
        ReportRowText::appendNumber(b, id);
        b += '\t';
        const QByteArray host = s.host.toUtf8();
        ReportRowText::appendShown(b, view(host));
        b += s.complete ? "\t1\t" : "\t0\t";
        ReportRowText::appendShown(b, view(s.root));
        b += c.nulTerminated ? '\0' : '\n';
        if (!out.flush(true))
            return 2;
    }
    return status;
}

} // namespace

int runHistoryCommand(const HistoryCommand& command, const QString& storeLocation,
                      MessageResponder& reporter, const ReportSink& sink)
{
    if (command.kind == HistoryCommandKind::Export)
        return exportScan(command, reporter);
    HistoryStore store;
    const QString location = !command.store.isEmpty()   ? command.store
                             : !storeLocation.isEmpty() ? storeLocation
                                                        : HistoryStore::defaultLocation();
    if (!store.open(location)) {
        ShowErrorMessage(reporter, QStringLiteral("cannot open the history store %1: %2")
                                       .arg(ScanKeeper::shownLocation(location), store.error()));
        return 2;
    }
    Output out(sink);
    switch (command.kind) {
    case HistoryCommandKind::Grew:
        return grew(command, store, reporter, out);
    case HistoryCommandKind::History:
        return history(command, store, out);
    case HistoryCommandKind::Import:
        return import(command, store, reporter, out);
    case HistoryCommandKind::Export:
        break;
    }
    return 2;
}

} // namespace rw
