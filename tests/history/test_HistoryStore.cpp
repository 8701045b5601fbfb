// The history store on a real SQLite file: scans kept whole with their
// folder rows (names as bytes), listed newest first, thinned, and written
// by two writers at once without a scan lost or mixed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <thread>

#include "history/core/HistoryStore.h"
#include "tests/support/FixtureBuilder.h"

using namespace rw;

namespace
{

std::vector<FolderTotalsRow> rowsOf(int count, std::int64_t scale)
{
    std::vector<FolderTotalsRow> rows;
    rows.push_back({"", count * scale, count * scale, count, count, 100});
    for (int i = 0; i < count; ++i)
        rows.push_back({"folder/" + QByteArray::number(i), scale, scale + 1, 1, 0, 50 + i});
    return rows;
}

} // namespace

TEST(HistoryStore, AScanComesBackWholeAndScansListNewestFirst)
{
    rwtest::FixtureBuilder fb;
    const QString file = fb.path("data/roomwise/history.sqlite");
    const QByteArray root("/srv/da\xfft\ta", 12);
    std::int64_t first = 0, second = 0;
    {
        HistoryStore store;
        ASSERT_TRUE(store.open(file)) << store.error().toStdString();
        std::vector<FolderTotalsRow> rows = rowsOf(3, 10);
        rows.push_back({QByteArray("odd\nname\xfe", 9), 7, 8, 1, 0, 9});
        first = store.addScan("host-a", root, 1000, "all", true, rows);
        ASSERT_GT(first, 0) << store.error().toStdString();
        second = store.addScan("host-a", root, 2000, "main", false, rowsOf(2, 20));
        ASSERT_GT(second, 0);
        store.addScan("host-b", root, 1500, "report", true, rowsOf(1, 5));
    }
    // Reopened, it holds what was written.
    HistoryStore store;
    ASSERT_TRUE(store.open(file));
    const std::vector<StoredScan> scans = store.scans(root, "host-a");
    ASSERT_EQ(scans.size(), 2u);
    EXPECT_EQ(scans[0].id, second);
    EXPECT_FALSE(scans[0].complete);
    EXPECT_EQ(scans[0].kind, "main");
    EXPECT_EQ(scans[0].rootBytes, 40);
    EXPECT_EQ(scans[1].root, root);
    EXPECT_EQ(store.scans().size(), 3u);
    const std::vector<FolderTotalsRow> rows = store.folders(first);
    ASSERT_EQ(rows.size(), 5u);
    bool rootRow = false, odd = false;
    for (const FolderTotalsRow& r : rows) {
        if (r.path.isEmpty()) {
            rootRow = true;
            EXPECT_EQ(r.bytes, 30);
        }
        if (r.path == QByteArray("odd\nname\xfe", 9)) {
            odd = true;
            EXPECT_EQ(r.disk, 8);
            EXPECT_EQ(r.latest, 9);
        }
    }
    EXPECT_TRUE(rootRow);
    EXPECT_TRUE(odd);
    EXPECT_TRUE(store.folders(999999).empty());
}

TEST(HistoryStore, ThinningRemovesTheScansItLetsGo)
{
    rwtest::FixtureBuilder fb;
    HistoryStore store;
    ASSERT_TRUE(store.open(fb.path("h.sqlite")));
    const std::int64_t now = 2'000'000'000;
    const std::int64_t day = 24 * 3600;
    // Three scans on one old day: the newest of them stays.
    store.addScan("h", "/r", now - 20 * day + 30, "all", true, {{"", 1}, {"gone-later", 1}});
    store.addScan("h", "/r", now - 20 * day + 20, "all", true, {{"", 1}});
    const std::int64_t kept =
        store.addScan("h", "/r", now - 20 * day + 40, "all", true, {{"", 2}, {"stays", 1}});
    EXPECT_EQ(store.thin(now), 2);
    const std::vector<StoredScan> left = store.scans();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].id, kept);
    EXPECT_EQ(store.thin(now), 0);
}

TEST(HistoryStore, TwoWritersAtOnceLoseNothing)
{
    rwtest::FixtureBuilder fb;
    const QString file = fb.path("shared.sqlite");
    {
        HistoryStore first;
        ASSERT_TRUE(first.open(file));
    }
    const auto writer = [&file](const QString& host, bool* ok) {
        HistoryStore store;
        *ok = store.open(file);
        for (int i = 0; i < 20 && *ok; ++i)
            *ok = store.addScan(host, "/srv", 1000 + i, "report", true, rowsOf(200, i + 1)) > 0;
    };
    bool okA = false, okB = false;
    std::thread a(writer, QStringLiteral("a"), &okA);
    std::thread b(writer, QStringLiteral("b"), &okB);
    a.join();
    b.join();
    EXPECT_TRUE(okA);
    EXPECT_TRUE(okB);
    HistoryStore store;
    ASSERT_TRUE(store.open(file));
    ASSERT_EQ(store.scans().size(), 40u);
    for (const StoredScan& s : store.scans()) {
        const std::vector<FolderTotalsRow> rows = store.folders(s.id);
        EXPECT_EQ(rows.size(), 201u);
        EXPECT_EQ(s.rootBytes, 200 * (s.taken - 1000 + 1));
    }
}

TEST(HistoryStore, AFileThatIsNoDatabaseIsRefusedWithAReason)
{
    rwtest::FixtureBuilder fb;
    const QString file = fb.fileWithContent("not.sqlite", QByteArray(4096, 'x'));
    HistoryStore store;
    EXPECT_FALSE(store.open(file));
    EXPECT_FALSE(store.error().isEmpty());
    // Unchanged: nothing was written over it.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(4096, 'x'));
}
