#pragma once

#include <QByteArray>
#include <QString>

#include "platform/FileIdentity.h"
#include "platform/SafeFolder.h"

namespace rw
{

// The freedesktop.org trash (its layout, version 1.0), written by us so that
// nothing is ever copied, deleted or put in the wrong place:
// - a file on the file system of the home trash goes to
//   $XDG_DATA_HOME/Trash (default ~/.local/share/Trash);
// - a file on another file system goes to $topdir/.Trash/$uid when
//   $topdir/.Trash is a real folder with the sticky bit (not a link), else to
//   $topdir/.Trash-$uid, created with mode 0700;
// - `info/NAME.trashinfo` (Path= percent-encoded, DeletionDate= local time)
//   is created first with O_EXCL under a name unique in the trash, then the
//   entry is moved with renameat2(RENAME_NOREPLACE) from its folder's
//   descriptor to `files/NAME`; when the move fails the info file is removed
//   again. A move across file systems is a failure, never a copy;
// - trashed folders are added to `directorysizes`.
// Files trashed here show and restore in the desktop's own trash.
class Trash
{
public:
    // The home trash folder for the current environment: $XDG_DATA_HOME/Trash
    // when XDG_DATA_HOME is absolute, else $HOME/.local/share/Trash. Empty
    // when HOME is not absolute either: the trash is never guessed, and
    // never put in the working folder.
    static QByteArray homeTrashPath();

    // Moves the entry `name` of `folder` into the trash of its file system,
    // after checking that it is still `expected`. Done when it is in the
    // trash; otherwise nothing is moved and `errorText` (may be null) says
    // why in a sentence for the user.
    static SafeFolder::Result moveToTrash(const SafeFolder& folder, const char* name,
                                          const FileIdentity& expected,
                                          QString* errorText = nullptr);

    // Reads a .trashinfo file: the original absolute path (decoded; a Path=
    // relative to the top folder of a top-dir trash is made absolute from
    // where `infoPath` lies) and the deletion date text. False when it is not
    // a valid info file.
    static bool readInfo(const QByteArray& infoPath, QByteArray* originalPath,
                         QString* deletionDate);
    // Puts a trashed entry back where its info file says it came from (used
    // by tests and by anyone restoring by hand); false when that place is
    // taken or cannot be reached.
    static bool restore(const QByteArray& trashFolder, const QByteArray& trashedName);
};

} // namespace rw
