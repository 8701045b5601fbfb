#include "framework/core/ProtectedPaths.h"

#include "framework/core/PathBytes.h"
#include "platform/Drives.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace rw
{

const char* const kBrowserRootRefusal = QT_TRANSLATE_NOOP(
    "ProtectedPaths",
    "Cannot delete the root folder! To delete a folder including all files and sub-folders "
    "double click on the desired folder shown in the left panel.");
const char* const kFolderHogRootRefusal =
    QT_TRANSLATE_NOOP("ProtectedPaths", "You cannot delete the root folder using Roomwise 95");
const char* const kSystemFolderRefusal =
    QT_TRANSLATE_NOOP("ProtectedPaths", "You cannot delete the Windows folder using Roomwise 95");
const char* const kFolderAlreadyDeletedText =
    QT_TRANSLATE_NOOP("ProtectedPaths", "Folder already deleted/recycled");
const char* const kDeletedCellText = QT_TRANSLATE_NOOP("ProtectedPaths", "DELETED");
const char* const kRecycledCellText = QT_TRANSLATE_NOOP("ProtectedPaths", "RECYCLED");

namespace
{

QString cleaned(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

// The path with every symbolic link resolved; the cleaned path when it does
// not exist (nothing to resolve then).
QString resolved(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? cleaned(path) : canonical;
}

bool matches(const QString& path, const QStringList& folders)
{
    const QString asWritten = cleaned(path);
    const QString real = resolved(path);
    for (const QString& folder : folders) {
        if (asWritten == cleaned(folder) || real == resolved(folder))
            return true;
    }
    return false;
}

// The bytes with every symbolic link resolved; the cleaned bytes when the
// path does not exist.
QByteArray resolvedBytes(const QByteArray& path)
{
    QByteArray real;
    return resolvedPathBytes(path, &real) ? real : cleanAbsolutePath(path);
}

bool matchesBytes(const QByteArray& path, const QStringList& folders)
{
    const QByteArray asWritten = cleanAbsolutePath(path);
    const QByteArray real = resolvedBytes(asWritten);
    for (const QString& folder : folders) {
        // The protected folders are texts of the settings and the system;
        // their encoding is the bytes they name.
        const QByteArray bytes = QFile::encodeName(folder);
        if (asWritten == cleanAbsolutePath(bytes) || real == resolvedBytes(bytes))
            return true;
    }
    return false;
}

QString refusalOf(ProtectedKind kind, RefusingWindow window)
{
    switch (kind) {
    case ProtectedKind::None:
        return QString();
    case ProtectedKind::Root:
        return QCoreApplication::translate("ProtectedPaths", window == RefusingWindow::Browser
                                                                 ? kBrowserRootRefusal
                                                                 : kFolderHogRootRefusal);
    case ProtectedKind::System:
        return QCoreApplication::translate("ProtectedPaths", kSystemFolderRefusal);
    }
    return QString();
}

QStringList rootFolders()
{
    QStringList roots{QStringLiteral("/")};
    for (const DriveInfo& drive : driveList())
        roots << QFile::decodeName(drive.rootPath());
    return roots;
}

QStringList systemFolders()
{
    static const char* const folders[] = {"/bin",  "/boot", "/dev", "/etc", "/lib", "/lib64",
                                          "/proc", "/sbin", "/sys", "/usr", "/var"};
    QStringList system;
    for (const char* folder : folders)
        system << QString::fromLatin1(folder);
    system << QDir::homePath();
    return system;
}

} // namespace

QStringList protectedFolderList()
{
    return rootFolders() + systemFolders();
}

ProtectedKind protectedFolderKind(const QString& path)
{
    if (path.isEmpty())
        return ProtectedKind::None;
    if (matches(path, rootFolders()))
        return ProtectedKind::Root;
    return matches(path, systemFolders()) ? ProtectedKind::System : ProtectedKind::None;
}

bool isProtectedFolder(const QString& path)
{
    return protectedFolderKind(path) != ProtectedKind::None;
}

QString protectedFolderRefusal(const QString& path, RefusingWindow window)
{
    return refusalOf(protectedFolderKind(path), window);
}

ProtectedKind protectedFolderKindBytes(const QByteArray& path)
{
    if (path.isEmpty())
        return ProtectedKind::None;
    if (matchesBytes(path, rootFolders()))
        return ProtectedKind::Root;
    return matchesBytes(path, systemFolders()) ? ProtectedKind::System : ProtectedKind::None;
}

QString protectedFolderRefusalBytes(const QByteArray& path, RefusingWindow window)
{
    return refusalOf(protectedFolderKindBytes(path), window);
}

} // namespace rw
