#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/ResultLines.h"
#include "framework/core/ResultSet.h"

namespace rw
{

// The files of one folder that match a mask, as result records: folder 0 of
// the set is the folder listed (with the identity of the descriptor the
// listing read), and the records are its files in the order they are shown.
struct FolderListing {
    bool readable = true; // false when the folder could not be opened or read
    int error = 0;        // errno of that failure
    std::shared_ptr<ResultSet> set = std::make_shared<ResultSet>();
    std::int64_t totalSize = 0; // sum of the listed sizes

    std::uint32_t count() const { return set->size(); }
    // When the folder could not be (wholly) read: a sentence naming the
    // folder (given as its bytes) and the system's reason; empty otherwise.
    QString unreadableText(const QByteArray& folder) const;
};

// Lists the files of `folder` (the file system's bytes) whose names match the
// wildcard `mask` (the command-line rules of platform/Wildcard.h; "*.*" lists
// every file). Hidden entries (a name beginning with '.'), system entries
// (devices, FIFOs, sockets) and folders are left out; a symbolic link is
// listed as a file of its own size and is never followed. The files come in
// the order of their shown names (displayName) compared without regard to
// case, equal ones in the order of their bytes. A folder that cannot be read
// gives the entries read before the failure and `readable` false; one that
// cannot be opened gives an empty set without folders.
// `step` (may be empty) is called after every kListingStep entries looked
// at, with the count so far, so a window can show progress and let events
// run while a folder of hundreds of thousands of files is listed.
FolderListing listFolderFiles(const QByteArray& folder, const QString& mask,
                              const std::function<void(std::int64_t done)>& step = {});

// Entries between two calls of a listing's step.
constexpr std::int64_t kListingStep = 4096;

// The six grid fields of a listed file: modified date, modified time, access
// date, grouped size, name and type description (empty for a name without
// an extension).
QList<ResultField> folderListingLayout();

// The lines of a listing in that layout.
std::shared_ptr<ResultLines> folderListingLines(const FolderListing& listing);

} // namespace rw
