#include "tools/grew/core/GrowthList.h"

namespace rw
{

QList<ResultField> growthLineLayout()
{
    return {ResultField::GrowthChange,   ResultField::SizeBefore,  ResultField::Size,
            ResultField::SizeDifference, ResultField::ChangeShare, ResultField::FullPath};
}

std::shared_ptr<ResultLines> growthLines(const QByteArray& root,
                                         const std::vector<FolderGrowthRow>& rows)
{
    auto set = std::make_shared<ResultSet>();
    set->setExtraCount(3);
    std::int64_t whole = 0;
    for (const FolderGrowthRow& row : rows)
        if (row.path.isEmpty())
            whole = row.difference();
    // The scans hold no identities of their own: the folders are named by
    // path only (a row is opened by its path, as the user asks).
    const FileIdentity noIdentity{0, 0, FileIdentity::Type::Folder};
    const QByteArray prefix = root.endsWith('/') ? root : root + '/';
    for (const FolderGrowthRow& row : rows) {
        if (row.change == FolderGrowthRow::Change::Same)
            continue;
        FileStatus status;
        status.size = row.after;
        status.attributes = faDirectory;
        std::uint32_t rec = 0;
        if (row.path.isEmpty()) {
            rec = set->add(set->addFolder(root, noIdentity), {}, status);
        } else {
            const QByteArray full = prefix + row.path;
            const qsizetype slash = full.lastIndexOf('/');
            const QByteArray folder = slash == 0 ? QByteArray("/") : full.left(slash);
            const std::string_view name(full.constData() + slash + 1,
                                        std::size_t(full.size() - slash - 1));
            rec = set->add(set->addFolder(folder, noIdentity), name, status);
        }
        set->setExtra(rec, 0, row.before);
        set->setExtra(rec, 1, std::int64_t(row.change));
        set->setExtra(rec, 2, whole);
    }
    return std::make_shared<ResultLines>(set, growthLineLayout());
}

std::vector<StoredScan> comparableScans(const std::vector<StoredScan>& scans)
{
    std::vector<StoredScan> out;
    for (const StoredScan& s : scans)
        if (s.complete)
            out.push_back(s);
    return out;
}

int scanAWeekBefore(const std::vector<StoredScan>& scans, std::int64_t taken)
{
    constexpr std::int64_t kWeek = 7 * 24 * 3600;
    int oldest = -1;
    for (int i = 0; i < int(scans.size()); ++i) {
        if (scans[std::size_t(i)].taken >= taken)
            continue;
        if (scans[std::size_t(i)].taken <= taken - kWeek)
            return i;
        oldest = i;
    }
    return oldest;
}

} // namespace rw
