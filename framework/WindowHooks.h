#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

namespace rw
{

// How shared grid code opens the windows of other layers without linking
// them: the launcher fills these at start-up; tests may set their own. An
// empty hook does nothing.
struct WindowHooks {
    // Paths are the file system's bytes, never display text, so a name that
    // is not valid UTF-8 opens the file it names.
    // File viewer (TfrmView) on a file, modal, owned by `parent`.
    std::function<void(QWidget* parent, const QByteArray& path)> openViewer;
    // File details window (TfrmDetails) on a file or folder, modal.
    std::function<void(QWidget* parent, const QByteArray& path)> openDetails;
    // Folder browser (TfrmBrowse) on a folder with a file mask and a file to
    // select (its name's bytes; may be empty), modal.
    std::function<void(QWidget* parent, const QByteArray& folder, const QString& mask,
                       const QByteArray& selectFile)>
        openBrowser;
};

// The one set of hooks of the program.
WindowHooks& windowHooks();

} // namespace rw
