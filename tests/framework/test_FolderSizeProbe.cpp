#include "framework/core/FolderSizeProbe.h"
#include "tests/support/ScriptedResponder.h"

#include "framework/core/FolderWalker.h"
#include "tests/support/FixtureBuilder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>

namespace
{

// Keeps every file the walk hands over.
class CollectingStrategy : public rw::WalkStrategy
{
public:
    explicit CollectingStrategy(rw::ResultSet& set) : m_set(set) {}
    std::uint32_t excludedAttributes() const override { return 0; }
    rw::Verdict fileMatched(const rw::FileRecord& file) override
    {
        m_set.add(file);
        return rw::Verdict::Skip;
    }

private:
    rw::ResultSet& m_set;
};

// Rows of a 20,000-deep chain: the folders' paths are longer than the
// system takes, so each is reached from the one looked at before it.
TEST(FolderSizeProbe, RowsOfATwentyThousandDeepChainAreFound)
{
    constexpr int kLevels = 20000;
    rwtest::FixtureBuilder fx;
    const QString root = fx.deepChain("tree", kLevels, "d", "f");
    rw::ResultSet set;
    CollectingStrategy strategy(set);
    bool abort = false;
    rw::FolderWalker walker(strategy, abort, rwtest::ScriptedResponder::instance());
    const rw::DriveInfo drive{QChar('D'), root};
    ASSERT_TRUE(walker.walkTree(drive, drive.entryText()));
    ASSERT_EQ(set.size(), std::uint32_t(kLevels));

    std::vector<std::uint32_t> records(set.size());
    for (std::uint32_t i = 0; i < set.size(); ++i)
        records[i] = i;
    std::int64_t found = 0;
    rw::FolderSizeProbe::sizes(
        set, records, [&](std::uint32_t, std::int64_t size) { found += size == 0 ? 1 : 0; });
    EXPECT_EQ(found, kLevels);

    // One by one, deepest and shallowest mixed, and after one is gone.
    rw::FolderSizeProbe probe;
    for (const std::uint32_t rec : {0u, 1u, 9999u, std::uint32_t(kLevels - 1), 2u})
        EXPECT_EQ(probe.size(set, rec), 0) << rec;
    ASSERT_TRUE(QFile::remove(QFile::decodeName(set.pathBytes(kLevels - 1))));
    EXPECT_EQ(probe.size(set, kLevels - 1), -1);
    EXPECT_EQ(probe.size(set, 0), 0);
}

} // namespace
