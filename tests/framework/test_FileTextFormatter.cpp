#include "framework/core/FileTextFormatter.h"

#include "base/SharedRoutines.h"
#include "framework/core/FolderWalker.h"
#include "tests/support/FixtureBuilder.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <QFile>

namespace
{

TEST(FileTextFormatter, AgreesWithTheSharedRoutines)
{
    rw::FileTextFormatter texts;
    for (std::int64_t v : std::initializer_list<std::int64_t>{
             0LL, 7LL, 999LL, 1000LL, 123456LL, -1234567LL, 5368709120LL, INT64_MAX, INT64_MIN}) {
        EXPECT_EQ(texts.sizeText(v), rw::FormatGrouped(v)) << v;
    }
    // Times over the packed range, also around the turn of the year and
    // before 1980 (clamped) and on a leap day.
    const std::int64_t start = QDateTime(QDate(1979, 12, 31), QTime(22, 0)).toSecsSinceEpoch();
    for (std::int64_t t = start; t < start + 60LL * 365 * 86400; t += 7919 * 61 + 13) {
        const rw::PackedDateTime p = texts.pack(t);
        ASSERT_EQ(p, rw::packFileTime(t)) << t;
        EXPECT_EQ(texts.dateText(p), rw::PackedDateText(p));
        EXPECT_EQ(texts.timeText(p), rw::PackedTimeText(p));
    }
    const std::int64_t leap = QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15)).toSecsSinceEpoch();
    EXPECT_EQ(texts.pack(leap), rw::packFileTime(leap));
    EXPECT_EQ(texts.pack(0), 0u);
    EXPECT_EQ(texts.dateText(0), QString());
}

class LineStrategy : public rw::WalkStrategy
{
public:
    rw::Verdict fileMatched(const rw::FileRecord& file) override
    {
        lines.append(texts.hogLine(file));
        return rw::Verdict::Keep;
    }
    rw::FileTextFormatter texts;
    QStringList lines;
};

TEST(FileTextFormatter, HogLineHasTheSixFields)
{
    rwtest::FixtureBuilder fx;
    fx.file("docs/Report.TXT", 1234567 % 5000);
    fx.file("docs/noext", 3);
    fx.file("docs/b.txt", 1);
    const QDateTime modified(QDate(2020, 5, 17), QTime(14, 30, 10));
    const QDateTime accessed(QDate(2021, 1, 2), QTime(8, 0, 0));
    fx.setTimes("docs/Report.TXT", modified, accessed);

    LineStrategy s;
    int described = 0;
    s.texts.setTypeDescriber([&](const QString& ext) {
        ++described;
        return ext.isEmpty() ? QStringLiteral("none") : "type" + ext;
    });
    bool abort = false;
    rw::FolderWalker walker(s, abort, rwtest::ScriptedResponder::instance());
    const rw::DriveInfo drive{QChar('X'), fx.path("docs")};
    ASSERT_TRUE(walker.walkTree(drive, drive.entryText()));
    s.lines.sort();
    ASSERT_EQ(s.lines.size(), 3);
    const QString folder = fx.path("docs");
    const QString report = s.lines.filter("Report").value(0);
    EXPECT_EQ(report,
              QStringList({rw::FormatGrouped(1234567 % 5000),
                           rw::PackedDateText(rw::packFileTime(modified.toSecsSinceEpoch())),
                           rw::PackedTimeText(rw::packFileTime(modified.toSecsSinceEpoch())),
                           rw::PackedDateText(rw::packFileTime(accessed.toSecsSinceEpoch())),
                           folder + "/Report.TXT", "type.TXT"})
                  .join('\t'));
    EXPECT_TRUE(s.lines.filter("noext").value(0).endsWith(folder + "/noext\tnone"));
    EXPECT_EQ(described, 3); // ".TXT", ".txt" and none: once each
}

} // namespace
