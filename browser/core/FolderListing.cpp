#include "browser/core/FolderListing.h"
#include "base/SaturatingSum.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/DirListing.h"
#include "platform/DisplayName.h"
#include "platform/FileAttributes.h"
#include "platform/Wildcard.h"

namespace rw
{

namespace
{

struct Entry {
    std::string_view name; // into the listing's buffer
    QString shown;
    FileStatus status;
};

} // namespace

FolderListing listFolderFiles(const QByteArray& folder, const QString& mask,
                              const std::function<void(std::int64_t)>& step)
{
    FolderListing out;
    DirListing dir;
    // A folder given through a link (a mapped drive, say) is still listed;
    // the entries inside it are never followed.
    if (!dir.open(folder, true)) {
        out.readable = false;
        out.error = dir.error();
        return out;
    }
    if (!dir.readAll()) {
        out.readable = false;
        out.error = dir.error();
    }
    // The folder as the descriptor sees it: a delete later must find this
    // very folder, not whatever carries its name by then.
    FileStatus self;
    FileIdentity identity;
    if (dir.selfStatus(&self))
        identity = FileIdentity{self.dev, self.ino, FileIdentity::Type::Folder};
    const std::uint32_t folderIndex = out.set->addFolder(folder, identity);

    const Wildcard wildcard(mask.isEmpty() ? QStringLiteral("*.*") : mask);
    constexpr std::uint32_t kLeftOut = faHidden | faSysFile | faDirectory;
    std::vector<Entry> entries;
    std::size_t cursor = 0;
    DirEntry entry;
    std::int64_t seen = 0;
    while (dir.next(cursor, &entry)) {
        if (step && ++seen % kListingStep == 0)
            step(seen);
        if (entry.isHidden() || entry.type == EntryType::Directory ||
            entry.type == EntryType::Special)
            continue;
        if (!wildcard.matchesEverything() && !wildcard.matches(entry.name))
            continue;
        Entry e{entry.name, QString(), FileStatus()};
        // The entry may have gone since the folder was read: leave it out.
        if (!dir.status(entry.name.data(), &e.status) || (e.status.attributes & kLeftOut))
            continue;
        e.shown = displayName(QByteArrayView(entry.name.data(), qsizetype(entry.name.size())));
        addTo(out.totalSize, e.status.size);
        entries.push_back(std::move(e));
    }

    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int byText = a.shown.compare(b.shown, Qt::CaseInsensitive);
        return byText != 0 ? byText < 0 : a.name < b.name;
    });
    for (const Entry& e : entries)
        out.set->add(folderIndex, e.name, e.status);
    return out;
}

QString FolderListing::unreadableText(const QByteArray& folder) const
{
    if (readable)
        return QString();
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    // A folder opened but not read to its end shows what was read.
    return (set->folderCount() == 0
                ? QCoreApplication::translate("FolderListing", "Cannot read the folder %1: %2")
                : QCoreApplication::translate("FolderListing",
                                              "The folder %1 could only be read in part: %2"))
        .arg(displayName(folder), reason);
}

QList<ResultField> folderListingLayout()
{
    return {ResultField::ModifiedDate, ResultField::ModifiedTime, ResultField::AccessDate,
            ResultField::Size,         ResultField::Name,         ResultField::Type};
}

std::shared_ptr<ResultLines> folderListingLines(const FolderListing& listing)
{
    return std::make_shared<ResultLines>(listing.set, folderListingLayout());
}

} // namespace rw
