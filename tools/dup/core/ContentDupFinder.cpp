#include "tools/dup/core/ContentDupFinder.h"
#include "base/SaturatingSum.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

#include <algorithm>
#include <unordered_map>

#include "base/SharedRoutines.h"
#include "framework/core/ResultSet.h"

namespace rw
{

// One file: an inode with every name of it among the records.
struct ContentDupFinder::File {
    std::int64_t size = 0;
    std::uint64_t dev = 0;
    std::uint64_t ino = 0;
    std::uint32_t firstPos = 0; // position of its first name in the records given
    std::vector<std::uint32_t> names;
    ContentHash edges;
    ContentHash whole;
};

ContentDupFinder::ContentDupFinder(const ResultSet& set, int threads, QObject* parent)
    : QObject(parent), m_set(set), m_hasher(threads)
{
    connect(&m_hasher, &ContentHasher::jobsDone, this, [this](int finished, int) {
        m_progress.filesDone = m_passFilesBase + finished;
        report(false);
    });
}

ContentDupFinder::~ContentDupFinder() = default;

void ContentDupFinder::abort()
{
    m_hasher.abort();
}

bool ContentDupFinder::aborted() const
{
    return m_hasher.aborted();
}

QString ContentDupFinder::progressText(const ContentProgress& p)
{
    return QCoreApplication::translate("ContentDupFinder",
                                       "Comparing contents: %1 of %2 files, %3 of %4 bytes")
        .arg(FormatGrouped(p.filesDone), FormatGrouped(p.filesTotal), FormatGrouped(p.bytesDone),
             FormatGrouped(p.bytesTotal));
}

void ContentDupFinder::report(bool force)
{
    m_progress.bytesDone = m_hasher.bytesRead();
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    if (!force && now - m_lastReport < 30)
        return;
    m_lastReport = now;
    emit progressed(m_progress);
}

void ContentDupFinder::hashPass(std::vector<std::uint32_t>& files, ContentHasher::Pass pass)
{
    // Read in walk order (record order): files of one folder together.
    std::sort(files.begin(), files.end(), [this](std::uint32_t a, std::uint32_t b) {
        return m_files[a].names.front() < m_files[b].names.front();
    });
    std::vector<HashJob> jobs;
    jobs.reserve(files.size());
    m_passFilesBase = m_progress.filesTotal;
    for (std::uint32_t f : files) {
        const File& file = m_files[f];
        jobs.push_back({m_set.pathBytes(file.names.front()), file.size, file.dev, file.ino});
        addTo(m_progress.bytesTotal, pass == ContentHasher::Pass::Whole
                                         ? file.size
                                         : std::min(file.size, kWholeInEdgePass));
    }
    m_progress.filesTotal += std::int64_t(jobs.size());
    report(true);
    // The bytes move on while one large file is read; batches of results
    // arrive only between files.
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [this] { report(false); });
    ticker.start(100);
    const std::vector<ContentHash> hashes = m_hasher.run(jobs, pass);
    ticker.stop();
    for (std::size_t i = 0; i < files.size(); ++i)
        (pass == ContentHasher::Pass::Whole ? m_files[files[i]].whole : m_files[files[i]].edges) =
            hashes[i];
    report(true);
}

bool ContentDupFinder::run(const std::vector<std::uint32_t>& records)
{
    m_files.clear();
    m_result = ContentGroups();
    m_progress = ContentProgress();

    // Files: one per inode, its names in the order given.
    std::unordered_map<InodeKey, std::uint32_t, InodeKeyHash> fileOf;
    fileOf.reserve(records.size());
    for (std::uint32_t pos = 0; pos < records.size(); ++pos) {
        const std::uint32_t rec = records[pos];
        const ResultRecord& r = m_set.record(rec);
        if (r.size <= 0 || r.has(ResultRecord::IsFolder))
            continue;
        // An identity the scan did not record names no inode: its own file.
        const bool known = r.dev != 0 || r.ino != 0;
        const InodeKey key{known ? r.dev : ~std::uint64_t(0), known ? r.ino : rec};
        auto [it, added] = fileOf.try_emplace(key, std::uint32_t(m_files.size()));
        if (added) {
            File f;
            f.size = r.size;
            f.dev = r.dev;
            f.ino = r.ino;
            f.firstPos = pos;
            m_files.push_back(std::move(f));
        }
        m_files[it->second].names.push_back(rec);
    }
    // One directory entry reached through two paths (a folder given twice,
    // a bind mount) is one row, the first given, and never a copy of itself;
    // the names of a hard-linked file are other entries and all stay.
    for (File& file : m_files) {
        if (file.names.size() < 2)
            continue;
        std::vector<std::uint32_t> entries;
        for (std::uint32_t rec : file.names)
            if (std::none_of(entries.begin(), entries.end(),
                             [&](std::uint32_t e) { return m_set.sameEntry(e, rec); }))
                entries.push_back(rec);
        file.names.swap(entries);
    }

    // Runs of files that agree on a key, each run of two or more handed on.
    auto runsOf = [this](std::vector<std::uint32_t> files, auto less, auto same, auto each) {
        std::sort(files.begin(), files.end(), less);
        for (std::size_t i = 0; i < files.size();) {
            std::size_t end = i + 1;
            while (end < files.size() && same(files[i], files[end]))
                ++end;
            if (end - i > 1)
                each(files.begin() + std::ptrdiff_t(i), files.begin() + std::ptrdiff_t(end));
            i = end;
        }
    };
    auto bySize = [this](std::uint32_t a, std::uint32_t b) {
        return m_files[a].size != m_files[b].size ? m_files[a].size < m_files[b].size
                                                  : m_files[a].firstPos < m_files[b].firstPos;
    };
    auto byHash = [this](ContentHash File::*h) {
        return [this, h](std::uint32_t a, std::uint32_t b) {
            const File& x = m_files[a];
            const File& y = m_files[b];
            if (x.size != y.size)
                return x.size < y.size;
            const ContentHash& hx = x.*h;
            const ContentHash& hy = y.*h;
            if (hx.ok != hy.ok)
                return hx.ok;
            if (hx.high != hy.high)
                return hx.high < hy.high;
            if (hx.low != hy.low)
                return hx.low < hy.low;
            return x.firstPos < y.firstPos;
        };
    };
    auto sameHash = [this](ContentHash File::*h) {
        return [this, h](std::uint32_t a, std::uint32_t b) {
            return m_files[a].size == m_files[b].size && m_files[a].*h == m_files[b].*h;
        };
    };

    std::vector<std::uint32_t> all(m_files.size());
    for (std::uint32_t i = 0; i < all.size(); ++i)
        all[i] = i;
    std::vector<std::uint32_t> sameSize;
    runsOf(
        all, bySize,
        [this](std::uint32_t a, std::uint32_t b) { return m_files[a].size == m_files[b].size; },
        [&sameSize](auto b, auto e) { sameSize.insert(sameSize.end(), b, e); });

    std::vector<std::vector<std::uint32_t>> groups;
    hashPass(sameSize, ContentHasher::Pass::Edges);
    std::vector<std::uint32_t> sameEdges;
    runsOf(sameSize, byHash(&File::edges), sameHash(&File::edges), [&](auto b, auto e) {
        // A small file was read whole: its edge hash is its content hash.
        if (m_files[*b].size <= kWholeInEdgePass)
            groups.emplace_back(b, e);
        else
            sameEdges.insert(sameEdges.end(), b, e);
    });
    if (!sameEdges.empty() && !aborted()) {
        hashPass(sameEdges, ContentHasher::Pass::Whole);
        runsOf(sameEdges, byHash(&File::whole), sameHash(&File::whole),
               [&groups](auto b, auto e) { groups.emplace_back(b, e); });
    }

    // Within a group, files (and the names of a file) in path order; groups
    // largest waste first, ties by size, then by the first path, so the
    // order never depends on timing or on the order folders list entries.
    std::unordered_map<std::uint32_t, QByteArray> firstPath;
    for (std::vector<std::uint32_t>& g : groups) {
        for (std::uint32_t f : g) {
            std::vector<std::uint32_t>& names = m_files[f].names;
            if (names.size() > 1)
                std::sort(names.begin(), names.end(), [this](std::uint32_t a, std::uint32_t b) {
                    return m_set.pathBytes(a) < m_set.pathBytes(b);
                });
            firstPath[f] = m_set.pathBytes(names.front());
        }
        std::sort(g.begin(), g.end(), [&firstPath](std::uint32_t a, std::uint32_t b) {
            return firstPath[a] < firstPath[b];
        });
    }
    std::sort(groups.begin(), groups.end(), [this, &firstPath](const auto& a, const auto& b) {
        const std::int64_t wa = m_files[a[0]].size * std::int64_t(a.size() - 1);
        const std::int64_t wb = m_files[b[0]].size * std::int64_t(b.size() - 1);
        if (wa != wb)
            return wa > wb;
        if (m_files[a[0]].size != m_files[b[0]].size)
            return m_files[a[0]].size > m_files[b[0]].size;
        return firstPath[a[0]] < firstPath[b[0]];
    });

    ContentGroups& out = m_result;
    std::uint32_t fileNumber = 0;
    for (const std::vector<std::uint32_t>& g : groups) {
        for (std::uint32_t f : g) {
            for (std::uint32_t rec : m_files[f].names) {
                out.rows.push_back(rec);
                out.rowGroup.push_back(out.groupCount);
                out.rowFile.push_back(fileNumber);
            }
            ++fileNumber;
        }
        ++out.groupCount;
        out.fileCount += std::int64_t(g.size());
        out.duplicates += std::int64_t(g.size()) - 1;
        addTo(out.freeable, multiplySaturating(m_files[g[0]].size, std::int64_t(g.size() - 1)));
    }
    return !aborted();
}

} // namespace rw
