#pragma once

#include <cstddef>

namespace rw
{

// Keeps a read through a shared file mapping from ending the program when
// the file is cut short meanwhile (a log truncated, a file rewritten).
//
// Touching a mapped page that now lies wholly past the file's end raises
// SIGBUS. While a range is watched, a process-wide SIGBUS handler puts a
// page of zeros in the place of such a page and lets the read go on, and
// marks the range as faulted; the owner then finds the file's new size
// (fstat) and maps it again, or reports the read as failed. A SIGBUS at an
// address outside every watched range goes on to the handler that was there
// before (the default one ends the program as it always did).
//
// Up to kMaxRanges ranges are watched at once; ranges beyond that are not
// watched (isWatching() is false) and read as before.
class MappedRangeGuard
{
public:
    static constexpr int kMaxRanges = 256;

    // Watches [base, base + length) (page aligned, as mmap returns it) until
    // the guard is destroyed. Destroy the guard before unmapping the range.
    MappedRangeGuard(const void* base, std::size_t length);
    ~MappedRangeGuard();

    MappedRangeGuard(const MappedRangeGuard&) = delete;
    MappedRangeGuard& operator=(const MappedRangeGuard&) = delete;

    bool isWatching() const { return m_slot >= 0; }
    // True once a read of the range touched a page past the file's end
    // (that page reads as zeros from then on).
    bool faulted() const;

private:
    int m_slot = -1;
};

} // namespace rw
