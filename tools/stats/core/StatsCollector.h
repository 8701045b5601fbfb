#pragma once

#include "base/SaturatingSum.h"
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

#include "framework/core/WalkStrategy.h"

namespace rw
{

// Which files of a walk a statistics run counts.
enum class TypeFilter {
    AllFiles, // every file
    Include,  // only files whose extension is in the type list
    Exclude,  // every file except those whose extension is in the type list
};

// One line of the type table: an extension and what its files add up to.
struct TypeRow {
    QString extension; // upper case with its dot (".DOC"); empty for names without a dot
    std::int64_t count = 0;
    std::int64_t bytes = 0;
};

// Count and byte sum of one bucket.
struct Bucket {
    std::int64_t count = 0;
    std::int64_t bytes = 0;
    void add(std::int64_t size)
    {
        ++count;
        addTo(bytes, size);
    }
};

// The statistics of a run over one or more drives, gathered as a walk
// strategy: every file of the walk is counted as processed; the files that
// pass the type filter are counted by size class, by the age of their last
// access, creation and last write, by hour of the day, by attribute, by
// extension and by the room the cluster size wastes. All totals are 64-bit.
// The counters run on over every drive walked until clear() is called.
class StatsCollector : public WalkStrategy
{
public:
    static constexpr int kSizeClasses = 12; // index 0 = class 1 ("0 - 16K")
    static constexpr int kAgeClasses = 10;  // index 0 = "Not recorded"
    static constexpr int kSlackSizes = 5;   // 4K, 8K, 16K, 32K, 64K
    static constexpr std::array<std::int64_t, kSlackSizes> kClusterSizes{4096, 8192, 16384, 32768,
                                                                         65536};
    // Extensions longer than this (dot included) are not listed by type.
    static constexpr int kMaxExtensionLength = 5;

    enum AgeKind { Access = 0, Creation = 1, Modification = 2 };
    enum AttributeRow { ReadOnly = 0, Hidden = 1, System = 2, Archive = 3 };

    StatsCollector();

    // Sets the filter and its type list lines ("*.doc", tab, description).
    // Takes effect from the next clear().
    void setTypeFilter(TypeFilter filter, const QStringList& typeLines);
    TypeFilter typeFilter() const { return m_filter; }
    // Slack is gathered only while enabled (single-drive runs).
    void setSlackEnabled(bool on) { m_slackEnabled = on; }
    bool slackEnabled() const { return m_slackEnabled; }
    // The day ages are counted from (today by default).
    void setToday(const QDate& today);

    // Zeroes every counter and empties the type table; in include mode the
    // listed types are entered with zero counts, so types without files show.
    void clear();

    // True when the file counts under the current filter. The comparison is
    // by extension without regard to case; a file whose extension is not
    // listed (or an empty list) counts in exclude mode only.
    bool isThisSelected(const QString& fileName) const;

    // Counts one file of `size` bytes with the given attributes and file
    // times (seconds since the epoch, UTC), each by its real local date and
    // hour, whatever the year. Last access and last write are always
    // recorded (0 is midnight UTC, 1 January 1970); a creation time of 0 is
    // one the file system does not keep ("Not recorded", no hour). `name`
    // gives the extension. Files that fail the filter only count as
    // processed.
    void countFile(const QString& name, std::int64_t size, std::uint32_t attributes,
                   std::int64_t atime, std::int64_t btime, std::int64_t mtime);

    // WalkStrategy: every file, hidden and special ones included.
    std::uint32_t excludedAttributes() const override { return 0; }
    Verdict fileMatched(const FileRecord& file) override;

    std::int64_t filesProcessed() const { return m_processed; }
    std::int64_t filesFound() const { return m_found; }
    const Bucket& sizeClass(int index) const { return m_sizes[index]; }
    const Bucket& ageClass(AgeKind kind, int index) const { return m_ages[kind][index]; }
    std::int64_t modificationHour(int hour) const { return m_modHours[hour]; }
    std::int64_t creationHour(int hour) const { return m_createHours[hour]; }
    const Bucket& attribute(AttributeRow row) const { return m_attributes[row]; }
    std::int64_t slack(int index) const { return m_slack[index]; }
    // Slack for a cluster size of the table; -1 for any other size.
    std::int64_t slackAt(std::int64_t clusterSize) const;
    // The sum of the size-class byte totals.
    std::int64_t totalBytes() const;
    // The type table, sorted by extension without regard to case.
    const std::vector<TypeRow>& types() const { return m_types; }

    // Size class index (0..11) of a size.
    static int sizeClassOf(std::int64_t size);
    // Age class (1..9) of a number of days.
    static int ageClassOfDays(std::int64_t days);
    // Age class (1..9) of a file time (seconds since the epoch, UTC) by its
    // local date, relative to the day serial `today`; a date in the future
    // ages by its distance like a past one.
    static int ageClassOf(std::int64_t epochSeconds, int todaySerial);
    // The local hour (0..23) of a file time.
    static int hourOf(std::int64_t epochSeconds);

private:
    void insertType(const QString& extension, std::int64_t size, bool preInsert);

    TypeFilter m_filter = TypeFilter::AllFiles;
    QStringList m_typeExtensions; // lower-case extensions of the type list
    bool m_slackEnabled = true;
    int m_today = 0;

    std::int64_t m_processed = 0;
    std::int64_t m_found = 0;
    std::array<Bucket, kSizeClasses> m_sizes{};
    std::array<std::array<Bucket, kAgeClasses>, 3> m_ages{};
    std::array<std::int64_t, 24> m_modHours{};
    std::array<std::int64_t, 24> m_createHours{};
    std::array<Bucket, 4> m_attributes{};
    std::array<std::int64_t, kSlackSizes> m_slack{};
    std::vector<TypeRow> m_types;
};

} // namespace rw
