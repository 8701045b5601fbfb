#include "base/SearchPath.h"

#include "platform/Folders.h"

#include <optional>

namespace rw
{

namespace
{
std::optional<QStringList>& programList()
{
    static std::optional<QStringList> list;
    return list;
}
} // namespace

QStringList GetSearchPath(const QString& pathValue, const QString& systemFolder,
                          const QString& osFolder)
{
    QStringList lines;
    // The whole value is read: there is no reason to cut a long PATH short.
    QString rest = pathValue.toUpper();
    qsizetype sep;
    while ((sep = rest.indexOf(':')) >= 0) {
        lines.append(rest.left(sep));
        rest.remove(0, sep + 1);
    }
    if (!rest.isEmpty())
        lines.append(rest);
    if (!systemFolder.isEmpty())
        lines.append(systemFolder.toUpper());
    if (!osFolder.isEmpty())
        lines.append(osFolder.toUpper());
    return lines;
}

QStringList GetSearchPath()
{
    return GetSearchPath(qEnvironmentVariable("PATH"), systemFolder(), osFolder());
}

bool IsOnSearchPath(const QStringList& lines, const QString& folder)
{
    const QString wanted = folder.toUpper();
    for (const QString& line : lines) {
        if (line == wanted)
            return true;
    }
    return false;
}

void setSearchPathFolders(const QStringList& lines)
{
    programList() = lines;
}

QStringList searchPathFolders()
{
    if (!programList())
        programList() = GetSearchPath();
    return *programList();
}

bool IsOnSearchPath(const QString& folder)
{
    return IsOnSearchPath(searchPathFolders(), folder);
}

} // namespace rw
