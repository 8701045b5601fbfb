#include "framework/core/PathBytes.h"

#include <QList>

namespace rw
{

QByteArray cleanAbsolutePath(const QByteArray& path)
{
    const QByteArray absolute = path.startsWith('/') ? path : workingFolderBytes() + '/' + path;
    QList<QByteArray> parts;
    for (const QByteArray& part : absolute.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    QByteArray out;
    for (const QByteArray& part : parts)
        out += '/' + part;
    return out.isEmpty() ? QByteArrayLiteral("/") : out;
}

QByteArray parentPathBytes(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray lastComponent(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray joinPathBytes(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace rw
