#pragma once

#include <QByteArray>

namespace rw
{

// Opens a file with the desktop's handler for its type (Run). The path is
// the file system's bytes, passed on percent-encoded in a file URL, so a
// name that is not valid UTF-8 reaches the handler unchanged. True when the
// desktop took it.
bool openWithDesktop(const QByteArray& path);

} // namespace rw
