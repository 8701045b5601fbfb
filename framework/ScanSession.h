#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include "framework/core/FolderWalker.h"

class QAbstractButton;
class QLabel;
class QWidget;

namespace rw
{

// The window side of a scan run, shared by every tool window: it owns the
// window's abort flag, shows the Abort button and the hourglass while a run
// goes, disables the controls that could start, change or close a run, and
// gives the walk its progress callback (status text + pending events).
//
//   ScanSession::Run run(m_session);          // begin() ... end()
//   m_session.walkDrives(strategy, checkedDrives);
//
// The Abort button's click sets the flag, hides the button and shows the
// abort notice (by default the warning "LIST INCOMPLETE ... ABORTED BY USER").
// While a run goes, the window's close requests and Esc are ignored.
class ScanSession : public QObject
{
    Q_OBJECT
public:
    // `window` is the tool window, `abortButton` its "&Abort" button,
    // `status` the status label (may be null when a status sink is set),
    // `busyWidget` the widget that shows the hourglass (the grid; may be
    // null). None is owned.
    ScanSession(QWidget* window, QAbstractButton* abortButton, QLabel* status,
                QWidget* busyWidget = nullptr);
    ~ScanSession() override;

    // Controls disabled while a run goes; each gets back the enabled state it
    // had when the run began.
    void setDisabledDuringRun(const QList<QWidget*>& controls);
    // Where status texts go instead of the label (a status bar, ...).
    void setStatusSink(std::function<void(const QString&)> sink) { m_sink = std::move(sink); }
    // The status text for a folder being walked; by default its path.
    void setStatusFormatter(std::function<QString(const WalkFolder&)> formatter)
    {
        m_formatter = std::move(formatter);
    }
    // What the Abort click shows after setting the flag (replaces the
    // default warning).
    void setAbortNotice(std::function<void()> notice) { m_notice = std::move(notice); }

    bool& abortFlag() { return m_abort; }
    bool aborted() const { return m_abort; }
    bool isRunning() const { return m_running; }

    // Starts a run: clears the abort flag, shows Abort, disables the controls
    // and sets the hourglass.
    void begin();
    // Ends it: cursor back, Abort hidden, controls restored. Safe to call
    // when no run goes.
    void end();

    // Shows a status text now.
    void showStatus(const QString& text);
    // Lets pending window events run (paint, the Abort click).
    void pumpEvents();
    // The progress callback for a walk: status text, then pending events.
    FolderWalker::ProgressCallback progressCallback();
    void attach(FolderWalker& walker) { walker.setProgressCallback(progressCallback()); }
    // Walks the drives of `entries` (drive list texts) with `strategy`, this
    // session's abort flag and progress; problems the walk meets go to the
    // program's message responder. Meant to be called inside a Run.
    void walkDrives(WalkStrategy& strategy, const QStringList& entries);

    // Begins a run on construction and ends it on destruction, also when
    // the scan leaves by an exception.
    class Run
    {
    public:
        explicit Run(ScanSession& session) : m_session(session) { m_session.begin(); }
        ~Run() { m_session.end(); }
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

    private:
        ScanSession& m_session;
    };

signals:
    // The user pressed Abort during a run (after the flag was set, before
    // the notice is shown).
    void abortClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onAbortClicked();

    QPointer<QWidget> m_window;
    QPointer<QAbstractButton> m_abortButton;
    QPointer<QLabel> m_status;
    QPointer<QWidget> m_busy;
    QList<QPointer<QWidget>> m_controls;
    QList<bool> m_wasEnabled;
    std::function<void(const QString&)> m_sink;
    std::function<QString(const WalkFolder&)> m_formatter;
    std::function<void()> m_notice;
    bool m_abort = false;
    bool m_running = false;
};

} // namespace rw
