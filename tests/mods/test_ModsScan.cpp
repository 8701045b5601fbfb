#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/SharedRoutines.h"
#include "framework/core/FolderWalker.h"
#include "platform/DisplayName.h"
#include "platform/Drives.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/RawPaths.h"
#include "tests/support/ScriptedResponder.h"
#include "tools/mods/core/ModsScan.h"

using rwtest::makeRawFile;

using namespace rw;

namespace
{

std::int64_t secs(const QDate& d, const QTime& t)
{
    return QDateTime(d, t).toSecsSinceEpoch(); // local time
}

QString typeOf(const QString& ext)
{
    return ext.isEmpty() ? QString() : ext.mid(1).toUpper() + QStringLiteral(" File");
}

// Hands one made-up file to a strategy.
Verdict feed(ModsScan& scan, const char* name, const FileStatus& status)
{
    static const QString entry = QStringLiteral("d: [/data]");
    WalkFolder folder;
    folder.path = "/data/docs";
    folder.driveEntry = &entry;
    FileRecord file;
    file.folder = &folder;
    file.name = name;
    file.status = status;
    return scan.fileMatched(file);
}

FileStatus times(std::int64_t atime, std::int64_t btime, std::int64_t mtime, std::int64_t size = 0)
{
    FileStatus s;
    s.atime = atime;
    s.btime = btime;
    s.mtime = mtime;
    s.size = size;
    return s;
}

const QDate kStart(2021, 3, 10);
const QDate kEnd(2021, 3, 20);

// The lines of every record, in walk order.
QStringList linesOf(const ModsScan& scan)
{
    QStringList out;
    for (std::uint32_t rec = 0; rec < scan.records()->size(); ++rec)
        out << scan.lines()->line(rec);
    return out;
}

} // namespace

TEST(ModsScan, DateRangeIsInclusiveOnWholeDays)
{
    struct Case {
        DateRange range;
        QDate file;
        bool expected;
    };
    const Case cases[] = {
        {DateRange::OnOrBefore, kStart, true},
        {DateRange::OnOrBefore, kStart.addDays(1), false},
        {DateRange::OnOrBefore, QDate(1975, 1, 1), true},
        {DateRange::InBetween, kStart, true},
        {DateRange::InBetween, kEnd, true},
        {DateRange::InBetween, kStart.addDays(-1), false},
        {DateRange::InBetween, kEnd.addDays(1), false},
        {DateRange::OnOrAfter, kStart, true},
        {DateRange::OnOrAfter, kStart.addDays(-1), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QinDateRange(c.file, c.range, kStart, kEnd), c.expected)
            << int(c.range) << ' ' << c.file.toString(Qt::ISODate).toStdString();

    // A time that is not recorded (a blank date text) matches "On or Before"
    // and nothing else.
    EXPECT_TRUE(QinDateRange(QDate(), DateRange::OnOrBefore, kStart, kEnd));
    EXPECT_FALSE(QinDateRange(QDate(), DateRange::InBetween, kStart, kEnd));
    EXPECT_FALSE(QinDateRange(QDate(), DateRange::OnOrAfter, kStart, kEnd));
    // A start after the end: "In between" matches nothing, even the bounds.
    EXPECT_FALSE(QinDateRange(kEnd, DateRange::InBetween, kEnd, kStart));
    EXPECT_FALSE(QinDateRange(kStart, DateRange::InBetween, kEnd, kStart));
    // A bound that did not read matches nothing.
    EXPECT_FALSE(QinDateRange(kStart, DateRange::OnOrAfter, QDate(), kEnd));
}

TEST(ModsScan, FirstAndLastMomentOfTheRangeDaysAreInside)
{
    ModsScan scan(TestedTime::LastModified, DateRange::InBetween, kStart, kEnd, "*.*");
    EXPECT_EQ(feed(scan, "first", times(1, 1, secs(kStart, QTime(0, 0, 0)))), Verdict::Keep);
    EXPECT_EQ(feed(scan, "last", times(1, 1, secs(kEnd, QTime(23, 59, 59)))), Verdict::Keep);
    EXPECT_EQ(feed(scan, "before", times(1, 1, secs(kStart.addDays(-1), QTime(23, 59, 59)))),
              Verdict::Skip);
    EXPECT_EQ(feed(scan, "after", times(1, 1, secs(kEnd.addDays(1), QTime(0, 0, 0)))),
              Verdict::Skip);
    EXPECT_EQ(scan.records()->size(), 2u);
}

TEST(ModsScan, TestsTheChosenTimeAndShowsAllThree)
{
    const std::int64_t inside = secs(QDate(2021, 3, 15), QTime(12, 0));
    const std::int64_t outside = secs(QDate(2019, 6, 1), QTime(12, 0));
    struct Case {
        TestedTime tested;
        FileStatus status;
        bool kept;
    };
    const Case cases[] = {
        {TestedTime::LastAccessed, times(inside, outside, outside), true},
        {TestedTime::LastAccessed, times(outside, inside, inside), false},
        {TestedTime::Created, times(outside, inside, outside), true},
        {TestedTime::Created, times(inside, outside, inside), false},
        {TestedTime::LastModified, times(outside, outside, inside), true},
        {TestedTime::LastModified, times(inside, inside, outside), false},
    };
    for (const Case& c : cases) {
        ModsScan scan(c.tested, DateRange::InBetween, kStart, kEnd, "*.*");
        EXPECT_EQ(feed(scan, "f", c.status) == Verdict::Keep, c.kept) << int(c.tested);
    }

    ModsScan scan(TestedTime::Created, DateRange::InBetween, kStart, kEnd, "*.*");
    scan.setTypeDescriber(&typeOf);
    const std::int64_t fiveGiB = 5LL * 1024 * 1024 * 1024;
    ASSERT_EQ(feed(scan, "report.txt", times(outside, inside, inside + 86400, fiveGiB)),
              Verdict::Keep);
    const QStringList fields = linesOf(scan).at(0).split('\t');
    ASSERT_EQ(fields.size(), kModsColumnCount);
    EXPECT_EQ(fields[mcFilename], "report.txt");
    EXPECT_EQ(fields[mcAccessed], formatShortDate(QDate(2019, 6, 1)));
    EXPECT_EQ(fields[mcCreated], formatShortDate(QDate(2021, 3, 15)));
    EXPECT_EQ(fields[mcModified], formatShortDate(QDate(2021, 3, 16)));
    EXPECT_EQ(fields[mcSize], "5,368,709,120");
    EXPECT_EQ(fields[mcFolder], "/data/docs");
    EXPECT_EQ(fields[mcType], "TXT File");
}

TEST(ModsScan, UnrecordedCreationTimeMatchesOnlyOnOrBeforeAndShowsEmpty)
{
    // File systems without birth times (tmpfs, say) report none; the blank
    // date is "on or before" any day and inside no other range.
    const std::int64_t t = secs(QDate(2021, 3, 15), QTime(9, 0));
    const struct {
        DateRange range;
        Verdict verdict;
    } cases[] = {{DateRange::OnOrBefore, Verdict::Keep},
                 {DateRange::InBetween, Verdict::Skip},
                 {DateRange::OnOrAfter, Verdict::Skip}};
    for (const auto& c : cases) {
        ModsScan scan(TestedTime::Created, c.range, kStart, kEnd, "*.*");
        EXPECT_EQ(feed(scan, "nobirth", times(t, 0, t)), c.verdict) << int(c.range);
    }
    ModsScan scan(TestedTime::LastModified, DateRange::InBetween, kStart, kEnd, "*.*");
    ASSERT_EQ(feed(scan, "nobirth", times(t, 0, t)), Verdict::Keep);
    EXPECT_EQ(linesOf(scan).at(0).split('\t').at(mcCreated), QString());
}

TEST(ModsScan, TimesOutsideThePackedYearsUseTheRealDate)
{
    // Unpacked archives often carry 1970s stamps; they are neither shown nor
    // tested as 1 January 1980.
    const std::int64_t old = secs(QDate(1975, 7, 4), QTime(8, 0));
    ModsScan scan(TestedTime::LastModified, DateRange::OnOrBefore, QDate(1979, 12, 31), {}, "*.*");
    ASSERT_EQ(feed(scan, "old", times(old, 0, old)), Verdict::Keep);
    EXPECT_EQ(linesOf(scan).at(0).split('\t').at(mcModified), formatShortDate(QDate(1975, 7, 4)));
    ModsScan after(TestedTime::LastModified, DateRange::OnOrAfter, QDate(1979, 12, 31), {}, "*.*");
    EXPECT_EQ(feed(after, "old", times(old, 0, old)), Verdict::Skip);
}

TEST(ModsScan, ChoicesChangedDuringAWalkCountFromTheNextFile)
{
    const std::int64_t inside = secs(QDate(2021, 3, 15), QTime(12, 0));
    const std::int64_t outside = secs(QDate(2019, 6, 1), QTime(12, 0));
    ModsScan scan(TestedTime::LastAccessed, DateRange::InBetween, kStart, kEnd, "*.*");
    EXPECT_EQ(feed(scan, "a", times(outside, 0, inside)), Verdict::Skip);
    scan.setTestedTime(TestedTime::LastModified);
    EXPECT_EQ(feed(scan, "b", times(outside, 0, inside)), Verdict::Keep);
    scan.setRange(DateRange::OnOrAfter);
    EXPECT_EQ(feed(scan, "c", times(0, 0, secs(QDate(2030, 1, 1), QTime(0, 0)))), Verdict::Keep);
    scan.setPattern("*.txt");
    EXPECT_EQ(scan.filePattern(WalkFolder()), "*.txt");
}

TEST(ModsScan, WalkListsVisibleMatchingFilesOnly)
{
    rwtest::FixtureBuilder fb;
    const QDateTime day(QDate(2021, 3, 15), QTime(10, 0));
    const QDateTime old(QDate(2018, 1, 1), QTime(10, 0));
    const char* inRange[] = {"tree/a.txt", "tree/sub/b.txt", "tree/c.dat", "tree/.hidden.txt",
                             "tree/.cache/d.txt"};
    for (const char* rel : inRange) {
        fb.file(rel, 10);
        fb.setTimes(rel, day, day);
    }
    fb.file("tree/old.txt", 10);
    fb.setTimes("tree/old.txt", old, old);
    fb.mapDrive('D', "tree");

    ModsScan scan(TestedTime::LastModified, DateRange::InBetween, kStart, kEnd, "*.txt");
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    DriveInfo drive;
    ASSERT_TRUE(findDrive(QChar('D'), &drive));
    walker.scanAllDrives({drive.entryText()});

    QStringList names;
    for (const QString& line : linesOf(scan)) {
        const QStringList f = line.split('\t');
        names << QDir(fb.path("tree")).relativeFilePath(JoinPath(f[mcFolder], f[mcFilename]));
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"a.txt", "sub/b.txt"}));
}

namespace
{

// Names as the file system's bytes that text lines used to get wrong: a
// tab, a line break, a backslash, an invalid byte beside its U+FFFD
// look-alike, and a name of the longest length (255 bytes).
QList<QByteArray> oddNames()
{
    return {QByteArray("tab\there.txt"),       QByteArray("line\nbreak.txt"),
            QByteArray("back\\slash.txt"),     QByteArray("Bad\xff.txt"),
            QByteArray("Bad\xef\xbf\xbd.txt"), QByteArray(251, 'n') + ".txt"};
}

} // namespace

TEST(ModsScan, OddNamesKeepTheirBytesAndShowOnOneLineOfSevenFields)
{
    rwtest::FixtureBuilder fb;
    const QString dir = fb.folder("odd/in");
    QSet<QByteArray> made;
    for (const QByteArray& name : oddNames())
        made.insert(makeRawFile(dir, name, 10));
    fb.mapDrive('D', "odd");

    ModsScan scan(TestedTime::LastModified, DateRange::OnOrAfter, QDate::currentDate().addDays(-1),
                  {}, "*.*");
    bool abort = false;
    FolderWalker walker(scan, abort, rwtest::ScriptedResponder::instance());
    DriveInfo drive;
    ASSERT_TRUE(findDrive(QChar('D'), &drive));
    walker.scanAllDrives({drive.entryText()});

    const ResultSet& set = *scan.records();
    ASSERT_EQ(set.size(), 6u);
    QSet<QByteArray> found;
    for (std::uint32_t rec = 0; rec < set.size(); ++rec) {
        const std::string_view name = set.name(rec);
        const QByteArray bytes(name.data(), qsizetype(name.size()));
        found.insert(set.pathBytes(rec));
        const QString line = scan.lines()->line(rec);
        EXPECT_FALSE(line.contains(u'\n')) << bytes.toStdString();
        const QStringList fields = line.split(u'\t');
        ASSERT_EQ(fields.size(), kModsColumnCount) << bytes.toStdString();
        EXPECT_EQ(fields[mcFilename], displayName(bytes));
        EXPECT_EQ(fields[mcFolder], dir);
    }
    // Every record names the very file made, the 255-byte name whole.
    EXPECT_EQ(found, made);
    QStringList shown;
    for (std::uint32_t rec = 0; rec < set.size(); ++rec)
        shown << scan.lines()->field(rec, mcFilename);
    EXPECT_TRUE(shown.contains(QStringLiteral("Bad\\xFF.txt")));
    EXPECT_TRUE(shown.contains(QString::fromUtf8("Bad\xef\xbf\xbd.txt")));
    EXPECT_TRUE(shown.contains(QStringLiteral("tab\\there.txt")));
    EXPECT_TRUE(shown.contains(QStringLiteral("back\\\\slash.txt")));
}
