#include "tools/dirhog/core/DirHogScan.h"
#include "base/SaturatingSum.h"

#include <QCoreApplication>

#include <cstring>
#include <numeric>

namespace rw
{

namespace
{

std::shared_ptr<ResultSet> newSet()
{
    auto set = std::make_shared<ResultSet>();
    // # files, # sub-folders, the capacity of the line's drive, why the
    // folder could not be read, folders inside that could not be read.
    set->setExtraCount(5);
    return set;
}

} // namespace

QList<ResultField> dirHogLineLayout()
{
    return {ResultField::Size,           ResultField::PercentUsed,  ResultField::FileCount,
            ResultField::SubFolderCount, ResultField::LatestAccess, ResultField::FullPath};
}

DirHogScan::DirHogScan(DirHogMode mode) : m_mode(mode)
{
    clear();
}

void DirHogScan::clear()
{
    m_set = newSet();
    m_lines = std::make_shared<ResultLines>(m_set, dirHogLineLayout());
    m_lines->setCapacity(m_capacity);
    m_path.clear();
    startLine();
}

std::vector<std::uint32_t> DirHogScan::recordsDescending() const
{
    std::vector<std::uint32_t> order(m_set->size());
    std::iota(order.begin(), order.end(), 0u);
    m_lines->sortByLines(order, true);
    return order;
}

QStringList DirHogScan::linesDescending() const
{
    QStringList out;
    for (std::uint32_t rec : recordsDescending())
        out.append(m_lines->line(rec));
    return out;
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
    } else {
        DriveGeometry geometry;
        m_capacity = pathGeometry(drive.root, &geometry) ? geometry.totalBytes() : 0;
    }
    m_lines->setCapacity(m_capacity);
}

void DirHogScan::folderEntered(const WalkFolder& folder)
{
    // The folders on the way down, so a line can name its folder by the
    // parent the walk opened.
    const auto depth = std::size_t(folder.depth);
    if (m_path.size() <= depth)
        m_path.resize(depth + 1);
    m_path[depth] = {folder.path, FileIdentity{folder.dev, folder.ino, FileIdentity::Type::Folder}};

    if (m_mode != DirHogMode::MainFolders)
        return;
    // A main folder starts its line; every folder entered below it is one
    // more sub-folder of that line, at any depth.
    if (folder.depth == 1)
        startLine();
    else if (folder.depth > 1)
        ++m_current.subFolders;
}

void DirHogScan::folderUnreadable(const WalkFolder& folder, int error)
{
    if (m_mode == DirHogMode::MainFolders && folder.depth != 1) {
        // Below a main folder: that folder's totals miss what it holds.
        if (folder.depth > 1)
            ++m_current.unreadFolders;
        return;
    }
    // A line of its own with what could be read of it: nothing. The line
    // being totalled (its parent's, all-folder mode) is not touched.
    addLine(folder, FolderHogTotals(), error);
}

QString DirHogScan::incompleteNote(const ResultSet& set, std::uint32_t record)
{
    if (set.extraCount() <= kUnreadInside)
        return QString();
    const std::int64_t error = set.extra(record, kUnreadError);
    if (error != 0)
        return QCoreApplication::translate("DirHogScan",
                                           "This folder could not be read (%1): its size and "
                                           "counts hold nothing of it.")
            .arg(QString::fromLocal8Bit(std::strerror(int(error))));
    const std::int64_t inside = set.extra(record, kUnreadInside);
    if (inside > 0)
        return QCoreApplication::translate("DirHogScan",
                                           "%n folder(s) in it could not be read: its size and "
                                           "counts hold only what could be read.",
                                           nullptr, int(inside));
    return QString();
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
        addTo(m_current.bytes, st.size);
    if (st.atime > m_current.latestAccess)
        m_current.latestAccess = st.atime;
    return Verdict::Skip;
}

void DirHogScan::addLine(const WalkFolder& folder, const FolderHogTotals& totals, int unreadError)
{
    FileStatus status;
    status.size = totals.bytes;
    status.atime = totals.latestAccess;
    status.attributes = faDirectory;
    status.dev = folder.dev;
    status.ino = folder.ino;

    std::uint32_t parent = 0;
    std::string_view name;
    const auto depth = std::size_t(folder.depth);
    if (depth == 0 || depth > m_path.size()) {
        // The root has no parent the walk opened: the record is the root
        // folder itself.
        parent = m_set->addFolder(folder.path,
                                  FileIdentity{folder.dev, folder.ino, FileIdentity::Type::Folder});
    } else {
        const OpenFolder& up = m_path[depth - 1];
        parent = m_set->addFolder(up.path, up.identity);
        // The walk forms a child's path as the parent's, a '/' unless the
        // parent ends in one, and the name.
        const qsizetype start = up.path.size() + (up.path.endsWith('/') ? 0 : 1);
        name = std::string_view(folder.path.constData() + start,
                                std::size_t(folder.path.size() - start));
    }
    const std::uint32_t rec = m_set->add(parent, name, status);
    m_set->setExtra(rec, 0, totals.files);
    m_set->setExtra(rec, 1, totals.subFolders);
    m_set->setExtra(rec, 2, m_capacity);
    m_set->setExtra(rec, kUnreadError, unreadError);
    m_set->setExtra(rec, kUnreadInside, totals.unreadFolders);
}

Verdict DirHogScan::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    if (m_mode == DirHogMode::AllFolders) {
        m_current.subFolders = totals.subFolders;
    } else if (folder.depth != 1) {
        return Verdict::Skip;
    }
    addLine(folder, m_current);
    return Verdict::Keep;
}

} // namespace rw
