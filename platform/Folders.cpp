#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace rw {

QString settingsFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/roomwise");
}

QString resolveProfilePath(const QString& name)
{
    if (name.contains('/'))
        return name;
    return settingsFolder() + '/' + name;
}

QString systemFolder() { return QStringLiteral("/usr/lib"); }

QString osFolder() { return QStringLiteral("/etc"); }

QString programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString programPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QString();
}

QString temporaryFolder() { return QDir::tempPath(); }

} // namespace rw
