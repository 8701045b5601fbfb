#include "base/DataFiles.h"

#include "base/SharedRoutines.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace rw
{

namespace
{
// The folder under a data folder (share/) that holds our files.
const QString kDataSubfolder = QStringLiteral("roomwise");
} // namespace

QStringList DataFileCandidates(const QString& programFolder, const QString& name,
                               const QStringList& dataDirs)
{
    const QDir program(programFolder);
    QStringList candidates;
    // Spelled as the launcher always has, so a missing file is named the same.
    candidates << JoinPath(programFolder, name);
    candidates << QDir::cleanPath(
        program.filePath(QStringLiteral("../share/") + kDataSubfolder + u'/' + name));
    for (const QString& dir : dataDirs) {
        // Relative entries are to be ignored (XDG base directory rules).
        if (dir.isEmpty() || QDir::isRelativePath(dir))
            continue;
        const QString path = QDir::cleanPath(dir + u'/' + kDataSubfolder + u'/' + name);
        if (!candidates.contains(path))
            candidates << path;
    }
    return candidates;
}

QString FindDataFile(const QString& programFolder, const QString& name, const QStringList& dataDirs)
{
    const QStringList candidates = DataFileCandidates(programFolder, name, dataDirs);
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return candidates.first();
}

QString FindDataFile(const QString& programFolder, const QString& name)
{
    return FindDataFile(programFolder, name,
                        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

} // namespace rw
