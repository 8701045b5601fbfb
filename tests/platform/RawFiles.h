#pragma once

// Raw-byte file helpers for the tests of the link-proof folder code: paths
// are QByteArray so names may hold any byte (a tab, a newline, 0xFF).
// Every helper fails the running test when the file system refuses.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QList>

#include "platform/FileIdentity.h"
#include "tests/support/TestEnvironment.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rwtest::raw
{

// Names the fixtures use: \xff is not UTF-8, and its look-alike holds the
// replacement character U+FFFD that a careless decoding would turn it into.
inline const QByteArray kTabName = "tab\tname";
inline const QByteArray kNewlineName = "new\nline";
inline const QByteArray kBackslashName = "back\\slash";
inline const QByteArray kBadByteName = "bad\xff"
                                       "byte";
inline const QByteArray kLookAlikeName = "bad\xef\xbf\xbd"
                                         "byte";

inline QByteArray root()
{
    return QFile::encodeName(testRoot());
}

inline QByteArray fixture()
{
    return QFile::encodeName(fixtureRoot());
}

inline void makeFolder(const QByteArray& path, mode_t mode = 0755)
{
    const qsizetype slash = path.lastIndexOf('/');
    struct stat st;
    if (slash > 0 && ::stat(path.left(slash).constData(), &st) != 0)
        makeFolder(path.left(slash));
    if (::mkdir(path.constData(), mode) != 0 && errno != EEXIST)
        ADD_FAILURE() << "mkdir " << path.constData() << ": " << std::strerror(errno);
}

inline void writeFile(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        ADD_FAILURE() << "create " << path.constData() << ": " << std::strerror(errno);
        return;
    }
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        ADD_FAILURE() << "write " << path.constData();
    ::close(fd);
}

// The bytes of a file (link not followed); "<missing>" when it cannot be read.
inline QByteArray readFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return "<missing>";
    QByteArray out;
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(fd, chunk, sizeof chunk)) > 0)
        out.append(chunk, n);
    ::close(fd);
    return out;
}

inline void makeLink(const QByteArray& path, const QByteArray& target)
{
    if (::symlink(target.constData(), path.constData()) != 0)
        ADD_FAILURE() << "symlink " << path.constData() << ": " << std::strerror(errno);
}

inline bool exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

inline mode_t modeOf(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 ? st.st_mode : 0;
}

inline rw::FileIdentity identityOf(const QByteArray& path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0) {
        ADD_FAILURE() << "lstat " << path.constData() << ": " << std::strerror(errno);
        return {};
    }
    return {st.st_dev, st.st_ino, rw::FileIdentity::typeOfMode(st.st_mode)};
}

// The names in a folder, "." and ".." left out; empty when it cannot be read.
inline QList<QByteArray> names(const QByteArray& folder)
{
    QList<QByteArray> out;
    DIR* d = ::opendir(folder.constData());
    if (!d)
        return out;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray n(e->d_name);
        if (n != "." && n != "..")
            out << n;
    }
    ::closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace rwtest::raw
