#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

namespace rwtest
{

// Builds fixture trees inside a folder (by default the test's fixtureRoot()).
// Paths given to the methods are relative to that folder; parents are
// created as needed. Every method returns the absolute path it made and
// fails the running test (ADD_FAILURE) when the file system refuses.
class FixtureBuilder
{
public:
    FixtureBuilder();
    explicit FixtureBuilder(const QString& base);

    const QString& base() const { return m_base; }
    QString path(const QString& rel) const;

    QString folder(const QString& rel);
    // A file of `size` bytes; content repeats `fill` (a pattern byte run).
    QString file(const QString& rel, std::int64_t size = 0, char fill = 'x');
    QString fileWithContent(const QString& rel, const QByteArray& content);
    // Large sparse file: the size without writing the bytes.
    QString sparseFile(const QString& rel, std::int64_t size);
    // Writes `bytes` at `offset` of an existing file, leaving the rest (and
    // its holes) as it is; the file grows when the bytes reach past its end.
    void writeAt(const QString& rel, std::int64_t offset, const QByteArray& bytes);
    QString symlink(const QString& rel, const QString& target);
    QString hardlink(const QString& rel, const QString& existingRel);
    QString fifo(const QString& rel);
    // A chain of `levels` folders below `rel` (rel/name/name/...), each
    // holding an empty file `fileName` unless it is empty. Made with mkdirat
    // and openat relative to the folder above, so any depth works; the
    // paths of the deep folders are longer than any system call takes.
    // Returns the path of `rel`.
    QString deepChain(const QString& rel, int levels, const QByteArray& name,
                      const QByteArray& fileName = QByteArray());

    // Sets last-write and last-access times (local time).
    void setTimes(const QString& rel, const QDateTime& modified, const QDateTime& accessed);
    void setModified(const QString& rel, const QDateTime& modified);
    // chmod of the entry (e.g. 0000 for an unreadable folder, 0444 read-only).
    void setMode(const QString& rel, unsigned mode);

    // Maps a drive letter to a folder (absolute, or relative to base) through
    // the [Drives] section of the test's settings file.
    void mapDrive(char letter, const QString& folder);

private:
    QString m_base;
};

} // namespace rwtest
