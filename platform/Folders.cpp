#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace rw
{

QString settingsFolder()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored (XDG base folders);
    // a relative HOME is no home at all: either would put the settings under
    // whatever the working folder happens to be.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!base.startsWith('/')) {
        const QString home = qEnvironmentVariable("HOME");
        if (!home.startsWith('/'))
            return QString();
        base = home + QStringLiteral("/.config");
    }
    while (base.size() > 1 && base.endsWith('/'))
        base.chop(1);
    return (base == QLatin1String("/") ? QString() : base) + QStringLiteral("/roomwise");
}

QString resolveProfilePath(const QString& name)
{
    if (name.contains('/'))
        return name;
    const QString folder = settingsFolder();
    return folder.isEmpty() ? QString() : folder + '/' + name;
}

QString systemFolder()
{
    return QStringLiteral("/usr/lib");
}

QString osFolder()
{
    return QStringLiteral("/etc");
}

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

QString temporaryFolder()
{
    return QDir::tempPath();
}

} // namespace rw
