#include "tools/dup/core/ContentHasher.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <memory>

#define XXH_STATIC_LINKING_ONLY
#include <xxhash.h>

#include "base/ZeroBytes.h"
#include "platform/DataExtents.h"
#include "platform/DirListing.h"
#include "platform/ReadOnlyOpen.h"

namespace rw
{

namespace
{

// Jobs handed out together: few enough that the threads share the work out
// evenly, enough that small files do not cost a signal each.
constexpr int kChunkJobs = 256;
constexpr std::int64_t kChunkBytes = 16 << 20;

struct Chunk {
    int begin = 0;
    int end = 0;
};

std::vector<Chunk> chunksOf(const std::vector<HashJob>& jobs, ContentHasher::Pass pass)
{
    std::vector<Chunk> chunks;
    Chunk c;
    std::int64_t bytes = 0;
    for (int i = 0; i < int(jobs.size()); ++i) {
        const std::int64_t b =
            pass == ContentHasher::Pass::Whole
                ? jobs[std::size_t(i)].size
                : std::min<std::int64_t>(jobs[std::size_t(i)].size, kWholeInEdgePass);
        if (c.end > c.begin && (c.end - c.begin >= kChunkJobs || bytes + b > kChunkBytes)) {
            chunks.push_back(c);
            c.begin = i;
            bytes = 0;
        }
        c.end = i + 1;
        bytes += b;
    }
    if (c.end > c.begin)
        chunks.push_back(c);
    return chunks;
}

// Reads exactly `n` bytes at `offset`; false on a short read or an error.
bool readAt(int fd, char* into, std::int64_t n, std::int64_t offset)
{
    std::size_t got = 0;
    return readFullyAt(fd, into, std::size_t(n), offset, &got) && got == std::size_t(n);
}

ContentHash fromXxh(XXH128_hash_t h)
{
    return {h.low64, h.high64, true};
}

// The stream the whole-contents hash is taken over (see kZeroBlockBytes):
// zero blocks gather into runs, fed as 'Z' and the run's length; any other
// block is fed as 'D' and its bytes; the size ends the stream.
class ZeroRunHash
{
public:
    ZeroRunHash() { XXH3_128bits_reset(&m_state); }

    void zeros(std::int64_t n) { m_zeros += std::uint64_t(n); }
    // One aligned block of the file (the last may be short).
    void block(const char* p, std::size_t n)
    {
        if (allZeroBytes(p, n)) {
            zeros(std::int64_t(n));
            return;
        }
        flush();
        XXH3_128bits_update(&m_state, "D", 1);
        XXH3_128bits_update(&m_state, p, n);
    }
    XXH128_hash_t digest(std::int64_t size)
    {
        flush();
        feedNumber(std::uint64_t(size));
        return XXH3_128bits_digest(&m_state);
    }

private:
    void flush()
    {
        if (m_zeros == 0)
            return;
        XXH3_128bits_update(&m_state, "Z", 1);
        feedNumber(m_zeros);
        m_zeros = 0;
    }
    // Eight bytes, lowest first, whatever the machine's byte order.
    void feedNumber(std::uint64_t v)
    {
        unsigned char bytes[8];
        for (int i = 0; i < 8; ++i)
            bytes[i] = static_cast<unsigned char>(v >> (8 * i));
        XXH3_128bits_update(&m_state, bytes, sizeof bytes);
    }

    XXH3_state_t m_state;
    std::uint64_t m_zeros = 0;
};

} // namespace

ContentHasher::ContentHasher(int threads, QObject* parent)
    : QObject(parent), m_threads(threads > 0 ? threads : qMax(1, QThread::idealThreadCount()))
{
    qRegisterMetaType<HashBatch>("rw::HashBatch");
    connect(this, &ContentHasher::batchReady, this, &ContentHasher::take, Qt::QueuedConnection);
}

ContentHasher::~ContentHasher() = default;

ContentHash ContentHasher::hashFile(const HashJob& job, Pass pass, char* buffer,
                                    const std::atomic<bool>& abort,
                                    std::atomic<std::int64_t>* bytesRead)
{
    ContentHash none;
    // Never a link, never a FIFO that would block; the access time stays
    // where the owner's files allow it.
    FileDescriptor fd = openRegularFileForReading(job.path);
    if (!fd.isValid())
        return none;
    FileStatus st;
    if (!entryStatus(fd.get(), "", &st) || st.size != job.size)
        return none;
    if ((job.dev != 0 || job.ino != 0) && (st.dev != job.dev || st.ino != job.ino))
        return none;
    const std::int64_t size = job.size;
    if (pass == Pass::Edges || size <= kWholeInEdgePass) {
        if (size <= kWholeInEdgePass) {
            if (!readAt(fd.get(), buffer, size, 0))
                return none;
            if (bytesRead)
                bytesRead->fetch_add(size, std::memory_order_relaxed);
            return fromXxh(XXH3_128bits(buffer, std::size_t(size)));
        }
        if (!readAt(fd.get(), buffer, kEdgeBytes, 0) ||
            !readAt(fd.get(), buffer + kEdgeBytes, kEdgeBytes, size - kEdgeBytes))
            return none;
        if (bytesRead)
            bytesRead->fetch_add(kWholeInEdgePass, std::memory_order_relaxed);
        return fromXxh(XXH3_128bits(buffer, std::size_t(kWholeInEdgePass)));
    }

    // The whole file, front to back in large blocks, stepping over holes.
    adviseSequentialRead(fd.get());
    ZeroRunHash hash;
    DataExtents extents(fd.get(), size);
    std::int64_t pos = 0; // always the start of a zero block
    const auto covered = [bytesRead](std::int64_t n) {
        if (bytesRead)
            bytesRead->fetch_add(n, std::memory_order_relaxed);
    };
    while (pos < size) {
        std::int64_t dataStart = 0;
        std::int64_t dataEnd = 0;
        if (!extents.next(pos, &dataStart, &dataEnd)) {
            hash.zeros(size - pos); // a hole up to the end
            covered(size - pos);
            break;
        }
        // The blocks wholly inside the hole before the data.
        const std::int64_t firstBlock = dataStart - dataStart % kZeroBlockBytes;
        if (firstBlock > pos) {
            hash.zeros(firstBlock - pos);
            covered(firstBlock - pos);
            pos = firstBlock;
        }
        // The blocks the data touches, read whole (a hole in them reads as
        // zeros).
        const std::int64_t until =
            std::min(size, (dataEnd + kZeroBlockBytes - 1) / kZeroBlockBytes * kZeroBlockBytes);
        while (pos < until) {
            if (abort.load(std::memory_order_relaxed))
                return none;
            const std::int64_t n = std::min<std::int64_t>(std::int64_t(kBlockBytes), until - pos);
            if (!readAt(fd.get(), buffer, n, pos))
                return none; // cut short while we read
            for (std::int64_t b = 0; b < n; b += kZeroBlockBytes)
                hash.block(buffer + b, std::size_t(std::min(kZeroBlockBytes, n - b)));
            pos += n;
            covered(n);
        }
    }
    // Grown or cut short meanwhile: not what the scan saw.
    if (!entryStatus(fd.get(), "", &st) || st.size != size)
        return none;
    return fromXxh(hash.digest(size));
}

std::vector<ContentHash> ContentHasher::run(const std::vector<HashJob>& jobs, Pass pass)
{
    std::vector<ContentHash> results(jobs.size());
    if (jobs.empty() || aborted())
        return results;
    const std::vector<Chunk> chunks = chunksOf(jobs, pass);
    m_results = &results;
    m_finished = 0;
    m_total = int(jobs.size());

    std::atomic<int> nextChunk{0};
    const int threads = qMin(m_threads, int(chunks.size()));
    int running = threads;
    QEventLoop loop;
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        std::unique_ptr<QThread> worker(QThread::create([this, &jobs, &chunks, &nextChunk, pass] {
            std::unique_ptr<char[]> buffer(new char[kBlockBytes]);
            for (;;) {
                const int c = nextChunk.fetch_add(1, std::memory_order_relaxed);
                if (c >= int(chunks.size()) || aborted())
                    return;
                HashBatch batch;
                batch.first = chunks[std::size_t(c)].begin;
                batch.hashes.reserve(chunks[std::size_t(c)].end - batch.first);
                for (int i = batch.first; i < chunks[std::size_t(c)].end && !aborted(); ++i)
                    batch.hashes.append(
                        hashFile(jobs[std::size_t(i)], pass, buffer.get(), m_abort, &m_bytesRead));
                emit batchReady(batch);
            }
        }));
        // Finished is posted after the worker's last batch, so when the last
        // worker has finished every batch has arrived before it.
        connect(
            worker.get(), &QThread::finished, &loop,
            [&running, &loop] {
                if (--running == 0)
                    loop.quit();
            },
            Qt::QueuedConnection);
        workers.push_back(std::move(worker));
    }
    for (const auto& w : workers)
        w->start();
    loop.exec();
    for (const auto& w : workers)
        w->wait();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    m_results = nullptr;
    return results;
}

void ContentHasher::take(const HashBatch& batch)
{
    if (!m_results)
        return;
    for (int i = 0; i < batch.hashes.size(); ++i)
        (*m_results)[std::size_t(batch.first + i)] = batch.hashes[i];
    m_finished += int(batch.hashes.size());
    emit jobsDone(m_finished, m_total);
}

} // namespace rw
