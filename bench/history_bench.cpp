// The scan history on 50,000 folders: writing a scan, loading two scans and
// comparing them, and the store's size per folder row, with their goals.
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/BenchSupport.h"
#include "history/core/FolderGrowth.h"
#include "history/core/HistoryStore.h"

using rw::bench::Clock;

namespace
{

std::vector<rw::FolderTotalsRow> scanOf(int folders, int generation)
{
    std::vector<rw::FolderTotalsRow> rows;
    rows.reserve(std::size_t(folders));
    rows.push_back({"", 0, 0, 0, 0, 0});
    for (int i = 1; i < folders; ++i) {
        // Paths as deep trees have them: a few levels of ordinary names.
        const QByteArray path = "home/user" + QByteArray::number(i % 50) + "/projects/p" +
                                QByteArray::number(i / 50) + "/src" + QByteArray::number(i);
        const std::int64_t bytes =
            std::int64_t(i % 977) * 4096 + (i % 7 == 0 ? generation * 1000 : 0);
        rows.push_back({path, bytes, bytes + 4096, i % 31, i % 5, 1700000000 + i});
        rows[0].bytes += bytes;
    }
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int folders = argc > 1 ? std::atoi(argv[1]) : 50000;
    const std::string dir = rw::bench::benchRoot("history");
    const QString file = QString::fromStdString(dir) + QStringLiteral("/history.sqlite");
    auto held = std::make_unique<rw::HistoryStore>();
    rw::HistoryStore& store = *held;
    if (!store.open(file)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(file), qPrintable(store.error()));
        return 1;
    }
    const auto first = scanOf(folders, 0);
    const auto second = scanOf(folders, 1);
    auto start = Clock::now();
    const std::int64_t a = store.addScan("bench", "/", 1000, "all", true, first);
    const double writeFirst = rw::bench::secondsSince(start);
    start = Clock::now();
    const std::int64_t b = store.addScan("bench", "/", 2000, "all", true, second);
    const double writeSecond = rw::bench::secondsSince(start);
    std::printf("%-44s %8.3f s (goal <= 0.5 s)\n", "write a scan of new folders", writeFirst);
    std::printf("%-44s %8.3f s (goal <= 0.5 s)\n", "write a scan of known folders", writeSecond);

    start = Clock::now();
    std::vector<rw::FolderGrowthRow> rows;
    store.compare(a, b, &rows);
    const double compare = rw::bench::secondsSince(start);
    std::printf("%-44s %8.3f s (goal <= 0.3 s), %zu rows\n", "load two scans and compare", compare,
                rows.size());
    // Closed, the write-ahead log is folded into the file.
    held.reset();
    const double size = double(QFileInfo(file).size() + QFileInfo(file + "-wal").size());
    std::printf("%-44s %8.1f bytes (goal <= 40)\n", "store size per folder row per scan, two scans",
                size / (2.0 * folders));
    // A month of daily scans of the same tree, as thinning keeps them.
    held = std::make_unique<rw::HistoryStore>();
    held->open(file);
    for (int day = 2; day < 10; ++day)
        held->addScan("bench", "/", 1000 + day * 86400, "all", true, scanOf(folders, day));
    held.reset();
    const double tenSize = double(QFileInfo(file).size() + QFileInfo(file + "-wal").size());
    std::printf("%-44s %8.1f bytes (goal <= 40)\n", "store size per folder row per scan, ten scans",
                tenSize / (10.0 * folders));
    std::system(("rm -rf '" + dir + "'").c_str());
    return 0;
}
