#include "tools/dirhog/core/DirHogScan.h"

#include "app/core/SharedRoutines.h"
#include "platform/DosDateTime.h"

#include <QLocale>

#include <algorithm>

namespace rw
{

QString percentUsedText(std::int64_t bytes, std::int64_t capacity)
{
    if (capacity <= bytes)
        return QStringLiteral("???");
    const double percent = double(bytes) * 100.0 / double(capacity);
    return QLocale().toString(percent, 'f', 2);
}

QString folderHogLine(const FolderHogTotals& totals, std::int64_t capacity, const QString& path)
{
    const QChar tab = QLatin1Char('\t');
    // The latest access is packed only here, once per line: the walk keeps
    // plain seconds, which order the same way.
    const QString date =
        totals.latestAccess > 0 ? PackedDateText(packFileTime(totals.latestAccess)) : QString();
    return FormatGrouped(totals.bytes) + tab + percentUsedText(totals.bytes, capacity) + tab +
           QString::number(totals.files) + tab + QString::number(totals.subFolders) + tab + date +
           tab + path;
}

void sortLinesDescending(QStringList& lines)
{
    std::sort(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        if (folded != 0)
            return folded > 0;
        return a.compare(b, Qt::CaseSensitive) > 0;
    });
}

DirHogScan::DirHogScan(DirHogMode mode) : m_mode(mode) {}

void DirHogScan::clear()
{
    m_lines.clear();
    startLine();
}

QStringList DirHogScan::linesDescending() const
{
    QStringList sorted = m_lines;
    sortLinesDescending(sorted);
    return sorted;
}

void DirHogScan::startLine()
{
    m_current = FolderHogTotals();
    m_linked.clear();
}

void DirHogScan::driveStarted(const DriveInfo& drive, const QString& entryText)
{
    (void)entryText;
    if (m_capacityOverride >= 0) {
        m_capacity = m_capacityOverride;
        return;
    }
    DriveGeometry geometry;
    m_capacity = pathGeometry(drive.root, &geometry) ? geometry.totalBytes() : 0;
}

void DirHogScan::folderEntered(const WalkFolder& folder)
{
    if (m_mode != DirHogMode::MainFolders)
        return;
    // A main folder starts its line; every folder entered below it is one
    // more sub-folder of that line, at any depth.
    if (folder.depth == 1)
        startLine();
    else if (folder.depth > 1)
        ++m_current.subFolders;
}

void DirHogScan::filesStarting(const WalkFolder& folder)
{
    (void)folder;
    if (m_mode == DirHogMode::AllFolders)
        startLine();
}

Verdict DirHogScan::fileMatched(const FileRecord& file)
{
    // Files lying directly in a root belong to no main folder.
    if (m_mode == DirHogMode::MainFolders && file.folder->depth == 0)
        return Verdict::Skip;
    const FileStatus& st = file.status;
    ++m_current.files;
    if (st.nlink <= 1 || m_linked.insert(InodeKey{st.dev, st.ino}).second)
        m_current.bytes += st.size;
    if (st.atime > m_current.latestAccess)
        m_current.latestAccess = st.atime;
    return Verdict::Skip;
}

Verdict DirHogScan::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    if (m_mode == DirHogMode::AllFolders) {
        m_current.subFolders = totals.subFolders;
    } else if (folder.depth != 1) {
        return Verdict::Skip;
    }
    m_lines.append(folderHogLine(m_current, m_capacity, folder.displayPath()));
    return Verdict::Keep;
}

} // namespace rw
