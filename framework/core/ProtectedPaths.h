#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rw
{

// Why a folder may not be deleted as a whole tree.
enum class ProtectedKind {
    None,   // an ordinary folder
    Root,   // "/" or the root folder of a lettered drive
    System, // an operating-system folder or the user's home folder
};

// Classifies a folder. The path is compared both as written (made absolute
// and cleaned, so "/usr/" and "/usr/../usr" match) and with its symbolic
// links resolved (so a link to /etc matches). Only the folders themselves
// are protected, not the folders below them.
ProtectedKind protectedFolderKind(const QString& path);

// True when the folder is a drive root, "/", /bin, /boot, /dev, /etc, /lib,
// /lib64, /proc, /sbin, /sys, /usr, /var or the user's home folder.
bool isProtectedFolder(const QString& path);

// The protected folders as written: "/", the drive roots, the operating-
// system folders and the home folder.
QStringList protectedFolderList();

// The texts below are English source texts; a window shows them through
// QCoreApplication::translate("ProtectedPaths", text).
// Refusal shown by the folder browser for a root folder.
extern const char* const kBrowserRootRefusal;
// Refusal shown by the folder hog window for a root folder.
extern const char* const kFolderHogRootRefusal;
// Refusal shown by both windows for an operating-system folder.
extern const char* const kSystemFolderRefusal;
// Folder hog window: the row's folder is gone already.
extern const char* const kFolderAlreadyDeletedText;
// Texts the folder hog window writes into the size cell of a removed folder.
extern const char* const kDeletedCellText;
extern const char* const kRecycledCellText;

// Which window refuses; the two word their root refusal differently.
enum class RefusingWindow { Browser, FolderHogs };

// The refusal text for a folder in that window, or an empty text when the
// folder may be deleted.
QString protectedFolderRefusal(const QString& path, RefusingWindow window);

// The same two for a folder given as the file system's bytes: cleaned as
// bytes and resolved with realpath(), so a folder whose name is not valid
// UTF-8 (or a link by such a name) is judged by what it really is.
ProtectedKind protectedFolderKindBytes(const QByteArray& path);
QString protectedFolderRefusalBytes(const QByteArray& path, RefusingWindow window);

} // namespace rw
