#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace rw
{

// The largest profile file that is read (64 MiB): far beyond any settings
// file, small enough that a file that is really something else (a link to a
// device, a runaway log) cannot exhaust memory.
constexpr qint64 kMaxProfileFileSize = qint64(64) << 20;

// Reads and writes one INI profile file the way the classic profile API does:
// section and key names match without regard to case; a missing file, section
// or key gives the default; a write creates what is missing and keeps every
// other line (comments, unknown sections, odd lines) as it was. The file is
// never held open: every call opens, reads or writes, and closes. Of two
// sections with the same name the first is used. Lines keep their bytes and
// their line ends (LF or CR LF); new lines take the file's own line end.
// Files that are not valid text are read without crashing (invalid bytes,
// very long lines, CR LF, no final newline).
//
// Reads take only a regular file of at most kMaxProfileFileSize bytes and
// never block (a FIFO, a device, a folder or a larger file at the path is
// not read). Such a file, or one that cannot be opened, gives the defaults
// and is reported once through ProfileAlerts; every write then refuses, so
// the file is never overwritten with defaults.
//
// Every write replaces the file all at once (AtomicFileWrite): afterwards it
// holds the complete new contents, or the old contents byte for byte; a
// crash, a kill or a full disk never leaves half a file. A failed write is
// reported through ProfileAlerts. Each write re-reads the file and writes it
// back under the file's ProfileLock, so writes of two instances never lose
// each other's changes; a caller that reads values and writes what it made
// of them holds a ProfileLock of path() across both.
//
// A name without a folder is kept in the settings folder; when there is no
// usable settings folder (no absolute HOME or XDG_CONFIG_HOME) path() is
// empty, reads give the defaults and writes refuse.
class ProfileFile
{
public:
    // `name` is resolved with resolveProfilePath().
    explicit ProfileFile(const QString& name);

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;
    // The decimal value of the key, or the default when missing or not a number.
    long long readInt(const QString& section, const QString& key, long long defaultValue) const;

    // All key/value pairs of a section in file order (one read of the file);
    // empty when the section is missing.
    QList<QPair<QString, QString>> readSection(const QString& section) const;
    // All keys of a section in file order; empty when the section is missing.
    QStringList keys(const QString& section) const;
    bool hasSection(const QString& section) const;

    // Each write returns false (and leaves the old file untouched) when the
    // file could not be read, locked or written, or when a section, key or value
    // holds a line break (or the key is empty, holds '=' or starts with '['
    // or ';'), which would break the file's lines, or when the file is a
    // symbolic link or not a regular file (neither the link nor its target is
    // touched); errorString() then says why.
    bool writeString(const QString& section, const QString& key, const QString& value);
    // Sets several keys of one section in a single atomic write; other keys
    // of the section and all other lines stay as they were.
    bool writeValues(const QString& section, const QList<QPair<QString, QString>>& entries);
    bool writeInt(const QString& section, const QString& key, long long value);
    // Removes a key; true when the file is as asked afterwards.
    bool removeKey(const QString& section, const QString& key);
    // Replaces a whole section with the given key=value pairs in order.
    bool writeSection(const QString& section, const QList<QPair<QString, QString>>& entries);

    QString errorString() const { return m_error; }

private:
    QString m_path;
    mutable QString m_error;
};

} // namespace rw
