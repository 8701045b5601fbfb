#pragma once

// Fixtures named by raw bytes: names that are not text, or hold a tab or a
// line break, cannot go through FixtureBuilder's QString paths.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rwtest
{

// Makes the folder at `path`; returns the path.
inline QByteArray rawFolder(const QByteArray& path)
{
    EXPECT_EQ(::mkdir(path.constData(), 0755), 0) << path.toStdString();
    return path;
}

// Makes a file of `size` bytes at `path` (it must not exist); returns the path.
inline QByteArray rawFile(const QByteArray& path, int size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    EXPECT_GE(fd, 0) << path.toStdString();
    if (fd >= 0) {
        const QByteArray data(size, 'x');
        EXPECT_EQ(::write(fd, data.constData(), std::size_t(size)), size);
        ::close(fd);
    }
    return path;
}

// Makes the file `name` of `size` bytes in the folder `dir`; returns its path.
inline QByteArray makeRawFile(const QString& dir, const QByteArray& name, int size)
{
    return rawFile(QFile::encodeName(dir) + '/' + name, size);
}

// Bytes that differ from position to position (a xorshift stream of
// `seed`), so a change anywhere in a copy shows.
inline QByteArray patternBytes(int size, int seed)
{
    QByteArray b(size, '\0');
    std::uint32_t x = 2463534242u + std::uint32_t(seed);
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b[i] = char(x);
    }
    return b;
}

// Writes `content` to the file at `path`, made or emptied first, through the
// name's bytes (a name that is not UTF-8 stays as it is).
inline void writeRawFile(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    EXPECT_EQ(::write(fd, content.constData(), std::size_t(content.size())), content.size());
    ::close(fd);
}

// True when something (a link too) is at `path`.
inline bool rawExists(const QByteArray& path)
{
    struct stat st = {};
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace rwtest
