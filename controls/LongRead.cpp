#include "controls/LongRead.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace rw
{

namespace
{
LongRead* g_current = nullptr;
// How often a read on the window's thread lets the events run.
constexpr qint64 kEventsEveryMs = 20;
// The box's scale: its bar counts to this.
constexpr int kScale = 1000;
} // namespace

LongRead::LongRead(QWidget* window, const QString& label)
    : m_window(window), m_label(label), m_outer(g_current)
{
    g_current = this;
    m_clock.start();
}

LongRead::~LongRead()
{
    g_current = m_outer;
}

LongRead* LongRead::current()
{
    return g_current;
}

void LongRead::runEvents(std::int64_t done, std::int64_t total, bool wait)
{
    if (!m_dialog && m_clock.elapsed() >= kDialogDelayMs) {
        m_dialog = std::make_unique<QProgressDialog>(
            m_label, QCoreApplication::translate("LongRead", "Cancel"), 0, kScale, m_window.data());
        m_dialog->setObjectName(QStringLiteral("LongReadProgress"));
        m_dialog->setWindowTitle(QCoreApplication::translate("LongRead", "Please wait"));
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        QObject::connect(m_dialog.get(), &QProgressDialog::canceled, [this] { cancel(); });
        m_dialog->show();
    }
    if (m_dialog && total > 0)
        m_dialog->setValue(int(double(std::min(done, total)) / double(total) * kScale));
    // Until the box blocks the window's input, no click or key may reach
    // the window in the middle of the read.
    QEventLoop::ProcessEventsFlags flags =
        m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    if (wait)
        flags |= QEventLoop::WaitForMoreEvents;
    QEventLoop loop;
    loop.processEvents(flags);
    m_lastEvents = m_clock.elapsed();
}

bool LongRead::step(std::int64_t done, std::int64_t total)
{
    if (m_clock.elapsed() - m_lastEvents >= kEventsEveryMs)
        runEvents(done, total, false);
    return !cancelled();
}

bool LongRead::runOffThread(const std::function<bool(const ReadProgress& progress)>& work)
{
    std::atomic<std::int64_t> done{0};
    std::atomic<std::int64_t> total{0};
    std::atomic<bool> finished{false};
    bool result = false;
    const ReadProgress progress = [this, &done, &total](std::int64_t d, std::int64_t t) {
        done.store(d, std::memory_order_relaxed);
        total.store(t, std::memory_order_relaxed);
        return !cancelled();
    };
    const std::unique_ptr<QThread> helper(QThread::create([&] {
        result = work(progress);
        finished.store(true);
    }));
    QEventLoop wake; // the helper's end wakes the waiting loop below
    QObject::connect(
        helper.get(), &QThread::finished, &wake, [] {}, Qt::QueuedConnection);
    // A steady tick, so the progress shows even when nothing else happens.
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, &wake, [] {});
    tick.start();
    helper->start();
    while (!finished.load())
        runEvents(done.load(std::memory_order_relaxed), total.load(std::memory_order_relaxed),
                  true);
    helper->wait();
    return result && !cancelled();
}

} // namespace rw
