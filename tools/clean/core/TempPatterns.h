#pragma once

#include "base/Messages.h"
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

namespace rw
{

// The list of temporary-file patterns the cleaner looks for, kept in the
// settings section [TempFiles] ("Number" and "File1".."FileN", one bare
// pattern each). In memory an entry is a type list line: the pattern, a tab,
// and the description of the pattern's extension.

inline const char* const kTempFilesSection = "TempFiles";

// The patterns used when the section was never written ("Number" missing).
QStringList missingSectionTempPatterns();
// The patterns the "Defaults" button of the list editor inserts.
QStringList defaultButtonTempPatterns();

// The list line of a stored value: the value, a tab and the description of
// the extension of its pattern (the value's text before any tab of its own).
QString TempPatternLine(const QString& value);

// Sorts list lines as text without regard to case (the order of the lists).
void sortTempPatternLines(QStringList& lines);

// Reads the section: an entry for each non-empty stored value, sorted; the
// missing-section defaults when "Number" is missing; nothing when it is 0.
QStringList ReadTempFilesFromDisk(MessageResponder& reporter);

// Stores the patterns of `lines` (each line's text before its first tab) in
// list order, with "Number" = the line count. Keys of a longer earlier list
// are left in the file. False when the settings file could not be written.
bool WriteTempFilesToDisk(const QStringList& lines);

// Decides whether a file is temporary by its extension alone: the name's text
// from its last '.' to its end (none without a '.'), compared without regard
// to case with each chosen entry's text from its second character ("*.tmp"
// gives ".tmp"). There are no wildcards: the first character of an entry is
// ignored whatever it is, so a stored "X.bak" takes every ".bak" file and
// "*.t?p" only a file ending in ".t?p". An entry with nothing after its first
// character ("*") is ignored: it names no extension.
class TempFileMatcher
{
public:
    TempFileMatcher() = default;
    // `linesOrPatterns`: list lines or bare patterns (text after a tab is
    // ignored).
    explicit TempFileMatcher(const QStringList& linesOrPatterns);

    void setPatterns(const QStringList& linesOrPatterns);
    bool isEmpty() const { return m_extensions.empty(); }

    // True when `name` (raw bytes of a file name) has one of the extensions.
    bool isThisFileTemporary(std::string_view name) const;
    bool isThisFileTemporary(const QString& name) const;

private:
    struct Extension {
        QString text;     // lower case, with its leading character (".tmp")
        QByteArray bytes; // the same as UTF-8
    };
    std::vector<Extension> m_extensions;
};

} // namespace rw
