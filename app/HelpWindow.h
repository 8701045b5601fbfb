#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace rw
{

// The program's help system: a window that shows the help file (an HTML
// document) at the topic of a context number, the anchor named by that
// number ("#1"). One help window serves the whole run; it closes by itself
// with its owner.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner = nullptr);

    // Shows `helpFile` at topic `context` in the one help window, creating it
    // as a window owned by `owner` when there is none. A missing file is
    // reported in the error box and nothing is shown; returns the window
    // shown, or nullptr then.
    static HelpWindow* showHelp(const QString& helpFile, int context, QWidget* owner = nullptr);
    // The help window now open, or nullptr.
    static HelpWindow* current();

    // Loads `helpFile` and scrolls to the anchor of `context`; false (with the
    // error shown) when the file does not exist.
    bool openTopic(const QString& helpFile, int context);

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace rw
