#include <gtest/gtest.h>

#include <limits>

#include <QDateTime>

#include "framework/core/FolderWalker.h"
#include "platform/DosDateTime.h"
#include "platform/Drives.h"
#include "platform/FileAttributes.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/stats/core/StatsCollector.h"
#include "tools/stats/core/StatsTexts.h"

using rw::StatsCollector;

namespace
{

std::int64_t epochOf(const QDate& date, int hour = 12)
{
    return QDateTime(date, QTime(hour, 0)).toSecsSinceEpoch();
}

TEST(StatsCollector, SizeClassBoundaries)
{
    const struct {
        std::int64_t size;
        int index;
    } cases[] = {{0, 0},       {16384, 0},     {16385, 1},     {32768, 1},           {32769, 2},
                 {1048576, 6}, {16777216, 10}, {16777217, 11}, {5'000'000'000LL, 11}};
    for (const auto& c : cases)
        EXPECT_EQ(StatsCollector::sizeClassOf(c.size), c.index) << c.size;
    EXPECT_EQ(rw::sizeClassLabel(0), "0 - 16K");
    EXPECT_EQ(rw::sizeClassLabel(11), "Over 16MB");
}

TEST(StatsCollector, AgeClassesCountWholeDaysEitherWay)
{
    const QDate today(2024, 6, 15);
    const int serial = rw::daySerial(today);
    const struct {
        std::int64_t time;
        int ageClass;
    } cases[] = {
        {0, 9},                             // 1 January 1970: a real date
        {epochOf(today), 1},                // today
        {epochOf(today.addDays(7)), 1},     // a week in the future
        {epochOf(today.addDays(-8)), 2},    // just past a week
        {epochOf(today.addDays(-365)), 5},  //
        {epochOf(today.addDays(-366)), 6},  //
        {epochOf(today.addDays(-1460)), 8}, //
        {epochOf(today.addDays(-1461)), 9}, //
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatsCollector::ageClassOf(c.time, serial), c.ageClass) << c.time;
}

TEST(StatsCollector, TimesOutsideThePackedYearsCountByTheirRealDate)
{
    const struct {
        const char* what;
        QDate today;
        QDateTime when;
        int ageClass;
    } cases[] = {
        {"1970", QDate(2024, 6, 15), QDateTime(QDate(1970, 1, 1), QTime(15, 20)), 9},
        {"before 1980", QDate(1980, 3, 1), QDateTime(QDate(1979, 10, 1), QTime(9, 0)), 5},
        {"a week before 1980", QDate(1980, 1, 3), QDateTime(QDate(1979, 12, 27), QTime(4, 0)), 1},
        {"2200", QDate(2024, 6, 15), QDateTime(QDate(2200, 1, 10), QTime(7, 45)), 9},
        {"just past 2107", QDate(2108, 1, 20), QDateTime(QDate(2108, 1, 5), QTime(1, 0)), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StatsCollector s;
        s.setToday(c.today);
        s.clear();
        const std::int64_t t = c.when.toSecsSinceEpoch();
        s.countFile("old.txt", 10, 0, t, t, t);
        const int hour = c.when.time().hour();
        EXPECT_EQ(StatsCollector::hourOf(t), hour);
        EXPECT_EQ(s.modificationHour(hour), 1);
        EXPECT_EQ(s.creationHour(hour), 1);
        for (const auto kind :
             {StatsCollector::Access, StatsCollector::Creation, StatsCollector::Modification}) {
            EXPECT_EQ(s.ageClass(kind, c.ageClass).count, 1) << "kind " << kind;
            EXPECT_EQ(s.ageClass(kind, 0).count, 0) << "kind " << kind;
        }
    }

    // The first second of 1970 is a time like any other; only a missing
    // creation time is "Not recorded".
    StatsCollector s;
    s.setToday(QDate(2024, 6, 15));
    s.clear();
    s.countFile("epoch.txt", 10, 0, 0, 0, 0);
    const int hour = QDateTime::fromSecsSinceEpoch(0).time().hour();
    EXPECT_EQ(s.modificationHour(hour), 1);
    EXPECT_EQ(s.ageClass(StatsCollector::Modification, 9).count, 1);
    EXPECT_EQ(s.ageClass(StatsCollector::Access, 9).count, 1);
    EXPECT_EQ(s.ageClass(StatsCollector::Creation, 0).count, 1);
    for (int h = 0; h < 24; ++h)
        EXPECT_EQ(s.creationHour(h), 0);
}

TEST(StatsCollector, CountsEveryBucketOfOneFile)
{
    StatsCollector s;
    const QDate today(2024, 6, 15);
    s.setToday(today);
    s.clear();
    const std::int64_t written = epochOf(today.addDays(-10), 14);
    s.countFile("report.Doc", 20000, rw::faHidden | rw::faSysFile, epochOf(today), 0, written);

    EXPECT_EQ(s.filesProcessed(), 1);
    EXPECT_EQ(s.filesFound(), 1);
    EXPECT_EQ(s.sizeClass(1).count, 1);
    EXPECT_EQ(s.sizeClass(1).bytes, 20000);
    EXPECT_EQ(s.ageClass(StatsCollector::Access, 1).count, 1);
    EXPECT_EQ(s.ageClass(StatsCollector::Creation, 0).bytes, 20000);
    EXPECT_EQ(s.ageClass(StatsCollector::Modification, 2).count, 1);
    EXPECT_EQ(s.modificationHour(14), 1);
    for (int h = 0; h < 24; ++h)
        EXPECT_EQ(s.creationHour(h), 0) << "no creation time, no hour";
    // A hidden system file counts in both rows.
    EXPECT_EQ(s.attribute(StatsCollector::Hidden).count, 1);
    EXPECT_EQ(s.attribute(StatsCollector::System).bytes, 20000);
    EXPECT_EQ(s.attribute(StatsCollector::ReadOnly).count, 0);
    ASSERT_EQ(s.types().size(), 1u);
    EXPECT_EQ(s.types()[0].extension, ".DOC");
}

TEST(StatsCollector, SlackPerClusterSize)
{
    StatsCollector s;
    s.clear();
    s.countFile("a", 4096, 0, 0, 0, 0);
    s.countFile("empty", 0, 0, 0, 0, 0);
    EXPECT_EQ(s.slackAt(4096), 0);
    EXPECT_EQ(s.slackAt(8192), 4096);
    EXPECT_EQ(s.slackAt(65536), 65536 - 4096);
    EXPECT_EQ(s.slackAt(1024), -1);

    s.setSlackEnabled(false);
    s.clear();
    s.countFile("b", 100, 0, 0, 0, 0);
    EXPECT_EQ(s.slack(0), 0);
}

TEST(StatsCollector, TotalsAreSixtyFourBit)
{
    StatsCollector s;
    s.clear();
    const std::int64_t big = 3LL * 1024 * 1024 * 1024 + 1;
    s.countFile("disk.img", big, rw::faReadOnly, 0, 0, 0);
    s.countFile("disk2.img", big, rw::faReadOnly, 0, 0, 0);
    EXPECT_EQ(s.totalBytes(), 2 * big);
    EXPECT_EQ(s.attribute(StatsCollector::ReadOnly).bytes, 2 * big);
    EXPECT_EQ(s.types()[0].bytes, 2 * big);
    EXPECT_EQ(s.slack(4), 2 * (65536 - 1));
}

// Two files of sizes near the top of the range (sparse files may claim
// them) give the top of the range everywhere, never a negative total.
TEST(StatsCollector, TotalsStopAtTheTopOfTheRange)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    StatsCollector s;
    s.clear();
    s.countFile("vm1.img", kMax - 1, rw::faReadOnly, 0, 0, 0);
    s.countFile("vm2.img", kMax - 1, rw::faReadOnly, 0, 0, 0);
    EXPECT_EQ(s.totalBytes(), kMax);
    EXPECT_EQ(s.attribute(StatsCollector::ReadOnly).bytes, kMax);
    EXPECT_EQ(s.types()[0].bytes, kMax);
    for (int i = 0; i < StatsCollector::kSlackSizes; ++i)
        EXPECT_GE(s.slack(i), 0) << i;
}

TEST(StatsCollector, TypeTable)
{
    StatsCollector s;
    s.clear();
    for (const char* name : {"a.txt", "B.TXT", "noext", "c.backup", "d.Zip"})
        s.countFile(name, 10, 0, 0, 0, 0);
    ASSERT_EQ(s.types().size(), 3u) << "long extensions are not listed";
    EXPECT_EQ(s.types()[0].extension, "");
    EXPECT_EQ(s.types()[1].extension, ".TXT");
    EXPECT_EQ(s.types()[1].count, 2);
    EXPECT_EQ(s.types()[1].bytes, 20);
    EXPECT_EQ(s.types()[2].extension, ".ZIP");
    EXPECT_EQ(s.filesFound(), 5);
}

TEST(StatsCollector, IncludeAndExcludeFilters)
{
    const QStringList list{"*.doc\tWord", "*.exe\tProgram"};
    StatsCollector s;
    s.setTypeFilter(rw::TypeFilter::Include, list);
    s.clear();
    // Chosen types show with zero counts before any file is met.
    ASSERT_EQ(s.types().size(), 2u);
    EXPECT_EQ(s.types()[0].extension, ".DOC");
    EXPECT_EQ(s.types()[0].count, 0);
    for (const char* name : {"x.DOC", "y.txt", "z"})
        s.countFile(name, 5, 0, 0, 0, 0);
    EXPECT_EQ(s.filesProcessed(), 3);
    EXPECT_EQ(s.filesFound(), 1);
    EXPECT_EQ(s.types()[0].count, 1);

    s.setTypeFilter(rw::TypeFilter::Exclude, list);
    s.clear();
    EXPECT_TRUE(s.types().empty());
    for (const char* name : {"x.doc", "y.txt", "z", "w.exe"})
        s.countFile(name, 5, 0, 0, 0, 0);
    EXPECT_EQ(s.filesFound(), 2);

    s.setTypeFilter(rw::TypeFilter::Exclude, {});
    EXPECT_TRUE(s.isThisSelected("any.doc"));
}

TEST(StatsCollector, WalkOfAMappedDriveCountsHiddenFilesToo)
{
    rwtest::FixtureBuilder fx;
    fx.file("d/small.txt", 100);
    fx.file("d/sub/big.bin", 40000);
    fx.file("d/sub/.hidden", 10);
    fx.file("d/.cache/skipped", 10); // hidden folders are not entered
    fx.setModified("d/small.txt", QDateTime(QDate(2020, 3, 1), QTime(9, 30)));
    // The others at another hour than 9, whatever the time the test runs.
    fx.setModified("d/sub/big.bin", QDateTime(QDate(2020, 3, 1), QTime(14, 0)));
    fx.setModified("d/sub/.hidden", QDateTime(QDate(2020, 3, 1), QTime(14, 0)));
    fx.mapDrive('D', "d");
    rw::DriveInfo drive;
    ASSERT_TRUE(rw::findDrive('D', &drive));

    StatsCollector s;
    s.clear();
    bool abort = false;
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    ASSERT_TRUE(walker.scanDrive(drive.entryText()));
    EXPECT_EQ(s.filesProcessed(), 3);
    EXPECT_EQ(s.sizeClass(0).count, 2);
    EXPECT_EQ(s.sizeClass(2).bytes, 40000);
    EXPECT_EQ(s.attribute(StatsCollector::Hidden).count, 1);
    EXPECT_EQ(s.modificationHour(9), 1);
    EXPECT_EQ(s.totalBytes(), 40110);
}

TEST(StatsTexts, DeletedTotals)
{
    const rw::DeletedTexts fresh = rw::deletedTexts(rw::DeletionTotals{});
    EXPECT_EQ(fresh.since, "");
    EXPECT_EQ(fresh.filesDeleted, "n/a");
    EXPECT_EQ(fresh.bytesRecycled, "n/a");

    rw::DeletionTotals t;
    t.filesDeleted = 0;
    t.bytesDeleted = 0;
    t.filesRecycled = 1200;
    t.bytesRecycled = 5'000'000'000LL;
    t.sinceDay = rw::daySerial(QDate(2024, 1, 2));
    const rw::DeletedTexts d = rw::deletedTexts(t);
    EXPECT_EQ(d.filesDeleted, "n/a") << "a count of 0 is not shown";
    EXPECT_EQ(d.filesRecycled, "1,200 files");
    EXPECT_EQ(d.bytesRecycled, "5,000,000,000 bytes");
    EXPECT_TRUE(d.since.startsWith("Since ")) << d.since.toStdString();
    EXPECT_TRUE(d.since.contains("2024"));
}

TEST(StatsTexts, SpaceUnits)
{
    rw::DriveGeometry big{4096, 128000, 32000}; // 500 MB, 125 MB free
    rw::DriveGeometry small{1024, 9000, 4500};  // 9,000 KB
    const rw::SpaceFigures one = rw::computeSpace({{QChar('C'), big}});
    EXPECT_TRUE(one.megabytes);
    EXPECT_FALSE(one.totalBars);
    EXPECT_EQ(one.totalText(), "500 MB");
    EXPECT_EQ(one.freeText(), "125 MB ");
    EXPECT_EQ(one.usedText(), "375 MB ");
    EXPECT_FALSE(one.freeWarning());

    const rw::SpaceFigures two = rw::computeSpace({{QChar('C'), big}, {QChar('D'), small}});
    EXPECT_TRUE(two.totalBars);
    ASSERT_EQ(two.drives.size(), 2);
    EXPECT_FALSE(two.drives[1].megabytes) << "a small drive keeps KB beside MB drives";
    EXPECT_DOUBLE_EQ(two.drives[1].free, 4500);

    const rw::SpaceFigures kb = rw::computeSpace({{QChar('D'), small}});
    EXPECT_EQ(kb.unitText(), "KB");
    EXPECT_EQ(rw::wholeUnitText(2 * 1048576 + 5), "2 MB");
    EXPECT_EQ(rw::wholeUnitText(900 * 1024), "900 KB");
}

} // namespace
