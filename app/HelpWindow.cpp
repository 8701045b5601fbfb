#include "app/HelpWindow.h"

#include "base/ProgramMessages.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace rw
{

namespace
{
QPointer<HelpWindow>& openWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}
} // namespace

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), m_browser(new QTextBrowser)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Roomwise Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("browser"));
    // Links to the web leave the help window for the browser.
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(560, 480);
}

HelpWindow* HelpWindow::current()
{
    return openWindow();
}

HelpWindow* HelpWindow::showHelp(const QString& helpFile, int context, QWidget* owner)
{
    HelpWindow* window = openWindow();
    const bool created = !window;
    if (created)
        window = new HelpWindow(owner);
    if (!window->openTopic(helpFile, context)) {
        if (created)
            delete window;
        return nullptr;
    }
    openWindow() = window;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool HelpWindow::openTopic(const QString& helpFile, int context)
{
    if (!QFileInfo(helpFile).isFile()) {
        ShowErrorMessage(tr("Cannot find the help file %1.").arg(helpFile));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(helpFile);
    // The browser takes the file as HTML whatever its extension.
    m_browser->setSource(url, QTextDocument::HtmlResource);
    m_browser->scrollToAnchor(QString::number(context));
    return true;
}

} // namespace rw
