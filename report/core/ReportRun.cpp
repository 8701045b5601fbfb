#include "report/core/ReportRun.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QSysInfo>

#include <cerrno>
#include <cstring>

#include <algorithm>

#include "base/Settings.h"
#include "framework/core/FolderWalker.h"
#include "framework/core/WalkExclusions.h"
#include "history/core/HistoryTap.h"
#include "history/core/ScanKeeper.h"
#include "platform/DisplayName.h"
#include "tools/clean/core/CleanScan.h"
#include "tools/clean/core/TempPatterns.h"
#include "tools/dirhog/core/DirHogScan.h"
#include "tools/dup/core/ContentDupFinder.h"
#include "tools/dup/core/DupScan.h"
#include "tools/dup/core/FolderDupFinder.h"
#include "tools/dup/core/FolderDupScan.h"
#include "tools/mods/core/ModsScan.h"
#include "tools/stats/core/StatsCollector.h"
#include "tools/stats/core/StatsTexts.h"

namespace rw
{

namespace
{

QString cannotRead(const QByteArray& path, int error)
{
    const QString reason = error == ESTALE ? QStringLiteral("it moved while it was read")
                                           : QString::fromLocal8Bit(std::strerror(error));
    return QStringLiteral("cannot read '%1': %2").arg(displayName(path), reason);
}

// Walks each path as a drive of its own: the walk's rules (no hidden
// folders, no links, one file system) hold below every path given.
void walkPaths(const ReportRequest& request, WalkStrategy& strategy, MessageResponder& reporter,
               const ReportProgress& progress, ReportProblems* problems)
{
    bool abort = false;
    FolderWalker walker(strategy, abort, reporter);
    WalkExclusions exclusions;
    for (const QByteArray& pattern : request.excludes)
        exclusions.add(pattern);
    if (!exclusions.isEmpty())
        walker.setExclusions(&exclusions);
    walker.setDiskUsage(request.diskUsage);
    walker.setHelperThreads(request.threads);
    walker.setSkipCallback([&](const QByteArray& path, int error) {
        ShowErrorMessage(reporter, cannotRead(path, error));
        if (problems)
            ++problems->unreadableFolders;
    });
    if (progress)
        walker.setProgressCallback(
            [&](const WalkFolder& folder) {
                progress(ReportProgressInfo{&folder, walker.examinedCount(), walker.folderCount(),
                                            walker.bytesSeen()});
            },
            std::chrono::milliseconds(100));
    for (const QString& path : request.paths) {
        DriveInfo drive;
        drive.letter = QLatin1Char('C');
        drive.root = path;
        if (!walker.walkTree(drive, path)) {
            ShowErrorMessage(reporter, cannotRead(QFile::encodeName(path), walker.rootError()));
            if (problems)
                problems->unreadablePaths << path;
        }
        if (abort)
            break;
    }
}

std::vector<std::uint32_t> allRecords(const ResultSet& set)
{
    std::vector<std::uint32_t> rows(set.size());
    for (std::uint32_t i = 0; i < set.size(); ++i)
        rows[i] = i;
    return rows;
}

QList<int> fieldRange(int count)
{
    QList<int> fields;
    for (int i = 0; i < count; ++i)
        fields << i;
    return fields;
}

// The ends of the groups of a content or folder comparison.
void takeGroupEnds(const ContentGroups& groups, ReportTable& table)
{
    table.rows = groups.rows;
    for (std::size_t i = 1; i < groups.rowGroup.size(); ++i)
        if (groups.rowGroup[i] != groups.rowGroup[i - 1])
            table.groupEnds.push_back(i);
    if (!table.rows.empty())
        table.groupEnds.push_back(table.rows.size());
}

// --threads 0 still needs one worker to read with; unset, one per core.
int contentWorkers(const ReportRequest& request)
{
    return request.threads < 0 ? 0 : std::max(request.threads, 1);
}

void duplicateFolders(const ReportRequest& request, ReportTable& table, MessageResponder& reporter,
                      const ReportProgress& progress, ReportProblems* unreadable)
{
    FolderDupScan scan;
    walkPaths(request, scan, reporter, progress, unreadable);
    table.lines = scan.lines();
    table.tsvFields = fieldRange(table.lines->fieldCount());
    FolderDupFinder finder(contentWorkers(request));
    finder.run(scan, request.sizeFilter);
    takeGroupEnds(finder.result(), table);
}

void fileHogsOrDuplicates(const ReportRequest& request, ReportTable& table,
                          MessageResponder& reporter, const ReportProgress& progress,
                          ReportProblems* unreadable)
{
    if (request.tool == ReportTool::Dups && request.matchMode == mmFolders) {
        duplicateFolders(request, table, reporter, progress, unreadable);
        return;
    }
    const bool duplicates = request.tool == ReportTool::Dups;
    DupScan scan(duplicates, request.matchMode, request.sizeFilter, request.pattern);
    walkPaths(request, scan, reporter, progress, unreadable);
    table.lines = scan.lines();
    table.tsvFields = fieldRange(table.lines->fieldCount());
    if (!duplicates) {
        // The finder's result lines: the sorted collection, last first.
        scan.sortLines();
        const std::vector<std::uint32_t>& sorted = scan.collection();
        table.rows.assign(sorted.rbegin(), sorted.rend());
        return;
    }
    if (request.matchMode == mmContents) {
        // Identical bytes: the finder's groups, largest waste first; names of
        // one file (hard links) are never a group by themselves.
        ContentDupFinder finder(table.lines->set(), contentWorkers(request));
        finder.run(scan.collection());
        takeGroupEnds(finder.result(), table);
        return;
    }
    table.rows = scan.resultRecords();
    // addDups puts each group's records together; a group ends where the key
    // changes.
    QString previous;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const QString key = dupKey(*table.lines, table.rows[i], request.matchMode);
        if (i > 0 && key != previous)
            table.groupEnds.push_back(i);
        previous = key;
    }
    if (!table.rows.empty())
        table.groupEnds.push_back(table.rows.size());
}

void folderHogs(const ReportRequest& request, ReportTable& table, MessageResponder& reporter,
                const ReportProgress& progress, ReportProblems* unreadable)
{
    DirHogScan scan(request.allFolders ? DirHogMode::AllFolders : DirHogMode::MainFolders);
    // The history's totals are taken in the same walk: a tap in front of
    // the folder hog scan.
    HistoryTap tap(scan);
    const std::int64_t taken = QDateTime::currentSecsSinceEpoch();
    walkPaths(request, tap, reporter, progress, unreadable);
    if (request.saveHistory) {
        const HistorySettings settings = readHistorySettings();
        const QString location = !settings.keep            ? QString()
                                 : request.store.isEmpty() ? ScanKeeper::storeLocation(settings)
                                                           : request.store;
        if (!location.isEmpty()) {
            ScanToKeep keep;
            keep.host = QSysInfo::machineHostName();
            keep.taken = taken;
            keep.kind = QStringLiteral("report");
            keep.roots = tap.takeRoots();
            const KeepOutcome outcome = ScanKeeper::keep(location, keep, taken);
            if (!outcome.error.isEmpty())
                ShowErrorMessage(
                    reporter,
                    QStringLiteral("the scan was not kept in the history: %1").arg(outcome.error));
        }
    }
    table.lines = scan.lines();
    table.rows = scan.recordsDescending();
    table.tsvFields = fieldRange(table.lines->fieldCount());
}

void filesByDate(const ReportRequest& request, ReportTable& table, MessageResponder& reporter,
                 const ReportProgress& progress, ReportProblems* unreadable)
{
    ModsScan scan(request.testedTime, request.dateRange, request.start, request.end,
                  request.pattern);
    walkPaths(request, scan, reporter, progress, unreadable);
    table.lines = scan.lines();
    table.rows = allRecords(*scan.records());
    // The window copies the columns Filename to Size, each followed by a tab.
    table.tsvFields = fieldRange(mcFolder);
    table.tsvTrailingTab = true;
}

void temporaryFiles(const ReportRequest& request, ReportTable& table, MessageResponder& reporter,
                    const ReportProgress& progress, ReportProblems* unreadable)
{
    CleanScan scan(ReadTempFilesFromDisk(reporter));
    walkPaths(request, scan, reporter, progress, unreadable);
    table.lines = scan.lines();
    table.rows = allRecords(*scan.records());
    // A run ends with the window's size sort, largest first and stable.
    const ResultSet& set = table.lines->set();
    std::stable_sort(table.rows.begin(), table.rows.end(),
                     [&set](std::uint32_t a, std::uint32_t b) {
                         return set.record(a).size > set.record(b).size;
                     });
    table.tsvFields = fieldRange(ccColumnCount);
}

QJsonArray bucketRows(const QStringList& labels, const std::function<Bucket(int)>& bucket)
{
    QJsonArray rows;
    for (int i = 0; i < labels.size(); ++i) {
        const Bucket b = bucket(i);
        rows.append(QJsonObject{{QStringLiteral("class"), labels[i]},
                                {QStringLiteral("count"), double(b.count)},
                                {QStringLiteral("bytes"), double(b.bytes)}});
    }
    return rows;
}

void statistics(const ReportRequest& request, ReportTable& table, MessageResponder& reporter,
                const ReportProgress& progress, ReportProblems* unreadable)
{
    StatsCollector stats;
    // Slack is a figure of one file system's cluster sizes: one path only,
    // as the window gathers it for a single drive.
    stats.setSlackEnabled(request.paths.size() == 1);
    stats.clear();
    walkPaths(request, stats, reporter, progress, unreadable);

    QStringList& out = table.textRows;
    QJsonObject& json = table.statistics;
    const auto addBuckets = [&](const QString& name, const QStringList& labels,
                                const std::function<Bucket(int)>& bucket) {
        for (int i = 0; i < labels.size(); ++i) {
            const Bucket b = bucket(i);
            out << QStringList{name, labels[i], QString::number(b.count), QString::number(b.bytes)}
                       .join(QLatin1Char('\t'));
        }
        json.insert(name, bucketRows(labels, bucket));
    };

    QStringList sizeLabels;
    for (int i = 0; i < StatsCollector::kSizeClasses; ++i)
        sizeLabels << sizeClassLabel(i);
    QStringList ageLabels;
    for (int i = 0; i < StatsCollector::kAgeClasses; ++i)
        ageLabels << ageClassLabel(i);
    addBuckets(QStringLiteral("size"), sizeLabels, [&](int i) { return stats.sizeClass(i); });
    const struct {
        const char* name;
        StatsCollector::AgeKind kind;
    } ages[] = {{"access", StatsCollector::Access},
                {"created", StatsCollector::Creation},
                {"modified", StatsCollector::Modification}};
    for (const auto& age : ages)
        addBuckets(QLatin1String(age.name), ageLabels,
                   [&](int i) { return stats.ageClass(age.kind, i); });

    QJsonArray hours;
    for (int h = 0; h < 24; ++h) {
        const QString hour = QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0'));
        out << QStringList{QStringLiteral("hour"), hour, QString::number(stats.modificationHour(h)),
                           QString::number(stats.creationHour(h))}
                   .join(QLatin1Char('\t'));
        hours.append(QJsonObject{{QStringLiteral("hour"), h},
                                 {QStringLiteral("modified"), double(stats.modificationHour(h))},
                                 {QStringLiteral("created"), double(stats.creationHour(h))}});
    }
    json.insert(QStringLiteral("hour"), hours);

    const QStringList attributeLabels = {QStringLiteral("read-only"), QStringLiteral("hidden"),
                                         QStringLiteral("system"), QStringLiteral("archive")};
    addBuckets(QStringLiteral("attribute"), attributeLabels,
               [&](int i) { return stats.attribute(StatsCollector::AttributeRow(i)); });

    QJsonArray types;
    for (const TypeRow& t : stats.types()) {
        out << QStringList{QStringLiteral("type"), t.extension, QString::number(t.count),
                           QString::number(t.bytes)}
                   .join(QLatin1Char('\t'));
        types.append(QJsonObject{{QStringLiteral("extension"), t.extension},
                                 {QStringLiteral("count"), double(t.count)},
                                 {QStringLiteral("bytes"), double(t.bytes)}});
    }
    json.insert(QStringLiteral("type"), types);

    if (stats.slackEnabled()) {
        QJsonArray slack;
        for (int i = 0; i < StatsCollector::kSlackSizes; ++i) {
            out << QStringList{QStringLiteral("slack"), clusterSizeLabel(i),
                               QString::number(StatsCollector::kClusterSizes[std::size_t(i)]),
                               QString::number(stats.slack(i))}
                       .join(QLatin1Char('\t'));
            slack.append(QJsonObject{
                {QStringLiteral("cluster"), double(StatsCollector::kClusterSizes[std::size_t(i)])},
                {QStringLiteral("bytes"), double(stats.slack(i))}});
        }
        json.insert(QStringLiteral("slack"), slack);
    }
    json.insert(QStringLiteral("files_processed"), double(stats.filesProcessed()));
    json.insert(QStringLiteral("files_found"), double(stats.filesFound()));
    if (stats.filesProcessed() == 0)
        out.clear(); // nothing found: the exit status says so
}

} // namespace

void largestFirst(ReportTable& table, ReportTool tool)
{
    if (!table.lines)
        return;
    const ResultSet& set = table.lines->set();
    if (tool == ReportTool::Hogs || tool == ReportTool::DirHogs) {
        // Sizes are copied out beside each row's place first: sorting a
        // million rows by looking into scattered records would spend its
        // time on cache misses. The place breaks ties, which keeps the
        // window's order among equal sizes.
        struct Key {
            std::int64_t size;
            std::uint32_t place;
        };
        std::vector<Key> keys(table.rows.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
            keys[i] = {set.record(table.rows[i]).size, std::uint32_t(i)};
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            return a.size != b.size ? a.size > b.size : a.place < b.place;
        });
        std::vector<std::uint32_t> rows(table.rows.size());
        for (std::size_t i = 0; i < keys.size(); ++i)
            rows[i] = table.rows[keys[i].place];
        table.rows = std::move(rows);
        return;
    }
    if (tool != ReportTool::Dups || table.groupEnds.size() < 2)
        return;
    // Whole groups move, by their largest file.
    struct Group {
        std::size_t begin, end;
        std::int64_t largest;
    };
    std::vector<Group> groups;
    std::size_t begin = 0;
    for (std::size_t end : table.groupEnds) {
        std::int64_t largest = 0;
        for (std::size_t i = begin; i < end; ++i)
            largest = std::max(largest, set.record(table.rows[i]).size);
        groups.push_back({begin, end, largest});
        begin = end;
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group& a, const Group& b) { return a.largest > b.largest; });
    std::vector<std::uint32_t> rows;
    rows.reserve(table.rows.size());
    table.groupEnds.clear();
    for (const Group& g : groups) {
        rows.insert(rows.end(), table.rows.begin() + std::ptrdiff_t(g.begin),
                    table.rows.begin() + std::ptrdiff_t(g.end));
        table.groupEnds.push_back(rows.size());
    }
    table.rows = std::move(rows);
}

namespace
{

// The whole listing backwards, groups and the rows within them alike.
void reverseAll(ReportTable& table)
{
    std::reverse(table.rows.begin(), table.rows.end());
    if (table.groupEnds.empty())
        return;
    std::vector<std::size_t> ends;
    const std::size_t total = table.rows.size();
    // A group that ended at e now begins at total - e.
    for (auto it = table.groupEnds.rbegin() + 1; it != table.groupEnds.rend(); ++it)
        ends.push_back(total - *it);
    ends.push_back(total);
    table.groupEnds = std::move(ends);
}

} // namespace

void sortReportRows(ReportTable& table, ReportSortKey key, bool reverse)
{
    if (!table.lines)
        return;
    if (key == ReportSortKey::Default) {
        if (reverse)
            reverseAll(table);
        return;
    }
    const ResultSet& set = table.lines->set();
    const ResultLines& lines = *table.lines;
    // Each key in its natural direction: sizes and dates from the top, texts
    // from A.
    const auto before = [&](std::uint32_t a, std::uint32_t b) {
        const ResultRecord& ra = set.record(a);
        const ResultRecord& rb = set.record(b);
        switch (key) {
        case ReportSortKey::Default:
            return false;
        case ReportSortKey::Size:
            return ra.size > rb.size;
        case ReportSortKey::Date:
            return ra.mtime > rb.mtime;
        case ReportSortKey::Name:
            return QString::compare(set.nameText(a), set.nameText(b), Qt::CaseInsensitive) < 0;
        case ReportSortKey::Path:
            return set.pathBytes(a) < set.pathBytes(b);
        case ReportSortKey::Type:
            return QString::compare(lines.fieldText(a, ResultField::Type),
                                    lines.fieldText(b, ResultField::Type), Qt::CaseInsensitive) < 0;
        }
        return false;
    };
    std::vector<std::size_t> ends = table.groupEnds;
    if (ends.empty())
        ends.push_back(table.rows.size());
    std::size_t begin = 0;
    for (std::size_t end : ends) {
        const auto first = table.rows.begin() + std::ptrdiff_t(begin);
        const auto last = table.rows.begin() + std::ptrdiff_t(end);
        // Stable both ways: reversed, equal keys still keep the default order.
        if (reverse)
            std::stable_sort(first, last,
                             [&](std::uint32_t a, std::uint32_t b) { return before(b, a); });
        else
            std::stable_sort(first, last, before);
        begin = end;
    }
}

ReportTable runReport(const ReportRequest& request, MessageResponder& reporter,
                      const ReportProgress& progress, ReportProblems* unreadablePaths)
{
    ReportTable table;
    switch (request.tool) {
    case ReportTool::Hogs:
    case ReportTool::Dups:
        fileHogsOrDuplicates(request, table, reporter, progress, unreadablePaths);
        break;
    case ReportTool::DirHogs:
        folderHogs(request, table, reporter, progress, unreadablePaths);
        break;
    case ReportTool::Dates:
        filesByDate(request, table, reporter, progress, unreadablePaths);
        break;
    case ReportTool::Clean:
        temporaryFiles(request, table, reporter, progress, unreadablePaths);
        break;
    case ReportTool::Stats:
        statistics(request, table, reporter, progress, unreadablePaths);
        break;
    }
    // The text format is the window's clipboard copy, its order included.
    if (request.format != ReportFormat::Text)
        largestFirst(table, request.tool);
    sortReportRows(table, request.sortKey, request.reverse);
    return table;
}

} // namespace rw
