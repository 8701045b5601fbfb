#pragma once

#include <QByteArray>
#include <QObject>
#include <QVector>

#include <atomic>
#include <cstdint>
#include <vector>

namespace rw
{

// A 128-bit content hash (XXH3-128); `ok` is false when the file could not
// be read to the end or was no longer the object the scan saw.
struct ContentHash {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool ok = false;

    bool operator==(const ContentHash& o) const
    {
        return ok && o.ok && low == o.low && high == o.high;
    }
};

// One file to hash: its path (the file system's bytes), the size and the
// identity the scan saw. A file whose device or inode differ when it is
// opened, or whose size changed, gets ok = false.
struct HashJob {
    QByteArray path;
    std::int64_t size = 0;
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
};

// A run of finished jobs, handed from a worker to the owner's thread.
struct HashBatch {
    int first = 0; // index of the first job
    QVector<ContentHash> hashes;
};

// Files whose size is at most this are read whole in the edge pass: their
// edge hash is their whole-content hash.
constexpr std::int64_t kEdgeBytes = 4096;
constexpr std::int64_t kWholeInEdgePass = 2 * kEdgeBytes;

// The whole-contents hash is taken over the file's logical bytes, cut into
// blocks of this size at offsets that are multiples of it (the last block
// may be shorter). A block of nothing but zeros is never hashed byte by
// byte: zero blocks in a row form a zero run, which enters the hash as the
// tag 'Z' and the run's length in bytes. Every other block enters as the tag
// 'D' and its bytes, and the file's size ends the stream.
//
// Why: a hole of a sparse file reads as zeros, and a block of written zeros
// is the same contents, so both must hash alike; defining the hash over
// zero runs makes that hold whatever the file system's hole layout, and a
// hole costs a lookup (platform/DataExtents) instead of a read. Data at
// another offset lies in other blocks and so changes the stream; a block
// holds a fixed number of bytes (given the size) and the run lengths are
// tagged, so no two different contents of one size give the same stream.
// This is not the plain XXH3-128 of the bytes: hashes are compared only
// with hashes made here.
constexpr std::int64_t kZeroBlockBytes = 64 << 10;

// Hashes a list of files on worker threads (as many as there are cores, or
// as asked): either the edges (the first and the last 4 KiB; a file of at
// most 8 KiB whole, its bytes hashed as they are) or the whole contents
// (by zero runs, above), read front to back in large blocks, stepping over
// holes, without touching the access time. Results come back to the
// thread that owns the hasher through queued signals; run() waits for them
// in a local event loop, so that thread keeps handling its events (paint,
// the Abort click). abort() makes every worker stop within one block read.
class ContentHasher : public QObject
{
    Q_OBJECT
public:
    enum class Pass { Edges, Whole };

    // `threads` 0: one per core.
    explicit ContentHasher(int threads = 0, QObject* parent = nullptr);
    ~ContentHasher() override;

    int threadCount() const { return m_threads; }

    // Hashes every job and returns one hash per job, in job order (the same
    // whatever the number of threads). After abort() the jobs not finished
    // have ok = false and aborted() is true.
    std::vector<ContentHash> run(const std::vector<HashJob>& jobs, Pass pass);

    // Thread-safe; may be called from a slot while run() waits.
    void abort() { m_abort.store(true, std::memory_order_relaxed); }
    bool aborted() const { return m_abort.load(std::memory_order_relaxed); }

    // Bytes covered so far in this hasher's life, holes stepped over
    // included (any thread may read it; the progress display polls it
    // between batches against the sizes of the files).
    std::int64_t bytesRead() const { return m_bytesRead.load(std::memory_order_relaxed); }

    // Hashes one file on the calling thread (the workers' routine).
    // `buffer` is scratch space of at least kBlockBytes.
    static ContentHash hashFile(const HashJob& job, Pass pass, char* buffer,
                                const std::atomic<bool>& abort,
                                std::atomic<std::int64_t>* bytesRead);
    static constexpr std::size_t kBlockBytes = 1 << 20;

signals:
    // Emitted on the owner's thread for each batch that arrived.
    void jobsDone(int finished, int total);
    // Emitted by a worker, delivered queued to the owner's thread.
    void batchReady(rw::HashBatch batch);

private:
    void take(const HashBatch& batch);

    int m_threads;
    std::atomic<bool> m_abort{false};
    std::atomic<std::int64_t> m_bytesRead{0};
    std::vector<ContentHash>* m_results = nullptr;
    int m_finished = 0;
    int m_total = 0;
};

} // namespace rw

Q_DECLARE_METATYPE(rw::HashBatch)
