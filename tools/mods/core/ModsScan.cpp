#include "tools/mods/core/ModsScan.h"

#include <QDateTime>

#include "app/core/SharedRoutines.h"
#include "framework/core/FileTypes.h"

namespace rw
{

namespace
{

// The date half of a packed value as a date; invalid when it is none.
QDate packedDay(PackedDateTime packed)
{
    const std::uint32_t d = packed >> 16;
    return QDate(int(d >> 9) + 1980, int((d >> 5) & 0x0F), int(d & 0x1F));
}

// The packed form clamps times outside 1980..2107 to its first or last day;
// a value on one of those days may be such a clamp and is read anew.
bool mayBeClamped(const QDate& day)
{
    return (day.year() == 1980 && day.month() == 1 && day.day() == 1) ||
           (day.year() == 2107 && day.month() == 12 && day.day() == 31);
}

} // namespace

bool QinDateRange(const QDate& fileDay, DateRange range, const QDate& start, const QDate& end)
{
    if (!fileDay.isValid())
        return false;
    switch (range) {
    case DateRange::OnOrBefore:
        return start.isValid() && fileDay <= start;
    case DateRange::InBetween:
        return start.isValid() && end.isValid() && fileDay >= start && fileDay <= end;
    case DateRange::OnOrAfter:
        return start.isValid() && fileDay >= start;
    }
    return false;
}

QDate fileDay(std::int64_t epochSeconds)
{
    if (epochSeconds == 0)
        return QDate();
    return QDateTime::fromSecsSinceEpoch(epochSeconds).toLocalTime().date();
}

ModsScan::ModsScan(TestedTime tested, DateRange range, const QDate& start, const QDate& end,
                   const QString& pattern)
    : m_tested(tested), m_range(range), m_start(start), m_end(end), m_pattern(pattern)
{
    m_texts.setTypeDescriber([](const QString& ext) { return FileTypeDescription(ext); });
}

void ModsScan::setTypeDescriber(std::function<QString(const QString&)> describer)
{
    m_texts.setTypeDescriber(std::move(describer));
}

QString ModsScan::filePattern(const WalkFolder& folder)
{
    (void)folder;
    return m_pattern;
}

QString ModsScan::dateText(std::int64_t epochSeconds)
{
    const PackedDateTime packed = m_texts.pack(epochSeconds);
    if (packed == 0)
        return QString();
    if (mayBeClamped(packedDay(packed)))
        return formatShortDate(fileDay(epochSeconds));
    return m_texts.dateText(packed);
}

bool ModsScan::matches(const FileStatus& status)
{
    const std::int64_t t = m_tested == TestedTime::LastAccessed ? status.atime
                           : m_tested == TestedTime::Created    ? status.btime
                                                                : status.mtime;
    const PackedDateTime packed = m_texts.pack(t);
    if (packed == 0)
        return false;
    QDate day = packedDay(packed);
    if (mayBeClamped(day))
        day = fileDay(t);
    return QinDateRange(day, m_range, m_start, m_end);
}

Verdict ModsScan::fileMatched(const FileRecord& file)
{
    if (!matches(file.status))
        return Verdict::Skip;
    const QString& folder = file.folder->displayPath();
    QString line = file.displayName();
    line.append(u'\t').append(dateText(file.status.atime));
    line.append(u'\t').append(dateText(file.status.btime));
    line.append(u'\t').append(dateText(file.status.mtime));
    line.append(u'\t').append(m_texts.sizeText(file.size()));
    line.append(u'\t').append(folder);
    line.append(u'\t').append(m_texts.typeText(file));
    m_lines.append(line);
    return Verdict::Keep;
}

} // namespace rw
