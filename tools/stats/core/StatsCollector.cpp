#include "tools/stats/core/StatsCollector.h"
#include "base/SaturatingSum.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/FileRecord.h"
#include "framework/core/StatFileLists.h"
#include "platform/DosDateTime.h"
#include "platform/FileAttributes.h"
#include "platform/LocalTime.h"

namespace rw
{

namespace
{

// Upper bounds (inclusive) of size classes 1 to 11; class 12 is everything above.
constexpr std::array<std::int64_t, 11> kSizeBounds{
    16384, 32768, 65536, 131072, 262144, 524288, 1048576, 2097152, 4194304, 8388608, 16777216};

// The extension of a file name: from its last dot, or empty.
QString extensionOfName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

// A file time as the local clock shows it: the day (counted from 1 January
// 1970) and the hour. From the zone's offset alone: a QDateTime in local
// time would look the zone up again for every file. Every time has its real
// date, before 1980 and after 2107 too.
struct LocalDayHour {
    std::int64_t day = 0;
    int hour = 0;
};

LocalDayHour localDayHour(std::int64_t epochSeconds)
{
    // Beyond some 30,000 years either way the zone no longer matters (nor
    // can the system say it): such times are taken as UTC.
    constexpr std::int64_t kFar = 1'000'000'000'000LL;
    const std::int64_t local = (epochSeconds > -kFar && epochSeconds < kFar)
                                   ? epochSeconds + LocalTime::utcOffsetAt(epochSeconds)
                                   : epochSeconds;
    const std::int64_t rest = ((local % 86400) + 86400) % 86400;
    return {local / 86400 - ((local < 0 && rest != 0) ? 1 : 0), int(rest / 3600)};
}

// Day serials count from 30 December 1899, 25,569 days before 1970.
constexpr std::int64_t kSerialOf1970 = 25569;

int ageClassOfDay(std::int64_t day, int todaySerial)
{
    // Whole days either way: a future date ages like a past one.
    const std::int64_t days = std::int64_t(todaySerial) - (day + kSerialOf1970);
    return StatsCollector::ageClassOfDays(days < 0 ? -days : days);
}

} // namespace

StatsCollector::StatsCollector()
{
    setToday(QDate::currentDate());
}

void StatsCollector::setTypeFilter(TypeFilter filter, const QStringList& typeLines)
{
    m_filter = filter;
    m_typeExtensions.clear();
    // "*.doc" gives ".doc": the pattern without its leading star.
    for (const QString& line : typeLines)
        m_typeExtensions.append(TypeLinePattern(line).mid(1).toLower());
}

void StatsCollector::setToday(const QDate& today)
{
    m_today = daySerial(today);
}

void StatsCollector::clear()
{
    m_processed = 0;
    m_found = 0;
    m_sizes = {};
    m_ages = {};
    m_modHours = {};
    m_createHours = {};
    m_attributes = {};
    m_slack = {};
    m_types.clear();
    if (m_filter == TypeFilter::Include) {
        for (const QString& ext : m_typeExtensions)
            insertType(ext, 0, true);
    }
}

bool StatsCollector::isThisSelected(const QString& fileName) const
{
    if (m_filter == TypeFilter::AllFiles)
        return true;
    const QString ext = extensionOfName(fileName).toLower();
    for (const QString& listed : m_typeExtensions) {
        if (listed == ext)
            return m_filter == TypeFilter::Include;
    }
    return m_filter == TypeFilter::Exclude;
}

int StatsCollector::sizeClassOf(std::int64_t size)
{
    for (int i = 0; i < int(kSizeBounds.size()); ++i) {
        if (size <= kSizeBounds[i])
            return i;
    }
    return kSizeClasses - 1;
}

int StatsCollector::ageClassOfDays(std::int64_t days)
{
    if (days <= 7)
        return 1;
    if (days <= 30)
        return 2;
    if (days <= 60)
        return 3;
    if (days <= 120)
        return 4;
    if (days <= 365)
        return 5;
    if (days <= 730)
        return 6;
    if (days <= 1095)
        return 7;
    if (days <= 1460)
        return 8;
    return 9;
}

int StatsCollector::ageClassOf(std::int64_t epochSeconds, int todaySerial)
{
    return ageClassOfDay(localDayHour(epochSeconds).day, todaySerial);
}

int StatsCollector::hourOf(std::int64_t epochSeconds)
{
    return localDayHour(epochSeconds).hour;
}

void StatsCollector::countFile(const QString& name, std::int64_t size, std::uint32_t attributes,
                               std::int64_t atime, std::int64_t btime, std::int64_t mtime)
{
    ++m_processed;
    if (!isThisSelected(name))
        return;
    ++m_found;

    if (attributes & faReadOnly)
        m_attributes[ReadOnly].add(size);
    if (attributes & faHidden)
        m_attributes[Hidden].add(size);
    if (attributes & faSysFile)
        m_attributes[System].add(size);
    if (attributes & faArchive)
        m_attributes[Archive].add(size);

    // Each time converted once, for its hour and its age. Only the creation
    // time can be missing (0): last access and last write are always kept.
    const LocalDayHour written = localDayHour(mtime);
    ++m_modHours[std::size_t(written.hour)];
    m_ages[Modification][ageClassOfDay(written.day, m_today)].add(size);
    m_ages[Access][ageClassOf(atime, m_today)].add(size);
    if (btime != 0) {
        const LocalDayHour created = localDayHour(btime);
        ++m_createHours[std::size_t(created.hour)];
        m_ages[Creation][ageClassOfDay(created.day, m_today)].add(size);
    } else {
        m_ages[Creation][0].add(size);
    }

    insertType(extensionOfName(name), size, false);
    m_sizes[sizeClassOf(size)].add(size);

    if (m_slackEnabled) {
        for (int i = 0; i < kSlackSizes; ++i) {
            const std::int64_t rest = size % kClusterSizes[i];
            if (rest != 0)
                addTo(m_slack[i], kClusterSizes[i] - rest);
        }
    }
}

Verdict StatsCollector::fileMatched(const FileRecord& file)
{
    countFile(file.displayName(), file.size(), file.attributes(), file.status.atime,
              file.status.btime, file.status.mtime);
    return Verdict::Skip;
}

void StatsCollector::insertType(const QString& extension, std::int64_t size, bool preInsert)
{
    if (extension.size() > kMaxExtensionLength)
        return;
    const QString ext = extension.toUpper();
    auto less = [](const TypeRow& row, const QString& key) {
        return QString::compare(row.extension, key, Qt::CaseInsensitive) < 0;
    };
    auto it = std::lower_bound(m_types.begin(), m_types.end(), ext, less);
    if (it != m_types.end() && QString::compare(it->extension, ext, Qt::CaseInsensitive) == 0) {
        if (!preInsert) {
            ++it->count;
            addTo(it->bytes, size);
        }
        return;
    }
    TypeRow row{ext, preInsert ? 0 : 1, preInsert ? 0 : size};
    m_types.insert(it, row);
}

std::int64_t StatsCollector::slackAt(std::int64_t clusterSize) const
{
    for (int i = 0; i < kSlackSizes; ++i) {
        if (kClusterSizes[i] == clusterSize)
            return m_slack[i];
    }
    return -1;
}

std::int64_t StatsCollector::totalBytes() const
{
    std::int64_t sum = 0;
    for (const Bucket& b : m_sizes)
        addTo(sum, b.bytes);
    return sum;
}

} // namespace rw
