#include "bench/ContentTrees.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rw::bench
{

namespace
{

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ull;
    return x ^ (x >> 33);
}

// Writes `size` bytes of the stream `seed`; byte `flip` (if >= 0) changed.
bool writeStream(int fd, std::uint64_t seed, std::int64_t size, std::int64_t flip = -1)
{
    static std::vector<std::uint64_t> buffer(1 << 15); // 256 KiB
    std::uint64_t x = mix(seed + 1);
    for (std::int64_t done = 0; done < size;) {
        const std::int64_t n = std::min<std::int64_t>(size - done, 8 * buffer.size());
        for (std::size_t i = 0; i < std::size_t((n + 7) / 8); ++i) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            buffer[i] = x;
        }
        char* bytes = reinterpret_cast<char*>(buffer.data());
        if (flip >= done && flip < done + n)
            bytes[flip - done] ^= 0x5A;
        if (::write(fd, bytes, std::size_t(n)) != n)
            return false;
        done += n;
    }
    return true;
}

std::int64_t largeSize(unsigned original)
{
    return 8192 + std::int64_t(mix(original) % 140000);
}

std::int64_t smallSize(unsigned original)
{
    return 1 + std::int64_t(mix(original) % 3000);
}

} // namespace

bool fillContentLarge(int fd, unsigned n)
{
    const unsigned total = 20000;
    const unsigned slot = n / 10;
    switch (n % 10) {
    case 3: {
        const unsigned src = ((slot + 997) % (total / 10)) * 10;
        return writeStream(fd, src, largeSize(src));
    }
    case 5: {
        const unsigned src = ((slot + 501) % (total / 10)) * 10;
        return writeStream(fd, src, largeSize(src));
    }
    case 7: {
        const unsigned src = ((slot + 1499) % (total / 10)) * 10;
        const std::int64_t size = largeSize(src);
        return slot % 2 ? writeStream(fd, src, size, size / 2) // same edges
                        : writeStream(fd, 1000000 + n, size);
    }
    default:
        return writeStream(fd, n, largeSize(n));
    }
}

bool fillContentSmall(int fd, unsigned n, unsigned total)
{
    if (n % 5 == 0) {
        const unsigned src = ((n / 5 + 7919) % (total / 5)) * 5 + 1;
        return writeStream(fd, src, smallSize(src));
    }
    return writeStream(fd, n, smallSize(n));
}

} // namespace rw::bench
