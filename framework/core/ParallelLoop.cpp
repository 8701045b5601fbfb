#include "framework/core/ParallelLoop.h"

#include <algorithm>

namespace rw
{

ParallelLoop::ParallelLoop(int helpers)
{
    if (helpers < 0) {
        const unsigned processors = std::thread::hardware_concurrency();
        helpers = processors > 1 ? int(std::min(processors - 1, 3u)) : 0;
    }
    m_threads.reserve(std::size_t(helpers));
    for (int i = 0; i < helpers; ++i)
        m_threads.emplace_back([this] { helperMain(); });
}

ParallelLoop::~ParallelLoop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads)
        t.join();
}

void ParallelLoop::takeChunks()
{
    for (;;) {
        const std::size_t begin = m_next.fetch_add(m_grain, std::memory_order_relaxed);
        if (begin >= m_count)
            return;
        const std::size_t end = std::min(m_count, begin + m_grain);
        for (std::size_t i = begin; i < end; ++i)
            (*m_body)(i);
    }
}

void ParallelLoop::helperMain()
{
    std::uint64_t seen = 0;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stop || m_generation != seen; });
        if (m_stop)
            return;
        seen = m_generation;
        // A helper that wakes after the caller has done the loop alone has
        // nothing to join.
        if (!m_open)
            continue;
        ++m_working;
        lock.unlock();
        takeChunks();
        lock.lock();
        if (--m_working == 0 && !m_open)
            m_done.notify_one();
    }
}

void ParallelLoop::run(std::size_t count, const std::function<void(std::size_t)>& body,
                       std::size_t grain)
{
    grain = std::max<std::size_t>(grain, 1);
    if (m_threads.empty() || count < 2 * grain) {
        for (std::size_t i = 0; i < count; ++i)
            body(i);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_body = &body;
        m_count = count;
        m_grain = grain;
        m_next.store(0, std::memory_order_relaxed);
        m_open = true;
        ++m_generation;
    }
    m_wake.notify_all();
    takeChunks();
    // Every chunk is taken: close the loop to latecomers and wait only for
    // the helpers still running an iteration. The mutex hands what they
    // wrote over to this thread.
    std::unique_lock lock(m_mutex);
    m_open = false;
    m_done.wait(lock, [&] { return m_working == 0; });
    m_body = nullptr;
}

} // namespace rw
