// The history store, on a real SQLite file and on a real PostgreSQL server
// started for the test: the same tests on both. Scans are kept whole with
// their folder rows (names as bytes), listed newest first, compared,
// thinned without losing a path a kept scan needs, and written by two
// writers at once without a scan lost or mixed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <thread>

#include "history/core/HistoryStore.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/PostgresServer.h"

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

enum class Backend { Sqlite, Server };

class StoreOn : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::Sqlite) {
            m_location = m_fb.path("data/roomwise/history.sqlite");
            return;
        }
        rwtest::PostgresServer* server = rwtest::PostgresServer::shared();
        if (!server)
            GTEST_SKIP() << "no PostgreSQL server here: "
                         << rwtest::PostgresServer::whyNot().toStdString();
        m_location = server->freshDatabase();
        ASSERT_FALSE(m_location.isEmpty());
    }

    rwtest::FixtureBuilder m_fb;
    QString m_location;
};

INSTANTIATE_TEST_SUITE_P(HistoryStore, StoreOn, ::testing::Values(Backend::Sqlite, Backend::Server),
                         [](const auto& info) {
                             return info.param == Backend::Sqlite ? "Sqlite" : "PostgreSql";
                         });

} // namespace

TEST_P(StoreOn, AScanComesBackWholeAndScansListNewestFirst)
{
    const QByteArray root("/srv/da\xfft\ta", 12);
    std::int64_t first = 0, second = 0;
    {
        HistoryStore store;
        ASSERT_TRUE(store.open(m_location)) << store.error().toStdString();
        EXPECT_EQ(store.isServer(), GetParam() == Backend::Server);
        std::vector<FolderTotalsRow> rows = rowsOf(3, 10);
        rows.push_back({QByteArray("odd\nname\xfe", 9), 7, 8, 1, 0, 9});
        // A deep path whose parents have no row of their own.
        rows.push_back({QByteArray("x/y\tz/\xff\xfe"), 5, 4096, 1, 0, 0});
        first = store.addScan("host-a", root, 1000, "all", true, rows);
        ASSERT_GT(first, 0) << store.error().toStdString();
        second = store.addScan("host-a", root, 2000, "main", false, rowsOf(2, 20));
        ASSERT_GT(second, 0);
        store.addScan("host-b", root, 1500, "report", true, rowsOf(1, 5));
    }
    // Reopened, it holds what was written.
    HistoryStore store;
    ASSERT_TRUE(store.open(m_location));
    const std::vector<StoredScan> scans = store.scans(root, "host-a");
    ASSERT_EQ(scans.size(), 2u);
    EXPECT_EQ(scans[0].id, second);
    EXPECT_FALSE(scans[0].complete);
    EXPECT_EQ(scans[0].kind, "main");
    EXPECT_EQ(scans[0].rootBytes, 40);
    EXPECT_EQ(scans[1].root, root);
    EXPECT_EQ(store.scans().size(), 3u);
    std::vector<FolderTotalsRow> rows = store.folders(first);
    ASSERT_EQ(rows.size(), 6u);
    std::sort(rows.begin(), rows.end(),
              [](const FolderTotalsRow& a, const FolderTotalsRow& b) { return a.path < b.path; });
    EXPECT_EQ(rows[0].path, QByteArray(""));
    EXPECT_EQ(rows[0].bytes, 30);
    EXPECT_EQ(rows[0].latest, 100);
    EXPECT_EQ(rows[4].path, QByteArray("odd\nname\xfe", 9));
    EXPECT_EQ(rows[4].disk, 8);
    EXPECT_EQ(rows[4].latest, 9);
    EXPECT_EQ(rows[5].path, QByteArray("x/y\tz/\xff\xfe"));
    EXPECT_EQ(rows[5].disk, 4096);
    EXPECT_EQ(rows[5].latest, 0);
    EXPECT_TRUE(store.folders(999999).empty());
    StoredScan one;
    ASSERT_TRUE(store.scan(second, &one));
    EXPECT_EQ(one.host, "host-a");
    EXPECT_FALSE(store.scan(999999, &one));
}

TEST_P(StoreOn, TwoScansCompareFolderByFolder)
{
    HistoryStore store;
    ASSERT_TRUE(store.open(m_location)) << store.error().toStdString();
    const std::int64_t before = store.addScan(
        "h", "/r", 100, "all", true, {{"", 300}, {"grows", 100}, {"goes", 100}, {"same", 100}});
    const std::int64_t after = store.addScan(
        "h", "/r", 200, "all", true, {{"", 450}, {"grows", 250}, {"same", 100}, {"new", 100}});
    std::vector<FolderGrowthRow> rows;
    ASSERT_TRUE(store.compare(before, after, &rows)) << store.error().toStdString();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].path, QByteArray("")); // +150
    EXPECT_EQ(rows[1].path, QByteArray("grows"));
    EXPECT_EQ(rows[1].change, FolderGrowthRow::Change::Grown);
    EXPECT_EQ(rows[4].path, QByteArray("same"));
    EXPECT_FALSE(store.compare(before, 999999, &rows));
}

TEST_P(StoreOn, ThinningRemovesTheScansItLetsGoAndKeepsThePathsTheOthersUse)
{
    HistoryStore store;
    ASSERT_TRUE(store.open(m_location)) << store.error().toStdString();
    const std::int64_t now = 2'000'000'000;
    const std::int64_t day = 24 * 3600;
    // Three scans on one old day: the newest of them stays.
    store.addScan("h", "/r", now - 20 * day + 30, "all", true,
                  {{"", 1}, {"gone-later", 1}, {"a/b/c", 1}});
    store.addScan("h", "/r", now - 20 * day + 20, "all", true, {{"", 1}});
    const std::int64_t kept = store.addScan("h", "/r", now - 20 * day + 40, "all", true,
                                            {{"", 2}, {"stays", 1}, {"a/b/d", 1}});
    EXPECT_EQ(store.thin(now), 2);
    const std::vector<StoredScan> left = store.scans();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].id, kept);
    EXPECT_EQ(store.thin(now), 0);
    std::vector<FolderTotalsRow> rows = store.folders(kept);
    ASSERT_EQ(rows.size(), 3u);
    std::sort(rows.begin(), rows.end(),
              [](const FolderTotalsRow& a, const FolderTotalsRow& b) { return a.path < b.path; });
    EXPECT_EQ(rows[1].path, QByteArray("a/b/d"));
    EXPECT_EQ(rows[2].path, QByteArray("stays"));
    // A new scan naming a path that was removed gets it back.
    const std::int64_t again =
        store.addScan("h", "/r", now, "all", true, {{"", 3}, {"gone-later", 2}, {"a/b/c", 1}});
    ASSERT_GT(again, 0);
    EXPECT_EQ(store.folders(again).size(), 3u);
    EXPECT_EQ(store.folders(kept).size(), 3u);
    // The last scan of a root going takes the root with it.
    ASSERT_TRUE(store.removeScans({kept, again}));
    EXPECT_TRUE(store.scans().empty());
}

TEST_P(StoreOn, TwoWritersAtOnceLoseNothing)
{
    {
        HistoryStore first;
        ASSERT_TRUE(first.open(m_location)) << first.error().toStdString();
    }
    const QString location = m_location;
    const auto writer = [&location](const QString& host, bool* ok) {
        HistoryStore store;
        *ok = store.open(location);
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
    ASSERT_TRUE(store.open(m_location));
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

TEST(HistoryStore, AServerAddressThatIsNoneOrUnreachableIsRefusedWithAReason)
{
    for (const char* location :
         {"postgresql://", "postgresql://host-only", "postgres://127.0.0.1:1/db"}) {
        HistoryStore store;
        EXPECT_FALSE(store.open(QString::fromLatin1(location))) << location;
        EXPECT_FALSE(store.error().isEmpty()) << location;
    }
}
