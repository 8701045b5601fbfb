#pragma once

#include <QByteArray>

#include "platform/DirListing.h"
#include "platform/FileIdentity.h"

namespace rw
{

// Reaching a folder and changing the entries in it without any symbolic
// link on the way. Every destructive file operation of the program goes
// through here: a path is opened from "/" one component at a time with
// O_NOFOLLOW | O_DIRECTORY (openat2 with RESOLVE_NO_SYMLINKS where the
// kernel has it), and the last component is removed or moved relative to
// the descriptor of its folder. Another process that swaps a folder of the
// path for a link between the scan and the delete makes the open fail; it
// can never redirect the delete to another place.
class SafeFolder
{
public:
    // What an operation on one entry came to.
    enum class Result {
        Done,     // removed (or moved)
        Missing,  // no such entry any more
        Replaced, // the entry is another object than the one expected
        Failed,   // the system refused; error() holds errno
    };

    SafeFolder() = default;

    // Opens the folder at the absolute path `path` (raw bytes, "/" allowed),
    // never following a link. When `expected` is known the folder reached
    // must be that object, else the open fails with Replaced. False on any
    // failure (result() and error() say which).
    bool open(const QByteArray& path, const FileIdentity& expected = {});
    // Opens the sub-folder `name` of `parent` the same way.
    bool openChild(const SafeFolder& parent, const char* name, const FileIdentity& expected = {});

    bool isOpen() const { return m_fd.isValid(); }
    int fd() const { return m_fd.get(); }
    const QByteArray& path() const { return m_path; }
    Result result() const { return m_result; }
    int error() const { return m_error; }

    // Metadata of the entry `name` (no '/') of this folder, not following a
    // link. False when it cannot be read (error() set; ENOENT when missing).
    bool status(const char* name, FileStatus* out) const;
    // Done when `name` is still `expected` (device, inode, type), Missing,
    // Replaced or Failed otherwise. `now` (may be null) gets its metadata.
    Result check(const char* name, const FileIdentity& expected, FileStatus* now = nullptr) const;

    // Removes the file or link `name` (unlinkat) after check(); a folder is
    // never removed here.
    Result removeFile(const char* name, const FileIdentity& expected);
    // Removes the empty folder `name` (unlinkat with AT_REMOVEDIR) after
    // check().
    Result removeEmptyFolder(const char* name, const FileIdentity& expected);

private:
    FileDescriptor m_fd;
    QByteArray m_path;
    Result m_result = Result::Done;
    mutable int m_error = 0;
};

} // namespace rw
