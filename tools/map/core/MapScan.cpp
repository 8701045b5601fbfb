#include "tools/map/core/MapScan.h"

namespace rw
{

MapScan::MapScan() = default;

MapTree MapScan::takeTree()
{
    m_open = 0;
    return m_builder.finish();
}

void MapScan::folderUnreadable(const WalkFolder& folder, int error)
{
    (void)error;
    // Told while its parent is the folder being built.
    m_unreadable << folder.path;
    m_builder.markIncomplete();
}

void MapScan::folderEntered(const WalkFolder& folder)
{
    if (m_open == 0) {
        // The root keeps its whole path as its name.
        m_builder.enterFolder(std::string_view(folder.path.constData(), folder.path.size()),
                              folder.dev, folder.ino);
    } else {
        const qsizetype slash = folder.path.lastIndexOf('/');
        const QByteArray& p = folder.path;
        m_builder.enterFolder(std::string_view(p.constData() + slash + 1, p.size() - slash - 1),
                              folder.dev, folder.ino);
    }
    ++m_open;
}

Verdict MapScan::fileMatched(const FileRecord& file)
{
    const FileStatus& s = file.status;
    m_builder.addFile(file.name, s.size, std::int64_t(s.blocks) * 512,
                      m_classifier.classOf(file.name), s.dev, s.ino, s.nlink);
    return Verdict::Skip;
}

Verdict MapScan::folderDone(const WalkFolder& folder, const FolderTotals& totals)
{
    (void)folder;
    (void)totals;
    if (m_open > 0) {
        m_builder.leaveFolder();
        --m_open;
    }
    return Verdict::Skip;
}

} // namespace rw
