#pragma once

#include <QByteArray>

namespace rw
{

// The working folder of the process as the file system's bytes ("/" when it
// cannot be read).
QByteArray workingFolderBytes();

// Makes `folder` (the file system's bytes) the working folder; false when
// the system refuses (the working folder then stays as it was).
bool changeWorkingFolder(const QByteArray& folder);

// True when `path` is a folder; a symbolic link to one counts.
bool isFolderPath(const QByteArray& path);

// `path` made absolute with every symbolic link, "." and ".." resolved
// (realpath). False when that fails (something on the way is missing or
// unreadable); `*out` is then left alone.
bool resolvedPathBytes(const QByteArray& path, QByteArray* out);

} // namespace rw
