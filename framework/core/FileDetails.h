#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

#include "platform/DosDateTime.h"
#include "platform/FileAttributes.h"

namespace rw
{

// Everything the details window shows about one file or folder, as texts.
struct FileDetails {
    bool found = false; // false: the path does not exist; nothing else is set
    bool isDirectory = false;
    std::int64_t size = 0;
    unsigned attributes = 0; // FileAttribute bits (platform/FileAttributes.h)
    PackedDateTime created = 0, modified = 0, accessed = 0;

    QString fileName;    // the full path as shown (displayName)
    QString folderName;  // the folder part as shown ("/" for a root entry)
    QString name;        // the last component as shown
    QString fileType;    // description of the extension
    QString sizeBytes;   // "1,234 bytes"
    QString clusterLine; // wastedClusterSpace(); empty when the geometry is unknown
    QString creation;    // dateLabel() of each time
    QString modification;
    QString access;
    QString attributeText; // attributeWords()
};

// Reads the entry at `path` (the file system's bytes) without following a
// symbolic link (a link is shown as itself, as the browser lists it). The
// texts show the path through displayName. Attributes on this platform:
// read-only when the owner may not write, hidden when the name begins with
// '.', system for devices, FIFOs and sockets, directory for folders; volume
// label and archive are never set. A time the file system does not record
// (often the creation time) shows as "???". `now` is the day relative ages
// are counted from.
FileDetails readFileDetails(const QByteArray& path,
                            const QDateTime& now = QDateTime::currentDateTime());

// The version lines (see ReadVersionInfo) of the regular file at `path`,
// opened by its bytes; empty for anything else.
QStringList readVersionLines(const QByteArray& path, bool withTab);

// Clusters a file of `size` bytes takes with clusters of `clusterSize`
// bytes: 0 for an empty file, 1 for one to clusterSize bytes, and so on.
std::int64_t clustersUsed(std::int64_t size, std::int64_t clusterSize);

// "Cluster size: 4,096  Clusters used : 2"; empty when clusterSize <= 0.
QString wastedClusterSpace(std::int64_t size, std::int64_t clusterSize);

// " ReadOnly Hidden System VolumeID Directory Archive" for the bits set, each
// word with its leading blank, in that order.
QString attributeWords(unsigned attributes);

// The date of a packed time, two blanks and its relative age ("Yesterday");
// "???" for 0 (not recorded).
QString dateLabel(PackedDateTime packed, const QDateTime& now);

// The extension of the last path component, dot included (".gz" of
// "a.tar.gz"); empty when the name has no dot.
QString fileExtension(const QString& path);

// Describes an extension such as ".txt" for the "Type of file" line, by the
// shared file-type lookup (FileTypeDescription). Tests may put their own
// describer in its place; an empty one restores the lookup.
using FileTypeDescriber = std::function<QString(const QString& extension)>;
void setFileTypeDescriber(FileTypeDescriber describer);
QString describeFileType(const QString& extension);

// The lines printed for the details: the labelled fields, blank separator
// lines and then the version lines.
QStringList detailsPrintLines(const FileDetails& details, const QStringList& versionLines);

} // namespace rw
