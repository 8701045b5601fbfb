#pragma once

#include "base/ReadProgress.h"
#include "controls/WaitCursor.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace rw
{

// A long read a window does (counting the lines of a big file, listing its
// strings): the hourglass for its whole length and, once it has run for
// kDialogDelayMs, a progress box with Cancel, modal to the window, so the
// window paints and can be stopped but takes no other command meanwhile.
// Until the box shows, events run without user input.
//
// The work runs either on the window's thread in slices, calling step()
// between them, or on a helper thread (runOffThread()) while the window's
// thread waits in an event loop. Either way Cancel (or cancel()) stops it:
// step() returns false, and the helper's progress callback returns false.
class LongRead
{
public:
    static constexpr int kDialogDelayMs = 400;

    // `window` (may be null) is the window whose read it is; `label` says
    // what is being read.
    LongRead(QWidget* window, const QString& label);
    ~LongRead();
    LongRead(const LongRead&) = delete;
    LongRead& operator=(const LongRead&) = delete;

    // Between slices of work on the window's thread: shows how far it came,
    // lets the events run (at most every few milliseconds, so a fast read
    // stays fast) and returns false once the read is cancelled.
    bool step(std::int64_t done, std::int64_t total);

    // Runs `work` on a helper thread and waits for it with the events
    // running. `work` calls the progress it is given from its thread, and
    // stops when that returns false. Returns what `work` returned, false
    // when cancelled.
    bool runOffThread(const std::function<bool(const ReadProgress& progress)>& work);

    // What the Cancel button does; thread-safe.
    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

    // The innermost read running on the window's thread now, or null.
    static LongRead* current();

private:
    // Shows the progress (the box once the delay has passed) and lets the
    // events run; `wait` blocks until an event comes.
    void runEvents(std::int64_t done, std::int64_t total, bool wait);

    QPointer<QWidget> m_window;
    QString m_label;
    WaitCursor m_cursor;
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    qint64 m_lastEvents = 0;
    std::atomic<bool> m_cancelled{false};
    LongRead* m_outer = nullptr;
};

} // namespace rw
