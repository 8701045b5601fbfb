#include "platform/MappedRangeGuard.h"

#include <atomic>
#include <cstdint>
#include <mutex>

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

namespace rw
{

namespace
{

// One watched range. `claimed` hands a slot to one guard; `active` tells
// the handler that begin and end are valid.
struct Slot {
    std::atomic<bool> claimed{false};
    std::atomic<bool> active{false};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> faulted{false};
};

Slot g_slots[MappedRangeGuard::kMaxRanges];
struct sigaction g_previous {
};
std::uintptr_t g_pageSize = 4096;

// Hands a SIGBUS that is not ours to the handler that was there before.
void passOn(int sig, siginfo_t* info, void* context)
{
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) {
            g_previous.sa_sigaction(sig, info, context);
            return;
        }
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(sig);
        return;
    }
    // The default action: returning re-runs the faulting access, which
    // then ends the program as it would have without us.
    struct sigaction dfl {
    };
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(SIGBUS, &dfl, nullptr);
}

void onBusError(int sig, siginfo_t* info, void* context)
{
    const auto addr = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& s : g_slots) {
        if (!s.active.load(std::memory_order_acquire))
            continue;
        if (addr < s.begin.load(std::memory_order_relaxed) ||
            addr >= s.end.load(std::memory_order_relaxed))
            continue;
        // A page of zeros over the page past the end; the read goes on.
        void* page = reinterpret_cast<void*>(addr & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            s.faulted.store(true, std::memory_order_relaxed);
            return;
        }
        break;
    }
    passOn(sig, info, context);
}

void installHandler()
{
    static std::once_flag once;
    std::call_once(once, [] {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction sa {
        };
        sa.sa_sigaction = onBusError;
        sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGBUS, &sa, &g_previous);
    });
}

} // namespace

MappedRangeGuard::MappedRangeGuard(const void* base, std::size_t length)
{
    if (!base || length == 0)
        return;
    installHandler();
    for (int i = 0; i < kMaxRanges; ++i) {
        Slot& s = g_slots[i];
        bool expected = false;
        if (!s.claimed.compare_exchange_strong(expected, true))
            continue;
        const auto b = reinterpret_cast<std::uintptr_t>(base);
        s.begin.store(b, std::memory_order_relaxed);
        s.end.store(b + length, std::memory_order_relaxed);
        s.faulted.store(false, std::memory_order_relaxed);
        s.active.store(true, std::memory_order_release);
        m_slot = i;
        return;
    }
}

MappedRangeGuard::~MappedRangeGuard()
{
    if (m_slot < 0)
        return;
    Slot& s = g_slots[m_slot];
    s.active.store(false, std::memory_order_release);
    s.claimed.store(false, std::memory_order_release);
}

bool MappedRangeGuard::faulted() const
{
    return m_slot >= 0 && g_slots[m_slot].faulted.load(std::memory_order_relaxed);
}

} // namespace rw
