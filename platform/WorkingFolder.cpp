#include "platform/WorkingFolder.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace rw
{

QByteArray workingFolderBytes()
{
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr)
        return QByteArrayLiteral("/");
    return QByteArray(buffer);
}

bool changeWorkingFolder(const QByteArray& folder)
{
    return ::chdir(folder.constData()) == 0;
}

bool isFolderPath(const QByteArray& path)
{
    struct stat st = {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool resolvedPathBytes(const QByteArray& path, QByteArray* out)
{
    char* real = ::realpath(path.constData(), nullptr);
    if (!real)
        return false;
    *out = QByteArray(real);
    std::free(real);
    return true;
}

} // namespace rw
