#include "browser/BrowserHooks.h"

#include "browser/TfrmBrowse.h"

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
    return std::make_unique<TfrmBrowse>(owner);
}

} // namespace rw
