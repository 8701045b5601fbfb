#pragma once

#include <cstddef>
#include <cstring>

namespace rw
{

// True when the `n` bytes at `p` are all zero (true for none): how readers
// of sparse files tell a block of written zeros, which must count as the
// same contents as a hole. Runs at memory speed (one compare of the range
// with itself shifted by a byte).
inline bool allZeroBytes(const char* p, std::size_t n)
{
    return n == 0 || (p[0] == 0 && std::memcmp(p, p + 1, n - 1) == 0);
}

} // namespace rw
