#include "tools/mods/core/ModsScan.h"

#include <QDateTime>

#include "framework/core/FileTypes.h"

namespace rw
{

namespace
{

} // namespace

bool QinDateRange(const QDate& fileDay, DateRange range, const QDate& start, const QDate& end)
{
    if (!fileDay.isValid())
        return range == DateRange::OnOrBefore;
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

QList<ResultField> modsLineLayout()
{
    return {ResultField::Name,         ResultField::AccessDate, ResultField::CreatedDate,
            ResultField::ModifiedDate, ResultField::Size,       ResultField::Folder,
            ResultField::Type};
}

ModsScan::ModsScan(TestedTime tested, DateRange range, const QDate& start, const QDate& end,
                   const QString& pattern)
    : m_tested(tested), m_range(range), m_start(start), m_end(end), m_pattern(pattern),
      m_set(std::make_shared<ResultSet>()),
      m_lines(std::make_shared<ResultLines>(m_set, modsLineLayout()))
{
    m_lines->setExactDates(true);
    m_lines->setTypeDescriber([](const QString& ext) { return FileTypeDescription(ext); });
}

void ModsScan::setTypeDescriber(std::function<QString(const QString&)> describer)
{
    m_lines->setTypeDescriber(std::move(describer));
}

QString ModsScan::filePattern(const WalkFolder& folder)
{
    (void)folder;
    return m_pattern;
}

bool ModsScan::matches(const FileStatus& status)
{
    const std::int64_t t = m_tested == TestedTime::LastAccessed ? status.atime
                           : m_tested == TestedTime::Created    ? status.btime
                                                                : status.mtime;
    const PackedDateTime packed = m_texts.pack(t);
    if (packed == 0)
        return QinDateRange(QDate(), m_range, m_start, m_end); // a blank date text
    QDate day = packedDay(packed);
    if (mayBeClampedDay(day))
        day = fileDay(t);
    return QinDateRange(day, m_range, m_start, m_end);
}

Verdict ModsScan::fileMatched(const FileRecord& file)
{
    if (!matches(file.status))
        return Verdict::Skip;
    m_set->add(file);
    return Verdict::Keep;
}

} // namespace rw
