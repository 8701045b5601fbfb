#pragma once

#include <QString>

namespace rw
{

// Holds the advisory lock of one profile file while it lives, so that a
// read-modify-write of the file by this program and by another instance
// never interleave (each would otherwise write back what it read, losing the
// other's change). The lock is flock(LOCK_EX) on "<file>.lock" beside the
// file, made with mode 0600 when missing and never deleted (deleting it
// would let two processes lock two different files). The folder is made
// when missing.
//
// Re-entrant within the process: a second ProfileLock of the same path,
// taken by the same thread while the first is held, only counts up (a
// second open + flock would wait for ourselves forever). Another thread of
// this process waits as another process does. Readers need no lock: every
// write replaces the file by a rename, so a reader sees the old or the new
// file whole.
class ProfileLock
{
public:
    // Takes the lock of the profile file at `path`, waiting as long as
    // another holder keeps it. isHeld() says whether it worked.
    explicit ProfileLock(const QString& path);
    // Gives the lock up (the last holder in this process releases the flock).
    ~ProfileLock();
    ProfileLock(const ProfileLock&) = delete;
    ProfileLock& operator=(const ProfileLock&) = delete;

    // True when the lock is held; false when the lock file could not be
    // made or locked (error() tells the errno).
    bool isHeld() const { return m_held; }
    int error() const { return m_error; }

    // The lock file of the profile file at `path`.
    static QString lockFilePath(const QString& path);

private:
    QString m_path;
    bool m_held = false;
    int m_error = 0;
};

} // namespace rw
