#pragma once

#include <QString>

namespace rw
{

// Whether the file `filePath` (a settings file) could be written the way
// ProfileFile writes it (a temporary file in its folder, then a rename):
// true when the file, if present, is a regular file (not a link) that may
// be written, and its folder exists and may be written, or can be made in
// the nearest folder that exists. Nothing is created or changed. Checks use
// the effective ids (so root passes permission bits but not a read-only
// mount). When false, `why` (may be null) gets a sentence for the user.
bool canWriteFolderOf(const QString& filePath, QString* why);

} // namespace rw
