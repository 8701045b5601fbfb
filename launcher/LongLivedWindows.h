#pragma once

#include <QWidget>

#include <functional>
#include <memory>

namespace rw
{

// The windows that live for the whole run besides the launcher: the
// statistics window, the viewer's find dialog and the pair comparison
// window. Start-up creates one LongLivedWindows after the launcher; it
// builds the three windows in that order (hidden) through windowHooks() and
// destroys them when it goes. A hook left empty makes no window.
class LongLivedWindows
{
public:
    using Factory = std::function<std::unique_ptr<QWidget>()>;
    struct Factories {
        Factory statistics;
        Factory findDialog;
        Factory dupCompare;
    };

    // The program's factories (placeholders until replaced).
    static Factories& factories();
    static Factories placeholderFactories();

    LongLivedWindows();
    ~LongLivedWindows();
    LongLivedWindows(const LongLivedWindows&) = delete;
    LongLivedWindows& operator=(const LongLivedWindows&) = delete;

    // The windows of the living instance; nullptr when there is none (or a
    // factory made none). Owned by the instance.
    static QWidget* statistics();
    static QWidget* findDialog();
    static QWidget* dupCompare();

private:
    std::unique_ptr<QWidget> m_statistics;
    std::unique_ptr<QWidget> m_findDialog;
    std::unique_ptr<QWidget> m_dupCompare;
};

} // namespace rw
