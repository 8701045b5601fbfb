#include "platform/ProfileAlerts.h"

#include <QSet>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace rw
{

namespace
{

struct State {
    std::mutex mutex;
    ProfileAlerts::Handler handler;
    bool writeReported = false;
    QSet<QString> unreadable; // paths whose read failure was reported
    // Set while `unreadable` holds anything, so the reads of a healthy file
    // never take the mutex.
    std::atomic<bool> anyUnreadable{false};
};

State& state()
{
    static State s;
    return s;
}

void tell(ProfileAlerts::Handler handler, const QString& text)
{
    if (handler)
        handler(text);
    else
        std::fprintf(stderr, "roomwise: %s\n", text.toLocal8Bit().constData());
}

} // namespace

ProfileAlerts::Handler ProfileAlerts::setHandler(Handler handler)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    std::swap(s.handler, handler);
    return handler;
}

void ProfileAlerts::writeFailed(const QString& text)
{
    State& s = state();
    Handler handler;
    {
        std::lock_guard lock(s.mutex);
        if (s.writeReported)
            return;
        s.writeReported = true;
        handler = s.handler;
    }
    tell(handler, text);
}

void ProfileAlerts::writeSucceeded()
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.writeReported = false;
}

void ProfileAlerts::readFailed(const QString& path, const QString& text)
{
    State& s = state();
    Handler handler;
    {
        std::lock_guard lock(s.mutex);
        if (s.unreadable.contains(path))
            return;
        s.unreadable.insert(path);
        s.anyUnreadable = true;
        handler = s.handler;
    }
    tell(handler, text);
}

void ProfileAlerts::readSucceeded(const QString& path)
{
    State& s = state();
    if (!s.anyUnreadable)
        return;
    std::lock_guard lock(s.mutex);
    s.unreadable.remove(path);
    s.anyUnreadable = !s.unreadable.isEmpty();
}

void ProfileAlerts::reset()
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.writeReported = false;
    s.unreadable.clear();
    s.anyUnreadable = false;
}

} // namespace rw
