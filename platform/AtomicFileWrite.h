#pragma once

#include <QByteArray>

namespace rw
{

// Replaces one file with new contents all at once: the contents go to a
// temporary file in the same folder (made with O_CREAT | O_EXCL, taking the
// old file's permission bits), every write() is checked, the file is
// fsync'ed and closed with its error checked, then renamed over the old file,
// and the folder is fsync'ed so the rename itself lasts. Afterwards the file
// holds either the complete new contents or, when anything failed, the old
// contents byte for byte (the temporary file is removed). A process killed
// half way leaves at most a temporary file, named so that it is never taken
// for the file itself (".<name>.tmp-XXXXXX").
class AtomicFileWrite
{
public:
    enum class Result {
        Written,    // the file now holds the new contents
        IsLink,     // a symbolic link is at the path; neither it nor its target was touched
        NotRegular, // something other than a regular file is at the path; left as it is
        Failed,     // a system call failed; error() tells which errno
    };

    // `path` is the file to replace, as the file system's bytes; its folder
    // must exist.
    explicit AtomicFileWrite(const QByteArray& path);

    // Replaces the file with `data`; the file need not exist yet. Returns
    // Written on success; otherwise the old file is as it was.
    Result replace(const QByteArray& data);

    // Removes the temporary files that writers of this file left behind when
    // they were killed. Only safe while holding a lock that every writer of
    // the file takes (ProfileLock), since a temporary being written by a
    // live process would go too. Returns how many were removed.
    int removeLeftovers();

    // Writes all of `data` to `fd`, going on after short writes and
    // signals; false (errno set) when a write fails.
    static bool writeAll(int fd, const QByteArray& data);

    // The errno of the last failed call (0 after success).
    int error() const { return m_error; }

private:
    Result fail(int error);

    QByteArray m_folder;
    QByteArray m_name;
    int m_error = 0;
};

} // namespace rw
