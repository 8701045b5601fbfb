#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace rw {

// How shared grid code opens the windows of other layers without linking
// them: the launcher fills these at start-up; tests may set their own. An
// empty hook does nothing.
struct WindowHooks {
    // File viewer (TfrmView) on a file, modal, owned by `parent`.
    std::function<void(QWidget* parent, const QString& path)> openViewer;
    // File details window (TfrmDetails) on a file or folder, modal.
    std::function<void(QWidget* parent, const QString& path)> openDetails;
    // Folder browser (TfrmBrowse) on a folder with a file mask and a file to
    // select (may be empty), modal.
    std::function<void(QWidget* parent, const QString& folder, const QString& mask,
                       const QString& selectFile)>
        openBrowser;
};

// The one set of hooks of the program.
WindowHooks& windowHooks();

} // namespace rw
