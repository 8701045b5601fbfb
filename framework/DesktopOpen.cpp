#include "framework/DesktopOpen.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace rw
{

bool openWithDesktop(const QByteArray& path)
{
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(path.toPercentEncoding("/")), QUrl::TolerantMode);
    return QDesktopServices::openUrl(url);
}

} // namespace rw
