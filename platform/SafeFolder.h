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
    // Opens the folder holding `child` through its "..", which must be
    // `expected` (known: without it nothing says ".." is still where the
    // path says). path() becomes the child's path without its last name.
    // This is how a deep walk gets back to a folder without forming a path
    // longer than the system takes.
    bool openParentOf(const SafeFolder& child, const FileIdentity& expected);
    // Opens the folder at `path` like open(), but starting from the open
    // folder `near` where that is shorter: up through ".." to the folder the
    // two paths share, then down name by name. The folder reached must be
    // `expected`; without a known identity (or when `near` is not open) the
    // path is opened from "/" as open() does.
    bool openNear(const SafeFolder& near, const QByteArray& path, const FileIdentity& expected);
    // Like open() and openChild(), but each missing folder on the way is made
    // first with `mode` (still never following a link). Used for the trash,
    // not for anything a scan found.
    bool openOrCreate(const QByteArray& path, unsigned mode);
    bool openOrCreateChild(const SafeFolder& parent, const char* name, unsigned mode);
    // Closes the descriptor.
    void close();

    bool isOpen() const { return m_fd.isValid(); }
    int fd() const { return m_fd.get(); }
    const QByteArray& path() const { return m_path; }
    Result result() const { return m_result; }
    int error() const { return m_error; }

    // Metadata of the entry `name` (no '/') of this folder, not following a
    // link. False when it cannot be read (error() set; ENOENT when missing).
    bool status(const char* name, FileStatus* out) const;
    // Metadata of the open folder itself; false when it cannot be read.
    bool selfStatus(FileStatus* out) const;
    // Done when `name` is still `expected` (device, inode, type), Missing,
    // Replaced or Failed otherwise. `now` (may be null) gets its metadata.
    Result check(const char* name, const FileIdentity& expected, FileStatus* now = nullptr) const;

    // Removes the file or link `name` (unlinkat) after check(); a folder is
    // never removed here.
    Result removeFile(const char* name, const FileIdentity& expected);
    // Removes the empty folder `name` (unlinkat with AT_REMOVEDIR) after
    // check().
    Result removeEmptyFolder(const char* name, const FileIdentity& expected);

    // Gives the entry `name` its owner's write bit after check() (a link is
    // never changed, nor followed). Done when the bit is set now.
    Result makeOwnerWritable(const char* name, const FileIdentity& expected);

    // Removes the entry `name` of the folder descriptor `folderFd` as it is,
    // without any check: unlinkat(folderFd, name, 0), which never follows a
    // link and refuses a folder. False with errno set on failure.
    static bool unlinkEntry(int folderFd, const char* name);
    // Removes the empty folder `name` of `folderFd` the same way
    // (unlinkat with AT_REMOVEDIR).
    static bool unlinkEmptyFolder(int folderFd, const char* name);

    // Moves `fromName` of the folder descriptor `fromFd` to `toName` of
    // `toFd` with renameat2(RENAME_NOREPLACE): an entry already at the target
    // is never replaced. False with errno set when the kernel refuses
    // (EEXIST when the target is taken, EXDEV across file systems).
    static bool renameNoReplace(int fromFd, const char* fromName, int toFd, const char* toName);
    // True for a name that is one entry of a folder: not empty, no '/', not
    // "." or "..".
    static bool isEntryName(const char* name);
    // For tests: false makes open() walk the path one component at a time
    // even where the kernel has openat2. Not thread-safe; set it up front.
    static void setKernelResolveEnabled(bool enabled);

private:
    bool walk(const QByteArray& path, bool create, unsigned mode, const FileIdentity& expected);
    bool finishOpen(int fd, QByteArray path, const FileIdentity& expected);
    bool fail(Result result, int error);

    FileDescriptor m_fd;
    QByteArray m_path;
    Result m_result = Result::Done;
    mutable int m_error = 0;
};

} // namespace rw
