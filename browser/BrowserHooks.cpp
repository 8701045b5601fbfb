#include "browser/BrowserHooks.h"

#include "browser/TfrmBrowse.h"
#include "platform/RunDrives.h"

namespace rw
{

void showBrowser(QWidget* parent, const QByteArray& folder, const QString& mask,
                 const QByteArray& selectFile)
{
    TfrmBrowse browser(parent);
    if (!folder.isEmpty())
        browser.setFolder(folder);
    if (!mask.isEmpty())
        browser.setMask(mask);
    if (!selectFile.isEmpty())
        browser.setSelectFile(selectFile);
    browser.exec();
}

std::unique_ptr<QDialog> createBrowseWindow(QWidget* owner)
{
    auto browser = std::make_unique<TfrmBrowse>(owner);
    // The first folder the user pointed the program at this run, rather than
    // the working folder.
    const QList<RunDrives::Entry> added = RunDrives::entries();
    if (!added.isEmpty())
        browser->setFolder(added.first().folder);
    return browser;
}

} // namespace rw
