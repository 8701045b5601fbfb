#include "about/GotoWebPage.h"

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace rw
{

namespace
{
UrlOpener& currentOpener()
{
    static UrlOpener opener;
    return opener;
}

bool openAddress(const QUrl& url)
{
    if (currentOpener())
        return currentOpener()(url);
    return QDesktopServices::openUrl(url);
}

// The address after "URL=" in the shortcut's [InternetShortcut] lines, or an
// empty text when the file cannot be read or holds none.
QString shortcutAddress(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("URL="), Qt::CaseInsensitive))
            return line.mid(4).trimmed();
    }
    return QString();
}
} // namespace

QString makerName()
{
    return QStringLiteral("Brightfield Software");
}

QString homePageAddress()
{
    return QStringLiteral("https://www.example.com/roomwise");
}

QString webShortcutName()
{
    return QStringLiteral("ZEPHRA.URL");
}

UrlOpener setUrlOpener(UrlOpener opener)
{
    UrlOpener old = std::move(currentOpener());
    currentOpener() = std::move(opener);
    return old;
}

bool GotoWebPage(const QString& folder)
{
    const QString path = JoinPath(folder.isEmpty() ? programFolder() : folder, webShortcutName());
    if (!QFileInfo::exists(path)) {
        QSaveFile file(path);
        const QByteArray text = "[InternetShortcut]\nURL=" + homePageAddress().toUtf8() + "\n";
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
            ShowErrorMessage(QCoreApplication::translate("GotoWebPage", "Couldn't write %1: %2")
                                 .arg(path, file.errorString()));
            return false;
        }
    }
    // Desktops here do not open .URL files themselves, so the shortcut's own
    // address goes to the browser.
    const QString address = shortcutAddress(path);
    const QUrl url(address, QUrl::StrictMode);
    // Only a web address goes out: a shortcut edited to point at a local
    // program or file must not get that program run.
    const bool web = url.isValid() && (url.scheme() == QLatin1String("https") ||
                                       url.scheme() == QLatin1String("http"));
    if (!web || !openAddress(url)) {
        ShowErrorMessage(
            QCoreApplication::translate("GotoWebPage", "Couldn't open web browser for home page %1")
                .arg(path));
        return false;
    }
    return true;
}

} // namespace rw
