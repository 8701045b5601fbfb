#pragma once

#include <memory>

class QDialog;
class QWidget;

namespace rw
{

// Lets shared grid code open the folder browser: sets
// windowHooks().openBrowser to show a TfrmBrowse modally, owned by the given
// parent, on the folder, mask and file given (an empty one is left as the
// window's default). Call once at start-up.
void registerBrowserHooks();

// A browser window for the launcher's "&Browse": opens on the working
// folder with every file listed. The caller shows it modally and owns it.
std::unique_ptr<QDialog> createBrowseWindow(QWidget* owner);

} // namespace rw
