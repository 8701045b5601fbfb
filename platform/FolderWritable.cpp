#include "platform/FolderWritable.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

namespace
{
// The messages of this file, translated as one context.
struct FolderWritableTexts {
    Q_DECLARE_TR_FUNCTIONS(FolderWritableTexts)
};
} // namespace

namespace
{

QByteArray parentOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

bool canWriteFolderOf(const QString& filePath, QString* why)
{
    const auto no = [why](const QString& text) {
        if (why)
            *why = text;
        return false;
    };
    const QString absolute = QFileInfo(filePath).absoluteFilePath();
    const QByteArray file = QFile::encodeName(absolute);
    struct stat st;
    if (::lstat(file.constData(), &st) == 0) {
        if (S_ISLNK(st.st_mode))
            return no(
                FolderWritableTexts::tr("The settings file %1 is a symbolic link; it is never "
                                        "written through.")
                    .arg(absolute));
        if (!S_ISREG(st.st_mode))
            return no(FolderWritableTexts::tr("The settings file %1 is not a regular file.")
                          .arg(absolute));
        if (::faccessat(AT_FDCWD, file.constData(), W_OK, AT_EACCESS) != 0)
            return no(FolderWritableTexts::tr("The settings file %1 cannot be written: %2.")
                          .arg(absolute, reason(errno)));
    } else if (errno != ENOENT && errno != ENOTDIR) {
        return no(FolderWritableTexts::tr("The settings file %1 cannot be reached: %2.")
                      .arg(absolute, reason(errno)));
    }
    // The nearest folder that exists: the file's own, or the one in which
    // the missing folders would be made. It must take a new entry (the
    // temporary file, or the next folder).
    QByteArray folder = parentOf(file);
    for (;;) {
        if (::stat(folder.constData(), &st) == 0)
            break;
        if ((errno != ENOENT && errno != ENOTDIR) || folder == "/")
            return no(FolderWritableTexts::tr("The settings folder %1 cannot be reached: %2.")
                          .arg(QFile::decodeName(folder), reason(errno)));
        folder = parentOf(folder);
    }
    if (!S_ISDIR(st.st_mode))
        return no(FolderWritableTexts::tr(
                      "The settings folder for %1 cannot be made: %2 is a file, not a "
                      "folder.")
                      .arg(absolute, QFile::decodeName(folder)));
    if (::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return no(FolderWritableTexts::tr("The settings folder %1 cannot be written: %2.")
                      .arg(QFile::decodeName(folder), reason(errno)));
    if (why)
        why->clear();
    return true;
}

} // namespace rw
