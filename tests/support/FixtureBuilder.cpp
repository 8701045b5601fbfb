#include "tests/support/FixtureBuilder.h"

#include "platform/ProfileFile.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rwtest
{

FixtureBuilder::FixtureBuilder() : m_base(fixtureRoot()) {}

FixtureBuilder::FixtureBuilder(const QString& base) : m_base(base)
{
    QDir().mkpath(base);
}

QString FixtureBuilder::path(const QString& rel) const
{
    if (rel.startsWith('/'))
        return rel;
    return rel.isEmpty() ? m_base : m_base + '/' + rel;
}

QString FixtureBuilder::folder(const QString& rel)
{
    const QString p = path(rel);
    if (!QDir().mkpath(p))
        ADD_FAILURE() << "cannot create folder " << qPrintable(p);
    return p;
}

QString FixtureBuilder::deepChain(const QString& rel, int levels, const QByteArray& name,
                                  const QByteArray& fileName)
{
    const QString top = folder(rel);
    int fd = ::open(QFile::encodeName(top).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; fd >= 0 && i < levels; ++i) {
        const int made = ::mkdirat(fd, name.constData(), 0755);
        const int next =
            made == 0 ? ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
        ::close(fd);
        fd = next;
        if (fd >= 0 && !fileName.isEmpty()) {
            const int file =
                ::openat(fd, fileName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (file < 0) {
                ::close(fd);
                fd = -1;
            } else {
                ::close(file);
            }
        }
    }
    if (fd < 0)
        ADD_FAILURE() << "cannot build the folder chain below " << qPrintable(top);
    else
        ::close(fd);
    return top;
}

QString FixtureBuilder::file(const QString& rel, std::int64_t size, char fill)
{
    return fileWithContent(rel, QByteArray(static_cast<qsizetype>(size), fill));
}

QString FixtureBuilder::fileWithContent(const QString& rel, const QByteArray& content)
{
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << qPrintable(p);
    return p;
}

QString FixtureBuilder::sparseFile(const QString& rel, std::int64_t size)
{
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        ADD_FAILURE() << "cannot make sparse " << qPrintable(p);
    return p;
}

void FixtureBuilder::writeAt(const QString& rel, std::int64_t offset, const QByteArray& bytes)
{
    QFile f(path(rel));
    if (!f.open(QIODevice::ReadWrite) || !f.seek(offset) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write into " << qPrintable(f.fileName());
}

QString FixtureBuilder::symlink(const QString& rel, const QString& target)
{
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    if (::symlink(QFile::encodeName(target).constData(), QFile::encodeName(p).constData()) != 0)
        ADD_FAILURE() << "cannot link " << qPrintable(p);
    return p;
}

QString FixtureBuilder::hardlink(const QString& rel, const QString& existingRel)
{
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    if (::link(QFile::encodeName(path(existingRel)).constData(),
               QFile::encodeName(p).constData()) != 0)
        ADD_FAILURE() << "cannot hard-link " << qPrintable(p);
    return p;
}

QString FixtureBuilder::fifo(const QString& rel)
{
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    if (::mkfifo(QFile::encodeName(p).constData(), 0600) != 0)
        ADD_FAILURE() << "cannot make fifo " << qPrintable(p);
    return p;
}

void FixtureBuilder::setTimes(const QString& rel, const QDateTime& modified,
                              const QDateTime& accessed)
{
    struct timespec ts[2];
    ts[0].tv_sec = accessed.toSecsSinceEpoch();
    ts[0].tv_nsec = 0;
    ts[1].tv_sec = modified.toSecsSinceEpoch();
    ts[1].tv_nsec = 0;
    if (::utimensat(AT_FDCWD, QFile::encodeName(path(rel)).constData(), ts, AT_SYMLINK_NOFOLLOW) !=
        0)
        ADD_FAILURE() << "cannot set times of " << qPrintable(path(rel));
}

void FixtureBuilder::setModified(const QString& rel, const QDateTime& modified)
{
    setTimes(rel, modified, modified);
}

void FixtureBuilder::setMode(const QString& rel, unsigned mode)
{
    if (::chmod(QFile::encodeName(path(rel)).constData(), mode) != 0)
        ADD_FAILURE() << "cannot chmod " << qPrintable(path(rel));
}

void FixtureBuilder::mapDrive(char letter, const QString& folder)
{
    rw::ProfileFile ini(settingsFilePath());
    const QString target = folder.startsWith('/') ? folder : path(folder);
    if (!ini.writeString(QStringLiteral("Drives"), QString(QChar::fromLatin1(letter)), target))
        ADD_FAILURE() << "cannot map drive " << letter;
}

} // namespace rwtest
