#pragma once

#include <QByteArray>
#include <QIcon>

namespace rw
{

// The icon to show for the file or folder at `path` (the file system's
// bytes): our own folder icon (directoryIcon()) for a folder; otherwise the
// desktop theme's icon of the file's MIME type (its specific one, then its
// generic one); our own "no icon" picture (noIcon()) when the theme has
// neither.
QIcon GetFileIcon(const QByteArray& path);

// The program's own "DIRECTORY" icon: a yellow folder. One shared instance.
const QIcon& directoryIcon();
// The program's own "NOICON" icon: a blank page with a question mark.
const QIcon& noIcon();

} // namespace rw
