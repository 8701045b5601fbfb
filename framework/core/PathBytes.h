#pragma once

#include <QByteArray>

#include "platform/WorkingFolder.h"

namespace rw
{

// Path texts kept as the file system's bytes. Each works on the bytes alone
// (no decoding), so a name that is not valid UTF-8 stays the name it was. The working folder and
// isFolderPath() come from platform/WorkingFolder.h.

// `path` made absolute against the working folder, with "." and empty
// components dropped and ".." taking away the component before it (never
// above "/"); no trailing '/' except for "/" itself. Links are not resolved.
QByteArray cleanAbsolutePath(const QByteArray& path);

// The folder that holds `path` (cleaned, absolute): "/" for "/" and for an
// entry of "/".
QByteArray parentPathBytes(const QByteArray& path);

// The last component of a cleaned absolute path; empty for "/".
QByteArray lastComponent(const QByteArray& path);

// `folder` + '/' + `name`, without doubling the '/' of "/".
QByteArray joinPathBytes(const QByteArray& folder, const QByteArray& name);

} // namespace rw
