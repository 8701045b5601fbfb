#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/FileTextFormatter.h"
#include "framework/core/ResultLines.h"
#include "framework/core/ResultSet.h"
#include "framework/core/WalkStrategy.h"

namespace rw
{

// Which time of a file the files-by-date scan tests, in the order of the
// window's "Search for files that were" choice.
enum class TestedTime { LastAccessed = 0, Created = 1, LastModified = 2 };

// How the tested date must lie against the chosen dates, in the order of the
// window's range choice.
enum class DateRange { OnOrBefore = 0, InBetween = 1, OnOrAfter = 2 };

// The date test on whole days, both bounds inclusive. `fileDay` is the local
// date of the tested time; an invalid date means the time is not recorded
// (a file system without birth times, a zero time stamp): its date text is
// blank, and a blank date matches "On or Before" and no other range. `end`
// matters only for InBetween; a start after the end matches nothing there.
bool QinDateRange(const QDate& fileDay, DateRange range, const QDate& start, const QDate& end);

// The local calendar day of a file time (seconds since the epoch, UTC);
// invalid for 0 ("not recorded").
QDate fileDay(std::int64_t epochSeconds);

// The grid columns of the files-by-date window, in order; a result line has
// one field per column.
enum ModsColumns {
    mcFilename = 0,
    mcAccessed = 1,
    mcCreated = 2,
    mcModified = 3,
    mcSize = 4,
    mcFolder = 5,
    mcType = 6,
    kModsColumnCount = 7,
};

// The line layout of the files-by-date window, one field per column above.
QList<ResultField> modsLineLayout();

// The walk strategy of the files-by-date window: the date test on the chosen
// time of each file that matches the pattern, and one record per passing
// file in walk order. Its line (see lines()) shows name, accessed, created,
// modified, size, folder, type (tab-separated, the order of the grid's
// columns). Every row shows all three dates whatever time is tested. A date
// outside what the packed form holds (before 1980, after 2107) is shown as
// the real date rather than a clamped one, so the text and the test agree;
// a time that is not recorded shows as an empty date.
//
// The tested time, the range and the pattern may change while a walk goes
// (the window keeps those controls usable): the setters take effect from the
// next file, and the pattern from the next folder.
class ModsScan : public WalkStrategy
{
public:
    ModsScan(TestedTime tested, DateRange range, const QDate& start, const QDate& end,
             const QString& pattern);

    void setTestedTime(TestedTime tested) { m_tested = tested; }
    void setRange(DateRange range) { m_range = range; }
    void setPattern(const QString& pattern) { m_pattern = pattern; }
    TestedTime testedTime() const { return m_tested; }
    DateRange range() const { return m_range; }

    // How a type text is made from an extension (".txt", or "" for none).
    // Defaults to FileTypeDescription.
    void setTypeDescriber(std::function<QString(const QString& extension)> describer);

    QString filePattern(const WalkFolder& folder) override;
    Verdict fileMatched(const FileRecord& file) override;

    // The records of the passing files, in walk order, and their lines in
    // the window's layout (shared with the grid).
    const std::shared_ptr<ResultSet>& records() const { return m_set; }
    const std::shared_ptr<ResultLines>& lines() const { return m_lines; }

private:
    bool matches(const FileStatus& status);

    TestedTime m_tested;
    DateRange m_range;
    QDate m_start;
    QDate m_end;
    QString m_pattern;
    FileTextFormatter m_texts; // packs times for the date test
    std::shared_ptr<ResultSet> m_set;
    std::shared_ptr<ResultLines> m_lines;
};

} // namespace rw
