#include "framework/core/DeleteRun.h"

#include <QFile>
#include <QStringEncoder>
#include <QVarLengthArray>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include "app/core/Messages.h"
#include "app/core/Settings.h"

namespace rw
{

DeleteRun::DeleteRun(const QStringList& paths)
    : m_paths(sortedPaths(paths)), m_remove(&DeleteRun::removeFile),
      m_recycle(&DeleteRun::sendToRecycleBin)
{
}

QStringList DeleteRun::sortedPaths(QStringList paths)
{
    std::stable_sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return paths;
}

std::int64_t DeleteRun::fileSize(const QString& path)
{
    struct stat st {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

bool DeleteRun::removeFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {
    };
    // Folders are not files: unlink would fail on them anyway, but say so plainly.
    if (::lstat(name.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    return ::unlink(name.constData()) == 0;
}

bool DeleteRun::sendToRecycleBin(const QString& path)
{
    return QFile::moveToTrash(path);
}

DeleteRun::Outcome DeleteRun::deleteAll(const Progress& progress)
{
    Outcome out;
    for (int i = 0; i < m_paths.size(); ++i) {
        if (progress)
            progress(i);
        const QString& path = m_paths[i];
        const std::int64_t size = fileSize(path);
        if (m_remove(path)) {
            ++out.files;
            out.bytes += std::max<std::int64_t>(size, 0);
        } else {
            out.failed.append(path);
            ShowErrorMessage(QStringLiteral("Couldn't delete file - ") + path);
        }
    }
    addDeletionTotals(out.files, out.bytes, 0, 0);
    return out;
}

DeleteRun::Outcome DeleteRun::recycleAll(const Progress& progress)
{
    Outcome out;
    for (int i = 0; i < m_paths.size(); ++i) {
        if (progress)
            progress(i);
        const QString& path = m_paths[i];
        const std::int64_t size = fileSize(path);
        if (!m_recycle(path)) {
            out.failed.append(path);
            out.stoppedEarly = true;
            ShowErrorMessage(QStringLiteral(
                "An error occurred sending files to the recycle bin.  The bin may be full."));
            break;
        }
        ++out.files;
        out.bytes += std::max<std::int64_t>(size, 0);
    }
    addDeletionTotals(0, 0, out.files, out.bytes);
    return out;
}

} // namespace rw
