#include "history/core/ScanTotalsBlob.h"

#include <libdeflate.h>

#include <algorithm>
#include <memory>

namespace rw
{

namespace
{

constexpr unsigned char kFormat = 1;
// No scan holds more folders than this; a larger count is a corrupt value.
constexpr std::uint64_t kMaxRows = 1ULL << 32;
// DEFLATE cannot expand a byte of input into more than 1032 bytes of output
// (a 258-byte match costs at least two bits), so a header that claims more
// than this for the body it fronts is corrupt.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

void putVarint(QByteArray& out, std::uint64_t v)
{
    while (v >= 0x80) {
        out.append(char(0x80 | (v & 0x7F)));
        v >>= 7;
    }
    out.append(char(v));
}

std::uint64_t zigzag(std::int64_t v)
{
    return (std::uint64_t(v) << 1) ^ std::uint64_t(v >> 63);
}

std::int64_t unzigzag(std::uint64_t v)
{
    return std::int64_t(v >> 1) ^ -std::int64_t(v & 1);
}

std::int64_t wrapAdd(std::int64_t a, std::int64_t b)
{
    return std::int64_t(std::uint64_t(a) + std::uint64_t(b));
}

std::int64_t wrapSub(std::int64_t a, std::int64_t b)
{
    return std::int64_t(std::uint64_t(a) - std::uint64_t(b));
}

std::uint64_t count(std::int64_t v)
{
    return v < 0 ? 0 : std::uint64_t(v);
}

class VarintReader
{
public:
    VarintReader(const unsigned char* p, const unsigned char* end) : m_p(p), m_end(end) {}
    bool next(std::uint64_t* out)
    {
        std::uint64_t v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (m_p == m_end)
                return false;
            const unsigned char c = *m_p++;
            v |= std::uint64_t(c & 0x7F) << shift;
            if (!(c & 0x80)) {
                *out = v;
                return true;
            }
        }
        return false;
    }
    bool atEnd() const { return m_p == m_end; }

private:
    const unsigned char* m_p;
    const unsigned char* m_end;
};

struct CompressorFree {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
struct DecompressorFree {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

} // namespace

QByteArray packScanTotals(std::vector<PackedTotals>& rows, std::int64_t taken)
{
    std::sort(rows.begin(), rows.end(),
              [](const PackedTotals& a, const PackedTotals& b) { return a.folderId < b.folderId; });
    QByteArray raw;
    raw.reserve(qsizetype(rows.size()) * 16 + 16);
    putVarint(raw, rows.size());
    std::int64_t previous = 0;
    for (const PackedTotals& r : rows) {
        putVarint(raw, zigzag(wrapSub(r.folderId, previous)));
        previous = r.folderId;
        putVarint(raw, count(r.bytes));
        // Disk use is close to the size for most folders: its difference is
        // the shorter number.
        putVarint(raw, zigzag(wrapSub(r.disk, r.bytes)));
        putVarint(raw, count(r.files));
        putVarint(raw, count(r.subFolders));
        putVarint(raw, zigzag(wrapSub(taken, r.latest)));
    }
    std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(6));
    QByteArray out;
    out.append(char(kFormat));
    putVarint(out, std::uint64_t(raw.size()));
    const qsizetype head = out.size();
    const std::size_t bound =
        libdeflate_deflate_compress_bound(compressor.get(), std::size_t(raw.size()));
    out.resize(head + qsizetype(bound));
    const std::size_t written = libdeflate_deflate_compress(
        compressor.get(), raw.constData(), std::size_t(raw.size()), out.data() + head, bound);
    out.resize(head + qsizetype(written));
    return out;
}

bool unpackScanTotals(const QByteArray& packed, std::int64_t taken, std::vector<PackedTotals>* rows)
{
    rows->clear();
    const auto* p = reinterpret_cast<const unsigned char*>(packed.constData());
    const auto* end = p + packed.size();
    if (p == end || *p != kFormat)
        return false;
    VarintReader header(p + 1, end);
    std::uint64_t rawSize = 0;
    // A header varint is at most ten bytes; find where it ended.
    const unsigned char* body = p + 1;
    while (body != end && (*body & 0x80))
        ++body;
    if (body == end || !header.next(&rawSize) || rawSize > kMaxRows * 60)
        return false;
    ++body;
    // The size comes from the stored value itself, which a shared store or a
    // damaged file may hold anything in: only allocate what the compressed
    // body could really hold.
    if (rawSize > std::uint64_t(end - body) * kMaxDeflateRatio + 8)
        return false;
    QByteArray raw(qsizetype(rawSize), Qt::Uninitialized);
    std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(libdeflate_alloc_decompressor());
    std::size_t used = 0;
    std::size_t got = 0;
    // Bytes after the compressed stream mean the value was damaged or
    // spliced: refuse it rather than trust the part that happened to parse.
    if (libdeflate_deflate_decompress_ex(d.get(), body, std::size_t(end - body), raw.data(),
                                         std::size_t(raw.size()), &used,
                                         &got) != LIBDEFLATE_SUCCESS ||
        got != rawSize || used != std::size_t(end - body))
        return false;
    const auto* r = reinterpret_cast<const unsigned char*>(raw.constData());
    VarintReader in(r, r + raw.size());
    std::uint64_t n = 0;
    // Every row takes at least six bytes, one per number: a larger count
    // is corrupt, and must not size the reservation below.
    if (!in.next(&n) || n > rawSize / 6)
        return false;
    rows->reserve(std::size_t(n));
    std::int64_t previous = 0;
    for (std::uint64_t i = 0; i < n; ++i) {
        std::uint64_t step, bytes, diskStep, files, sub, age;
        if (!in.next(&step) || !in.next(&bytes) || !in.next(&diskStep) || !in.next(&files) ||
            !in.next(&sub) || !in.next(&age)) {
            rows->clear();
            return false;
        }
        PackedTotals t;
        // Wrapping sums: a corrupt value gives wrong numbers, never
        // undefined behaviour.
        t.folderId = wrapAdd(previous, unzigzag(step));
        previous = t.folderId;
        t.bytes = std::int64_t(bytes);
        t.disk = wrapAdd(t.bytes, unzigzag(diskStep));
        t.files = std::int64_t(files);
        t.subFolders = std::int64_t(sub);
        t.latest = wrapSub(taken, unzigzag(age));
        rows->push_back(t);
    }
    if (!in.atEnd()) {
        rows->clear();
        return false;
    }
    return true;
}

} // namespace rw
