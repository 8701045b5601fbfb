#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QWidget;

namespace rw
{

// How the launcher makes each tool window it opens modally. Each factory
// builds a fresh window owned by `owner` (the launcher); the launcher shows
// it modally and destroys it when the modal loop returns. The program starts
// with placeholder windows; the real tool windows replace them at start-up,
// one line each, e.g.
//   toolWindowFactories().mods = [](QWidget* o) { return std::make_unique<TfrmMods>(o); };
struct ToolWindowFactories {
    using Factory = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;

    // The duplicate finder (`duplicateMode` true) or the file-hog finder;
    // DuplicateMode already holds the same value when this is called.
    std::function<std::unique_ptr<QDialog>(QWidget* owner, bool duplicateMode)> dup;
    Factory mods;   // files in a range of dates
    Factory dirhog; // folder hogs
    Factory clean;  // temporary-file cleaner
    Factory browse; // folder browser
};

// The program's one set of factories (placeholders until replaced).
ToolWindowFactories& toolWindowFactories();
// A set of factories that make placeholder windows only.
ToolWindowFactories placeholderToolWindowFactories();

} // namespace rw
