#include "tools/stats/core/StatsCollector.h"
#include "base/SaturatingSum.h"

#include <QDateTime>

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

int hourOf(PackedDateTime packed)
{
    return int((packed >> 11) & 0x1f);
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
    const PackedDateTime packed = packFileTime(epochSeconds);
    if (packed == 0)
        return 0;
    // The day is read from the packed fields by arithmetic: a QDateTime in
    // local time would look the zone up again for every file.
    const std::uint32_t d = packed >> 16;
    int year = int(d >> 9) + 1980;
    int month = int((d >> 5) & 0x0F);
    int day = int(d & 0x1F);
    if (!QDate::isValid(year, month, day)) {
        // A date that does not convert counts as the first DOS day.
        year = 1980;
        month = 1;
        day = 1;
    }
    // Day serials count from 30 December 1899, 25,569 days before 1970.
    const std::int64_t serial = LocalTime::daysFromCivil(year, month, day) + 25569;
    // Whole days either way: a future date ages like a past one.
    return ageClassOfDays(std::abs(std::int64_t(todaySerial) - serial));
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

    if (const PackedDateTime created = packFileTime(btime))
        ++m_createHours[hourOf(created)];
    if (const PackedDateTime written = packFileTime(mtime))
        ++m_modHours[hourOf(written)];

    m_ages[Access][ageClassOf(atime, m_today)].add(size);
    m_ages[Creation][ageClassOf(btime, m_today)].add(size);
    m_ages[Modification][ageClassOf(mtime, m_today)].add(size);

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
