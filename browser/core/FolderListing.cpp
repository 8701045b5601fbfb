#include "browser/core/FolderListing.h"

#include <QFile>

#include <algorithm>

#include "app/core/SharedRoutines.h"
#include "framework/core/FileTypes.h"
#include "platform/DirListing.h"
#include "platform/FileAttributes.h"
#include "platform/Wildcard.h"

namespace rw
{

FolderListing listFolderFiles(const QString& folder, const QString& mask)
{
    FolderListing out;
    DirListing dir;
    // A folder given through a link (a mapped drive, say) is still listed;
    // the entries inside it are never followed.
    if (!dir.open(QFile::encodeName(folder), true)) {
        out.readable = false;
        out.error = dir.error();
        return out;
    }
    if (!dir.readAll()) {
        out.readable = false;
        out.error = dir.error();
    }
    const Wildcard wildcard(mask.isEmpty() ? QStringLiteral("*.*") : mask);
    constexpr std::uint32_t kLeftOut = faHidden | faSysFile | faDirectory;

    std::size_t cursor = 0;
    DirEntry entry;
    while (dir.next(cursor, &entry)) {
        if (entry.isHidden() || entry.type == EntryType::Directory ||
            entry.type == EntryType::Special)
            continue;
        if (!wildcard.matchesEverything() && !wildcard.matches(entry.name))
            continue;
        FileStatus status;
        // The entry may have gone since the folder was read: leave it out.
        if (!dir.status(entry.name.data(), &status) || (status.attributes & kLeftOut))
            continue;
        ListedFile file;
        file.name = QByteArray(entry.name.data(), qsizetype(entry.name.size()));
        file.shownName = QFile::decodeName(file.name);
        file.size = status.size;
        file.modified = packFileTime(status.mtime);
        file.accessed = packFileTime(status.atime);
        out.totalSize += file.size;
        out.files.push_back(std::move(file));
    }

    std::sort(out.files.begin(), out.files.end(), [](const ListedFile& a, const ListedFile& b) {
        const int byText = a.shownName.compare(b.shownName, Qt::CaseInsensitive);
        return byText != 0 ? byText < 0 : a.name < b.name;
    });
    return out;
}

QStringList folderListingCells(const ListedFile& file)
{
    return {PackedDateText(file.modified),
            PackedTimeText(file.modified),
            PackedDateText(file.accessed),
            FormatGrouped(file.size),
            file.shownName,
            FileTypeDescription(ExtensionOf(file.shownName))};
}

} // namespace rw
