#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace rw
{

// The maker named in the about window, and its home page.
QString makerName();
QString homePageAddress();

// How an address is handed to the desktop; the default asks
// QDesktopServices::openUrl. Returns true when the desktop accepted it.
using UrlOpener = std::function<bool(const QUrl&)>;
// Replaces the opener (an empty one restores the default); returns the old one.
UrlOpener setUrlOpener(UrlOpener opener);

// The name of the Internet shortcut kept beside the program.
QString webShortcutName();

// Opens the maker's home page through the Internet shortcut in `folder`
// (the program's folder by default): writes the shortcut, "[InternetShortcut]"
// and "URL=<address>", only when no file of that name exists, then opens the
// address its URL= line holds (http or https only). A shortcut that cannot be written is
// reported and nothing is opened; a failed open is reported as
// "Couldn't open web browser for home page <path>". True when the browser
// was asked successfully.
bool GotoWebPage(const QString& folder = QString());

} // namespace rw
