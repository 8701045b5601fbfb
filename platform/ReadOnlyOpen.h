#pragma once

#include <QByteArray>

#include "platform/DirListing.h"

namespace rw
{

// Opens the regular file at `path` (the file system's bytes) for reading
// only. The open never blocks and never follows a final symbolic link: a
// FIFO, a device or a link put in the file's place is refused (error
// EINVAL or ELOOP), so looking at a file can never hang the program. The
// access time is left alone where the system allows it (O_NOATIME for
// files the user owns). Returns an invalid descriptor on failure, with
// `error` (may be null) set to errno.
FileDescriptor openRegularFileForReading(const QByteArray& path, int* error = nullptr);

} // namespace rw
