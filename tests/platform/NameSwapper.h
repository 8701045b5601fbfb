#pragma once

// A helper thread for the race tests: it swaps pairs of names with
// renameat2(RENAME_EXCHANGE) in a loop, as an attacker would between a scan
// and a delete. It stops itself after `maxSwaps` attempts or `maxSeconds`,
// and at the latest when the object is destroyed.

#include <QByteArray>
#include <QList>
#include <QPair>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include <fcntl.h>

namespace rwtest
{

class NameSwapper
{
public:
    NameSwapper(QList<QPair<QByteArray, QByteArray>> pairs, long maxSwaps, int maxSeconds)
        : m_pairs(std::move(pairs)),
          m_thread([this, maxSwaps, maxSeconds] { run(maxSwaps, maxSeconds); })
    {
    }
    ~NameSwapper() { stop(); }
    NameSwapper(const NameSwapper&) = delete;
    NameSwapper& operator=(const NameSwapper&) = delete;

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    // Exchanges that took place (a pair of which one name is gone fails).
    long swaps() const { return m_swaps; }
    // Waits (at most `seconds`) until the thread has swapped at least once,
    // so that the race really runs on a busy machine; true when it has.
    bool waitUntilSwapping(int seconds) const { return waitForSwapsAfter(0, seconds * 1000); }
    // Waits (at most `ms`) until more than `seen` swaps took place. Called
    // between two steps of the main thread, it makes the two threads really
    // interleave even where the scheduler would run one of them in bursts.
    bool waitForSwapsAfter(long seen, int ms) const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (m_swaps <= seen && std::chrono::steady_clock::now() < end)
            std::this_thread::yield();
        return m_swaps > seen;
    }

private:
    void run(long maxSwaps, int maxSeconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(maxSeconds);
        for (long i = 0; i < maxSwaps && !m_stop; ++i) {
            if ((i & 255) == 0 && std::chrono::steady_clock::now() > end)
                break;
            const auto& pair = m_pairs[i % m_pairs.size()];
            if (::renameat2(AT_FDCWD, pair.first.constData(), AT_FDCWD, pair.second.constData(),
                            RENAME_EXCHANGE) == 0)
                ++m_swaps;
        }
    }

    QList<QPair<QByteArray, QByteArray>> m_pairs;
    std::atomic<bool> m_stop{false};
    std::atomic<long> m_swaps{0};
    std::thread m_thread;
};

} // namespace rwtest
