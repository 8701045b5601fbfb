#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <fcntl.h>
#include <sys/stat.h>

namespace rwtest
{

// All three times of every entry of a tree, the root included, to show that
// looking at the tree changed nothing. The entries are listed once, when the
// object is made; later snapshots only lstat them, which changes no time.
// age() sets every access time far into the past first: with relatime (the
// usual mount option) a read that comes after the latest change sets the
// access time only when it is older than the change or a day old, so without
// aging a reading tool could go unnoticed.
class TreeTimes
{
public:
    explicit TreeTimes(const QString& root)
    {
        m_paths << QFile::encodeName(root);
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            m_paths << QFile::encodeName(it.next());
    }

    // Sets every entry's access time to 1 January 2000 and keeps its
    // modification time; links are changed themselves, not their targets.
    void age() const
    {
        const timespec times[2] = {{946684800, 0}, {0, UTIME_OMIT}};
        for (const QByteArray& p : m_paths)
            ::utimensat(AT_FDCWD, p.constData(), times, AT_SYMLINK_NOFOLLOW);
    }

    // One line per entry: path, size and the three times to the nanosecond.
    QStringList snapshot() const
    {
        QStringList out;
        for (const QByteArray& p : m_paths) {
            struct stat st = {};
            ::lstat(p.constData(), &st);
            out << QStringLiteral("%1 %2 m%3.%4 a%5.%6 c%7.%8")
                       .arg(QString::fromLatin1(p.toHex()))
                       .arg(st.st_size)
                       .arg(st.st_mtim.tv_sec)
                       .arg(st.st_mtim.tv_nsec)
                       .arg(st.st_atim.tv_sec)
                       .arg(st.st_atim.tv_nsec)
                       .arg(st.st_ctim.tv_sec)
                       .arg(st.st_ctim.tv_nsec);
        }
        return out;
    }

    int count() const { return int(m_paths.size()); }

private:
    QList<QByteArray> m_paths;
};

} // namespace rwtest
