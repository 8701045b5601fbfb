#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>

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

// The same for the entry `name` of the folder descriptor `folderFd`
// (DirListing::kWorkingFolder for a path).
FileDescriptor openRegularFileAt(int folderFd, const char* name, int* error = nullptr);

// Reads up to `n` bytes at `offset` of the open file `fd` into `into`,
// going on after short reads until `n` bytes or the end of the file;
// `*got` says how many came. False on a read error.
bool readFullyAt(int fd, char* into, std::size_t n, std::int64_t offset, std::size_t* got);

// Reads the next bytes of `fd` (at most `n`) into `into`: the count read,
// 0 at the end of the file, -1 on an error. An interrupted read is retried.
std::int64_t readNext(int fd, char* into, std::size_t n);

// Tells the system the file will be read front to back (it reads ahead).
void adviseSequentialRead(int fd);

} // namespace rw
