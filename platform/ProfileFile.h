#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace rw
{

// Reads and writes one INI profile file the way the classic profile API does:
// section and key names match without regard to case; a missing file, section
// or key gives the default; a write creates what is missing and keeps every
// other line (comments, unknown sections, odd lines) as it was. The file is
// never held open: every call opens, reads or writes, and closes. Of two
// sections with the same name the first is used. Lines keep their bytes and
// their line ends (LF or CR LF); new lines take the file's own line end. Every write
// replaces the file atomically (temporary file + rename), so a crash or a full
// disk never leaves half a file. Files that are not valid text are read
// without crashing (invalid bytes, very long lines, CR LF, no final newline).
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
    // file could not be read or written, or when a section, key or value
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
