#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace rw
{

// The one registry through which windows reach windows of other layers
// without linking them. launcher/ProgramWiring fills every entry at start-up,
// in one place; tests may set their own. An empty entry opens nothing.
struct WindowHooks {
    // --- What shared grid code opens. Paths are the file system's bytes,
    // never display text, so a name that is not valid UTF-8 opens the file
    // it names.
    // File viewer (TfrmView) on a file, modal, owned by `parent`.
    std::function<void(QWidget* parent, const QByteArray& path)> openViewer;
    // File details window (TfrmDetails) on a file or folder, modal.
    std::function<void(QWidget* parent, const QByteArray& path)> openDetails;
    // Folder browser (TfrmBrowse) on a folder with a file mask and a file to
    // select (its name's bytes; may be empty), modal.
    std::function<void(QWidget* parent, const QByteArray& folder, const QString& mask,
                       const QByteArray& selectFile)>
        openBrowser;
    // Folder map (TfrmMap) of a folder, walked when it opens, modal.
    std::function<void(QWidget* parent, const QByteArray& folder)> openFolderMap;
    // "What grew" (TfrmGrew) on the kept scans of the root that holds
    // `folder`, with that folder's row chosen, modal.
    std::function<void(QWidget* parent, const QByteArray& folder)> openGrowth;

    // --- The tool windows the launcher opens modally. Each makes a fresh
    // window owned by `owner`; the launcher shows it and destroys it when its
    // modal loop returns.
    using ToolWindow = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;
    // The duplicate finder (`duplicateMode` true) or the file-hog finder.
    std::function<std::unique_ptr<QDialog>(QWidget* owner, bool duplicateMode)> dupWindow;
    ToolWindow modsWindow;   // files in a range of dates
    ToolWindow dirHogWindow; // folder hogs
    ToolWindow cleanWindow;  // temporary-file cleaner
    ToolWindow browseWindow; // folder browser on the working folder

    // --- The windows that live as long as the program (LongLivedWindows
    // makes them, hidden, in this order).
    using LongLivedWindow = std::function<std::unique_ptr<QWidget>()>;
    LongLivedWindow statisticsWindow;
    LongLivedWindow findDialog;
    LongLivedWindow dupCompareWindow;
};

// The program's one set of hooks.
WindowHooks& windowHooks();

} // namespace rw
