#pragma once

#include "base/Messages.h"
#include <QString>
#include <QStringList>

namespace rw
{

// The stored file-type lists that limit a statistics run: the settings
// sections "Include" (only these types count) and "Exclude" (these types do
// not count). In memory an entry is a type list line: the pattern ("*.doc"),
// a tab, and FileTypeDescription of its extension.

inline const char* const kIncludeList = "Include";
inline const char* const kExcludeList = "Exclude";

// The pattern of a type list line: its text before the first tab (the whole
// text when it has none).
QString TypeLinePattern(const QString& line);
// The type list line of a pattern: pattern, tab, description of its extension.
QString TypeLineOf(const QString& pattern);

// Replaces `list` with the lines of the section `listName`, sorted as text
// without regard to case. Empty stored patterns are skipped. A list that was
// never saved (no "Number") gives "*.doc", "*.exe" and "*.dll".
void ReadStatFilesFromDisk(QStringList& list, const QString& listName, MessageResponder& reporter);

// Stores the patterns of type list lines (each line's text before its first
// tab), in list order, into a list section of the settings file: "Number" =
// the line count and "File1".."FileN". Keys beyond the new count are left as
// they are (nothing reads them). Returns false when the settings file could
// not be written.
bool WriteTypeListSection(const QString& section, const QStringList& lines);

// WriteTypeListSection of the list `listName`.
bool WriteStatFilesToDisk(const QStringList& list, const QString& listName);

} // namespace rw
