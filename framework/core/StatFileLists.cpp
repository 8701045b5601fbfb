#include "framework/core/StatFileLists.h"

#include "base/Settings.h"
#include "framework/core/FileTypes.h"
#include "platform/ProfileFile.h"

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

void ReadStatFilesFromDisk(QStringList& list, const QString& listName, MessageResponder& reporter)
{
    list.clear();
    if (readListCount(listName) < 0) {
        for (const char* pattern : {"*.doc", "*.exe", "*.dll"})
            list << TypeLineOf(QString::fromLatin1(pattern));
    } else {
        for (const QString& value : readListSection(listName, reporter)) {
            if (!value.isEmpty())
                list << TypeLineOf(value);
        }
    }
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

bool WriteTypeListSection(const QString& section, const QStringList& lines)
{
    // Only Number and File1..FileN are set: keys of a longer earlier list
    // stay in the file, where nothing reads them (reading stops at Number).
    QList<QPair<QString, QString>> kv;
    kv.reserve(lines.size() + 1);
    kv.append({QStringLiteral("Number"), QString::number(lines.size())});
    for (qsizetype i = 0; i < lines.size(); ++i)
        kv.append({QStringLiteral("File") + QString::number(i + 1), TypeLinePattern(lines[i])});
    return ProfileFile(QString::fromLatin1(kSettingsFileName)).writeValues(section, kv);
}

bool WriteStatFilesToDisk(const QStringList& list, const QString& listName)
{
    return WriteTypeListSection(listName, list);
}

} // namespace rw
