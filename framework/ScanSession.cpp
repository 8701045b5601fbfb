#include "framework/ScanSession.h"

#include "base/ProgramMessages.h"
#include "framework/core/ScanLimits.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

namespace rw
{

ScanSession::ScanSession(QWidget* window, QAbstractButton* abortButton, QLabel* status,
                         QWidget* busyWidget)
    : QObject(window), m_window(window), m_abortButton(abortButton), m_status(status),
      m_busy(busyWidget)
{
    if (m_abortButton)
        connect(m_abortButton, &QAbstractButton::clicked, this, &ScanSession::onAbortClicked);
}

ScanSession::~ScanSession() = default;

void ScanSession::setDisabledDuringRun(const QList<QWidget*>& controls)
{
    m_controls.clear();
    for (QWidget* w : controls)
        m_controls.append(w);
}

void ScanSession::begin()
{
    m_abort = false;
    if (m_running)
        return;
    m_running = true;
    m_wasEnabled.clear();
    for (const QPointer<QWidget>& w : m_controls) {
        m_wasEnabled.append(w && w->isEnabled());
        if (w)
            w->setEnabled(false);
    }
    if (m_abortButton) {
        m_abortButton->setEnabled(true);
        m_abortButton->show();
    }
    if (m_busy)
        m_busy->setCursor(Qt::WaitCursor);
    if (m_window)
        m_window->installEventFilter(this);
}

void ScanSession::end()
{
    if (!m_running)
        return;
    m_running = false;
    if (m_window)
        m_window->removeEventFilter(this);
    if (m_busy)
        m_busy->unsetCursor();
    if (m_abortButton)
        m_abortButton->hide();
    for (int i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i])
            m_controls[i]->setEnabled(i < m_wasEnabled.size() ? m_wasEnabled[i] : true);
    }
}

void ScanSession::showStatus(const QString& text)
{
    if (m_sink)
        m_sink(text);
    else if (m_status)
        m_status->setText(text);
}

void ScanSession::pumpEvents()
{
    QCoreApplication::processEvents();
}

FolderWalker::ProgressCallback ScanSession::progressCallback()
{
    return [this](const WalkFolder& folder) {
        showStatus(m_formatter ? m_formatter(folder) : folder.displayPath());
        pumpEvents();
    };
}

void ScanSession::onAbortClicked()
{
    if (!m_running)
        return;
    m_abort = true;
    if (m_abortButton)
        m_abortButton->hide();
    emit abortClicked();
    if (m_notice)
        m_notice();
    else
        ShowWarningMessage(abortedByUserText());
}

bool ScanSession::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window in the middle of a walk would pull it from under
    // the walk's feet; the run must end first.
    if (m_running && watched == m_window) {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

void ScanSession::walkDrives(WalkStrategy& strategy, const QStringList& entries)
{
    FolderWalker walker(strategy, m_abort, *messageResponder());
    attach(walker);
    walker.scanAllDrives(entries);
}

} // namespace rw
