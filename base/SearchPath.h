#pragma once

#include <QString>
#include <QStringList>

namespace rw
{

// The folders of the program search path, in upper case: the parts of
// `pathValue` split on ':' (an empty part gives an empty line; a final ':'
// adds nothing), then `systemFolder` and `osFolder` when they are not empty.
QStringList GetSearchPath(const QString& pathValue, const QString& systemFolder,
                          const QString& osFolder);
// The same from the environment variable PATH and the platform's system and
// OS folders.
QStringList GetSearchPath();

// True when `folder`, upper-cased, equals one of `lines` exactly. A trailing
// '/' counts: /USR/BIN and /USR/BIN/ are different folders here.
bool IsOnSearchPath(const QStringList& lines, const QString& folder);

// The program's one search-path list. The launcher sets it when it is
// created; until then the first use builds it from the environment.
void setSearchPathFolders(const QStringList& lines);
QStringList searchPathFolders();
// IsOnSearchPath against the program's list (used by the cleaner).
bool IsOnSearchPath(const QString& folder);

} // namespace rw
