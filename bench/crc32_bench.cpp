// CRC-32 throughput: our UpdateCRC against zlib's crc32() over the same 1 GiB
// buffer in memory, and the whole-file figure of TCRC32Calc through a file
// mapping on a 1 GiB file that is already in the page cache. Then a sparse
// 1 TiB image holding 64 MiB of data: the CRC, the duplicate finder's
// whole-contents hash and the byte compare of two such images, which read
// the data only.
#include "platform/ReadOnlyOpen.h"
#include "tools/dup/core/ContentHasher.h"
#include "tools/dup/core/Crc32.h"
#include "tools/dup/core/KeepOneCopy.h"

#include <QDir>
#include <QFile>

#include <zlib.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace
{

constexpr std::size_t kSize = std::size_t(1) << 30;
constexpr int kRuns = 3;

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Best wall-clock and best on-CPU time of a few runs. On a busy machine the
// CPU time shows what one core does while it has the processor.
struct Timing {
    double wall = 1e9;
    double cpu = 1e9;
};

template <class F> Timing best(F&& f)
{
    Timing t;
    for (int i = 0; i < kRuns; ++i) {
        const double c0 = threadCpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        t.wall = std::min(t.wall, d.count());
        t.cpu = std::min(t.cpu, threadCpuSeconds() - c0);
    }
    return t;
}

double gbPerSecond(double seconds)
{
    return double(kSize) / 1e9 / seconds;
}

void report(const char* what, const Timing& t, std::uint32_t crc, const char* note)
{
    std::printf("  %-14s %6.2f GB/s wall  %6.2f GB/s on-CPU  crc %08X%s\n", what,
                gbPerSecond(t.wall), gbPerSecond(t.cpu), crc, note);
}

// Makes a 1 TiB sparse file at `path` with 16 extents of 4 MiB of data
// spread over it; false when the file system refuses.
bool makeSparseImage(const QString& path, const std::vector<std::uint8_t>& data)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !out.resize(std::int64_t(1) << 40))
        return false;
    for (int i = 0; i < 16; ++i) {
        if (!out.seek((std::int64_t(i) << 36) + 12345) ||
            out.write(reinterpret_cast<const char*>(data.data()) + (std::size_t(i) << 22),
                      4 << 20) != (4 << 20))
            return false;
    }
    return true;
}

void sparseFigures(const std::vector<std::uint8_t>& data)
{
    const QString a = QDir::tempPath() + QStringLiteral("/rw-crc32-bench-a.img");
    const QString b = QDir::tempPath() + QStringLiteral("/rw-crc32-bench-b.img");
    if (!makeSparseImage(a, data) || !makeSparseImage(b, data)) {
        std::fprintf(stderr, "cannot make the sparse images\n");
        QFile::remove(a);
        QFile::remove(b);
        return;
    }
    const rw::FileDescriptor fa = rw::openRegularFileForReading(QFile::encodeName(a));
    const rw::FileDescriptor fb = rw::openRegularFileForReading(QFile::encodeName(b));
    rw::TCRC32Calc calc;
    std::uint32_t crc = 0;
    const Timing crcTime = best([&] { crc = calc.CalcFileCRC(fa.get()); });
    std::unique_ptr<char[]> buffer(new char[rw::ContentHasher::kBlockBytes]);
    const std::atomic<bool> abort{false};
    rw::ContentHash hash;
    const Timing hashTime = best([&] {
        hash = rw::ContentHasher::hashFile({QFile::encodeName(a), std::int64_t(1) << 40, 0, 0},
                                           rw::ContentHasher::Pass::Whole, buffer.get(), abort,
                                           nullptr);
    });
    bool same = false;
    const Timing compareTime =
        best([&] { same = rw::KeepOneCopy::sameContents(fa.get(), fb.get()); });
    QFile::remove(a);
    QFile::remove(b);
    std::printf("sparse 1 TiB image, 64 MiB of data in 16 extents, best of %d:\n", kRuns);
    std::printf("  %-22s %8.3f s  crc %08X\n", "CalcFileCRC", crcTime.wall, crc);
    std::printf("  %-22s %8.3f s  %s\n", "whole-contents hash", hashTime.wall,
                hash.ok ? "ok" : "FAILED");
    std::printf("  %-22s %8.3f s  %s\n", "sameContents of two", compareTime.wall,
                same ? "equal" : "NOT EQUAL");
}

} // namespace

int main()
{
    std::vector<std::uint8_t> buffer(kSize);
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    for (std::size_t i = 0; i < kSize; i += 8) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        for (int k = 0; k < 8; ++k)
            buffer[i + k] = std::uint8_t(x >> (8 * k));
    }

    std::uint32_t ours = 0;
    const Timing oursTime = best(
        [&] { ours = rw::UpdateCRC(0xFFFFFFFFu, buffer.data(), buffer.size()) ^ 0xFFFFFFFFu; });
    uLong theirs = 0;
    const Timing zlibTime =
        best([&] { theirs = crc32_z(0, buffer.data(), z_size_t(buffer.size())); });
    std::printf("in memory, 1 GiB, best of %d:\n", kRuns);
    report("UpdateCRC", oursTime, ours, "");
    report("zlib crc32_z", zlibTime, std::uint32_t(theirs), ours == theirs ? "" : "  MISMATCH");
    sparseFigures(buffer);

    const QString path = QDir::tempPath() + QStringLiteral("/rw-crc32-bench.bin");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(reinterpret_cast<const char*>(buffer.data()), qint64(kSize)) !=
                qint64(kSize)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            QFile::remove(path);
            return 1;
        }
    }
    buffer = {};
    buffer.shrink_to_fit();

    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        QFile::remove(path);
        return 1;
    }
    rw::TCRC32Calc calc;
    std::uint32_t fileCrc = calc.CalcFileCRC(&in); // brings the file into the cache
    const Timing fileTime = best([&] { fileCrc = calc.CalcFileCRC(&in); });
    in.close();
    QFile::remove(path);
    std::printf("whole cached file through TFileMapping, 1 GiB, best of %d:\n", kRuns);
    report("CalcFileCRC", fileTime, fileCrc, fileCrc == ours ? "" : "  MISMATCH");
    std::printf("goal: at least 10 GB/s in memory on one core (on-CPU): %s\n",
                gbPerSecond(oursTime.cpu) >= 10.0 ? "met" : "NOT met");
    return 0;
}
