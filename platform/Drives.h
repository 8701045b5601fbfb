#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>

#include <cstdint>

namespace rw
{

// One lettered drive: a mounted file system (or a folder mapped to a letter
// through the [Drives] section of the settings file).
struct DriveInfo {
    QChar letter;              // upper case, 'C'..'Z'
    QString root;              // absolute folder, e.g. "/" or "/home"; no trailing '/' except "/"
    QByteArray rootBytes = {}; // the root as the file system's bytes when given so (run-only
                               // drives); empty: the encoding of `root`
    QString entryText() const; // "c: [/]"
    // The root as the file system's bytes: what every file operation takes.
    QByteArray rootPath() const;
};

// Cluster geometry and space of a drive, from statvfs on its root.
struct DriveGeometry {
    std::int64_t clusterSize = 0; // f_frsize
    std::int64_t totalClusters = 0;
    std::int64_t freeClusters = 0; // f_bavail
    std::int64_t totalBytes() const { return clusterSize * totalClusters; }
    std::int64_t freeBytes() const { return clusterSize * freeClusters; }
};

// The drive table. `C:` is the file system of `/`; `D:`, `E:`, ... are the
// other real mounted file systems in mount-path order. The [Drives] section
// of the settings file adds or replaces letters (`X=/some/folder`), and the
// folders of RunDrives (platform/RunDrives.h) come last. The table
// is read anew on every call, so tests may change [Drives] at any time.
QList<DriveInfo> driveList();

// The drive of a letter (either case); false when the letter is not mapped.
bool findDrive(QChar letter, DriveInfo* out);

// The drive whose root is the longest prefix of the current working folder.
DriveInfo currentDrive();

// The drive that holds a path: longest root prefix. False when none does.
bool driveOfPath(const QString& path, DriveInfo* out);

// True when the drive answers a size query (statvfs on its root succeeds)
// and its root is a folder.
// Throws std::invalid_argument("Not a valid drive ID") for a non-letter.
bool DriveValid(QChar letter);

// Geometry of the drive; false when the query fails.
bool driveGeometry(QChar letter, DriveGeometry* out);

// Geometry of the file system holding any path; false when the query fails.
bool pathGeometry(const QString& path, DriveGeometry* out);
// The same for a path given as the file system's bytes.
bool pathGeometryBytes(const QByteArray& path, DriveGeometry* out);

} // namespace rw
