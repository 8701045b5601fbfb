#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

#include "platform/DirListing.h"
#include "platform/Drives.h"

namespace rw
{

// A folder the walk is in. Paths are kept as the file system's bytes; the
// display text is formed only when someone asks for it, once per folder.
struct WalkFolder {
    QByteArray path; // e.g. "/home/ann/doc"; a drive root as given
    int depth = 0;   // 0 for the drive root
    const DriveInfo* drive = nullptr;
    const QString* driveEntry = nullptr; // the drive line that started the walk
    std::uint64_t dev = 0;               // the folder itself, as the walk opened it
    std::uint64_t ino = 0;

    // The path as text (decoded from the file system's bytes).
    const QString& displayPath() const;

private:
    mutable QString m_display;
    mutable bool m_displayMade = false;
    friend class FolderWalker;
};

// What the walk hands a strategy for one file. Valid only during the call:
// `name` points into the walk's listing buffer.
struct FileRecord {
    const WalkFolder* folder = nullptr;
    std::string_view name; // raw bytes of the name
    FileStatus status;

    std::int64_t size() const { return status.size; }
    std::uint32_t attributes() const { return status.attributes; }

    // The name as the file system's bytes, and the full path as bytes (for
    // file operations).
    QByteArray nameBytes() const { return QByteArray(name.data(), qsizetype(name.size())); }
    QByteArray pathBytes() const;

    // Display texts (decoded).
    QString displayName() const;
    QString displayPath() const;
    // The name's extension from its last '.' on, dot included; empty when
    // the name has no dot.
    QString extension() const;
};

} // namespace rw
