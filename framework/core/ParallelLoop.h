#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace rw
{

// Runs the iterations of a loop on the calling thread and on helper threads
// together, for work that is mostly waiting on the kernel (one metadata call
// per file): the walk hands a folder's names to run() and gets back when
// every one has been done. The helpers are started once and sleep between
// loops, so a loop costs one wake-up, not a thread; and the caller never
// waits for a helper that has not woken yet (it finds the loop closed and
// goes back to sleep), only for those still working on an iteration.
//
// The iterations must be independent of each other and safe to run on any
// thread; run() returns only when all of them have finished, so what they
// write is visible to the caller afterwards. Not reentrant: one run() at a
// time, from one thread.
class ParallelLoop
{
public:
    // `helpers` threads besides the caller's; -1 takes one fewer than the
    // processors (at most 3), 0 runs every loop on the calling thread.
    explicit ParallelLoop(int helpers = -1);
    ~ParallelLoop();
    ParallelLoop(const ParallelLoop&) = delete;
    ParallelLoop& operator=(const ParallelLoop&) = delete;

    int helperCount() const { return int(m_threads.size()); }

    // Calls body(i) once for every i in [0, count), in chunks of `grain`
    // iterations taken in turn by whichever thread is free. Loops shorter
    // than two grains run on the calling thread alone.
    void run(std::size_t count, const std::function<void(std::size_t)>& body,
             std::size_t grain = 16);

private:
    void helperMain();
    void takeChunks();

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake; // helpers: a new loop, or the end
    std::condition_variable m_done; // the caller: the last helper has left
    // Under m_mutex:
    std::uint64_t m_generation = 0; // one more for every loop
    bool m_open = false;            // helpers may still join the loop
    int m_working = 0;              // helpers inside the loop
    bool m_stop = false;
    // Set before a loop opens, read by the threads inside it:
    const std::function<void(std::size_t)>* m_body = nullptr;
    std::size_t m_count = 0;
    std::size_t m_grain = 1;
    std::atomic<std::size_t> m_next{0};
};

} // namespace rw
