#include "framework/core/StatFileLists.h"

#include "app/core/Settings.h"
#include "framework/core/FileTypes.h"

#include <algorithm>

namespace rw
{

QString TypeLinePattern(const QString& line)
{
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    return tab < 0 ? line : line.left(tab);
}

QString TypeLineOf(const QString& pattern)
{
    return pattern + QLatin1Char('\t') + FileTypeDescription(ExtensionOf(pattern));
}

void ReadStatFilesFromDisk(QStringList& list, const QString& listName)
{
    list.clear();
    if (readListCount(listName) < 0) {
        for (const char* pattern : {"*.doc", "*.exe", "*.dll"})
            list << TypeLineOf(QString::fromLatin1(pattern));
    } else {
        for (const QString& value : readListSection(listName)) {
            if (!value.isEmpty())
                list << TypeLineOf(value);
        }
    }
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

bool WriteStatFilesToDisk(const QStringList& list, const QString& listName)
{
    QStringList patterns;
    patterns.reserve(list.size());
    for (const QString& line : list)
        patterns << TypeLinePattern(line);
    return writeListSection(listName, patterns);
}

} // namespace rw
