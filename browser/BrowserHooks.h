#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace rw
{

// Shows a folder browser (TfrmBrowse) modally, owned by `parent`, on the
// folder, mask and file given (an empty one is left as the window's
// default): what windowHooks().openBrowser is wired to.
void showBrowser(QWidget* parent, const QByteArray& folder, const QString& mask,
                 const QByteArray& selectFile);

// A browser window for the launcher's "&Browse": opens on the working
// folder with every file listed. The caller shows it modally and owns it.
std::unique_ptr<QDialog> createBrowseWindow(QWidget* owner);

} // namespace rw
