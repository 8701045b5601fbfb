#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#include "platform/DosDateTime.h"

namespace rw
{

// One file of a folder listing.
struct ListedFile {
    QByteArray name;   // the name as the file system gave it
    QString shownName; // the name decoded for display
    std::int64_t size = 0;
    PackedDateTime modified = 0; // last write, packed local time (0: not recorded)
    PackedDateTime accessed = 0; // last access
};

// The files of one folder that match a mask.
struct FolderListing {
    bool readable = true; // false when the folder could not be opened or read
    int error = 0;        // errno of that failure
    std::vector<ListedFile> files;
    std::int64_t totalSize = 0; // sum of the listed sizes
};

// Lists the files of `folder` whose names match the wildcard `mask` (the
// command-line rules of platform/Wildcard.h; "*.*" lists every file). Hidden
// entries (a name beginning with '.'), system entries (devices, FIFOs,
// sockets) and folders are left out; a symbolic link is listed as a file of
// its own size and is never followed. The files come in the order of their
// shown names compared without regard to case. A folder that cannot be read
// gives the entries read before the failure and `readable` false.
FolderListing listFolderFiles(const QString& folder, const QString& mask);

// The six grid cells of a listed file: modified date, modified time, access
// date, grouped size, name and type description (empty for a name without
// an extension).
QStringList folderListingCells(const ListedFile& file);

} // namespace rw
